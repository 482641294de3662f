#include "capture/win/screen_banner.h"

void TScreenBanner::Draw(HDC screen, const RECT& screen_bounds, const TBannerLook& look, std::wstring_view text,
                         const std::function<POINT(SIZE)>& place) {
  // One memory DC measures the text, keeps the pixels underneath and draws.
  win::TCreatedDC dc(CreateCompatibleDC(screen));
  win::TSelectObject font_selection(dc.Get(), look.Font);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
  const POINT origin = place(size);
  const RECT banner{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
  if (!IntersectRect(&saved_rect_, &banner, &screen_bounds)) {
    saved_rect_ = {};
    saved_.Reset();
    return;
  }
  const int width = saved_rect_.right - saved_rect_.left;
  const int height = saved_rect_.bottom - saved_rect_.top;
  saved_.Reset(CreateCompatibleBitmap(screen, width, height));
  {
    win::TSelectObject saved_selection(dc.Get(), saved_.Get());
    BitBlt(dc.Get(), 0, 0, width, height, screen, saved_rect_.left, saved_rect_.top, SRCCOPY);
  }
  win::TBitmapHandle picture(CreateCompatibleBitmap(screen, size.cx, size.cy));
  win::TSelectObject picture_selection(dc.Get(), picture.Get());
  SetTextColor(dc.Get(), look.Text);
  SetBkColor(dc.Get(), look.Background);
  SetBkMode(dc.Get(), OPAQUE);
  TextOutW(dc.Get(), 0, 0, text.data(), static_cast<int>(text.size()));
  BitBlt(screen, saved_rect_.left, saved_rect_.top, width, height, dc.Get(), saved_rect_.left - origin.x,
         saved_rect_.top - origin.y, SRCCOPY);
}

void TScreenBanner::Erase(HDC screen) const {
  if (!saved_) return;
  win::TCreatedDC dc(CreateCompatibleDC(screen));
  win::TSelectObject saved_selection(dc.Get(), saved_.Get());
  BitBlt(screen, saved_rect_.left, saved_rect_.top, saved_rect_.right - saved_rect_.left,
         saved_rect_.bottom - saved_rect_.top, dc.Get(), 0, 0, SRCCOPY);
}
