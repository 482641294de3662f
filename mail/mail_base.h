// TmsMailBase: the socket transport as the base of a mail protocol, which
// supplies the greeting exchange and the farewell.
#pragma once

#include "mail/socket_transport.h"

class TmsMailBase : public TagSocket {
 public:
  using TagSocket::TagSocket;

  virtual void Handshake() = 0;
  virtual void Quit() = 0;
};
