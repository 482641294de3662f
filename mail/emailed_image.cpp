#include "mail/emailed_image.h"

#include "platform/text_trim.h"

std::string EMailImagePath(std::string_view program_dir, std::string_view typed_name) {
  std::string_view name = Trim(typed_name);
  if (name.empty()) name = kDefaultEMailImageName;
  std::string path(program_dir);
  path += '\\';
  path += name;
  return CutPath(path);
}

TEMailedImage EMailedImageOf(const std::string& path) {
  const std::string ending = UpperCaseEnding(path);
  if (ending == ".GIF") return {TSaveFormat::sfGIF, path};
  if (ending == ".JPG") return {TSaveFormat::sfJPEG, path};
  if (ending == ".BMP") return {TSaveFormat::sfBitmap, path};
  return {TSaveFormat::sfBitmap, path + ".BMP"};
}
