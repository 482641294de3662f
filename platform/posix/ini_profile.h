// The native INI profile: one file, read afresh on every lookup and
// rewritten whole on every change, with the lookup and update rules of the
// Windows private-profile functions. The text operations are separate from
// the file handling so they can be tested and fuzzed on their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"

// Files beyond this size are not settings files; they are neither read nor
// overwritten, so whatever they hold is not lost.
inline constexpr std::size_t kMaxIniFileSize = 4 * 1024 * 1024;

// The value of `key` in the first section named `section`, as the Windows
// lookup returns it: blanks around it trimmed, cut at a NUL byte, and one
// pair of matching surrounding quotes (" or ') removed. Sections and keys
// match without regard to ASCII case (names end at a NUL byte), the first
// occurrence wins, and lines without "=" are not keys. Lines end with CR LF,
// LF or a lone CR.
std::optional<std::string> FindIniValue(std::string_view content, std::string_view section, std::string_view key);

// `content` with `key` in the first section named `section` set to `value`:
// an existing line is replaced in place keeping the key's spelling, a new
// key goes after the last line
// of its section, a new section is appended at the end. Every other byte is
// kept as it was.
std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);

class TIniProfile final : public TProfile {
 public:
  explicit TIniProfile(std::string path) : path_(std::move(path)) {}

  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferSize) const override;

 private:
  bool WriteLine(std::string_view section, std::string_view key, std::string_view value) override;

  std::string path_;
};
