#include "mail/emailed_image.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TNameCase {
  const char* typed;
  std::string sent_path;
  TSaveFormat format;
};

TEST(EMailedImage, TypedNameGivesPathAndFormat) {
  const std::string dir = "C:\\Tools";
  const TNameCase cases[] = {
      {"", "C:\\Tools\\capture.bmp", TSaveFormat::sfBitmap},
      {" \t ", "C:\\Tools\\capture.bmp", TSaveFormat::sfBitmap},
      {"  shot.gif ", "C:\\Tools\\shot.gif", TSaveFormat::sfGIF},
      {"Shot.GiF", "C:\\Tools\\Shot.GiF", TSaveFormat::sfGIF},
      {"shot.jpg", "C:\\Tools\\shot.jpg", TSaveFormat::sfJPEG},
      {"SHOT.JPG", "C:\\Tools\\SHOT.JPG", TSaveFormat::sfJPEG},
      {"shot.Bmp", "C:\\Tools\\shot.Bmp", TSaveFormat::sfBitmap},
      {"shot.jpeg", "C:\\Tools\\shot.jpeg.BMP", TSaveFormat::sfBitmap},
      {"shot.png", "C:\\Tools\\shot.png.BMP", TSaveFormat::sfBitmap},
      {"shot", "C:\\Tools\\shot.BMP", TSaveFormat::sfBitmap},
      {"gif", "C:\\Tools\\gif.BMP", TSaveFormat::sfBitmap},
  };
  for (const TNameCase& c : cases) {
    const TEMailedImage image = EMailedImageOf(EMailImagePath(dir, c.typed));
    EXPECT_EQ(image.Path, c.sent_path) << "typed '" << c.typed << "'";
    EXPECT_EQ(image.Format, c.format) << "typed '" << c.typed << "'";
  }
}

TEST(EMailedImage, LongNamesAreCutToThePathLimitBeforeTheFormatIsChosen) {
  const std::string dir = "C:\\" + std::string(240, 'd');
  // 244 characters of folder and separator leave 11 for the name: the
  // ".gif" ending is cut, so the image goes as a BMP.
  const std::string path = EMailImagePath(dir, "picture_1.gif");
  EXPECT_EQ(path, dir + "\\picture_1.g");
  EXPECT_EQ(EMailedImageOf(path).Path, path + ".BMP");
  // A path of three characters has no four-character ending to match.
  EXPECT_EQ(EMailedImageOf("a.b").Path, "a.b.BMP");
}

}  // namespace
