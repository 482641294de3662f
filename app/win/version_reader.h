// Fills a TVersionInfo from the version resource of an executable file.
#pragma once

#include <string>

#include "app/version_info.h"

// Reads the ten standard strings of `file`'s U.S. English, code page 1252
// table into `info` (a missing key as an empty string). A file without
// version information leaves `info` as it was.
void ReadVersionInfo(TVersionInfo& info, const std::wstring& file);
