// TCaptureDefaults, the "Configuration" dialog: the capture hot key, the
// default capture with a live shape preview, the default action and the
// e-mail settings. It edits working copies and writes them into the
// settings and the settings file only on "&Ok".
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "app/config_rules.h"
#include "capture/win/shape_image.h"
#include "hook/hook_share.h"
#include "platform/win32/control.h"
#include "platform/win32/form.h"
#include "platform/win32/page_control.h"
#include "platform/win32/swatch.h"

// The page the dialog opens on.
enum TStartPage : int { spWhatCapture = 0, spEMail = 1, spHotKey = 2 };

class TCaptureDefaults : public win::TForm {
 public:
  struct TContext {
    TCaptureSettings& Settings;
    THookShare& Share;
    // Where the hook library sends the keys pressed in the hot-key field.
    std::function<void(HWND window, bool active)> SetSecWind;
    std::function<void()> SaveSettings;
  };

  TCaptureDefaults(HWND owner, TContext context, int start_page);
  ~TCaptureDefaults() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool PreTranslateMessage(const MSG& message) override;

 private:
  void CreateHotKeyPage(HWND page);
  void CreateWhatCapturePage(HWND page);
  void CreateWhatDoPage(HWND page);
  void CreateEMailPage(HWND page);
  win::TLabel& Label(HWND page, const std::wstring& text, win::TBounds bounds, bool bold = false);
  win::TEdit& Edit(HWND page, win::TBounds bounds, int max_length, DWORD style = 0);

  void FormShow(int start_page);
  void HotKeyMessage(WPARAM number);
  void ShowHotKeyName();
  void WhatToCapChange();
  void EnableDisable();
  void ShowBorderControls(bool solid);
  void MaskColorClick();
  void BorderColorClick();
  void BorderClick();
  void BarChange(int bar);
  void FieldChange(int field);
  void OkButtonClick();

  TContext context_;
  TShapeEntries entries_;
  int LastKind = -2;
  std::unique_ptr<win::TPageControl> MyPage;
  win::TEdit* HotKeyEntry = nullptr;
  std::unique_ptr<win::TListBox> HotKeyList;
  std::unique_ptr<win::TComboBox> WhatToCap;
  std::unique_ptr<TShapeImage> ShapeImage;
  std::unique_ptr<win::TButton> MaskColor;
  std::unique_ptr<win::TColorSwatch> ColorShape;
  std::unique_ptr<win::TButton> Border;
  std::unique_ptr<win::TButton> BorderColor;
  std::unique_ptr<win::TColorSwatch> BorderShape;
  // Vectors, Vector Size, Angle: frame, bar and field of each.
  struct TParameter {
    win::TControl* Frame = nullptr;
    std::unique_ptr<win::TTrackBar> Bar;
    win::TEdit* Field = nullptr;
    int Low = 0, High = 0;
  };
  TParameter Parameters[3];
  std::unique_ptr<win::TComboBox> DefaultAction;
  win::TEdit* SMTPHost = nullptr;
  win::TEdit* SMTPPort = nullptr;
  win::TEdit* EmailName = nullptr;
  win::TEdit* EmailAddress = nullptr;
  std::unique_ptr<win::TComboBox> Encoding;
  win::TEdit* EMailFile = nullptr;
  std::unique_ptr<win::TButton> OkButton;
  std::unique_ptr<win::TButton> CancelButton;
};
