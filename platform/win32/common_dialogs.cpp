#include "platform/win32/common_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace win {
namespace {

// Room for any path the dialog may return.
constexpr DWORD kPathBuffer = 32768;

using TDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

std::optional<std::wstring> RunFileDialog(HWND owner, const TFileDialogOptions& options, TDialogFunction show) {
  // The system wants the filter's parts separated by null characters and
  // the whole ended by two.
  std::wstring filter = options.Filter;
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter.push_back(L'\0');
  std::vector<wchar_t> path(kPathBuffer, L'\0');
  std::copy_n(options.FileName.begin(), std::min<std::size_t>(options.FileName.size(), kPathBuffer - 1), path.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathBuffer;
  dialog.lpstrTitle = options.Title.c_str();
  dialog.lpstrDefExt = options.DefaultExtension.empty() ? nullptr : options.DefaultExtension.c_str();
  dialog.Flags = options.Flags | OFN_EXPLORER;
  if (!show(&dialog)) return std::nullopt;
  return std::wstring(path.data());
}

}  // namespace

std::optional<std::wstring> ShowSaveDialog(HWND owner, const TFileDialogOptions& options) {
  return RunFileDialog(owner, options, &GetSaveFileNameW);
}

std::optional<std::wstring> ShowOpenDialog(HWND owner, const TFileDialogOptions& options) {
  return RunFileDialog(owner, options, &GetOpenFileNameW);
}

std::optional<COLORREF> ShowColorDialog(HWND owner, COLORREF initial) {
  static COLORREF custom_colours[16]{};
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.rgbResult = initial;
  dialog.lpCustColors = custom_colours;
  dialog.Flags = CC_RGBINIT;
  if (!ChooseColorW(&dialog)) return std::nullopt;
  return dialog.rgbResult;
}

}  // namespace win
