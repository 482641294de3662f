// Writes GIF files and the RGB pixels each must decode to, for the Pillow
// check (check_with_pillow.py): one NAME.gif and NAME.rgb per sample.
#include <cstdio>
#include <string>
#include <vector>

#include "gif/gif_image.h"
#include "platform/stream.h"

namespace {

TBitmap Sample(int width, int height) {
  TBitmap bitmap = TBitmap::DeviceFormat(width, height, 32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = bitmap.Row(y) + 4 * x;
      p[0] = static_cast<std::uint8_t>(x * 255 / width);
      p[1] = static_cast<std::uint8_t>(y * 255 / height);
      p[2] = static_cast<std::uint8_t>(x < width / 2 ? 200 : (x * y) % 256);
    }
  return bitmap;
}

void Write(const std::string& dir, const std::string& name, TGIFEncoding encoding, TReductionMethod method,
           TDitherKind dither, int width, int height) {
  TBitmap bitmap = Sample(width, height);
  TGIFImage gif;
  gif.Compression = encoding;
  gif.ColorReduction = method;
  gif.DitherMode = dither;
  gif.ReductionBits = 5;
  gif.Assign(bitmap);
  gif.SaveToFile(dir + "/" + name + ".gif");

  const TGIFSubImage& frame = gif.Images()[0];
  TMemoryStream rgb;
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) {
      const TGIFColor& c = frame.ColorMap()[frame.IndexRow(y)[x]];
      const std::uint8_t bytes[3] = {c.Red, c.Green, c.Blue};
      rgb.Write(bytes, 3);
    }
  }
  rgb.SaveToFile(dir + "/" + name + ".rgb");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  try {
    for (TGIFEncoding encoding : {encRunLength, encLZW}) {
      const std::string e = encoding == encRunLength ? "rle" : "lzw";
      Write(dir, e + "_cube_640x480", encoding, rdWebCube, dkNearest, 640, 480);
      Write(dir, e + "_cube_1x17", encoding, rdWebCube, dkNearest, 1, 17);
      Write(dir, e + "_cube_17x1", encoding, rdWebCube, dkNearest, 17, 1);
      Write(dir, e + "_gray_33x9", encoding, rdGray256, dkNearest, 33, 9);
      Write(dir, e + "_mono_fs_64x31", encoding, rdMonochrome, dkFloydSteinberg, 64, 31);
      Write(dir, e + "_octree_stucki_101x77", encoding, rdOctree, dkStucki, 101, 77);
      Write(dir, e + "_halftone_burkes_50x50", encoding, rdHalftone, dkBurkes, 50, 50);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
