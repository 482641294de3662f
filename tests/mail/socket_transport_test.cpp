// The socket transport over the real WinSock calls (the native backend, or
// wsock32.dll under Wine) against scripted servers on 127.0.0.1.
#include "mail/socket_transport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mail/socket_errors.h"
#include "mail/temp_file_stream.h"
#include "mail/time_counter.h"
#include "platform/message_pump.h"
#include "platform/timer.h"
#include "tests/mail/servers/scripted_server.h"

namespace {

using namespace testing_servers;

// A transport that looks up a service of our choosing.
class TServiceSocket : public TagSocket {
 public:
  explicit TServiceSocket(std::string service) { SetServiceName(std::move(service)); }
};

void OpenAndConnect(TagSocket& socket, const std::string& server, int timeout = 5) {
  socket.SetWinsockLoaded(true);
  socket.SetServer(server);
  socket.SetTimeOut(timeout);
  socket.ResetState();
  socket.Open();
  socket.ConnectSocket();
}

template <class Error>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "<nothing raised>";
}

struct TReplyCodeCase {
  std::string line;
  int code;
};

class ReplyCode : public ::testing::TestWithParam<TReplyCodeCase> {};

TEST_P(ReplyCode, FirstThreeCharactersAsNumber) {
  TagSocket socket;
  EXPECT_EQ(socket.ParseReplyCode(GetParam().line), GetParam().code) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Lines, ReplyCode,
                         ::testing::Values(TReplyCodeCase{"250 OK", 250}, TReplyCodeCase{"220", 220},
                                           TReplyCodeCase{"354-go on", 354}, TReplyCodeCase{"22", 22},
                                           TReplyCodeCase{"", -1}, TReplyCodeCase{"abc def", -1},
                                           TReplyCodeCase{"2x0 ok", -1}, TReplyCodeCase{" 25 ok", -1},
                                           TReplyCodeCase{"-12 ok", -1}, TReplyCodeCase{"+12 ok", -1}));

std::string Garbage() {
  std::string bytes;
  unsigned state = 12345;
  for (int i = 0; i < 5000; ++i) {
    state = state * 1103515245u + 12345u;
    char byte = static_cast<char>(state >> 16);
    if (byte == '\n') byte = '\v';
    bytes.push_back(byte);
  }
  bytes[0] = '\0';  // not a digit, and a zero byte the reader must not stop at
  return bytes;
}

struct TReplyCase {
  std::string name;
  std::string sent;        // what the server sends
  bool close_after;        // then closes instead of going silent
  int code;                // ReadReply's result
  std::string last_reply;  // LastReply afterwards
  std::string next_line;   // the line a further ReadLine gets ("" for none)
};

class ReadReply : public ::testing::TestWithParam<TReplyCase> {};

TEST_P(ReadReply, ReadsOneCompleteReply) {
  const TReplyCase& c = GetParam();
  TScriptedServer server({Say(c.sent), c.close_after ? CloseConnection() : Silence()});
  TagSocket socket;
  std::vector<std::string> received;
  socket.OnLineReceived = [&](TagSocket&, const std::string& line) { received.push_back(line); };
  OpenAndConnect(socket, server.Address());

  EXPECT_EQ(socket.ReadReply(), c.code);
  EXPECT_EQ(socket.LastReply(), c.last_reply);
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.back(), c.last_reply);
  if (!c.next_line.empty()) {
    socket.ReadLine();
    EXPECT_EQ(socket.LastReply(), c.next_line);
  }
  socket.Close();
}

const std::string kLongLine = "250 " + std::string(3000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadReply,
    ::testing::Values(
        TReplyCase{"MultiLine", "250-first\r\n250-second\r\n250 last\r\n", false, 250, "250 last", ""},
        TReplyCase{"OnlyTheCode", "220\r\n221 next\r\n", false, 220, "220", "221 next"},
        TReplyCase{"OtherCodeDoesNotEnd", "250-a\r\n251 b\r\n250 c\r\n", false, 250, "250 c", ""},
        TReplyCase{"NotANumber", "hello there\r\n", false, -1, "hello there", ""},
        TReplyCase{"BareLineFeed", "220 unix style\n221 next\n", false, 220, "220 unix style", "221 next"},
        TReplyCase{"OverlongLineKeepsItsStart", kLongLine + "\r\n252 after\r\n", false, 250, kLongLine.substr(0, 1024),
                   "252 after"},
        TReplyCase{"BinaryGarbage", Garbage() + "\n220 ok\r\n", false, -1, Garbage().substr(0, 1024), "220 ok"},
        TReplyCase{"PeerClosesWithoutLineFeed", "220 partial", true, -1, "", ""},
        TReplyCase{"PeerClosesInsideMultiLine", "250-a\r\n", true, 250, "", ""}),
    [](const auto& info) { return info.param.name; });

