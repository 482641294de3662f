// Runs native programs for the tests that check our output with
// independent decoders.
#include <cstdio>
#include <cstdlib>

#include "tests/mail/mail_test_support.h"

std::vector<std::string> CommandOutput(const std::string& command) {
  std::vector<std::string> lines;
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return {"exit status: cannot start " + command};
  std::string output;
  char block[4096];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, pipe)) > 0;) output.append(block, got);
  const int status = pclose(pipe);
  std::size_t start = 0;
  while (start < output.size()) {
    auto end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    lines.push_back(output.substr(start, end - start));
    start = end + 1;
  }
  if (status != 0) lines.push_back("exit status " + std::to_string(status));
  return lines;
}

std::string PythonScript(const std::string& script) {
  const char* source = std::getenv("GRABWELL_SOURCE_DIR");
  return std::string("/usr/bin/python3 ") + (source ? source : ".") + "/tests/mail/" + script;
}
