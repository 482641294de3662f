// WinSock error numbers for POSIX errors, so that the native backend reports
// failures exactly as WinSock would (10035 for a call that would block,
// 10061 for a refused connection, ...).
#pragma once

namespace platform::posix {

int WinsockErrorFromErrno(int error);
// For getaddrinfo results (the WinSock host-lookup numbers 11001..11004).
int WinsockErrorFromLookup(int gai_error);

}  // namespace platform::posix
