// probe.exe: prints, as one JSON object on standard output, what a user
// would see on the desktop it runs in:
//   "windows"  every top-level window with its child controls,
//   "menus"    every popup menu being shown, with its items,
//   "tooltips" every tool tip window with its current text and its tools.
// Tests run it inside the same Wine prefix and desktop as the program under
// test and assert on real captions and states.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tests/probe/json_writer.h"
#include "tests/probe/remote_query.h"
#include "tests/probe/window_report.h"

namespace {

std::vector<HWND> TopLevelWindowsOfClass(const wchar_t* className) {
  std::vector<HWND> matching;
  for (HWND window : TopLevelWindows())
    if (WindowClassName(window) == className) matching.push_back(window);
  return matching;
}

void WriteQueryAnswer(TJsonWriter& json, HWND window, TProbeQuery query) {
  const std::optional<std::string> answer = QueryInsideOwner(window, query);
  if (answer && !answer->empty())
    json.Raw(*answer);
  else
    json.Null();
}

void WriteMenus(TJsonWriter& json) {
  json.BeginArray();
  for (HWND menuWindow : TopLevelWindowsOfClass(L"#32768")) {
    if (!IsWindowVisible(menuWindow)) continue;
    RECT rect{};
    GetWindowRect(menuWindow, &rect);
    json.BeginObject();
    json.Key("hwnd");
    json.Integer(static_cast<std::int64_t>(reinterpret_cast<UINT_PTR>(menuWindow)));
    json.Key("rect");
    json.Rect(rect.left, rect.top, rect.right, rect.bottom);
    json.Key("items");
    WriteQueryAnswer(json, menuWindow, TProbeQuery::MenuItems);
    json.EndObject();
  }
  json.EndArray();
}

void WriteToolTips(TJsonWriter& json) {
  json.BeginArray();
  for (HWND toolTip : TopLevelWindowsOfClass(L"tooltips_class32")) {
    json.BeginObject();
    json.Key("window");
    WriteWindow(json, toolTip, false);
    json.Key("tools");
    WriteQueryAnswer(json, toolTip, TProbeQuery::ToolTipTools);
    json.EndObject();
  }
  json.EndArray();
}

bool Wanted(const std::vector<std::wstring>& sections, const wchar_t* name) {
  if (sections.empty()) return true;
  for (const auto& section : sections)
    if (section == name) return true;
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> sections(argv + 1, argv + argc);
  for (const auto& section : sections) {
    if (section != L"windows" && section != L"menus" && section != L"tooltips") {
      std::fprintf(stderr, "usage: probe [windows] [menus] [tooltips]\n");
      return 2;
    }
  }

  TJsonWriter json;
  json.BeginObject();
  if (Wanted(sections, L"windows")) {
    json.Key("windows");
    WriteTopLevelWindows(json);
  }
  if (Wanted(sections, L"menus")) {
    json.Key("menus");
    WriteMenus(json);
  }
  if (Wanted(sections, L"tooltips")) {
    json.Key("tooltips");
    WriteToolTips(json);
  }
  json.EndObject();

  const std::string& text = json.Text();
  DWORD written = 0;
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const bool ok = WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size() && WriteFile(output, "\n", 1, &written, nullptr);
  return ok ? 0 : 1;
}
