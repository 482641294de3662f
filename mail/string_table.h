// The program's string table for the mail stack: numbered message texts,
// shared by the socket transport, the SMTP client and the message composer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers of the mail stack's own texts. WinSock error texts are keyed by
// the WinSock error number itself (10004 "[10004] Interrupted function
// call", ...); "[0] No Error" sits under 10000.
enum TMailStringId : int {
  sOperationTimedOut = 57000,
  sOperationCanceled = 57001,
  sServerRequired = 57002,
  sInvalidWinsockVersion = 57003,
  sErrorResolvingHost = 57004,
  sServiceNameRequired = 57005,
  sNotConnected = 57008,
  sFunctionNotFound = 57010,  // contains one "%s" for the function name
  sWinsockNotLoaded = 57011,
  sWinsockNotFound = 57012,
  sSenderRequired = 57100,
  sRecipientRequired = 57101,
  sMailMessageRequired = 57102,
  sMultipartPreamble = 57106,
};

// The text under `id`, or nothing when the table has no such entry.
std::optional<std::string_view> FindStr(int id);

// The text under `id`, or an empty text when there is no such entry.
std::string LoadStr(int id);
