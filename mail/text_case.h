// ASCII case helpers for header names, content types and file names.
#pragma once

#include <string>
#include <string_view>

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Whether `text` begins with `prefix`, ignoring ASCII letter case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
