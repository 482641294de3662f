#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "output/jpeg_error.h"
#include "output/open_image.h"
#include "output/read_bitmap_file.h"

namespace {

std::filesystem::path CorruptFolder() {
  const char* root = std::getenv("GRABWELL_SOURCE_DIR");
  return std::filesystem::path(root ? root : ".") / "tests" / "output" / "corrupt";
}

std::vector<std::string> CorruptFiles() {
  std::vector<std::string> names;
  if (std::filesystem::is_directory(CorruptFolder())) {
    for (const auto& entry : std::filesystem::directory_iterator(CorruptFolder())) {
      const std::string name = entry.path().filename().string();
      if (ImageFileTypeOf(name) != TImageFileType::ftUnknown) names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

const char* const kBitmapTexts[] = {kBitmapNotBMP,        kBitmapTruncated,        kBitmapHeaderUnsupported,
                                    kBitmapFormatUnsupported, kBitmapBadSize,      kBitmapTooLarge,
                                    kBitmapBadOffset,     kBitmapBadColorTable,    kBitmapBadCompressedData,
                                    kBitmapBadColorIndex};

class CorruptFile : public testing::TestWithParam<std::string> {};

// Each malformed file is refused with one of the readers' fixed texts; the
// sanitizers catch any read or write outside the buffers on the way.
TEST_P(CorruptFile, IsRefusedWithAClearError) {
  const std::string path = (CorruptFolder() / GetParam()).string();
  try {
    const TBitmap image = LoadImageFile(path);
    FAIL() << "accepted as a " << image.Width() << "x" << image.Height() << " image";
  } catch (const EInvalidBitmap& e) {
    EXPECT_EQ(ImageFileTypeOf(path), TImageFileType::ftBitmap);
    EXPECT_NE(std::find_if(std::begin(kBitmapTexts), std::end(kBitmapTexts),
                           [&](const char* text) { return std::string(text) == e.what(); }),
              std::end(kBitmapTexts))
        << e.what();
  } catch (const EJPEGError& e) {
    EXPECT_EQ(ImageFileTypeOf(path), TImageFileType::ftJPEG);
    EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(e.Code()));
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CorruptFile, testing::ValuesIn(CorruptFiles()), [](const auto& info) {
  std::string name = info.param;
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
});

TEST(CorruptFolder, HoldsTheFixtures) { EXPECT_GE(CorruptFiles().size(), 30u); }

}  // namespace
