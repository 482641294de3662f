#include "app/win/main_win.h"

#include "app/capture_settings.h"
#include "app/program_dir.h"
#include "app/resources/resource_ids.h"
#include "app/web_pages.h"
#include "app/win/about_box.h"
#include "app/win/capture_defaults.h"
#include "app/win/pict_menu.h"
#include "app/win/program_globals.h"
#include "app/win/version_reader.h"
#include "capture/win/selection_overlay.h"
#include "hook/hook_messages.h"
#include "platform/win32/executable_path.h"
#include "platform/win32/form.h"
#include "platform/win32/shell.h"
#include "platform/win32/text.h"

namespace {

constexpr wchar_t kClassName[] = L"TMainWin";
constexpr wchar_t kCaption[] = L"Grabwell 2000";

// The window's designed place and client size; the height loses 76 pixels
// at creation.
constexpr int kLeft = 362, kTop = 138, kClientWidth = 480, kClientHeight = 231, kHeightReduction = 76;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION;  // fixed single border, no border icons
// Posted at creation on a first run: the configuration dialog opens once the
// message loop runs.
constexpr UINT kMsgFirstRun = WM_APP + 1;

// Holds a program-wide "is open" flag set for the life of a modal window,
// cleared on every way out.
class TSetWhileOpen {
 public:
  explicit TSetWhileOpen(bool& flag) : flag_(flag) { flag_ = true; }
  ~TSetWhileOpen() { flag_ = false; }
  TSetWhileOpen(const TSetWhileOpen&) = delete;
  TSetWhileOpen& operator=(const TSetWhileOpen&) = delete;

 private:
  bool& flag_;
};

const win::TWindowClass& MainWinClass() {
  static const win::TWindowClass window_class([] {
    WNDCLASSEXW description = win::TWindow::ClassDescription(kClassName);
    description.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GRABWELL));
    return description;
  }());
  return window_class;
}

}  // namespace

TMainWin::TMainWin(TContext context)
    : context_(std::move(context)), MyPopUp(BuildTrayMenu()), PictMenu(BuildPictMenu()) {
  ReadVersionInfo(VersionInfo, win::ExecutablePath());
  win::SetErrorCaption(kCaption);
  win::TWindowParams params;
  params.class_name = MainWinClass().Name();
  params.caption = kCaption;
  params.style = kStyle;
  params.ex_style = WS_EX_CONTROLPARENT;
  CreateDesigned(params, win::TDesign{.Width = kClientWidth,
                                      .Height = kClientHeight,
                                      .Client = true,
                                      .Centred = false,
                                      .Left = kLeft,
                                      .Top = kTop});
}

TMainWin::~TMainWin() = default;

LRESULT TMainWin::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_CLOSE:
      FormClose();
      DestroyWindow(Handle());
      return 0;
    case WM_DESTROY:
      FormDestroy();
      return 0;
    case WM_TIMER:
      if (wparam == kHookTimerId) HookTimerTimer();
      return 0;
    case WM_DPICHANGED:
      // The window has been laid out for its new DPI; the thumbnail box
      // has a new size.
      ShowThumb();
      return 0;
    case WM_COMMAND:
      MenuCommand(LOWORD(wparam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE && IsChild(Handle(), GetFocus())) saved_focus_ = GetFocus();
      return Default(message, wparam, lparam);
    case WM_SETFOCUS:
      // Back from a message box or another program: the focus returns to
      // the control that had it.
      if (saved_focus_ != nullptr && IsChild(Handle(), saved_focus_)) ::SetFocus(saved_focus_);
      return 0;
    case DM_GETDEFID:
      // Enter presses the capture and action button unless the focus is on
      // another push button.
      return win::DefaultButtonAnswer(Handle(), kDoItId);
    case kMsgCaptureHotKey:
      HotKeyMessage(wparam);
      return 0;
    case kMsgFirstRun:
      OpenConfiguration(spHotKey);
      return 0;
    case kMsgLeftButtonDown:
    case kMsgMouseDragged:
    case kMsgLeftButtonUp:
    case kMsgRightClick:
    case kMsgMouseMoved:
      SelectionMessage(message, wparam, lparam);
      return 0;
    default:
      return Default(message, wparam, lparam);
  }
}

