#include "platform/posix/ini_profile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// One line of the file: its text without the line end, and where the next
// line starts.
struct TLine {
  std::size_t Begin;
  std::size_t End;
  std::size_t Next;
  bool Terminated() const { return Next > End; }
};

enum class TLineKind { Other, Section, Key };

struct TParsedLine {
  TLineKind Kind = TLineKind::Other;
  std::string_view Name;   // section or key name
  std::string_view Value;  // trimmed, for keys
};

// Names end at a NUL byte, as the C strings of the Windows functions do.
std::string_view Name(std::string_view text) { return Trim(text.substr(0, text.find('\0'))); }

TParsedLine ParseLine(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return {};
  if (text.front() == '[') {
    const std::size_t close = text.rfind(']');
    if (close != 0 && close != std::string_view::npos) return {TLineKind::Section, Name(text.substr(1, close - 1)), {}};
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {};
  return {TLineKind::Key, Name(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

// Calls `visit(line, parsed)` for each line of `content` in order until it
// returns false.
template <class Visit>
void ForEachLine(std::string_view content, Visit&& visit) {
  std::size_t begin = 0;
  // A UTF-8 byte-order mark is not part of the first line.
  if (content.starts_with("\xEF\xBB\xBF")) begin = 3;
  while (begin < content.size()) {
    std::size_t end = content.find_first_of("\r\n", begin);
    std::size_t next = end;
    if (end == std::string_view::npos) {
      end = next = content.size();
    } else {
      next = end + 1;
      if (content[end] == '\r' && next < content.size() && content[next] == '\n') ++next;
    }
    const TLine line{begin, end, next};
    if (!visit(line, ParseLine(content.substr(begin, end - begin)))) return;
    begin = next;
  }
}

std::string_view RemoveQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// What a lookup needs from the text: where the wanted key line is, or where
// a new key of the section would go.
struct TSearch {
  bool SectionFound = false;
  std::optional<TLine> KeyLine;
  TLine LastLineOfSection{};  // the header or the last non-blank line after it
  std::string_view KeyName;   // as the file spells it
  std::string_view Value;
};

TSearch Search(std::string_view content, std::string_view section, std::string_view key) {
  TSearch search;
  bool inSection = false;
  ForEachLine(content, [&](const TLine& line, const TParsedLine& parsed) {
    if (parsed.Kind == TLineKind::Section) {
      // Only the first section of the name is looked at.
      if (search.SectionFound) return false;
      inSection = SameName(parsed.Name, section);
      if (inSection) {
        search.SectionFound = true;
        search.LastLineOfSection = line;
      }
      return true;
    }
    if (!inSection) return true;
    if (!Trim(content.substr(line.Begin, line.End - line.Begin)).empty()) search.LastLineOfSection = line;
    if (parsed.Kind == TLineKind::Key && SameName(parsed.Name, key)) {
      search.KeyLine = line;
      search.KeyName = parsed.Name;
      search.Value = parsed.Value;
      return false;
    }
    return true;
  });
  return search;
}

bool EndsWithLineBreak(std::string_view content) {
  return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

// The file's bytes; empty when it does not exist; std::nullopt when it
// exists but cannot be read whole (not a file, unreadable, too large).
std::optional<std::string> ReadFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return std::string();
  if (error || status.type() != std::filesystem::file_type::regular) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > kMaxIniFileSize) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return content;
}

// Replaces the file by `content` through a temporary file beside it, so a
// failed write leaves the old file whole.
bool ReplaceFile(const std::string& path, std::string_view content) {
  std::error_code error;
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  const std::string temporary = path + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    file.close();
    if (!file) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view content, std::string_view section, std::string_view key) {
  const TSearch search = Search(content, section, key);
  if (!search.KeyLine) return std::nullopt;
  std::string_view value = search.Value;
  value = value.substr(0, value.find('\0'));
  return std::string(RemoveQuotes(value));
}

std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value) {
  const TSearch search = Search(content, section, key);
  // An existing key keeps its spelling.
  const std::string keyLine = std::string(search.KeyLine ? search.KeyName : key) + "=" + std::string(value);
  std::string result;
  if (search.KeyLine) {
    result.append(content.substr(0, search.KeyLine->Begin));
    result.append(keyLine);
    result.append(content.substr(search.KeyLine->End));
  } else if (search.SectionFound) {
    const TLine& after = search.LastLineOfSection;
    result.append(content.substr(0, after.Next));
    if (!after.Terminated()) result.append("\r\n");
    result.append(keyLine).append("\r\n");
    result.append(content.substr(after.Next));
  } else {
    result.append(content);
    if (!content.empty() && !EndsWithLineBreak(content)) result.append("\r\n");
    result.append("[").append(section).append("]\r\n");
    result.append(keyLine).append("\r\n");
  }
  return result;
}

std::string TIniProfile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferSize) const {
  if (bufferSize == 0) return std::string();
  const std::optional<std::string> content = ReadFile(path_);
  std::optional<std::string> value;
  if (content) value = FindIniValue(*content, section, key);
  // The Windows functions drop trailing blanks of the default.
  if (!value) value = std::string(TrimTrailingBlanks(defaultValue));
  return CutToCharacters(*value, bufferSize - 1);
}

bool TIniProfile::WriteLine(std::string_view section, std::string_view key, std::string_view value) {
  const std::optional<std::string> content = ReadFile(path_);
  if (!content) return false;
  return ReplaceFile(path_, SetIniValue(*content, section, key, value));
}

std::string PrivateProfilePath(std::string_view bareFileName) {
  std::filesystem::path folder;
  if (const char* windowsDir = std::getenv("GRABWELL_WINDIR"); windowsDir != nullptr && *windowsDir != '\0') {
    folder = windowsDir;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    folder = std::filesystem::path(home) / ".grabwell";
  } else {
    folder = ".grabwell";
  }
  return (folder / bareFileName).string();
}

std::unique_ptr<TProfile> OpenPrivateProfile(std::string_view bareFileName) {
  return std::make_unique<TIniProfile>(PrivateProfilePath(bareFileName));
}
