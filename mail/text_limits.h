// Length rules shared by the message model: the model's text fields hold at
// most 255 characters, as the forms framework's short strings did.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A list of text lines, in the manner of the framework's string list.
using TStringList = std::vector<std::string>;

inline constexpr std::size_t kShortTextLimit = 255;

// `text` cut to at most 255 characters.
inline std::string ShortText(std::string_view text) { return std::string(text.substr(0, kShortTextLimit)); }
