// libjpeg error handling shared by the JPEG writer and reader.
//
// libjpeg reports a fatal error by calling error_exit, which by default
// prints and calls exit(). Ours jumps back to a setjmp in the function that
// drove libjpeg; that function holds only plain C objects, so nothing with a
// destructor is skipped by the jump. The caller then raises EJPEGError.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

// "JPEG error #%d" with libjpeg's message code.
class EJPEGError : public std::runtime_error {
 public:
  explicit EJPEGError(int code);
  int Code() const { return code_; }

 private:
  int code_;
};

struct TJPEGErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

// Fills `manager` with libjpeg's standard routines, then replaces the exit,
// the message output and the warning handling: corrupt-data warnings are
// treated as errors, so a damaged file is refused instead of shown half grey.
jpeg_error_mgr* InstallJPEGErrorManager(TJPEGErrorManager& manager);
