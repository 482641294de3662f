#include "mail/socket_transport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "mail/socket_errors.h"
#include "mail/string_table.h"
#include "mail/winsock_library.h"
#include "platform/message_pump.h"

namespace {

using namespace platform;

// Longest a wait blocks before it looks at its flags again; messages that
// arrive end the block at once.
constexpr unsigned kWaitSliceMs = 50;
// One reply line, its line feed included; the rest of a longer line is
// read and dropped.
constexpr std::size_t kReplyBufferSize = 1024;
constexpr std::size_t kSendBlockSize = 2047;

std::string NumberedErrorText(int number) {
  if (const auto text = FindStr(number)) return std::string(*text);
  return "Error #" + std::to_string(number);
}

// The whole text as a decimal integer with an optional sign, or 0.
long long DecimalOrZero(const std::string& text) {
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i == text.size() || text.size() - i > 10) return 0;
  long long value = 0;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return 0;
    value = value * 10 + (text[j] - '0');
  }
  if (value > 0x7FFFFFFFLL + (text[0] == '-' ? 1 : 0)) return 0;
  return text[0] == '-' ? -value : value;
}

std::string DottedAddress(const std::array<std::uint8_t, 4>& bytes) {
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
         std::to_string(bytes[3]);
}

}  // namespace

TagSocket::TagSocket() : TagSocket(TagWinsock::Instance().Api()) {}

TagSocket::TagSocket(TSocketApi& api) : api_(api), window_(*this) { SetWinsockLoaded(false); }

TagSocket::~TagSocket() {
  // Nothing may escape a destructor; the library may already be gone.
  try {
    CancelPendingRequest();
    Close();
    ReleaseStartups();
  } catch (const std::exception&) {
  }
}

bool TagSocket::WinsockLoaded() const { return TagWinsock::Instance().IsLoaded(); }

void TagSocket::SetWinsockLoaded(bool loaded) {
  TagWinsock& winsock = TagWinsock::Instance();
  if (loaded) {
    if (!winsock.IsLoaded()) winsock.Load();
    return;
  }
  if (winsock.IsLoaded()) {
    CancelPendingRequest();
    Close();
    ReleaseStartups();
  }
  winsock.Unload();
}

// Balances this component's WSAStartup calls before the library goes.
void TagSocket::ReleaseStartups() {
  for (; start_count_ > 0; --start_count_) api_.WSACleanup();
}

void TagSocket::ResetState() {
  cancel_requested_ = false;
  counter_.ClearExpired();
  pending_request_ = 0;
  async_error_ = false;
  host_lookup_done_ = false;
  service_lookup_done_ = false;
  connected_ = false;
  readable_ = false;
  writable_ = false;
  closed_by_peer_ = false;
}

int TagSocket::ParseReplyCode(const std::string& line) const {
  const std::size_t digits = std::min<std::size_t>(line.size(), 3);
  if (digits == 0) return -1;
  int code = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    if (line[i] < '0' || line[i] > '9') return -1;
    code = code * 10 + (line[i] - '0');
  }
  return code;
}

void TagSocket::SocketNotification(unsigned message, std::uintptr_t wparam, std::uint32_t lparam) {
  const std::uint16_t error = SocketLParamHigh(lparam);
  if (message == kWmHostLookupDone || message == kWmServiceLookupDone) {
    if (wparam != pending_request_) return;  // a lookup that was given up
    (message == kWmHostLookupDone ? host_lookup_done_ : service_lookup_done_) = true;
    async_error_code_ = error;
    if (error != 0) async_error_ = true;
    return;
  }
  if (message != kWmSocketEvent || wparam != socket_) return;  // late news of a closed socket
  if (error != 0) {
    async_error_code_ = error;
    async_error_ = true;
    return;
  }
  switch (SocketLParamLow(lparam)) {
    case kFdRead:
      readable_ = true;
      break;
    case kFdWrite:
      writable_ = true;
      break;
    case kFdConnect:
      connected_ = true;
      break;
    case kFdClose:
      closed_by_peer_ = true;
      break;
    default:
      break;
  }
}

void TagSocket::WaitUntil(const std::function<bool()>& done, bool error_ends) {
  counter_.Start();
  while (!done() && !cancel_requested_ && !counter_.Expired() && !(error_ends && async_error_)) {
    WaitForMessages(kWaitSliceMs);
  }
  counter_.Stop();
}

void TagSocket::RaiseSocketError(int number) {
  if (number != 0) RaiseNumberedError(number);
}

void TagSocket::RaiseNumberedError(int number) {
  counter_.Stop();
  const std::string text = NumberedErrorText(number);
  if (OnError) OnError(*this, text);
  if (number == kWsaEConnReset) Close();
  throw ESocketError(text);
}

void TagSocket::RaiseLastError() {
  const int error = api_.WSAGetLastError();
  RaiseNumberedError(error != 0 ? error : 10000);
}

void TagSocket::RaiseTimedOut() {
  counter_.Stop();
  const std::string text = LoadStr(sOperationTimedOut);
  if (OnError) OnError(*this, text);
  CancelPendingRequest();
  if (api_.WSAIsBlocking()) api_.WSACancelBlockingCall();
  Close();
  throw ETimedOutError(text);
}

