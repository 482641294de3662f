// The JPEG writer: compresses a TBitmap with libjpeg into a JFIF stream held
// in memory, then writes that stream to a file in one piece.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "gif/bitmap.h"
#include "output/jpeg_error.h"
#include "platform/stream.h"

class TJPEGImage {
 public:
  // A new image compresses in colour, baseline, at quality 90.
  int CompressionQuality = 90;

  // Takes the picture to compress. The bitmap is read, never changed, and
  // must stay alive until Compress has run.
  void Assign(const TBitmap& bitmap) { source_ = &bitmap; }

  // Compresses the assigned bitmap: 3 components, libjpeg's defaults, the
  // quality with baseline tables forced, rows from the top down, each as
  // its 24-bit form (no copy of the picture is made). Raises EJPEGError
  // for every libjpeg failure (an empty bitmap included).
  void Compress();

  // The compressed stream of the last Compress.
  std::span<const std::uint8_t> Data() const { return {data_.get(), size_}; }

  void SaveToStream(TStream& stream) const { stream.Write(data_.get(), size_); }
  void SaveToFile(const std::string& path) const;

 private:
  struct TFree {
    void operator()(std::uint8_t* p) const { std::free(p); }
  };
  const TBitmap* source_ = nullptr;
  std::unique_ptr<std::uint8_t, TFree> data_;
  std::size_t size_ = 0;
};

// Writes `image` as a JPEG file at quality 100, replacing any file there.
// The image itself is not changed.
void WriteJPEGFile(const TBitmap& image, const std::string& path);
