// The program-wide WinSock library shared by every socket component.
#pragma once

#include "platform/socket_library.h"

class TagWinsock {
 public:
  // The one instance; it lives until the program ends.
  static TagWinsock& Instance();

  // Raises EWinsockDLLError "Winsock not found" when the library is missing.
  void Load();
  void Unload();
  bool IsLoaded() const;
  // True when the library can be loaded; leaves it as it was.
  bool IsPresent();

  // The library's calls. A call into an unloaded library raises
  // EWinsockDLLError "Winsock is not loaded", one to a function the library
  // lacks "Function <name> not found".
  platform::TSocketApi& Api() { return library_; }

 private:
  TagWinsock();
  platform::TSocketLibrary library_;
};
