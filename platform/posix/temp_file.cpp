#include "platform/temp_file.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "platform/stream.h"

namespace platform {

std::string CreateUniqueTempFile(const std::string& prefix) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  std::string pattern = (folder / (prefix + "XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) throw EStreamError("Cannot create file " + pattern);
  close(fd);
  return name.data();
}

bool DeleteFileQuietly(const std::string& path) { return unlink(path.c_str()) == 0; }

}  // namespace platform
