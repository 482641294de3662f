// TVersionInfo: the standard strings of the program's version resource and
// its file version split into four numbers, with the version label built
// from them (" v 1.1"). Reading the resource is the Windows side's job: it
// queries each key of kVersionStringKeys under kVersionStringTable and hands
// the strings over with Assign.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct TVersionStrings {
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyright;
  std::string LegalTradeMarks;
  std::string OriginalFilename;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
};

struct TVersionStringKey {
  std::string_view Name;  // the key in the resource's string table
  std::string TVersionStrings::*Field;
};

// U.S. English, code page 1252; a resource without this table yields no strings.
inline constexpr std::string_view kVersionStringTable = "\\StringFileInfo\\040904E4\\";

inline constexpr std::array<TVersionStringKey, 10> kVersionStringKeys = {{
    {"CompanyName", &TVersionStrings::CompanyName},
    {"FileDescription", &TVersionStrings::FileDescription},
    {"FileVersion", &TVersionStrings::FileVersion},
    {"InternalName", &TVersionStrings::InternalName},
    {"LegalCopyright", &TVersionStrings::LegalCopyright},
    {"LegalTradeMarks", &TVersionStrings::LegalTradeMarks},
    {"OriginalFilename", &TVersionStrings::OriginalFilename},
    {"ProductName", &TVersionStrings::ProductName},
    {"ProductVersion", &TVersionStrings::ProductVersion},
    {"Comments", &TVersionStrings::Comments},
}};

class TVersionInfo {
 public:
  // Takes the strings of a version resource that was found (a missing key
  // as an empty string) and splits FileVersion. A file without version
  // information is not assigned, so the previous strings stay.
  void Assign(const TVersionStrings& strings);

  const TVersionStrings& Strings() const { return strings_; }
  const std::string& ProductName() const { return strings_.ProductName; }
  const std::string& Major() const { return major_; }
  const std::string& Minor() const { return minor_; }
  const std::string& Release() const { return release_; }
  const std::string& Build() const { return build_; }

  // " v " + major + "." + minor + the release mark: nothing for release 0
  // (or none), a letter for 1..24 ("a".."k", then "m", "n", "p".."z"),
  // "." + the release for 25 and above. Empty when FileVersion is empty.
  // Raises EConvertError when the release is not a number.
  std::string VersionLabel() const;

 private:
  TVersionStrings strings_;
  std::string major_;
  std::string minor_;
  std::string release_;
  std::string build_;
};

// The letter that marks release 1..24: "a".."k", "m", "n", "p".."z" ("l" and
// "o" are skipped so they cannot be read as digits).
char ReleaseLetter(int release);
