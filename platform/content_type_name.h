// The extension part of a file name, shared by the content-type backends.
#pragma once

#include <string>
#include <string_view>

// The extension of `fileName` with its dot (".bmp"): the text from the
// last "." of the name after its folder; empty when the name has none.
inline std::string FileExtension(std::string_view fileName) {
  const auto slash = fileName.find_last_of("\\/");
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  const auto dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}