void TMainWin::FormCreate() {
  CaptureInProgress = false;
  CreateControls();
  InitHookShare();
  HookTheKeyboard();
  HookTheMouse();

  TaskIcon1 = std::make_unique<win::TTaskIcon>(Handle(), context_.TrayShell);
  TaskIcon1->SetToolTip(kCaption);
  TaskIcon1->SetTaskIconID(0);
  TaskIcon1->SetIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GRABWELL)));
  TaskIcon1->OnClick = [](win::TTaskIcon&) {};  // a left click does nothing
  TaskIcon1->OnRightClick = [this](win::TTaskIcon&, win::TMouseButton, win::TShiftState, int x, int y) {
    TaskIcon1RightClick(x, y);
  };
  TaskIcon1->SetActive(true);

  ResizeDesign(kClientWidth, kClientHeight - kHeightReduction);

  SetTimer(Handle(), kHookTimerId, kHookTimerInterval, nullptr);

  if (context_.Settings.FirstTime) {
    context_.Settings.FirstTime = false;
    PostMessageW(Handle(), kMsgFirstRun, 0, 0);
  }
}

void TMainWin::FormShow() {
  const TFace face =
      *FaceFor(smCapture, context_.Settings.WhatToCap, context_.Settings.Shape, context_.Settings.Action);
  CheckRadio(face.Checked);
  for (std::string_view name : ShapeNames) ShapeBox->AddItem(win::Widen(name));
  ShapeBox->SetItemIndex(face.ShapeIndex);
}

void TMainWin::DoActivate() {
  ShowWindow(Handle(), SW_SHOW);
  if (!shown_once_) {
    shown_once_ = true;
    FormShow();
  }
  // Another program has the foreground; with the lock time-out at 0 the
  // system lets this window take it.
  DWORD lock_timeout = 0;
  SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lock_timeout, 0);
  SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
  SetForegroundWindow(Handle());
  ::SetFocus(Handle());
  SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(lock_timeout)),
                        0);
}

void TMainWin::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TMainWin::InitHookShare() {
  THookShare& share = context_.Share;
  const std::uint32_t self = HandleToField(reinterpret_cast<std::uintptr_t>(Handle()));
  share.MainWindowHandle = self;
  share.Flag = 0;
  share.HookMode = kHookModeIdle;
  share.HotKeyTargetWindow = self;
  share.HotKeyEntryActive = 0;
  if (IsHotKeyNumber(context_.Settings.CaptureKey)) share.HotKeyEnabled[context_.Settings.CaptureKey] = 1;
}

void TMainWin::FormClose() {
  context_.SaveSettings();
  UnHookTheKeyboard();
  UnHookTheMouse();
}

void TMainWin::FormDestroy() {
  KillTimer(Handle(), kHookTimerId);
  TaskIcon1.reset();  // takes the icon out of the notification area
  PostQuitMessage(0);
}

void TMainWin::MenuCommand(unsigned command) {
  switch (command) {
    case tcRestoreHooks:
      RestoreTheHooks();
      break;
    case tcHelp:
      PopHelpClick();
      break;
    case tcWebSite:
      mnuWebSiteClick();
      break;
    case tcUpdate:
      mnuUpdateClick();
      break;
    case tcTerminate:
      mnuTerminateClick();
      break;
    case tcCaptureImage:
      CaptureImage1Click();
      break;
    case tcOpenImage:
      PopViewClick();
      break;
    case tcAbout:
      MenuAboutClick();
      break;
    case tcConfigure:
      OpenConfiguration(spWhatCapture);
      break;
    default:
      PictMenuCommand(command);
      break;
  }
}

void TMainWin::TaskIcon1RightClick(int x, int y) { MyPopUp.PopUp(Handle(), x, y); }

void TMainWin::mnuTerminateClick() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void TMainWin::PopHelpClick() { win::ShowHelpContents(Handle(), win::Widen(HelpFilePath(ProgramDir))); }

void TMainWin::mnuWebSiteClick() { win::ShellOpen(nullptr, L"open", win::Widen(kWebSiteAddress), SW_SHOW); }

void TMainWin::mnuUpdateClick() {
  win::ShellOpen(Handle(), nullptr, win::Widen(UpdatePageAddress(VersionInfo.VersionLabel())), SW_SHOWNORMAL);
}

void TMainWin::MenuAboutClick() {
  if (AboutBoxOpen) return;
  TSetWhileOpen open(AboutBoxOpen);
  TAboutBox about(Handle(), VersionInfo, {[this] { mnuWebSiteClick(); }, [this] { mnuUpdateClick(); }});
  about.ShowModal();
}

void TMainWin::OpenConfiguration(int start_page) {
  if (ConfigDialogOpen) return;
  TSetWhileOpen open(ConfigDialogOpen);
  TCaptureDefaults dialog(Handle(),
                          {context_.Settings, context_.Share,
                           [this](HWND window, bool active) { SetSecWind(window, active); }, context_.SaveSettings},
                          start_page);
  dialog.ShowModal();
}
