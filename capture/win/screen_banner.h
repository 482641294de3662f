// A line of text shown straight on the display as a bitmap, over pixels it
// saves first and puts back when it is erased. Only the part of the banner
// that lies on the virtual screen (every monitor) is saved and drawn: a copy
// from the display whose source reaches past its edge is not reliable
// (under Wine it comes back black as a whole).
#pragma once

#include <functional>
#include <string_view>

#include "platform/win32/handles.h"
#include "platform/win32/windows_api.h"

struct TBannerLook {
  HFONT Font;
  COLORREF Text;
  COLORREF Background;
};

class TScreenBanner {
 public:
  // Measures `text`, asks `place` for the banner's top-left given the
  // text's size, saves the screen pixels there and shows the text.
  void Draw(HDC screen, const RECT& screen_bounds, const TBannerLook& look, std::wstring_view text,
            const std::function<POINT(SIZE)>& place);

  // Puts back the pixels saved by the last Draw; nothing before the first.
  // The saved pixels are kept, so erasing twice restores twice.
  void Erase(HDC screen) const;

 private:
  win::TBitmapHandle saved_;
  RECT saved_rect_{};  // on the screen; empty when nothing is saved
};
