// TagSocket: one TCP connection to a server named by host and port, with
// line-oriented sending and receiving, a time-out in seconds per wait and a
// cancel request. Every wait keeps the message loop running, so the user
// interface stays alive while the conversation goes on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "mail/time_counter.h"
#include "platform/socket_api.h"
#include "platform/socket_message_window.h"
#include "platform/stream.h"

class TagSocket : private platform::TSocketNotificationSink {
 public:
  using TNotifyEvent = std::function<void(TagSocket& sender)>;
  using TProgressEvent = std::function<void(TagSocket& sender, std::int32_t perc, std::int32_t transferred)>;
  using TTextEvent = std::function<void(TagSocket& sender, const std::string& text)>;

  // Over the program-wide WinSock library.
  TagSocket();
  // Over another implementation of the WinSock calls (tests).
  explicit TagSocket(platform::TSocketApi& api);
  ~TagSocket() override;
  TagSocket(const TagSocket&) = delete;
  TagSocket& operator=(const TagSocket&) = delete;

  // A host name or dotted IPv4 address, optionally ":" and a decimal port.
  const std::string& Server() const { return server_; }
  void SetServer(std::string server) { server_ = std::move(server); }
  std::uint16_t DefaultPort() const { return default_port_; }
  void SetDefaultPort(std::uint16_t port) { default_port_ = port; }
  // Seconds that each wait may take (default 60).
  int TimeOut() const { return counter_.StartValue(); }
  void SetTimeOut(int seconds) { counter_.SetStartValue(seconds); }

  bool WinsockLoaded() const;
  // true loads the shared library (if needed); false releases this
  // component's start-ups and unloads it.
  void SetWinsockLoaded(bool loaded);

  bool IsConnected() const { return socket_ != platform::kInvalidSocket; }
  const std::string& LastReply() const { return last_reply_; }
  const std::string& HostAddress() const { return host_address_; }
  const std::string& LocalHostName() const { return local_host_name_; }
  std::uint16_t Port() const { return port_; }
  std::int32_t StartCount() const { return start_count_; }

  TNotifyEvent OnOpen, OnConnect, OnClosing, OnClosed, OnCancel;
  TProgressEvent OnProgress;
  TTextEvent OnError, OnLineSent, OnLineReceived;

  virtual void ResetState();
  // The first three characters of `line` as a decimal number, or -1.
  virtual int ParseReplyCode(const std::string& line) const;
  // Starts WinSock, finds the local host name, resolves the server's
  // address and port, and creates the socket.
  virtual void Open();
  virtual void Close();
  // Requests cancellation: the running wait raises ECanceledError.
  virtual void Cancel();

  // Establishes the TCP connection of an opened socket.
  void ConnectSocket();
  // One line; returns its reply code and leaves the text in LastReply.
  int ReadLine();
  // A possibly multi-line reply; returns the first line's code.
  int ReadReply();
  void WriteLine(const std::string& text);
  // Sends the whole stream unchanged in blocks of 2047 bytes.
  void SendStream(TStream& stream);

  // Raises ESocketError for `number` (a WinSock error or a string-table
  // number) after OnError; 0 raises nothing.
  void RaiseSocketError(int number);

 protected:
  void SetServiceName(std::string name) { service_name_ = std::move(name); }

 private:
  void SocketNotification(unsigned message, std::uintptr_t wparam, std::uint32_t lparam) override;

  // Pumps messages until `done` holds, cancel is requested, the counter
  // expires or (when `error_ends`) a notification reported an error.
  void WaitUntil(const std::function<bool()>& done, bool error_ends);
  [[noreturn]] void RaiseNumberedError(int number);
  [[noreturn]] void RaiseTimedOut();
  [[noreturn]] void RaiseCanceled();
  // For a failed call: the library's last error; one that reports no
  // number still fails, with the text of entry 10000.
  [[noreturn]] void RaiseLastError();
  void CancelPendingRequest();
  void SendBytes(const char* data, std::size_t size, bool restart_counter_per_send);
  std::string HostPart() const;
  void ResolveAddress();
  void ResolvePort();
  void ReleaseStartups();

  platform::TSocketApi& api_;
  std::string server_;
  std::uint16_t default_port_ = 0;
  std::string service_name_;
  platform::TSocketMessageWindow window_;
  platform::TSocketHandle socket_ = platform::kInvalidSocket;
  platform::TAsyncRequest pending_request_ = 0;
  platform::TLookupBuffer lookup_buffer_;
  TTimeCounter counter_;
  std::uint32_t server_address_ = 0;
  std::string host_address_;
  std::string local_host_name_;
  std::uint16_t port_ = 0;
  std::int32_t start_count_ = 0;
  bool cancel_requested_ = false;
  bool host_lookup_done_ = false;
  bool service_lookup_done_ = false;
  bool connected_ = false;
  bool readable_ = false;
  bool writable_ = false;
  bool closed_by_peer_ = false;
  bool async_error_ = false;
  std::uint16_t async_error_code_ = 0;
  std::uint16_t send_flags_ = 0;
  std::string last_reply_;
};
