#include "app/web_pages.h"

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string UpdatePageName(std::string_view versionLabel) {
  std::string name(TrimBlanks(versionLabel));
  // " v 1.1" reads "v1_1", not "v_1_1".
  if (const std::size_t v = name.find("v "); v != std::string::npos) name.erase(v + 1, 1);
  for (char& c : name) {
    if (c == ' ' || c == '.') c = '_';
  }
  return name + ".htm";
}

std::string UpdatePageAddress(std::string_view versionLabel) {
  std::string address = std::string(kUpdateAddressPrefix) + UpdatePageName(versionLabel);
  for (char& c : address) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return address;
}
