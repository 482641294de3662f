// The rules for the image file the e-mail dialog writes beside the program
// and attaches: its path from the typed name, and its format from the
// path's extension.
#pragma once

#include <string>
#include <string_view>

#include "output/save_rules.h"

// The name used when "Image Name" holds only blanks.
inline constexpr std::string_view kDefaultEMailImageName = "capture.bmp";

// `program_dir` + "\" + the typed name without its surrounding blanks (or
// "capture.bmp" when nothing is left), cut to the path length limit.
std::string EMailImagePath(std::string_view program_dir, std::string_view typed_name);

struct TEMailedImage {
  TSaveFormat Format;
  std::string Path;  // the path actually written
};

// By the last four characters of `path`, in any letter case: ".GIF" a GIF,
// ".JPG" a JPEG, ".BMP" a BMP; any other ending is a BMP with ".BMP"
// appended to the path.
TEMailedImage EMailedImageOf(const std::string& path);
