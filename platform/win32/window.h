// The base of every window class of the program: one window procedure for
// all of them stores the C++ object in the window at WM_NCCREATE and hands
// each later message to that object's HandleMessage, which dispatches to
// short handler methods. Notifications of the form's controls (TControl)
// go to the controls themselves.
//
// Windows are designed at 96 DPI: the places, sizes and font heights they
// give are scaled here to the DPI of the monitor that shows them, and laid
// out again when that DPI changes (window_layout.cpp).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/fonts.h"
#include "platform/win32/handles.h"

namespace win {

// A child's place in its parent: left, top, width, height in pixels.
struct TBounds {
  int left, top, width, height;
};

// `bounds` designed at 96 DPI, in pixels of a window shown at `dpi`.
TBounds ScaleBounds(TBounds bounds, int dpi);

// How a top-level window is designed at 96 DPI: its outer size, or with
// `Client` the size of its client area, and its place on the screen, or
// centred on the screen.
struct TDesign {
  int Width = 0, Height = 0;
  bool Client = false;
  bool Centred = true;
  int Left = 0, Top = 0;
};

// What a window needs to be created: its class (registered by the caller,
// usually once per derived type) and the CreateWindowEx arguments.
struct TWindowParams {
  const wchar_t* class_name = nullptr;
  const wchar_t* caption = L"";
  DWORD style = 0;
  DWORD ex_style = 0;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;
};

// The caption of the box in which the application-wide error handler shows
// an exception's text that a message handler let pass.
void SetErrorCaption(const std::wstring& caption);

class TWindow {
 public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return handle_; }

  // The window class description shared by our windows, with the one
  // window procedure that dispatches to TWindow objects.
  static WNDCLASSEXW ClassDescription(const wchar_t* class_name);
  // The object of one of our windows; null for a window of another kind.
  static TWindow* Of(HWND window);

  // Moves a child to `bounds` designed at 96 DPI.
  void Place(TBounds bounds);
  // Moves a child to `bounds` in its parent's pixels: the parent lays it
  // out itself, also after a change of DPI.
  void PlaceInPixels(RECT bounds);

 protected:
  // Creates the window with the place and size of `params` in pixels;
  // false when CreateWindowEx fails.
  bool CreateHandle(const TWindowParams& params);
  // Creates a visible child window of `parent` at `bounds` designed at 96 DPI.
  bool CreateChild(const wchar_t* class_name, HWND parent, TBounds bounds, DWORD style = 0, DWORD ex_style = 0);
  // Creates a top-level window from `design` (the place and size of
  // `params` are not used), sized and placed for its monitor's DPI.
  bool CreateDesigned(TWindowParams params, TDesign design);
  // Gives a designed top-level window a new designed size.
  void ResizeDesign(int width, int height);
  // A font for this window's controls at the window's DPI, owned by the
  // window and made again when the DPI changes.
  HFONT Font(const TFontDesign& design);
  // Lays `bar` along the bottom edge of the client area, `height` (96 DPI)
  // high and as wide as the client area; returns the client area above it.
  RECT DockBottom(TWindow& bar, int height);

  // Handles one message; the default passes it to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // Sizes and places a designed top-level window for its DPI.
  void FitDesign();
  // WM_DPICHANGED: takes the suggested rectangle, makes the fonts again and
  // lays out every child at the new DPI.
  void FollowDpiChange(int dpi, const RECT& suggested);
  void LayOutChildren(int dpi);

  struct TOwnedFont {
    TFontDesign Design;
    TFont Handle;
  };

  HWND handle_ = nullptr;
  std::optional<TBounds> bounds_;  // a child's place, designed at 96 DPI
  std::optional<TDesign> design_;  // a designed top-level window
  std::vector<TOwnedFont> fonts_;
};

}  // namespace win
