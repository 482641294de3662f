// probe_hook.dll: the probe's helper that runs inside another process. Its
// call-window-procedure hook answers the probe's query message with a JSON
// description of the addressed menu window's menu or tool tip's tools.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "tests/probe/json_writer.h"
#include "tests/probe/probe_protocol.h"
#include "tests/probe/win_handles.h"

namespace {

void WriteMenuItems(TJsonWriter& json, HMENU menu) {
  json.BeginArray();
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    wchar_t caption[512] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_ID;
    info.dwTypeData = caption;
    info.cch = 511;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
    json.BeginObject();
    json.Key("caption");
    json.String(std::wstring_view(caption));
    json.Key("id");
    json.Integer(info.wID);
    json.Key("separator");
    json.Boolean((info.fType & MFT_SEPARATOR) != 0);
    json.Key("enabled");
    json.Boolean((info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0);
    json.Key("checked");
    json.Boolean((info.fState & MFS_CHECKED) != 0);
    // Screen rectangle of the item, so that a test can click it; empty for
    // items of a submenu that is not shown.
    RECT rect{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &rect);
    json.Key("rect");
    json.Rect(rect.left, rect.top, rect.right, rect.bottom);
    json.Key("submenu");
    if (info.hSubMenu)
      WriteMenuItems(json, info.hSubMenu);
    else
      json.Null();
    json.EndObject();
  }
  json.EndArray();
}

void WriteToolTipTools(TJsonWriter& json, HWND toolTip) {
  json.BeginArray();
  const auto count = SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    // The control copies the tool's text into the buffer it is given; tool
    // texts are limited far below this size.
    wchar_t text[1024] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    if (!SendMessageW(toolTip, TTM_ENUMTOOLSW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&tool)))
      continue;
    text[1023] = L'\0';
    RECT rect = tool.rect;
    if (tool.uFlags & TTF_IDISHWND) {
      GetWindowRect(reinterpret_cast<HWND>(tool.uId), &rect);
    } else if (tool.hwnd) {
      MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    json.BeginObject();
    json.Key("text");
    json.String(tool.lpszText == LPSTR_TEXTCALLBACKW ? std::wstring_view() : std::wstring_view(text));
    json.Key("owner");
    json.Integer(static_cast<std::int64_t>(reinterpret_cast<UINT_PTR>(tool.hwnd)));
    json.Key("id");
    json.Integer(static_cast<std::int64_t>(tool.uId));
    json.Key("rect");
    json.Rect(rect.left, rect.top, rect.right, rect.bottom);
    json.EndObject();
  }
  json.EndArray();
}

void Answer(HWND window, TProbeQuery query) {
  TJsonWriter json;
  if (query == TProbeQuery::MenuItems) {
    auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    if (menu)
      WriteMenuItems(json, menu);
    else
      json.Null();
  } else {
    WriteToolTipTools(json, window);
  }

  TOwnedHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, kProbeReplyMapping));
  if (!mapping) return;
  TMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, kProbeReplyCapacity));
  if (!view.Get()) return;
  auto* reply = static_cast<TProbeReply*>(view.Get());
  const std::string& text = json.Text();
  // An answer that does not fit is dropped rather than cut into broken JSON.
  if (text.size() > kProbeReplyTextCapacity) return;
  std::memcpy(reply->Text, text.data(), text.size());
  reply->Length = static_cast<std::uint32_t>(text.size());
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam,
                                                                   LPARAM lParam) {
  if (code == HC_ACTION) {
    static const UINT queryMessage = RegisterWindowMessageW(kProbeQueryMessage);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == queryMessage) Answer(call->hwnd, static_cast<TProbeQuery>(call->wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
