// Writes and reads images with our codecs for the checks that run
// independent decoders (Pillow, djpeg) from Python:
//   codec_probe write-bmps DIR        every depth as DIR/<case>.bmp plus DIR/<case>.rgb
//   codec_probe write-jpeg OUT BITS   the quadrant picture in BITS depth as a JPEG
//   codec_probe dump IN OUT           IN (.bmp/.jpg) decoded by us, as raw RGB
// The .rgb files hold width and height (32-bit little-endian) then RGB
// bytes from the top row down.
#include <cstdio>
#include <exception>
#include <string>

#include "output/jpeg_image.h"
#include "output/open_image.h"
#include "output/write_bitmap_file.h"
#include "tests/output/test_pictures.h"

namespace {

void SaveRaw(const TBitmap& image, const std::string& path) {
  TMemoryStream raw(RawRGB(image));
  raw.SaveToFile(path);
}

TBitmap InDepth(TBitmap picture, int bits) {
  if (bits == 24) return picture;
  TBitmap result = TBitmap::DeviceFormat(picture.Width(), picture.Height(), bits);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const TRGBQuad c = picture.PixelColor(x, y);
      std::uint8_t* p = result.Row(y) + 4 * x;
      p[0] = c.Blue;
      p[1] = c.Green;
      p[2] = c.Red;
    }
  }
  return result;
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "write-bmps" && argc == 3) {
    for (const TPictureCase& c : PictureCases()) {
      const TBitmap image = MakePicture(c, 37, 5);
      const std::string base = std::string(argv[2]) + "/" + c.name;
      WriteBitmapFile(image, base + ".bmp");
      SaveRaw(image, base + ".rgb");
    }
    return 0;
  }
  if (command == "write-jpeg" && argc == 4) {
    const int bits = std::stoi(argv[3]);
    if (bits != 24 && bits != 32) throw std::invalid_argument("BITS must be 24 or 32");
    WriteJPEGFile(InDepth(MakeQuadrants(64, 48), bits), argv[2]);
    return 0;
  }
  if (command == "dump" && argc == 4) {
    SaveRaw(LoadImageFile(argv[2]), argv[3]);
    return 0;
  }
  std::fprintf(stderr, "usage: codec_probe write-bmps DIR | write-jpeg OUT BITS | dump IN OUT\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
