#include "output/jpeg_error.h"

#include <string>

#include <jerror.h>

namespace {

// The one place where a libjpeg error leaves the library.
[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<TJPEGErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings about damaged data would let libjpeg go on and fill the rest of
// the picture with grey; those stop decoding. Warnings about metadata only
// (an unknown JFIF revision, Adobe transform or a bad ICC chunk) are harmless.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  switch (cinfo->err->msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
      return;
    default:
      JumpOnError(cinfo);
  }
}

void IgnoreOutput(j_common_ptr) {}

}  // namespace

EJPEGError::EJPEGError(int code) : std::runtime_error("JPEG error #" + std::to_string(code)), code_(code) {}

jpeg_error_mgr* InstallJPEGErrorManager(TJPEGErrorManager& manager) {
  jpeg_std_error(&manager.pub);
  manager.pub.error_exit = JumpOnError;
  manager.pub.emit_message = EmitMessage;
  manager.pub.output_message = IgnoreOutput;
  return &manager.pub;
}
