// The exceptions of the socket transport; each carries only its text.
#pragma once

#include <stdexcept>

// A numbered socket or WinSock error ("[10054] Connection reset by peer").
class ESocketError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A wait ran out of time ("Operation timed out").
class ETimedOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The operation was canceled ("Operation has been canceled").
class ECanceledError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The WinSock library or one of its functions is missing.
class EWinsockDLLError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