// Wine closes a socket gracefully even with unread data and a zero linger,
// so a reset can only be produced by a native server.
bool LoopbackCanReset() {
#ifdef _WIN32
  return false;
#else
  return true;
#endif
}

TEST(Transport, ConnectionResetClosesBeforeRaising) {
  if (!LoopbackCanReset()) GTEST_SKIP() << "no loopback reset under Wine";
  TScriptedServer server({ResetConnection()});
  TagSocket socket;
  std::string reported;
  socket.OnError = [&](TagSocket&, const std::string& text) { reported = text; };
  OpenAndConnect(socket, server.Address());
  socket.WriteLine("ping");
  EXPECT_EQ(MessageOf<ESocketError>([&] { socket.ReadLine(); }), "[10054] Connection reset by peer");
  EXPECT_EQ(reported, "[10054] Connection reset by peer");
  EXPECT_FALSE(socket.IsConnected());
}

TEST(Transport, SilentServerTimesOutAndCloses) {
  TScriptedServer server({Silence()});
  TagSocket socket;
  OpenAndConnect(socket, server.Address(), 1);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(MessageOf<ETimedOutError>([&] { socket.ReadLine(); }), "Operation timed out");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(socket.IsConnected());
}

TEST(Transport, CancelDuringAWaitRaisesCanceled) {
  TScriptedServer server({Silence()});
  TagSocket socket;
  bool canceled_event = false;
  socket.OnCancel = [&](TagSocket&) { canceled_event = true; };
  OpenAndConnect(socket, server.Address(), 30);
  platform::TTimer cancel_soon(200, [&] { socket.Cancel(); });
  cancel_soon.SetEnabled(true);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(MessageOf<ECanceledError>([&] { socket.ReadLine(); }), "Operation has been canceled");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(canceled_event);
  EXPECT_FALSE(socket.IsConnected());
}

TEST(Transport, RefusedConnectionEndsAsTimeOut) {
  TagSocket socket;
  EXPECT_EQ(MessageOf<ETimedOutError>([&] { OpenAndConnect(socket, "127.0.0.1:" + std::to_string(UnusedPort()), 1); }),
            "Operation timed out");
  EXPECT_FALSE(socket.IsConnected());
}

