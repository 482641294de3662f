#include "capture/selection_geometry.h"

TSelection TSelection::WaitingAt(TPoint cursor) {
  return {cursor, {cursor.X, cursor.Y, cursor.X, cursor.Y}, cursor, false};
}

void TSelection::WaitMove(TPoint cursor) {
  const std::int32_t dx = cursor.X - MousePoint.X;
  const std::int32_t dy = cursor.Y - MousePoint.Y;
  AnchorPoint = {AnchorPoint.X + dx, AnchorPoint.Y + dy};
  SelRect = SelRect.Offset(dx, dy);
  MousePoint = cursor;
}

void TSelection::Press(TPoint point) {
  AnchorPoint = point;
  SelRect = {point.X, point.Y, point.X, point.Y};
}

void TSelection::Drag(TPoint cursor) {
  if (MoveMode) {
    WaitMove(cursor);
  } else {
    MousePoint = cursor;
    SelRect = SpannedRect(AnchorPoint, cursor);
  }
}

TRect TSelection::Release(TPoint point, TShapeKind kind) {
  MousePoint = point;
  const TRect spanned = SpannedRect(AnchorPoint, point);
  return IsSquareShape(kind) ? CentredSquare(spanned) : spanned;
}

TBannerNumbers SizeBannerNumbers(TShapeKind kind, const TRect& selection) {
  if (IsSquareShape(kind)) {
    const std::int32_t side = CentredSquare(selection).Width();
    return {side, side};
  }
  const std::int32_t extra = kind == skRectangle || kind == skEllipse ? 1 : 0;
  return {selection.Width() + extra, selection.Height() + extra};
}

std::string SizeBannerText(TBannerNumbers numbers) {
  // At most 80 characters with 32-bit numbers, so the banner's limit of 100 never cuts it.
  return "Size: " + std::to_string(numbers.Width) + " x " + std::to_string(numbers.Height) +
         "   Right click to toggle between stretch and move";
}

TPoint WaitingBannerPlace(const TRect& selection) { return {selection.Left + 20, selection.Bottom + 5}; }

TPoint SizeBannerPlace(const TRect& selection, std::int32_t shown_width, std::int32_t text_width) {
  return {selection.Left + (shown_width - text_width) / 2, selection.Bottom + 5};
}
