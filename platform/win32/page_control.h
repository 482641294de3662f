// A page control: a tab control whose pages are panels, one shown at a
// time. Alt plus the underlined letter of a page's caption shows that page.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/control.h"
#include "platform/win32/panel.h"

namespace win {

class TPageControl : public TControl {
 public:
  TPageControl(HWND parent, TBounds bounds, const std::vector<std::wstring>& captions);
  void LayOut(int dpi) override;

  HWND Page(int index) const { return pages_.at(static_cast<std::size_t>(index))->Handle(); }
  int ActivePage() const;
  void SetActivePage(int index);
  // The page whose caption underlines `letter` (any case), or -1.
  int PageOfMnemonic(wchar_t letter) const;

 private:
  // Lays the pages over the tab control's display area.
  void LayOutPages();

  std::vector<std::wstring> captions_;
  std::vector<std::unique_ptr<TPanel>> pages_;
};

}  // namespace win
