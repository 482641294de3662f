// Helpers of the mail tests: a scratch folder, files in it, and running a
// program whose standard output is read back.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "mail/image_message.h"

class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // Writes `bytes` to a file of that name in the folder; returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const;
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

// Bytes 0..255 in a repeatable pseudo-random order, `size` of them.
std::string PseudoRandomBytes(std::size_t size, unsigned seed);

// What the e-mail dialog hands over for `imagePath`: a sender name with a
// full stop, recipient and subject with blanks around them as typed, and a
// text with a line holding only ".".
TImageMessageFields EmailFlowFields(const std::string& imagePath, int attachmentEncoding);

// The message split at CR LF; a final CR LF ends the last line.
std::vector<std::string> SplitCrLf(const std::string& text);

// The lines printed by a command (a native program), or a line starting
// with "exit status" when it fails.
std::vector<std::string> CommandOutput(const std::string& command);

// "/usr/bin/python3 <source>/tests/mail/<script>".
std::string PythonScript(const std::string& script);
