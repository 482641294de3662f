// The SMTP client against scripted loopback servers: each case checks the
// client's complete transcript (commands and the dot-doubled message), the
// outcome, and that the temporary message file is gone afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mail/message.h"
#include "mail/smtp_client.h"
#include "mail/socket_errors.h"
#include "platform/timer.h"
#include "tests/mail/servers/scripted_server.h"

namespace {

using namespace testing_servers;

enum class TOutcome { Sent, ServerError, SocketError, TimedOut };

struct TSmtpCase {
  std::string name;
  std::vector<TStep> script;
  std::string transcript;  // "{host}" stands for the local host name, "{data}" for the message
  TOutcome outcome;
  std::string error;  // the raised text
  bool proceed_on_reject = false;
  int timeout = 5;
};

void FillMessage(TmsMessage& message) {
  message.Sender().SetAddress("sender@example.com");
  message.Sender().SetName("Sender Name");
  message.Recipients().Add("to@example.com", "To Person");
  message.CC().Add("cc@example.com", "");
  message.BCC().Add("bcc@example.com", "");
  message.SetSubject("Transcript");
  // Lines beginning with "." travel doubled; a line of only "." too.
  message.Body().push_back("first line\r\n.dotted\r\n.");
}

std::string EncodedMessage() {
  TmsMessage message;
  FillMessage(message);
  TMemoryStream stream;
  message.Encode(stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

std::string Expand(std::string text, const std::string& host) {
  const std::pair<std::string, std::string> fields[] = {{"{host}", host}, {"{data}", EncodedMessage()}};
  for (const auto& [key, value] : fields) {
    for (std::size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, key.size(), value);
  }
  return text;
}

const std::string kEnvelope =
    "HELO {host}\r\nMAIL FROM:<sender@example.com>\r\nRCPT TO:<to@example.com>\r\nRCPT TO:<cc@example.com>\r\n"
    "RCPT TO:<bcc@example.com>\r\nDATA\r\n";
const std::string kWholeSession = kEnvelope + "{data}\r\n.\r\nQUIT\r\n";

std::vector<TStep> Join(std::vector<std::vector<TStep>> parts) {
  std::vector<TStep> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const std::vector<TStep> kGreeting{Say("220 test server ready\r\n")};
const std::vector<TStep> kHelo{Hear(), Say("250 hello\r\n")};
const std::vector<TStep> kAfterHelo{Hear(), Say("250 sender ok\r\n"), Hear(),     Say("250 ok\r\n"),
                                    Hear(), Say("250 ok\r\n"),        Hear(),     Say("250 ok\r\n"),
                                    Hear(), Say("354 go ahead\r\n"),  HearData(), Say("250 queued\r\n"),
                                    Hear(), Say("221 bye\r\n")};

class SmtpSession : public ::testing::TestWithParam<TSmtpCase> {};

TEST_P(SmtpSession, TranscriptAndOutcome) {
  const TSmtpCase& c = GetParam();
  TScriptedServer server(c.script);
  TmsMessage message;
  FillMessage(message);
  TmsSMTP smtp;
  smtp.SetWinsockLoaded(true);
  smtp.SetServer(server.Address());
  smtp.SetTimeOut(c.timeout);
  smtp.SetMailMessage(&message);
  std::string message_file;
  smtp.OnPrepare = [&](TmsSMTP& sender) { message_file = sender.MessageFileName(); };
  std::vector<std::string> rejected;
  if (c.proceed_on_reject) {
    smtp.OnAddressRejected = [&](TmsSMTP&, const std::string& address, const std::string& reply, bool& proceed) {
      rejected.push_back(address + " " + reply);
      proceed = true;
    };
  }
  bool sent = false;
  smtp.OnMailSent = [&](TmsSMTP&) { sent = true; };

  TOutcome outcome = TOutcome::Sent;
  std::string error;
  try {
    smtp.Connect();
    smtp.Send();
    smtp.Disconnect();
  } catch (const EServerError& e) {
    outcome = TOutcome::ServerError;
    error = e.what();
  } catch (const ESocketError& e) {
    outcome = TOutcome::SocketError;
    error = e.what();
  } catch (const ETimedOutError& e) {
    outcome = TOutcome::TimedOut;
    error = e.what();
  }
  const std::string host = smtp.LocalHostName();
  smtp.Close();

  EXPECT_EQ(server.Transcript(), Expand(c.transcript, host));
  EXPECT_EQ(outcome, c.outcome) << error;
  EXPECT_EQ(error, c.error);
  // The message went through exactly when the client got as far as QUIT.
  EXPECT_EQ(sent, c.transcript.find("QUIT") != std::string::npos);
  if (c.proceed_on_reject) {
    EXPECT_EQ(rejected, std::vector<std::string>{"to@example.com 550 no such user"});
  }
  if (!message_file.empty()) {
    EXPECT_EQ(std::filesystem::u8path(message_file).filename().string().substr(0, 2), "ms");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(message_file))) << message_file;
  }
  EXPECT_TRUE(smtp.MessageFileName().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Servers, SmtpSession,
    ::testing::Values(
        TSmtpCase{"Delivered", Join({kGreeting, kHelo, kAfterHelo}), kWholeSession, TOutcome::Sent, ""},
        TSmtpCase{"MultiLineGreeting", Join({{Say("220-first\r\n220-second\r\n220 last\r\n")}, kHelo, kAfterHelo}),
                  kWholeSession, TOutcome::Sent, ""},
        TSmtpCase{"GreetingRefused", {Say("421 too busy\r\n")}, "", TOutcome::ServerError, "421 too busy"},
        TSmtpCase{"BareHeloAfterRejectedName",
                  Join({kGreeting, {Hear(), Say("501 bad name\r\n"), Hear(), Say("250 fine\r\n")}, kAfterHelo}),
                  "HELO {host}\r\nHELO\r\n" + kWholeSession.substr(std::string("HELO {host}\r\n").size()),
                  TOutcome::Sent, ""},
        TSmtpCase{"BothHelosRejected",
                  Join({kGreeting, {Hear(), Say("501 bad name\r\n"), Hear(), Say("502 no HELO at all\r\n")}}),
                  "HELO {host}\r\nHELO\r\n", TOutcome::ServerError, "502 no HELO at all"},
        TSmtpCase{"SenderRefused", Join({kGreeting, kHelo, {Hear(), Say("553 not you\r\n")}}),
                  "HELO {host}\r\nMAIL FROM:<sender@example.com>\r\n", TOutcome::ServerError, "553 not you"},
        TSmtpCase{"RecipientRejected",
                  Join({kGreeting, kHelo, {Hear(), Say("250 ok\r\n"), Hear(), Say("550 no such user\r\n")}}),
                  "HELO {host}\r\nMAIL FROM:<sender@example.com>\r\nRCPT TO:<to@example.com>\r\n",
                  TOutcome::ServerError, "550 no such user"},
        TSmtpCase{"RecipientRejectedHandlerProceeds",
                  Join({kGreeting,
                        kHelo,
                        {Hear(), Say("250 ok\r\n"), Hear(), Say("550 no such user\r\n"), Hear(), Say("250 ok\r\n"),
                         Hear(), Say("250 ok\r\n"), Hear(), Say("354 go ahead\r\n"), HearData(), Say("250 queued\r\n"),
                         Hear(), Say("221 bye\r\n")}}),
                  kWholeSession, TOutcome::Sent, "", true},
        TSmtpCase{"DataAnswered250",
                  Join({kGreeting,
                        kHelo,
                        {Hear(), Say("250 ok\r\n"), Hear(), Say("250 ok\r\n"), Hear(), Say("250 ok\r\n"), Hear(),
                         Say("250 ok\r\n"), Hear(), Say("250 what data\r\n")}}),
                  kEnvelope, TOutcome::ServerError, "250 what data"},
        TSmtpCase{"MessageRefusedAfterData",
                  Join({kGreeting,
                        kHelo,
                        {Hear(), Say("250 ok\r\n"), Hear(), Say("250 ok\r\n"), Hear(), Say("250 ok\r\n"), Hear(),
                         Say("250 ok\r\n"), Hear(), Say("354 go ahead\r\n"), HearData(), Say("554 spam\r\n")}}),
                  kEnvelope + "{data}\r\n.\r\n", TOutcome::ServerError, "554 spam"},
        TSmtpCase{"QuitRefused",
                  Join({kGreeting,
                        kHelo,
                        {Hear(), Say("250 ok\r\n"), Hear(), Say("250 ok\r\n"), Hear(), Say("250 ok\r\n"), Hear(),
                         Say("250 ok\r\n"), Hear(), Say("354 go ahead\r\n"), HearData(), Say("250 queued\r\n"), Hear(),
                         Say("500 what\r\n")}}),
                  kWholeSession, TOutcome::ServerError, "500 what"},
        TSmtpCase{
            "PeerClosesWithoutLineFeed", {Say("220 half a greet"), CloseConnection()}, "", TOutcome::ServerError, ""},
        TSmtpCase{"ServerNeverAnswersHelo", Join({kGreeting, {Hear(), Silence()}}), "HELO {host}\r\n",
                  TOutcome::TimedOut, "Operation timed out", false, 1}),
    [](const auto& info) { return info.param.name; });

TEST(Smtp, ConnectionResetDuringTheDialogue) {
#ifdef _WIN32
  GTEST_SKIP() << "Wine closes gracefully instead of resetting";
#endif
  TScriptedServer server({Say("220 hi\r\n"), ResetConnection()});
  TmsSMTP smtp;
  smtp.SetWinsockLoaded(true);
  smtp.SetServer(server.Address());
  smtp.SetTimeOut(5);
  try {
    smtp.Connect();
    FAIL() << "connected through a reset";
  } catch (const ESocketError& e) {
    EXPECT_STREQ(e.what(), "[10054] Connection reset by peer");
  }
  EXPECT_FALSE(smtp.IsConnected());
}

TEST(Smtp, RefusedConnectionTimesOut) {
  TmsSMTP smtp;
  smtp.SetWinsockLoaded(true);
  smtp.SetServer("127.0.0.1:" + std::to_string(UnusedPort()));
  smtp.SetTimeOut(1);
  EXPECT_THROW(smtp.Connect(), ETimedOutError);
  EXPECT_FALSE(smtp.IsConnected());
}

TEST(Smtp, CancelWhileWaitingForTheServer) {
  TScriptedServer server({Say("220 hi\r\n"), Hear(), Silence()});
  TmsSMTP smtp;
  smtp.SetWinsockLoaded(true);
  smtp.SetServer(server.Address());
  smtp.SetTimeOut(30);
  platform::TTimer cancel_soon(300, [&] { smtp.Cancel(); });
  cancel_soon.SetEnabled(true);
  try {
    smtp.Connect();
    FAIL() << "not canceled";
  } catch (const ECanceledError& e) {
    EXPECT_STREQ(e.what(), "Operation has been canceled");
  }
  cancel_soon.SetEnabled(false);
  EXPECT_FALSE(smtp.IsConnected());
  EXPECT_EQ(server.Transcript(), "HELO " + smtp.LocalHostName() + "\r\n");
}

TEST(Smtp, SendRefusesWhatCannotBeSent) {
  TScriptedServer server({Say("220 hi\r\n"), Hear(), Say("250 hello\r\n")});
  TmsSMTP smtp;
  smtp.SetWinsockLoaded(true);
  smtp.SetServer(server.Address());
  smtp.SetTimeOut(5);
  EXPECT_THROW(
      {
        try {
          smtp.Send();
        } catch (const ESocketError& e) {
          EXPECT_STREQ(e.what(), "MailMessage property must be assigned");
          throw;
        }
      },
      ESocketError);
  smtp.Connect();
  TmsMessage message;
  message.Sender().SetAddress("sender@example.com");
  smtp.SetMailMessage(&message);
  try {
    smtp.Send();
    FAIL() << "sent without recipients";
  } catch (const EMessageError& e) {
    EXPECT_STREQ(e.what(), "At least one Recipient, CC or BCC must be entered");
  }
  EXPECT_TRUE(smtp.IsConnected());
  smtp.Close();
  EXPECT_EQ(server.Transcript(), "HELO " + smtp.LocalHostName() + "\r\n");
}

TEST(Smtp, EmptyServerIsRefused) {
  TmsSMTP smtp;
  smtp.SetWinsockLoaded(true);
  try {
    smtp.Connect();
    FAIL();
  } catch (const ESocketError& e) {
    EXPECT_STREQ(e.what(), "Server property is required");
  }
}

TEST(Smtp, DotDoublingReachesTheWire) {
  const std::string data = EncodedMessage();
  EXPECT_NE(data.find("\r\n..dotted\r\n..\r\n"), std::string::npos) << data;
}

}  // namespace
