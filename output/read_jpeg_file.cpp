#include "output/read_jpeg_file.h"

#include <cstring>

#include <jerror.h>

#include "output/image_limits.h"
#include "platform/stream.h"

#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo's extended colour spaces are needed to produce blue-green-red rows"
#endif

namespace {

struct TDecompressor {
  jpeg_decompress_struct cinfo;
  TJPEGErrorManager errors;
};

// Frees libjpeg's memory however decoding ended.
class TDecompressorGuard {
 public:
  explicit TDecompressorGuard(TDecompressor& d) : d_(d) {}
  ~TDecompressorGuard() { jpeg_destroy_decompress(&d_.cinfo); }
  TDecompressorGuard(const TDecompressorGuard&) = delete;
  TDecompressorGuard& operator=(const TDecompressorGuard&) = delete;

 private:
  TDecompressor& d_;
};

bool IsCMYK(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// The two functions below drive libjpeg. Each returns 0, or libjpeg's
// message code after an error; they hold only plain C objects, because a
// libjpeg error longjmps back to their setjmp.

int ReadHeader(TDecompressor& d, const std::uint8_t* data, std::size_t size) {
  if (setjmp(d.errors.jump)) return d.errors.pub.msg_code;
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&d.cinfo, TRUE);
  return 0;
}

// CMYK as Adobe applications store it (inverted when an Adobe marker is
// present) turned into blue, green, red.
void CMYKToBGR(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
  }
}

// Decodes every row into `bits` (24-bit rows, bottom-up with `stride`).
int ReadRows(TDecompressor& d, std::uint8_t* bits, std::size_t stride) {
  if (setjmp(d.errors.jump)) return d.errors.pub.msg_code;
  jpeg_decompress_struct& cinfo = d.cinfo;
  const bool cmyk = IsCMYK(cinfo.jpeg_color_space);
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  JSAMPARRAY scratch = nullptr;
  if (cmyk) scratch = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 4, 1);
  const JDIMENSION height = cinfo.output_height;
  while (cinfo.output_scanline < height) {
    std::uint8_t* row = bits + (height - 1 - cinfo.output_scanline) * stride;
    if (!cmyk) {
      JSAMPROW target = row;
      jpeg_read_scanlines(&cinfo, &target, 1);
      continue;
    }
    jpeg_read_scanlines(&cinfo, scratch, 1);
    CMYKToBGR(scratch[0], row, cinfo.output_width, cinfo.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&cinfo);
  return 0;
}

}  // namespace

TBitmap DecodeJPEG(std::span<const std::uint8_t> stream) {
  TDecompressor d;
  std::memset(&d.cinfo, 0, sizeof d.cinfo);
  d.cinfo.err = InstallJPEGErrorManager(d.errors);
  TDecompressorGuard guard(d);

  if (const int code = ReadHeader(d, stream.data(), stream.size()); code != 0) throw EJPEGError(code);
  // Checked before libjpeg sizes its own buffers to the picture.
  if (!ImageSizeAllowed(d.cinfo.image_width, d.cinfo.image_height)) throw EJPEGError(JERR_IMAGE_TOO_BIG);

  TBitmap image(static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height), 24);
  if (const int code = ReadRows(d, image.Bits().data(), image.Stride()); code != 0) throw EJPEGError(code);
  return image;
}

TBitmap ReadJPEGFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return DecodeJPEG(bytes);
}
