#include "platform/win32/version_resource.h"

#include <windows.h>

namespace win {

bool TVersionResource::Read(const std::wstring& file) {
  block_.clear();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<std::byte> block(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return false;
  block_ = std::move(block);
  return true;
}

std::optional<std::wstring> TVersionResource::StringValue(const std::wstring& path) const {
  if (block_.empty()) return std::nullopt;
  void* value = nullptr;
  UINT length = 0;
  // VerQueryValue takes a non-const block but only reads it.
  if (!VerQueryValueW(const_cast<std::byte*>(block_.data()), path.c_str(), &value, &length) || value == nullptr) {
    return std::nullopt;
  }
  // The length counts characters, including the terminator when present.
  std::wstring text(static_cast<const wchar_t*>(value), length);
  if (auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
  return text;
}

}  // namespace win
