// Private-profile (INI) access with the semantics of the Windows
// GetPrivateProfileString/WritePrivateProfileString pair. On Windows it is
// those functions; the native build has an INI file of its own with the same
// behaviour (platform/posix/ini_profile.h). Text is UTF-8 throughout.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class TProfile {
 public:
  virtual ~TProfile() = default;
  TProfile() = default;
  TProfile(const TProfile&) = delete;
  TProfile& operator=(const TProfile&) = delete;

  // The value of `key` in `section` (both matched without regard to case),
  // or `defaultValue` when either is absent, as it arrives in a buffer of
  // `bufferSize` characters with its terminator: at most bufferSize - 1
  // characters are kept.
  virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                 std::size_t bufferSize) const = 0;

  // Sets `key` in `section` to `value`, creating the file and the section
  // when absent and replacing an existing value in place. Line breaks in
  // `value` would split it into lines of their own, so each becomes a blank.
  // Returns false when the file could not be written.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);

 private:
  virtual bool WriteLine(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// The profile file `bareFileName` ("GRBWEL.INI") kept where the platform keeps
// private profiles: the Windows directory on Windows; natively the folder
// $GRABWELL_WINDIR, or ~/.grabwell when that is not set, one file shared by
// every program run of that user.
std::unique_ptr<TProfile> OpenPrivateProfile(std::string_view bareFileName);

// Where OpenPrivateProfile keeps `bareFileName`: a full path.
std::string PrivateProfilePath(std::string_view bareFileName);

// The longest prefix of UTF-8 `text` that fits in `maxCharacters` characters
// as the Windows text functions count them (UTF-16 units: one for most
// characters, two beyond U+FFFF). A byte that is not valid UTF-8 counts as
// one character; no character is cut in half.
std::string CutToCharacters(std::string_view text, std::size_t maxCharacters);
