// The content type of a file, looked up by its extension in the operating
// system's file-type registry: HKEY_CLASSES_ROOT on Windows, the system's
// media types file elsewhere.
#pragma once

#include <string>

inline constexpr const char* kFallbackContentType = "application/octet-stream";

// The content type registered for the extension of `fileName` (the text
// after the last "." of the name, dot included, as ".bmp"); the fallback
// "application/octet-stream" when there is no extension or no entry.
std::string ContentTypeForFile(const std::string& fileName);
