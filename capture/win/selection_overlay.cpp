#include "capture/win/selection_overlay.h"

#include "capture/shape_figures.h"
#include "capture/win/capture_rect.h"
#include "capture/win/figure_drawing.h"
#include "platform/win32/text.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

HFONT DefaultFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The default font's face at 12 points.
HFONT CreateWaitingFont(HDC screen) {
  LOGFONTW font{};
  GetObjectW(DefaultFont(), sizeof(font), &font);
  font.lfHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
  font.lfWidth = 0;
  return CreateFontIndirectW(&font);
}

}  // namespace

TSelectionOverlay::TSelectionOverlay(TShapeKind kind, const TShapeStyle& style)
    : kind_(kind), style_(style), canvas_(std::in_place), screen_bounds_(ScreenRect()) {
  waiting_font_.Reset(CreateWaitingFont(canvas_->Get()));
}

TSelectionOverlay::~TSelectionOverlay() {
  if (phase_ == TPhase::Waiting) banner_.Erase(canvas_->Get());
  if (phase_ == TPhase::Dragging) GrabRect(true);
}

void TSelectionOverlay::WaitStart() {
  POINT cursor{};
  GetCursorPos(&cursor);
  WaitStart(cursor);
}

void TSelectionOverlay::WaitStart(POINT cursor) {
  if (phase_ != TPhase::Opened) return;
  selection_ = TSelection::WaitingAt({cursor.x, cursor.y});
  DrawWaitingBanner();
  phase_ = TPhase::Waiting;
}

void TSelectionOverlay::WaitMove(int x, int y) {
  if (phase_ != TPhase::Waiting) return;
  banner_.Erase(canvas_->Get());
  selection_.WaitMove({x, y});
  DrawWaitingBanner();
}

void TSelectionOverlay::Press(int x, int y) {
  if (phase_ != TPhase::Waiting) return;
  banner_.Erase(canvas_->Get());
  selection_.Press({x, y});
  GrabRect(false);
  phase_ = TPhase::Dragging;
}

void TSelectionOverlay::Drag(int x, int y) {
  if (phase_ != TPhase::Dragging) return;
  GrabRect(true);
  selection_.Drag({x, y});
  GrabRect(false);
}

void TSelectionOverlay::ToggleMoveMode() {
  if (phase_ != TPhase::Released) selection_.ToggleMoveMode();
}

RECT TSelectionOverlay::Release(int x, int y) {
  if (phase_ == TPhase::Released) return {};
  if (phase_ == TPhase::Waiting) banner_.Erase(canvas_->Get());
  if (phase_ == TPhase::Dragging) GrabRect(true);
  phase_ = TPhase::Released;
  canvas_.reset();
  const TRect r = selection_.Release({x, y}, kind_);
  return {r.Left, r.Top, r.Right, r.Bottom};
}

void TSelectionOverlay::DrawWaitingBanner() {
  const TPoint place = WaitingBannerPlace(selection_.SelRect);
  banner_.Draw(canvas_->Get(), screen_bounds_, {waiting_font_.Get(), kWhite, kBlack}, win::Widen(kWaitingBannerText),
               [place](SIZE) {
                 return POINT{place.X, place.Y};
               });
}

void TSelectionOverlay::GrabRect(bool erase) {
  HDC dc = canvas_->Get();
  const TRect& r = selection_.SelRect;
  if (erase) banner_.Erase(dc);
  DrawFigure(dc, SelectionFigure(kind_, style_, r));
  const POINT frame[] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, {r.Left, r.Top}};
  Polyline(dc, frame, 5);
  if (erase) return;
  const TBannerNumbers numbers = SizeBannerNumbers(kind_, r);
  banner_.Draw(dc, screen_bounds_, {DefaultFont(), kBlack, kWhite}, win::Widen(SizeBannerText(numbers)),
               [&](SIZE text) {
                 const TPoint place = SizeBannerPlace(r, numbers.Width, text.cx);
                 return POINT{place.X, place.Y};
               });
}
