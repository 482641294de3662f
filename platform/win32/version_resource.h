// The version resource of an executable file: read whole with the
// version-information functions, then queried for the strings of its
// U.S. English, code page 1252 table ("StringFileInfo\040904E4\<key>").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace win {

class TVersionResource {
 public:
  // Reads the version information of `file`, dropping what was held
  // before; false (and nothing held) when the file has none.
  bool Read(const std::wstring& file);

  std::size_t Size() const { return block_.size(); }

  // The value of `key` in the 040904E4 string table; nullopt when the key
  // or the table is missing.
  std::optional<std::wstring> StringValue(const std::wstring& key) const;

 private:
  std::vector<std::byte> block_;
};

// The path of the running program's executable.
std::wstring ExecutablePath();

}  // namespace win
