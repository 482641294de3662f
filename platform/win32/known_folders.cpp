#include "platform/win32/known_folders.h"

#include <shlobj.h>

#include "platform/win32/handles.h"

namespace win {

namespace {

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

}  // namespace

std::wstring WindowsDirectory() {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return WithoutTrailingBackslash(std::wstring(folder, length));
}

std::wstring RoamingAppDataFolder() { return ShellFolder(CSIDL_APPDATA); }

std::wstring LocalAppDataFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA); }

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  return WithoutTrailingBackslash(std::wstring(folder, length));
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CanWriteFile(const std::wstring& path) {
  if (!FileExists(path)) return CanCreateFilesIn(FolderOf(path));
  TKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

bool CanCreateFilesIn(const std::wstring& folder) {
  const std::wstring probe = folder + L"\\~grabwell-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  TKernelHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

bool CreateFolder(const std::wstring& folder) {
  const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS) return true;
  SetLastError(static_cast<DWORD>(result));
  return false;
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring result = length != 0 ? std::wstring(text, length) : L"Error " + std::to_wstring(error) + L".";
  LocalFree(text);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ')) {
    result.pop_back();
  }
  return result;
}

}  // namespace win
