// grabwell-tool mail: composes the message the e-mail flow sends (the file
// as the attachment) and sends it through the SMTP client.
#include <charconv>
#include <exception>
#include <optional>

#include "mail/image_message.h"
#include "mail/smtp_client.h"
#include "platform/stream.h"
#include "tool/commands.h"

namespace {

constexpr int kDefaultTimeOutSeconds = 40;  // as the e-mail dialog uses

struct TMailRequest {
  std::string server;
  TImageMessageFields fields;
  int timeout = kDefaultTimeOutSeconds;
};

struct TUsageProblem {
  std::string text;
};

std::optional<int> PositiveNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
  return value;
}

TMailRequest ParseMailArguments(const TArguments& args) {
  TMailRequest request;
  request.fields.ProductName = "Grabwell 2000";
  bool have_text = false;
  std::optional<std::string> text_file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw TUsageProblem{arg + " needs a value"};
      return args[++i];
    };
    if (arg == "--server") {
      request.server = value();
    } else if (arg == "--from") {
      request.fields.SenderAddress = value();
    } else if (arg == "--from-name") {
      request.fields.SenderName = value();
    } else if (arg == "--to") {
      request.fields.RecipientAddress = value();
    } else if (arg == "--to-name") {
      request.fields.RecipientName = value();
    } else if (arg == "--subject") {
      request.fields.Subject = value();
    } else if (arg == "--text") {
      if (have_text) throw TUsageProblem{"give either --text or --text-file"};
      request.fields.MessageText = value();
      have_text = true;
    } else if (arg == "--text-file") {
      if (have_text) throw TUsageProblem{"give either --text or --text-file"};
      text_file = value();
      have_text = true;
    } else if (arg == "--uu") {
      request.fields.AttachmentEncoding = 1;
    } else if (arg == "--timeout") {
      const auto seconds = PositiveNumber(value());
      if (!seconds) throw TUsageProblem{"--timeout needs a whole number of seconds above 0"};
      request.timeout = *seconds;
    } else if (arg.rfind("--", 0) == 0) {
      throw TUsageProblem{"unknown option " + arg};
    } else if (request.fields.ImagePath.empty()) {
      request.fields.ImagePath = arg;
    } else {
      throw TUsageProblem{"only one FILE can be sent"};
    }
  }
  if (request.server.empty()) throw TUsageProblem{"--server is required"};
  if (request.fields.SenderAddress.empty()) throw TUsageProblem{"--from is required"};
  if (request.fields.RecipientAddress.empty()) throw TUsageProblem{"--to is required"};
  if (request.fields.ImagePath.empty()) throw TUsageProblem{"FILE is required"};
  if (text_file) {
    const auto bytes = ReadWholeFile(*text_file);
    request.fields.MessageText.assign(bytes.begin(), bytes.end());
  }
  return request;
}

}  // namespace

int MailCommand(const TArguments& args, std::ostream& out, std::ostream& err) {
  TMailRequest request;
  try {
    request = ParseMailArguments(args);
  } catch (const TUsageProblem& problem) {
    err << "grabwell-tool: " << problem.text << "\nusage: grabwell-tool " << kMailUsage << "\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    err << "grabwell-tool: " << e.what() << "\n";
    return kExitFailed;
  }

  TmsMessage message;
  TmsSMTP smtp;
  try {
    ComposeImageMessage(message, request.fields);
    smtp.SetWinsockLoaded(true);
    smtp.SetServer(request.server);
    smtp.SetTimeOut(request.timeout);
    smtp.SetMailMessage(&message);
    smtp.Connect();
    smtp.Send();
  } catch (const std::exception& e) {
    err << "grabwell-tool: " << e.what() << "\n";
    return kExitFailed;
  }
  out << "sent " << request.fields.ImagePath << " to " << request.fields.RecipientAddress << "\n";
  try {
    smtp.Disconnect();
  } catch (const std::exception& e) {
    // The message is already accepted; a refused farewell does not undo that.
    err << "grabwell-tool: after sending: " << e.what() << "\n";
  }
  smtp.SetWinsockLoaded(false);
  return kExitOK;
}