TEST(Transport, SendStreamSendsTheBytesUnchangedWithProgress) {
  TScriptedServer server({});
  TagSocket socket;
  std::vector<std::pair<int, int>> progress;
  socket.OnProgress = [&](TagSocket&, int perc, int transferred) { progress.emplace_back(perc, transferred); };
  OpenAndConnect(socket, server.Address());
  std::vector<std::uint8_t> bytes(5000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  bytes[100] = '.';  // nothing is doubled or added
  TMemoryStream stream(bytes);
  stream.SetPosition(1234);  // sending starts at the beginning regardless
  socket.SendStream(stream);
  socket.Close();
  EXPECT_EQ(server.Transcript(), std::string(bytes.begin(), bytes.end()));
  const std::vector<std::pair<int, int>> expected{{41, 2047}, {82, 4094}, {100, 5000}, {0, 0}};
  EXPECT_EQ(progress, expected);
}

TEST(Transport, WriteLineAppendsCrLfAndReportsTheLine) {
  TScriptedServer server({});
  TagSocket socket;
  std::vector<std::string> sent;
  socket.OnLineSent = [&](TagSocket&, const std::string& line) { sent.push_back(line); };
  OpenAndConnect(socket, server.Address());
  socket.WriteLine("HELO there");
  socket.WriteLine("");
  socket.Close();
  EXPECT_EQ(server.Transcript(), "HELO there\r\n\r\n");
  EXPECT_EQ(sent, (std::vector<std::string>{"HELO there", ""}));
}

TEST(Transport, NumberedErrorsUseTheStringTable) {
  TagSocket socket;
  std::vector<std::string> reported;
  socket.OnError = [&](TagSocket&, const std::string& text) { reported.push_back(text); };
  EXPECT_NO_THROW(socket.RaiseSocketError(0));
  EXPECT_EQ(MessageOf<ESocketError>([&] { socket.RaiseSocketError(10010); }), "Error #10010");
  EXPECT_EQ(MessageOf<ESocketError>([&] { socket.RaiseSocketError(10061); }), "[10061] Connection refused");
  EXPECT_EQ(MessageOf<ESocketError>([&] { socket.ReadLine(); }), "You have to connect to the server first");
  EXPECT_EQ(MessageOf<ESocketError>([&] { socket.WriteLine("x"); }), "You have to connect to the server first");
  EXPECT_EQ(reported, (std::vector<std::string>{"Error #10010", "[10061] Connection refused",
                                                "You have to connect to the server first",
                                                "You have to connect to the server first"}));
}

TEST(Transport, OpenRefusesMissingSettings) {
  TagSocket socket;
  socket.SetWinsockLoaded(true);
  EXPECT_EQ(MessageOf<ESocketError>([&] { socket.Open(); }), "Server property is required");
  socket.SetServer("127.0.0.1");  // no port and no service to look up
  EXPECT_EQ(MessageOf<ESocketError>([&] { socket.Open(); }), "Service name is required");
  socket.SetWinsockLoaded(false);
  EXPECT_EQ(MessageOf<EWinsockDLLError>([&] { socket.Open(); }), "Winsock is not loaded");
}

struct TPortCase {
  std::string name;
  std::string server;
  std::string service;
  std::uint16_t expected;
};

class PortResolution : public ::testing::TestWithParam<TPortCase> {};

TEST_P(PortResolution, WrittenPortThenServiceThenDefault) {
  const TPortCase& c = GetParam();
  TServiceSocket socket(c.service);
  socket.SetWinsockLoaded(true);
  socket.SetServer(c.server);
  socket.SetDefaultPort(7);
  socket.SetTimeOut(5);
  socket.ResetState();
  socket.Open();
  EXPECT_EQ(socket.Port(), c.expected);
  EXPECT_EQ(socket.HostAddress(), "127.0.0.1");
  EXPECT_FALSE(socket.LocalHostName().empty());
  socket.Close();
}

INSTANTIATE_TEST_SUITE_P(Servers, PortResolution,
                         ::testing::Values(TPortCase{"WrittenPort", "127.0.0.1:2525", "smtp", 2525},
                                           TPortCase{"ColonAlone", "127.0.0.1:", "smtp", 25},
                                           TPortCase{"ZeroPort", "127.0.0.1:0", "smtp", 25},
                                           TPortCase{"NotANumber", "127.0.0.1:abc", "smtp", 25},
                                           TPortCase{"LowSixteenBits", "127.0.0.1:68061", "smtp", 2525},
                                           TPortCase{"LowSixteenBitsZero", "127.0.0.1:65536", "smtp", 25},
                                           TPortCase{"UnknownService", "127.0.0.1", "grabwell-no-such-service", 7},
                                           TPortCase{"HostNameLookedUp", "localhost:2525", "smtp", 2525}),
                         [](const auto& info) { return info.param.name; });

TEST(TimeCounter, ExpiresAfterItsSecondsAndStaysExpired) {
  TTimeCounter counter;
  counter.SetStartValue(1);
  counter.Start();
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!counter.Expired() && std::chrono::steady_clock::now() < give_up) WaitForMessages(50);
  EXPECT_TRUE(counter.Expired());
  counter.Start();
  EXPECT_TRUE(counter.Expired()) << "starting again must not clear the flag";
  counter.Stop();
  counter.ClearExpired();
  EXPECT_FALSE(counter.Expired());
}

TEST(TempFileStream, LivesInTheTempFolderAndIsDeleted) {
  std::string name;
  {
    TTempFileStream file;
    name = file.FileName();
    const std::filesystem::path path = std::filesystem::u8path(name);
    EXPECT_EQ(path.filename().string().substr(0, 2), "ms");
    EXPECT_TRUE(std::filesystem::exists(path));
    file.Write("line one\r\n");
    file.SetPosition(0);
    char head[4];
    file.ReadBuffer(head, 4);
    EXPECT_EQ(std::string(head, 4), "line");
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(name)));
}

}  // namespace
