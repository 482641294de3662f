#include "platform/win32/page_control.h"

#include <commctrl.h>

#include <cwctype>

namespace win {

TPageControl::TPageControl(HWND parent, TBounds bounds, const std::vector<std::wstring>& captions)
    : TControl(parent, CommonControlClass(WC_TABCONTROLW), L"", WS_TABSTOP | WS_CLIPSIBLINGS, bounds, 0),
      captions_(captions) {
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = captions_[i].data();
    SendMessageW(Handle(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  // The pages are siblings laid over the tab control's display area, so
  // that their controls belong to the dialog's keyboard navigation.
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    pages_.push_back(std::make_unique<TPanel>(parent, TBounds{}));
    SetWindowPos(pages_.back()->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  LayOutPages();
  OnNotify = [this](UINT code) {
    if (code == TCN_SELCHANGE) SetActivePage(ActivePage());
  };
  SetActivePage(0);
}

void TPageControl::LayOut(int dpi) {
  TControl::LayOut(dpi);
  LayOutPages();
}

void TPageControl::LayOutPages() {
  RECT display{};
  GetClientRect(Handle(), &display);
  TabCtrl_AdjustRect(Handle(), FALSE, &display);
  MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&display), 2);
  for (const auto& page : pages_) page->PlaceInPixels(display);
}

int TPageControl::ActivePage() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void TPageControl::SetActivePage(int index) {
  SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->SetVisible(static_cast<int>(i) == index);
}

int TPageControl::PageOfMnemonic(wchar_t letter) const {
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    const std::size_t amp = captions_[i].find(L'&');
    if (amp != std::wstring::npos && amp + 1 < captions_[i].size() &&
        std::towupper(captions_[i][amp + 1]) == std::towupper(letter)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace win
