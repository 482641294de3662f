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

TEST(EMailedImage, GoesToTheTemporaryFolderWhenTheProgramFolderIsReadOnly) {
  EXPECT_EQ(EMailImageFolder("C:\\Tools", true, "C:\\Users\\ann\\Temp"), "C:\\Tools");
  EXPECT_EQ(EMailImagePath(EMailImageFolder("C:\\Program Files\\Grabwell", false, "C:\\Users\\ann\\Temp"), " shot.gif"),
            "C:\\Users\\ann\\Temp\\Grabwell 2000\\shot.gif");
}

}  // namespace
