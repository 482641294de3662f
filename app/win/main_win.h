// TMainWin: the program's one top-level window. It stays hidden while the
// program waits in the tray; it owns the tray icon and its menu, installs
// the keyboard and mouse hooks and receives the hook library's messages.
// When a capture is asked for it shows its capture face; after the capture
// its action face with the thumbnail of the current image.
//
// The class is split by concern: main_win.cpp creation, showing and menus;
// main_win_controls.cpp the controls; main_win_faces.cpp SetScreen and the
// radio buttons; main_win_capture.cpp the capture road; main_win_output.cpp
// the actions on the current image; main_win_hooks.cpp the hook library.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/main_win_faces.h"
#include "app/version_info.h"
#include "app/win/tray_menu.h"
#include "gif/bitmap.h"
#include "hook/hook_share.h"
#include "output/save_rules.h"
#include "platform/win32/control.h"
#include "platform/win32/image_control.h"
#include "platform/win32/panel.h"
#include "platform/win32/task_icon.h"
#include "platform/win32/window.h"

struct TCaptureSettings;
class TSelectionOverlay;

class TMainWin : public win::TWindow {
 public:
  // What the program block hands to the main window: the process-wide
  // shared block and settings, and the settings writer.
  struct TContext {
    THookShare& Share;
    TCaptureSettings& Settings;
    std::function<void()> SaveSettings;
    // The shell that shows the tray icon; empty for the real one.
    win::TTaskIcon::TShellNotify TrayShell = {};
  };

  explicit TMainWin(TContext context);
  ~TMainWin() override;

  // Hook glue: install or remove a hook through the hook library and keep
  // its value in the shared block.
  void HookTheKeyboard();
  void HookTheMouse();
  void UnHookTheKeyboard();
  void UnHookTheMouse();
  // Asks whether to reinstall both hooks, and does so on Yes.
  void RestoreTheHooks();
  // Where the hook library sends 0x401, and whether it does.
  void SetSecWind(HWND window, bool active);

  const win::TTaskIcon* TaskIcon() const { return TaskIcon1.get(); }

  // The program's own version resource, read when the window is created.
  TVersionInfo VersionInfo;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // main_win.cpp
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void InitHookShare();
  void DoActivate();
  void Hide();
  void MenuCommand(unsigned command);
  void TaskIcon1RightClick(int x, int y);
  void mnuTerminateClick();
  void PopHelpClick();
  void mnuWebSiteClick();
  void mnuUpdateClick();
  void MenuAboutClick();
  // Opens "Configuration" on `start_page` (a TStartPage) unless it shows.
  void OpenConfiguration(int start_page);

  // main_win_controls.cpp
  void CreateControls();
  void CreateCapturePanel();
  void CreateSavePrintPanel();
  void CreateButtons();
  win::TButton& AddRadio(HWND panel, TFaceRadio radio, const wchar_t* caption, win::TBounds bounds);

  // main_win_faces.cpp
  void SetScreen(int mode);
  void CheckRadio(TFaceRadio radio);
  TFaceRadio CheckedCaptureRadio() const;
  void SetWhatToCap();
  void ActionRadioClick(TFaceRadio radio);
  win::TButton& Radio(TFaceRadio radio) const { return *RadioButtons[static_cast<std::size_t>(radio)]; }

  // main_win_capture.cpp
  void CaptureImage1Click();
  void HotKeyMessage(WPARAM number);
  void ShowCaptureWarning();
  void ShowCaptureFace();
  void DoItButtonClick();
  void DoACapture();
  void FinishCapture();
  void AbortButtonClick();
  void HookTimerTimer();

  // main_win_selection.cpp
  void StartSelection();
  void SelectionMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void FinishSelection(int x, int y);

  // main_win_output.cpp
  // Draws the current image into the thumbnail box.
  void ShowThumb();
  void RunAction(TFaceRadio action);
  void SetDone();
  // Mails the current image through the e-mail dialog once the e-mail
  // settings are there; true when a message was sent.
  bool DidAnEMail();
  void ViewButtonClick();
  void PopViewClick();
  void PictMenuCommand(unsigned command);

  // The command identifier of the capture and action button.
  static constexpr int kDoItId = 1;
  // The one-shot re-hook timer started at creation.
  static constexpr UINT_PTR kHookTimerId = 1;
  static constexpr UINT kHookTimerInterval = 30000;

  TContext context_;
  std::unique_ptr<win::TTaskIcon> TaskIcon1;
  win::TPopupMenu MyPopUp;
  win::TPopupMenu PictMenu;
  bool CaptureInProgress = false;
  int CaptureKind = 0;
  bool shown_once_ = false;
  // The control that had the focus when the window was last deactivated.
  HWND saved_focus_ = nullptr;
  TBitmap MyImage;
  // The selection on the live screen while a rectangle or shape is chosen.
  std::unique_ptr<TSelectionOverlay> overlay_;
  TFileNumber FileNumber;

  std::unique_ptr<win::TPanel> MainPanel;
  std::unique_ptr<win::TPanel> CapturePanel;
  std::unique_ptr<win::TPanel> SavePrintPanel;
  // CapScreen .. CapShape and SaveBit .. EMailIt, indexed by TFaceRadio.
  std::array<std::unique_ptr<win::TButton>, static_cast<std::size_t>(TFaceRadio::EMailIt) + 1> RadioButtons;
  std::unique_ptr<win::TLabel> ShapeLabel;
  std::unique_ptr<win::TComboBox> ShapeBox;
  std::unique_ptr<win::TComboBox> cboxPrintOptions;
  std::unique_ptr<win::TImage> ThumbImage;
  std::unique_ptr<win::TButton> ViewButton;
  std::unique_ptr<win::TButton> DoItButton;
  std::unique_ptr<win::TButton> AbortButton;
  std::unique_ptr<win::TButton> ConfigButton;
};

// The question of the Restore item, naming the product.
std::wstring RestoreHooksQuestion(const std::wstring& product);
