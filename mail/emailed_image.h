// The rules for the image file the e-mail dialog writes and attaches: its
// folder, its path from the typed name, and its format from the path's
// extension.
#pragma once

#include <string>
#include <string_view>

#include "output/save_rules.h"

// The name used when "Image Name" holds only blanks.
inline constexpr std::string_view kDefaultEMailImageName = "capture.bmp";

// The image goes beside the program when the program's folder can be
// written; otherwise (a program kept where its user cannot write, such as
// under Program Files) into "Grabwell 2000" in the user's temporary folder.
std::string EMailImageFolder(std::string_view program_dir, bool program_dir_writable, std::string_view temp_folder);

// `folder` + "\" + the typed name without its surrounding blanks (or
// "capture.bmp" when nothing is left), cut to the path length limit.
std::string EMailImagePath(std::string_view folder, std::string_view typed_name);

struct TEMailedImage {
  TSaveFormat Format;
  std::string Path;  // the path actually written
};

// By the last four characters of `path`, in any letter case: ".GIF" a GIF,
// ".JPG" a JPEG, ".BMP" a BMP; any other ending is a BMP with ".BMP"
// appended to the path.
TEMailedImage EMailedImageOf(const std::string& path);
