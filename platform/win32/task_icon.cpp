#include "platform/win32/task_icon.h"

#include <cstring>

namespace win {
namespace {

constexpr wchar_t kClassName[] = L"GrabwellTaskIcon";

const TWindowClass& TaskIconClass() {
  static const TWindowClass window_class(TWindow::ClassDescription(kClassName));
  return window_class;
}

bool CallShell(DWORD action, const NOTIFYICONDATAA& record) {
  NOTIFYICONDATAA copy = record;
  return Shell_NotifyIconA(action, &copy) != FALSE;
}

}  // namespace

std::string ToolTipBytes(const std::wstring& tip) {
  std::wstring cut = tip.substr(0, TTaskIcon::kMaxToolTip);
  if (cut.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, cut.data(), static_cast<int>(cut.size()), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, cut.data(), static_cast<int>(cut.size()), bytes.data(), size, nullptr, nullptr);
  std::size_t end = 0;
  while (end < bytes.size()) {
    std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(bytes[end])) ? 2 : 1;
    if (end + step > TTaskIcon::kMaxToolTip) break;
    end += step;
  }
  bytes.resize(end);
  return bytes;
}

TTaskIcon::TTaskIcon(HWND owner, TShellNotify shell) : shell_(shell ? std::move(shell) : TShellNotify(&CallShell)) {
  TWindowParams params;
  params.class_name = TaskIconClass().Name();
  params.style = owner != nullptr ? WS_CHILD : WS_POPUP;
  params.x = 0;
  params.y = 0;
  params.parent = owner;
  CreateHandle(params);
}

TTaskIcon::~TTaskIcon() { SetActive(false); }

void TTaskIcon::SetActive(bool active) {
  if (active == active_) return;
  if (active) {
    NOTIFYICONDATAA record = FillRecord();
    if (shell_(NIM_ADD, record)) {
      added_ = record;
      active_ = true;
    }
  } else if (shell_(NIM_DELETE, added_)) {
    active_ = false;
  }
}

void TTaskIcon::SetIcon(HICON icon) {
  if (icon == icon_.Get()) return;
  icon_.Reset(icon != nullptr ? CopyIcon(icon) : nullptr);
  PushToShell();
}

void TTaskIcon::SetToolTip(const std::wstring& tip) {
  std::wstring cut = tip.substr(0, kMaxToolTip);
  if (cut == tool_tip_) return;
  tool_tip_ = std::move(cut);
  PushToShell();
}

void TTaskIcon::PushToShell() {
  if (!active_) return;
  NOTIFYICONDATAA record = FillRecord();
  if (shell_(NIM_MODIFY, record)) added_ = record;
}

NOTIFYICONDATAA TTaskIcon::FillRecord() const {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = Handle();
  record.uID = static_cast<UINT>(id_);
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = icon_.Get();
  std::string tip = ToolTipBytes(tool_tip_);
  std::memcpy(record.szTip, tip.data(), tip.size());
  record.szTip[tip.size()] = '\0';
  return record;
}

LRESULT TTaskIcon::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kCallbackMessage:
      Notification(wparam, lparam);
      return 0;
    case WM_DESTROY:
      // The window goes away with its owner: take the icon out first, while
      // the record still names a live window.
      SetActive(false);
      return 0;
    default:
      return Default(message, wparam, lparam);
  }
}

void TTaskIcon::Notification(WPARAM wparam, LPARAM lparam) {
  auto id = static_cast<INT_PTR>(wparam);
  if (id < 0 || id != id_) return;
  switch (static_cast<UINT>(lparam)) {
    case WM_LBUTTONUP:
      if (OnClick) OnClick(*this);
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this);
      break;
    case WM_RBUTTONUP:
      if (OnRightClick) {
        POINT cursor{};
        GetCursorPos(&cursor);
        OnRightClick(*this, TMouseButton::mbRight, 0, cursor.x, cursor.y);
      }
      break;
    default:
      break;
  }
}

}  // namespace win
