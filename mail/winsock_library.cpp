#include "mail/winsock_library.h"

#include <string>

#include "mail/socket_errors.h"
#include "mail/string_table.h"

namespace {

void RaiseUnavailable(const char* function) {
  if (function == nullptr) throw EWinsockDLLError(LoadStr(sWinsockNotLoaded));
  std::string text = LoadStr(sFunctionNotFound);
  if (const auto slot = text.find("%s"); slot != std::string::npos) text.replace(slot, 2, function);
  throw EWinsockDLLError(text);
}

}  // namespace

TagWinsock& TagWinsock::Instance() {
  static TagWinsock winsock;
  return winsock;
}

TagWinsock::TagWinsock() : library_(&RaiseUnavailable) {}

void TagWinsock::Load() {
  if (!library_.Load()) throw EWinsockDLLError(LoadStr(sWinsockNotFound));
}

void TagWinsock::Unload() { library_.Unload(); }

bool TagWinsock::IsLoaded() const { return library_.IsLoaded(); }

bool TagWinsock::IsPresent() {
  if (IsLoaded()) return true;
  try {
    Load();
  } catch (const EWinsockDLLError&) {
    return false;
  }
  Unload();
  return true;
}
