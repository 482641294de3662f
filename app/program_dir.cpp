#include "app/program_dir.h"

std::string ProgramDir;

std::string ProgramDirOf(std::string_view exePath) {
  const std::size_t last = exePath.find_last_of("\\:");
  std::string_view directory = last == std::string_view::npos ? std::string_view() : exePath.substr(0, last + 1);
  if (directory.ends_with('\\')) directory.remove_suffix(1);
  return std::string(directory);
}

std::string HelpFilePath(std::string_view programDir) {
  return std::string(programDir) + "\\" + std::string(kHelpFileName);
}
