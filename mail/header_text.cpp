#include "mail/header_text.h"

#include <algorithm>
#include <array>

#include "mail/text_case.h"
#include "mail/transfer_encodings.h"

namespace {

constexpr std::array<std::string_view, 11> kReservedHeaders = {
    "From",    "To",           "CC",           "BCC",        "Return-Receipt-To",         "X-Priority",
    "Subject", "Mime-Version", "Content-Type", "X-Encoding", "Content-Transfer-Encoding",
};

constexpr std::string_view kAddressSpecials = ".()<>[]:;@\\,";

bool IsContinuation(const std::string& line) { return !line.empty() && (line.front() == ' ' || line.front() == '\t'); }

bool IsReserved(const std::string& line) {
  return std::any_of(kReservedHeaders.begin(), kReservedHeaders.end(), [&line](std::string_view name) {
    return line.size() > name.size() && line[name.size()] == ':' && StartsWithNoCase(line, name);
  });
}

}  // namespace

std::string SingleLine(std::string_view text) {
  std::string result(text);
  std::replace_if(
      result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return result;
}

std::string QuoteDisplayName(std::string_view name) {
  if (name.find('"') != std::string_view::npos) return std::string(name);
  if (name.find_first_of(kAddressSpecials) == std::string_view::npos) return std::string(name);
  std::string quoted = "\"";
  for (const char c : name) {
    if (c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string Iso2022jpEncodedWord(std::string_view text) { return "=?ISO-2022-JP?B?" + EncodeBase64(text) + "?="; }

bool IsIso2022jpText(std::string_view text) { return !text.empty() && text.front() == '\x1b'; }

void RemoveReservedHeaders(TStringList& headers) {
  TStringList kept;
  kept.reserve(headers.size());
  bool dropping = false;
  for (auto& line : headers) {
    if (IsContinuation(line)) {
      if (!dropping) kept.push_back(std::move(line));
      continue;
    }
    dropping = IsReserved(line);
    if (!dropping) kept.push_back(std::move(line));
  }
  headers = std::move(kept);
}
