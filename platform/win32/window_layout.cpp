// TWindow's layout: windows and their children are designed at 96 DPI and
// shown at the DPI of their monitor; a change of DPI lays them out again.
#include <algorithm>
#include <cwchar>
#include <utility>

#include "platform/dpi_scale.h"
#include "platform/win32/control.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form.h"
#include "platform/win32/window.h"

namespace win {
namespace {

bool SameFont(const TFontDesign& a, const TFontDesign& b) {
  return a.Height == b.Height && a.Weight == b.Weight && std::wcscmp(a.Face, b.Face) == 0;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> found;
  EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A window scaled up from its design may no longer fit where it was
// designed to be: it moves into the work area of its monitor.
POINT InsideWorkArea(POINT place, int width, int height) {
  const RECT wanted{place.x, place.y, place.x + width, place.y + height};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return place;
  const RECT& work = monitor.rcWork;
  return POINT{std::max(std::min(place.x, work.right - width), work.left),
               std::max(std::min(place.y, work.bottom - height), work.top)};
}

void MoveWindowTo(HWND window, TBounds bounds) {
  SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TBounds ScaleBounds(TBounds bounds, int dpi) {
  return TBounds{ScaleToDpi(bounds.left, dpi), ScaleToDpi(bounds.top, dpi), ScaleToDpi(bounds.width, dpi),
                 ScaleToDpi(bounds.height, dpi)};
}

void TWindow::Place(TBounds bounds) {
  bounds_ = bounds;
  MoveWindowTo(handle_, ScaleBounds(bounds, DpiOf(handle_)));
}

void TWindow::PlaceInPixels(RECT bounds) {
  bounds_.reset();
  MoveWindowTo(handle_, TBounds{bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top});
}

bool TWindow::CreateDesigned(TWindowParams params, TDesign design) {
  design_ = design;
  // A first guess at the system DPI puts the window on the monitor it
  // belongs to; FitDesign then sizes it for that monitor's own DPI.
  const int dpi = SystemDpi();
  RECT frame{0, 0, ScaleToDpi(design.Width, dpi), ScaleToDpi(design.Height, dpi)};
  if (design.Client) AdjustWindowRectEx(&frame, params.style, FALSE, params.ex_style);
  params.width = frame.right - frame.left;
  params.height = frame.bottom - frame.top;
  const POINT place = design.Centred ? CentredOnScreen(params.width, params.height)
                                     : POINT{ScaleToDpi(design.Left, dpi), ScaleToDpi(design.Top, dpi)};
  params.x = place.x;
  params.y = place.y;
  if (!CreateHandle(params)) return false;
  FitDesign();
  return true;
}

void TWindow::ResizeDesign(int width, int height) {
  if (!design_) return;
  design_->Width = width;
  design_->Height = height;
  FitDesign();
}

void TWindow::FitDesign() {
  const int dpi = DpiOf(handle_);
  int width = ScaleToDpi(design_->Width, dpi);
  int height = ScaleToDpi(design_->Height, dpi);
  if (design_->Client) {
    // The frame as the window has it, at its monitor's DPI.
    RECT outer{}, client{};
    GetWindowRect(handle_, &outer);
    GetClientRect(handle_, &client);
    width += (outer.right - outer.left) - client.right;
    height += (outer.bottom - outer.top) - client.bottom;
  }
  POINT place = design_->Centred ? CentredOnScreen(width, height)
                                 : POINT{ScaleToDpi(design_->Left, dpi), ScaleToDpi(design_->Top, dpi)};
  // At 96 DPI the designed place is kept as it is, wherever it lies.
  if (dpi != kDesignDpi) place = InsideWorkArea(place, width, height);
  MoveWindowTo(handle_, TBounds{place.x, place.y, width, height});
}

HFONT TWindow::Font(const TFontDesign& design) {
  for (const TOwnedFont& font : fonts_) {
    if (SameFont(font.Design, design)) return font.Handle.Get();
  }
  fonts_.push_back(TOwnedFont{design, MakeFont(design, DpiOf(handle_))});
  return fonts_.back().Handle.Get();
}

RECT TWindow::DockBottom(TWindow& bar, int height) {
  RECT client{};
  GetClientRect(handle_, &client);
  const int bar_top = client.bottom - ScaleToDpi(height, DpiOf(handle_));
  bar.PlaceInPixels(RECT{0, bar_top, client.right, client.bottom});
  return RECT{0, 0, client.right, bar_top};
}

void TWindow::FollowDpiChange(int dpi, const RECT& suggested) {
  MoveWindowTo(handle_, TBounds{suggested.left, suggested.top, suggested.right - suggested.left,
                                suggested.bottom - suggested.top});
  LayOutChildren(dpi);
}

void TWindow::LayOutChildren(int dpi) {
  // Each child is laid out as it was created: placed, then given its font.
  // The old fonts live until no child uses them any more.
  std::vector<std::pair<HFONT, TFont>> replaced;
  for (TOwnedFont& font : fonts_) {
    TFont fresh = MakeFont(font.Design, dpi);
    const HFONT handle = fresh.Get();
    replaced.emplace_back(handle, std::exchange(font.Handle, std::move(fresh)));
  }
  for (HWND child : Descendants(handle_)) {
    if (TControl* control = TControl::Of(child)) {
      control->LayOut(dpi);
    } else if (TWindow* window = TWindow::Of(child); window != nullptr && window->bounds_) {
      MoveWindowTo(child, ScaleBounds(*window->bounds_, dpi));
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    for (const auto& [fresh, old] : replaced) {
      if (font != nullptr && font == old.Get()) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fresh), TRUE);
    }
  }
  RedrawWindow(handle_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace win
