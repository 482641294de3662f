// The folders the system keeps for the program and its user, and whether a
// file can be written there. Paths are UTF-16, without a trailing backslash.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// The Windows directory, where the private-profile functions keep a file
// handed to them by its bare name.
std::wstring WindowsDirectory();
// The user's roaming application data (%APPDATA%) and local application data
// (%LOCALAPPDATA%); empty when the system cannot tell.
std::wstring RoamingAppDataFolder();
std::wstring LocalAppDataFolder();
// The user's temporary folder (%TEMP%).
std::wstring TempFolder();

bool FileExists(const std::wstring& path);
// Whether this user may write `path`: an existing file is opened for
// writing (and left as it is), for an absent one a probe file is created in
// its folder and deleted again.
bool CanWriteFile(const std::wstring& path);
// Whether this user may create files in `folder`, by the same probe.
bool CanCreateFilesIn(const std::wstring& folder);
// Creates `folder` and any missing parents; true when it exists afterwards.
bool CreateFolder(const std::wstring& folder);

// The system's text for an error code (GetLastError), without the line break
// it ends with.
std::wstring SystemErrorText(DWORD error);

}  // namespace win
