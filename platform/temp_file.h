// Temporary files in the system's temporary folder.
#pragma once

#include <string>

namespace platform {

// Creates a new, empty file with a unique name made of `prefix` and a number
// the system picks, and returns its path (UTF-8). Throws EStreamError
// "Cannot create file %s" when the system refuses.
std::string CreateUniqueTempFile(const std::string& prefix);

// Deletes a file; returns false when it could not (the caller may ignore it).
bool DeleteFileQuietly(const std::string& path);

}  // namespace platform
