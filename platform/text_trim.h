// Trimming typed and stored texts.
#pragma once

#include <string_view>

// `text` without leading and trailing blanks and control characters.
std::string_view Trim(std::string_view text);
