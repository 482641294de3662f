#include "mail/emailed_image.h"

#include "platform/text_trim.h"

namespace {

constexpr std::string_view kTempImageFolder = "Grabwell 2000";

}  // namespace

std::string EMailImageFolder(std::string_view program_dir, bool program_dir_writable, std::string_view temp_folder) {
  if (program_dir_writable) return std::string(program_dir);
  return std::string(temp_folder).append("\\").append(kTempImageFolder);
}

std::string EMailImagePath(std::string_view folder, std::string_view typed_name) {
  std::string_view name = Trim(typed_name);
  if (name.empty()) name = kDefaultEMailImageName;
  std::string path(folder);
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