void TagSocket::RaiseCanceled() {
  counter_.Stop();
  const std::string text = LoadStr(sOperationCanceled);
  if (OnError) OnError(*this, text);
  throw ECanceledError(text);
}

void TagSocket::CancelPendingRequest() {
  if (pending_request_ == 0) return;
  const TAsyncRequest request = std::exchange(pending_request_, 0);
  api_.WSACancelAsyncRequest(request);
}

std::string TagSocket::HostPart() const { return server_.substr(0, server_.find(':')); }

void TagSocket::Open() {
  if (OnOpen) OnOpen(*this);
  if (server_.empty()) RaiseNumberedError(sServerRequired);
  if (api_.WSAStartup(kWinsockVersion11) != 0) RaiseNumberedError(sInvalidWinsockVersion);
  ++start_count_;

  char name[512] = {};
  if (api_.gethostname(name, sizeof name - 1) == 0 && name[0] != '\0') {
    local_host_name_ = name;
  } else {
    local_host_name_ = HostPart();
  }

  ResolveAddress();
  ResolvePort();

  socket_ = api_.socket(kAfInet, kSockStream, 0);
  if (socket_ == kInvalidSocket) RaiseLastError();
}

void TagSocket::ResolveAddress() {
  char host[128] = {};
  const std::string host_part = HostPart();
  std::memcpy(host, host_part.data(), std::min<std::size_t>(host_part.size(), sizeof host - 1));

  const std::uint32_t dotted = api_.inet_addr(host);
  if (dotted != kInaddrNone) {
    server_address_ = dotted;
    std::array<std::uint8_t, 4> bytes;
    std::memcpy(bytes.data(), &dotted, 4);
    host_address_ = DottedAddress(bytes);
    return;
  }

  lookup_buffer_ = {};
  pending_request_ = api_.WSAAsyncGetHostByName(window_, kWmHostLookupDone, host, lookup_buffer_);
  if (pending_request_ == 0) {
    // Reported at once rather than left to run into the time-out.
    const int error = api_.WSAGetLastError();
    RaiseSocketError(error != 0 ? error : sErrorResolvingHost);
  }
  WaitUntil([this] { return host_lookup_done_; }, false);
  if (host_lookup_done_) pending_request_ = 0;
  if (async_error_) RaiseSocketError(async_error_code_);
  if (counter_.Expired()) RaiseTimedOut();
  if (cancel_requested_) RaiseCanceled();

  const auto address = api_.FirstHostAddress(lookup_buffer_);
  if (!address) RaiseNumberedError(sErrorResolvingHost);
  host_address_ = DottedAddress(*address);
  server_address_ = api_.inet_addr(host_address_.c_str());
  if (server_address_ == kInaddrNone) RaiseNumberedError(sErrorResolvingHost);
}

void TagSocket::ResolvePort() {
  if (const auto colon = server_.find(':'); colon != std::string::npos) {
    const auto written = static_cast<std::uint16_t>(DecimalOrZero(server_.substr(colon + 1)) & 0xFFFF);
    if (written != 0) {
      port_ = written;
      return;
    }
  }
  if (service_name_.empty()) RaiseNumberedError(sServiceNameRequired);
  if (cancel_requested_) RaiseCanceled();

  lookup_buffer_ = {};
  pending_request_ =
      api_.WSAAsyncGetServByName(window_, kWmServiceLookupDone, service_name_.c_str(), "tcp", lookup_buffer_);
  if (pending_request_ == 0) {
    port_ = default_port_;
    return;
  }
  WaitUntil([this] { return service_lookup_done_; }, false);
  if (service_lookup_done_) pending_request_ = 0;
  if (async_error_ || counter_.Expired()) {
    CancelPendingRequest();
    port_ = default_port_;
    return;
  }
  if (cancel_requested_) RaiseCanceled();
  port_ = api_.ServicePort(lookup_buffer_).value_or(default_port_);
}

void TagSocket::ConnectSocket() {
  if (cancel_requested_) RaiseCanceled();
  if (socket_ == kInvalidSocket) RaiseNumberedError(sNotConnected);
  if (api_.WSAAsyncSelect(socket_, window_, kWmSocketEvent, kFdTransportMask) == kSocketError) RaiseLastError();
  counter_.Start();
  const TInetAddress address{api_.htons(port_), server_address_};
  if (api_.connect(socket_, address) == kSocketError) {
    const int error = api_.WSAGetLastError();
    if (error != kWsaEWouldBlock) RaiseNumberedError(error != 0 ? error : 10000);
  }
  // A refused connection reports an error but no connect; the wait then
  // runs into the time-out.
  WaitUntil([this] { return connected_; }, false);
  if (cancel_requested_) RaiseCanceled();
  if (counter_.Expired()) RaiseTimedOut();
  if (OnConnect) OnConnect(*this);
}

