// Conversions between the portable code's UTF-8 text and the UTF-16 text of
// the Windows API. Invalid input never fails: it becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace win
