#include "platform/content_type.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/content_type_name.h"

namespace {

// An open registry key, closed when it goes out of scope.
class TRegistryKey {
 public:
  TRegistryKey(HKEY parent, const std::wstring& name) {
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~TRegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  bool IsOpen() const { return key_ != nullptr; }

  // The text value `name`, or an empty text when it is missing or not text.
  std::wstring ReadText(const wchar_t* name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return {};
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS) {
      return {};
    }
    // The stored text need not carry its terminator; the buffer has one.
    return std::wstring(buffer.data());
  }

 private:
  HKEY key_ = nullptr;
};

std::wstring Widen(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::string ContentTypeForFile(const std::string& fileName) {
  const std::string extension = FileExtension(fileName);
  if (extension.size() < 2) return kFallbackContentType;
  const TRegistryKey key(HKEY_CLASSES_ROOT, Widen(extension));
  if (!key.IsOpen()) return kFallbackContentType;
  const std::string contentType = Narrow(key.ReadText(L"Content Type"));
  return contentType.empty() ? kFallbackContentType : contentType;
}
