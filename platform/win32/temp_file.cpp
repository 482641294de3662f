#include "platform/temp_file.h"

#include <windows.h>

#include "platform/stream.h"

namespace platform {

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string result(static_cast<std::size_t>(size - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 1) return {};
  std::wstring result(static_cast<std::size_t>(size - 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), size);
  return result;
}

}  // namespace

std::string CreateUniqueTempFile(const std::string& prefix) {
  wchar_t folder[256] = {};
  const DWORD length = GetTempPathW(255, folder);
  if (length == 0 || length > 255) throw EStreamError("Cannot create file " + prefix);
  wchar_t name[MAX_PATH] = {};
  // A unique number of 0 makes the system pick the number and create the file.
  if (GetTempFileNameW(folder, Wide(prefix).c_str(), 0, name) == 0) {
    throw EStreamError("Cannot create file " + Utf8(folder) + prefix);
  }
  return Utf8(name);
}

bool DeleteFileQuietly(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != 0; }

}  // namespace platform
