#include "tests/probe/json_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TEscapeCase {
  std::wstring Text;
  std::string Json;
};

class JsonStringEscaping : public ::testing::TestWithParam<TEscapeCase> {};

TEST_P(JsonStringEscaping, WritesValidJsonText) {
  TJsonWriter json;
  json.String(GetParam().Text);
  EXPECT_EQ(json.Text(), GetParam().Json);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringEscaping,
    ::testing::Values(TEscapeCase{L"", "\"\""},
                      TEscapeCase{L"Capt&ure Image", "\"Capt&ure Image\""},
                      TEscapeCase{L"say \"hi\"", "\"say \\\"hi\\\"\""},
                      TEscapeCase{L"C:\\windows", "\"C:\\\\windows\""},
                      TEscapeCase{L"a\tb\r\nc", "\"a\\tb\\r\\nc\""},
                      TEscapeCase{std::wstring(L"\x01\x1f", 2), "\"\\u0001\\u001f\""},
                      // Non-ASCII text leaves as UTF-8, surrogate pairs joined.
                      TEscapeCase{L"\u00e9\u20ac", "\"\xc3\xa9\xe2\x82\xac\""},
                      TEscapeCase{L"\U0001F600", "\"\xf0\x9f\x98\x80\""}));

TEST(JsonWriter, SeparatesMembersAndElements) {
  TJsonWriter json;
  json.BeginObject();
  json.Key("list");
  json.BeginArray();
  json.Integer(-1);
  json.Boolean(true);
  json.Null();
  json.BeginObject();
  json.EndObject();
  json.Raw("[1,2]");
  json.Rect(-4, 0, 1024, 768);
  json.EndArray();
  json.Key("text");
  json.String(std::string_view("x"));
  json.Key("empty");
  json.BeginArray();
  json.EndArray();
  json.EndObject();
  EXPECT_EQ(json.Text(), R"({"list":[-1,true,null,{},[1,2],[-4,0,1024,768]],"text":"x","empty":[]})");
}

}  // namespace