int TagSocket::ReadLine() {
  if (socket_ == kInvalidSocket) RaiseNumberedError(sNotConnected);
  // A connection the peer has closed will never become readable: the line
  // loop below then ends at once with no line instead of waiting it out.
  WaitUntil([this] { return readable_ || closed_by_peer_; }, true);
  if (cancel_requested_) RaiseCanceled();
  if (counter_.Expired()) RaiseTimedOut();
  if (async_error_) RaiseSocketError(async_error_code_);
  counter_.Start();
  readable_ = false;
  ProcessPendingMessages();

  std::string line;
  line.reserve(kReplyBufferSize);
  bool line_feed = false;
  bool last_receive_empty = false;
  while (!line_feed && !cancel_requested_ && !counter_.Expired() && !(closed_by_peer_ && last_receive_empty)) {
    ProcessPendingMessages();
    char byte = 0;
    readable_ = false;  // cleared before the call, so no later FD_READ is missed
    const int received = api_.recv(socket_, &byte, 1, 0);
    last_receive_empty = received == 0;
    if (received == kSocketError) {
      const int error = api_.WSAGetLastError();
      if (error != kWsaEWouldBlock && !cancel_requested_) RaiseSocketError(error);
      if (!readable_ && !closed_by_peer_) WaitForMessages(kWaitSliceMs);
    } else if (received == 0) {
      if (!closed_by_peer_) WaitForMessages(kWaitSliceMs);
    } else {
      // The first kReplyBufferSize bytes are kept; the rest of an overlong
      // line is dropped up to its line feed.
      if (line.size() < kReplyBufferSize) line.push_back(byte);
      line_feed = byte == '\n';
    }
  }
  counter_.Stop();

  int code = -1;
  if (line_feed) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    code = ParseReplyCode(line);
  } else {
    line.clear();
  }
  if (counter_.Expired()) RaiseTimedOut();
  if (cancel_requested_) RaiseCanceled();
  last_reply_ = line;
  if (OnLineReceived) OnLineReceived(*this, last_reply_);
  return code;
}

int TagSocket::ReadReply() {
  const int code = ReadLine();
  if (code <= 0 || last_reply_.find('-') != 3) return code;
  while (!closed_by_peer_) {
    if (ReadLine() == code && last_reply_.find(' ') == 3) break;
  }
  return code;
}

void TagSocket::SendBytes(const char* data, std::size_t size, bool restart_counter_per_send) {
  std::size_t sent = 0;
  while (sent < size && !counter_.Expired() && !cancel_requested_) {
    ProcessPendingMessages();
    writable_ = false;
    const int chunk = static_cast<int>(std::min<std::size_t>(size - sent, 0x7FFFFFFF));
    const int result = api_.send(socket_, data + sent, chunk, send_flags_);
    if (result == kSocketError) {
      const int error = api_.WSAGetLastError();
      if (error != kWsaEWouldBlock && !cancel_requested_) RaiseSocketError(error);
      // The send buffer is full: sleep until WinSock says there is room.
      if (!writable_) WaitForMessages(kWaitSliceMs);
    } else {
      sent += static_cast<std::size_t>(result);
      if (restart_counter_per_send && result > 0) counter_.Start();
    }
    ProcessPendingMessages();
  }
}

void TagSocket::WriteLine(const std::string& text) {
  if (socket_ == kInvalidSocket) RaiseNumberedError(sNotConnected);
  const std::string line = text + "\r\n";
  counter_.Start();
  SendBytes(line.data(), line.size(), false);
  counter_.Stop();
  if (counter_.Expired()) RaiseTimedOut();
  if (cancel_requested_) RaiseCanceled();
  if (OnLineSent) OnLineSent(*this, text);
}

void TagSocket::SendStream(TStream& stream) {
  if (socket_ == kInvalidSocket) RaiseNumberedError(sNotConnected);
  stream.SetPosition(0);
  const std::uint64_t size = stream.Size();
  bool last = false;
  while (!last && !counter_.Expired() && !cancel_requested_) {
    char block[kSendBlockSize + 1] = {};
    const std::size_t count = stream.Read(block, kSendBlockSize);
    counter_.Start();
    SendBytes(block, count, true);
    counter_.Stop();
    const std::uint64_t position = stream.Position();
    // An empty stream counts as complete rather than dividing by zero.
    const auto perc = size == 0 ? 100 : static_cast<std::int32_t>(std::llround(position * 100.0 / size));
    if (OnProgress) OnProgress(*this, perc, static_cast<std::int32_t>(std::min<std::uint64_t>(position, 0x7FFFFFFF)));
    last = count < kSendBlockSize;
  }
  if (counter_.Expired()) RaiseTimedOut();
  if (cancel_requested_) RaiseCanceled();
  if (OnProgress) OnProgress(*this, 0, 0);
}

void TagSocket::Close() {
  if (socket_ == kInvalidSocket) return;
  if (OnClosing) OnClosing(*this);
  const TSocketHandle socket = std::exchange(socket_, kInvalidSocket);
  api_.closesocket(socket);
  if (OnClosed) OnClosed(*this);
}

void TagSocket::Cancel() {
  cancel_requested_ = true;
  if (OnCancel) OnCancel(*this);
  CancelPendingRequest();
  Close();
}
