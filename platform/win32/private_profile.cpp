#include "platform/win32/private_profile.h"

#include <windows.h>

#include "platform/win32/text.h"

#include <algorithm>
#include <limits>
#include <vector>

using win::Narrow;
using win::Widen;

std::string TPrivateProfile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                        std::size_t bufferSize) const {
  if (bufferSize == 0) return std::string();
  const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max()));
  std::vector<wchar_t> buffer(size, L'\0');
  const DWORD copied = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(defaultValue).c_str(),
                                                buffer.data(), size, fileName_.c_str());
  return Narrow(std::wstring_view(buffer.data(), std::min<DWORD>(copied, size - 1)));
}

bool TPrivateProfile::WriteLine(std::string_view section, std::string_view key, std::string_view value) {
  return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                                    fileName_.c_str()) != FALSE;
}

std::string PrivateProfilePath(std::string_view bareFileName) {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return std::string(bareFileName);
  return Narrow(std::wstring_view(folder, length)) + "\\" + std::string(bareFileName);
}

std::unique_ptr<TProfile> OpenPrivateProfile(std::string_view bareFileName) {
  return std::make_unique<TPrivateProfile>(Widen(bareFileName));
}
