// The product's web pages that the tray menu opens through the shell.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kWebSiteAddress = "https://www.grabwell2000.example/";
// The version part of the page name and ".htm" are appended to this.
inline constexpr std::string_view kUpdateAddressPrefix = "https://www.grabwell2000.example/update/grabwell_";

// The update page's name for a version label: " v 1.1" gives "v1_1.htm",
// " v 2.0m" "v2_0m.htm", " v 3.1.30" "v3_1_30.htm".
std::string UpdatePageName(std::string_view versionLabel);

// kUpdateAddressPrefix + UpdatePageName(versionLabel), all in lower case.
std::string UpdatePageAddress(std::string_view versionLabel);
