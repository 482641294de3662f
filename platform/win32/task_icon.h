// TTaskIcon: one icon in the notification area. It owns a zero-size window
// of its own, to which the shell sends the mouse notifications (message
// WM_USER), and turns them into OnClick, OnDblClick and OnRightClick.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/window.h"

namespace win {

// The record is the shell's first (version 1) form: ANSI, a 64-byte tip.
static_assert(NOTIFYICONDATAA_V1_SIZE == (sizeof(void*) == 4 ? 88 : 104),
              "the tray icon record must keep its first, 88-byte (32-bit) layout");

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Keyboard and mouse-button state of a mouse event; the tray icon always
// reports it empty.
using TShiftState = std::uint8_t;

class TTaskIcon : public TWindow {
 public:
  // Asks the shell to add, modify or delete an icon; true on success.
  using TShellNotify = std::function<bool(DWORD action, const NOTIFYICONDATAA& record)>;
  using TNotifyEvent = std::function<void(TTaskIcon& sender)>;
  using TMouseEvent = std::function<void(TTaskIcon& sender, TMouseButton button, TShiftState shift, int x, int y)>;

  static constexpr UINT kCallbackMessage = WM_USER;
  static constexpr std::size_t kMaxToolTip = 63;

  // Creates the icon's window as a zero-size child of `owner` (a hidden
  // pop-up when owner is null). `shell` defaults to Shell_NotifyIconA.
  explicit TTaskIcon(HWND owner, TShellNotify shell = {});
  ~TTaskIcon() override;

  bool Active() const { return active_; }
  void SetActive(bool active);

  HICON Icon() const { return icon_.Get(); }
  // Keeps a copy of `icon`; the caller keeps its own.
  void SetIcon(HICON icon);

  const std::wstring& ToolTip() const { return tool_tip_; }
  void SetToolTip(const std::wstring& tip);

  std::int32_t TaskIconID() const { return id_; }
  void SetTaskIconID(std::int32_t id) { id_ = id; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnRightClick;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Notification(WPARAM wparam, LPARAM lparam);
  NOTIFYICONDATAA FillRecord() const;
  void PushToShell();

  TShellNotify shell_;
  bool active_ = false;
  TIcon icon_;
  std::wstring tool_tip_;
  std::int32_t id_ = 0;
  NOTIFYICONDATAA added_{};  // the record of the last add, used to delete
};

// Converts a tip to the ANSI code page and cuts it to 63 bytes without
// splitting a double-byte character; always fits the record's 64 bytes.
std::string ToolTipBytes(const std::wstring& tip);

}  // namespace win
