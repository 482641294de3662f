// A minimal JSON text builder for the probe's report: objects, arrays,
// strings (UTF-16 in, UTF-8 out, escaped), integers, booleans and null.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TJsonWriter {
public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Starts a member of the current object; the next value belongs to it.
  void Key(std::string_view name);
  void String(std::wstring_view text);
  void String(std::string_view utf8);
  void Integer(std::int64_t value);
  void Boolean(bool value);
  void Null();
  // A rectangle as the array [left, top, right, bottom].
  void Rect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
  // Inserts text that is already valid JSON as the next value.
  void Raw(std::string_view json);

  const std::string& Text() const { return Out; }

private:
  void BeforeValue();
  void AppendEscaped(std::string_view utf8);

  std::string Out;
  // One entry per open container: true once it holds a member or element.
  std::vector<bool> HasItems;
  bool AfterKey = false;
};

std::string ToUtf8(std::wstring_view text);
