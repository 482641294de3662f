// The version resource of an executable file: read whole with the
// version-information functions, then queried for its strings by their
// paths in the resource ("\StringFileInfo\040904E4\ProductName").
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

  // The string at `path`; nullopt when the key or its table is missing.
  std::optional<std::wstring> StringValue(const std::wstring& path) const;

 private:
  std::vector<std::byte> block_;
};

}  // namespace win
