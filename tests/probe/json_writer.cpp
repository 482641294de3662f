#include "tests/probe/json_writer.h"

#include <windows.h>

#include <cstdio>

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
  return utf8;
}

void TJsonWriter::BeforeValue() {
  if (AfterKey) {
    AfterKey = false;
    return;
  }
  if (!HasItems.empty()) {
    if (HasItems.back()) Out += ',';
    HasItems.back() = true;
  }
}

void TJsonWriter::BeginObject() {
  BeforeValue();
  Out += '{';
  HasItems.push_back(false);
}

void TJsonWriter::EndObject() {
  Out += '}';
  HasItems.pop_back();
}

void TJsonWriter::BeginArray() {
  BeforeValue();
  Out += '[';
  HasItems.push_back(false);
}

void TJsonWriter::EndArray() {
  Out += ']';
  HasItems.pop_back();
}

void TJsonWriter::Key(std::string_view name) {
  BeforeValue();
  AppendEscaped(name);
  Out += ':';
  AfterKey = true;
}

void TJsonWriter::String(std::wstring_view text) { String(ToUtf8(text)); }

void TJsonWriter::String(std::string_view utf8) {
  BeforeValue();
  AppendEscaped(utf8);
}

void TJsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  Out += std::to_string(value);
}

void TJsonWriter::Boolean(bool value) {
  BeforeValue();
  Out += value ? "true" : "false";
}

void TJsonWriter::Null() {
  BeforeValue();
  Out += "null";
}

void TJsonWriter::Rect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  BeginArray();
  Integer(left);
  Integer(top);
  Integer(right);
  Integer(bottom);
  EndArray();
}

void TJsonWriter::Raw(std::string_view json) {
  BeforeValue();
  Out += json;
}

void TJsonWriter::AppendEscaped(std::string_view utf8) {
  Out += '"';
  for (const char c : utf8) {
    switch (c) {
      case '"': Out += "\\\""; break;
      case '\\': Out += "\\\\"; break;
      case '\n': Out += "\\n"; break;
      case '\r': Out += "\\r"; break;
      case '\t': Out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          Out += escape;
        } else {
          Out += c;
        }
    }
  }
  Out += '"';
}
