#include "message_box_closer.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The visible dialog windows of this process.
BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == L"#32770")
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// The message of a box is its one static control with text (the icon is a
// static control without).
BOOL CALLBACK FindMessage(HWND child, LPARAM text) {
  auto* message = reinterpret_cast<std::wstring*>(text);
  if (ClassOf(child) == L"Static" && message->empty()) *message = TextOf(child);
  return TRUE;
}

}  // namespace

TMessageBoxCloser::TMessageBoxCloser() : thread_([this] { Watch(); }) {}

TMessageBoxCloser::~TMessageBoxCloser() {
  stop_ = true;
  thread_.join();
}

std::vector<TShownMessage> TMessageBoxCloser::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void TMessageBoxCloser::Watch() {
  std::vector<HWND> answered;
  while (!stop_) {
    std::vector<HWND> dialogs;
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
      if (std::find(answered.begin(), answered.end(), dialog) != answered.end()) continue;
      std::wstring text;
      EnumChildWindows(dialog, FindMessage, reinterpret_cast<LPARAM>(&text));
      {
        std::lock_guard lock(mutex_);
        shown_.push_back({TextOf(dialog), text});
      }
      answered.push_back(dialog);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}
