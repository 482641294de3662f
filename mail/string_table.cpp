#include "mail/string_table.h"

#include <algorithm>
#include <iterator>

namespace {

struct TStringEntry {
  int id;
  std::string_view text;
};

// Sorted by number so that lookups can bisect.
constexpr TStringEntry kStrings[] = {
    {10000, "[0] No Error"},
    {10004, "[10004] Interrupted function call"},
    {10009, "[10009] Bad file number"},
    {10013, "[10013] Permission denied."},
    {10014, "[10014] Bad address"},
    {10022, "[10022] Invalid argument"},
    {10024, "[10024] Too many open files"},
    {10035, "[10035] Resource temporarily not available"},
    {10036, "[10036] Operation now in progress"},
    {10037, "[10037] Operation already in progress"},
    {10038, "[10038] Socket operation on non-socket"},
    {10039, "[10039] Destination address required"},
    {10040, "[10040] Message too long"},
    {10041, "[10041] Protocol wrong type for socket"},
    {10042, "[10042] Bad protocol option"},
    {10043, "[10043] Protocol not supported"},
    {10044, "[10044] Socket type not supported"},
    {10045, "[10045] Operation not supported"},
    {10046, "[10046] Protocol family not supported"},
    {10047, "[10047] Address family not supported by protocol family"},
    {10048, "[10048] Address already in use"},
    {10049, "[10049] Cannot assign requested address"},
    {10050, "[10050] Network is down"},
    {10051, "[10051] Network is unreachable"},
    {10052, "[10052] Network dropped connection or reset"},
    {10053, "[10053] Software caused connection abort"},
    {10054, "[10054] Connection reset by peer"},
    {10055, "[10055] No buffer space available"},
    {10056, "[10056] Socket is already connected"},
    {10057, "[10057] Socket is not connected"},
    {10058, "[10058] Can't send after socket shutdown"},
    {10059, "[10059] Too many references, can't splice"},
    {10060, "[10060] Connection timed out"},
    {10061, "[10061] Connection refused"},
    {10062, "[10062] Too many levels of symbolic links"},
    {10063, "[10063] File name too long"},
    {10064, "[10064] Host is down"},
    {10065, "[10065] No Route to Host"},
    {10066, "[10066] Directory not empty"},
    {10067, "[10067] Too many processes"},
    {10068, "[10068] Too many users"},
    {10069, "[10069] Disc Quota Exceeded"},
    {10070, "[10070] Stale NFS file handle"},
    {10071, "[10071] Too many levels of remote in path"},
    {10091, "[10091] Network subsystem is unavailable"},
    {10092, "[10092] WINSOCK DLL Version out of range"},
    {10093, "[10093] Successful WSAStartup() not yet performed"},
    {10094, "[10094] Graceful shutdown in progress"},
    {11001, "[11001] Host not found"},
    {11002, "[11002] Non-Authoritative Host not found"},
    {11003, "[11003] Non-Recoverable errors: FORMERR, REFUSED, NOTIMP"},
    {11004, "[11004] Valid name, no data record of requested type"},
    {sOperationTimedOut, "Operation timed out"},
    {sOperationCanceled, "Operation has been canceled"},
    {sServerRequired, "Server property is required"},
    {sInvalidWinsockVersion, "Invalid Winsock version"},
    {sErrorResolvingHost, "Error resolving remote host"},
    {sServiceNameRequired, "Service name is required"},
    {sNotConnected, "You have to connect to the server first"},
    {sFunctionNotFound, "Function %s not found"},
    {sWinsockNotLoaded, "Winsock is not loaded"},
    {sWinsockNotFound, "Winsock not found"},
    {sSenderRequired, "The address of sender is required"},
    {sRecipientRequired, "At least one Recipient, CC or BCC must be entered"},
    {sMailMessageRequired, "MailMessage property must be assigned"},
    {sMultipartPreamble, "This is a multipart message in MIME format"},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const TStringEntry& a, const TStringEntry& b) { return a.id < b.id; }),
              "the string table must stay sorted by number");

}  // namespace

std::optional<std::string_view> FindStr(int id) {
  const auto at = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                   [](const TStringEntry& entry, int wanted) { return entry.id < wanted; });
  if (at == std::end(kStrings) || at->id != id) return std::nullopt;
  return at->text;
}

std::string LoadStr(int id) { return std::string(FindStr(id).value_or(std::string_view())); }
