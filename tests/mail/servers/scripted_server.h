// A one-connection TCP server on 127.0.0.1 for the transport and SMTP
// tests. It runs a fixed script on its own thread (say this, hear a line,
// hear a DATA block, close, reset, go silent) and records every byte the
// client sent, so a test can compare the client's complete transcript.
// Every wait is bounded, so a broken client fails the test instead of
// hanging it.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_servers {

struct TStep {
  enum class Kind {
    Say,       // send `text`
    Hear,      // read one line (up to LF)
    HearData,  // read up to and including a line "." (end of DATA)
    Close,     // close the connection gracefully
    Reset,     // once the client has sent something, close unread: a reset (RST);
               // Wine's socket layer closes gracefully instead
    Silence,   // say nothing until the client goes away
  };
  Kind kind;
  std::string text;
};

TStep Say(std::string text);
TStep Hear();
TStep HearData();
TStep CloseConnection();
TStep ResetConnection();
TStep Silence();

class TScriptedServer {
 public:
  explicit TScriptedServer(std::vector<TStep> script);
  ~TScriptedServer();
  TScriptedServer(const TScriptedServer&) = delete;
  TScriptedServer& operator=(const TScriptedServer&) = delete;

  std::uint16_t Port() const { return port_; }
  // "127.0.0.1:<port>"
  std::string Address() const;
  // Waits (bounded) for the script to end and the client to hang up, then
  // returns everything the client sent.
  std::string Transcript();
  bool Accepted();

 private:
  void Run();

  std::vector<TStep> script_;
  std::intptr_t listener_ = -1;
  std::uint16_t port_ = 0;
  std::mutex mutex_;
  std::string received_;
  bool accepted_ = false;
  std::thread thread_;
};

// A loopback port on which nothing listens (connections are refused).
std::uint16_t UnusedPort();

}  // namespace testing_servers
