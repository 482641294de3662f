#include "tests/probe/window_report.h"

#include <vector>

namespace {

// A window that does not answer within this time is reported without text.
constexpr UINT kAnswerTimeoutMs = 1000;

bool SendQuietly(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kAnswerTimeoutMs, &result) != 0;
}

bool IsCheckableButton(HWND window) {
  if (WindowClassName(window) != L"Button") return false;
  switch (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return true;
    default:
      return false;
  }
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Direct children only, in z-order, so the report keeps the nesting.
std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

}  // namespace

std::wstring WindowClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendQuietly(window, WM_GETTEXTLENGTH, 0, 0, length) || length == 0) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendQuietly(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), copied))
    return {};
  text.resize(copied <= length ? copied : length);
  return text;
}

void WriteWindow(TJsonWriter& json, HWND window, bool withChildren) {
  RECT rect{};
  GetWindowRect(window, &rect);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);

  json.BeginObject();
  json.Key("hwnd");
  json.Integer(static_cast<std::int64_t>(reinterpret_cast<UINT_PTR>(window)));
  json.Key("class");
  json.String(WindowClassName(window));
  json.Key("text");
  json.String(WindowText(window));
  json.Key("visible");
  json.Boolean(IsWindowVisible(window) != FALSE);
  json.Key("enabled");
  json.Boolean(IsWindowEnabled(window) != FALSE);
  json.Key("checked");
  DWORD_PTR check = 0;
  if (IsCheckableButton(window) && SendQuietly(window, BM_GETCHECK, 0, 0, check))
    json.Integer(static_cast<std::int64_t>(check));
  else
    json.Null();
  json.Key("rect");
  json.Rect(rect.left, rect.top, rect.right, rect.bottom);
  // The client area in screen coordinates.
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  json.Key("client");
  json.Rect(client.left, client.top, client.right, client.bottom);
  json.Key("pid");
  json.Integer(processId);
  json.Key("owner");
  json.Integer(static_cast<std::int64_t>(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))));
  json.Key("style");
  json.Integer(static_cast<std::uint32_t>(GetWindowLongW(window, GWL_STYLE)));
  json.Key("exstyle");
  json.Integer(static_cast<std::uint32_t>(GetWindowLongW(window, GWL_EXSTYLE)));
  if (withChildren) {
    json.Key("children");
    json.BeginArray();
    for (HWND child : DirectChildren(window)) WriteWindow(json, child, true);
    json.EndArray();
  }
  json.EndObject();
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void WriteTopLevelWindows(TJsonWriter& json) {
  json.BeginArray();
  for (HWND window : TopLevelWindows()) WriteWindow(json, window, true);
  json.EndArray();
}
