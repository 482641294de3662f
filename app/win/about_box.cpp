#include "app/win/about_box.h"

#include "platform/win32/text.h"

namespace {

constexpr int kWidth = 320, kHeight = 178;
constexpr int kOkId = 1, kWebSiteId = 2, kUpdateId = 3;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr win::TFontDesign kFont{L"Arial", 13};
constexpr win::TFontDesign kTitleFont{L"Arial", 18};

const win::TWindowClass& AboutClass() {
  static const win::TWindowClass about_class(win::TWindow::ClassDescription(L"TAboutBox"));
  return about_class;
}

}  // namespace

TAboutBox::TAboutBox(HWND owner, const TVersionInfo& version, TLinks links) {
  const std::wstring product = win::Widen(version.ProductName());
  CreateForm(owner, AboutClass().Name(), L"About " + product, kStyle, kWidth, kHeight);
  SetDefaultButton(kOkId);
  ProductLabel = std::make_unique<win::TLabel>(Handle(), product, win::TBounds{16, 14, 280, 24});
  VersionLabel = std::make_unique<win::TLabel>(Handle(), product + win::Widen(version.VersionLabel()),
                                               win::TBounds{16, 42, 280, 16});
  CopyrightLabel = std::make_unique<win::TLabel>(Handle(), win::Widen(version.Strings().LegalCopyright),
                                                 win::TBounds{16, 60, 280, 16});
  WebSiteButton =
      std::make_unique<win::TButton>(Handle(), L"&Web Site", BS_PUSHBUTTON, win::TBounds{16, 100, 88, 25}, kWebSiteId);
  UpdateButton = std::make_unique<win::TButton>(Handle(), L"&Update Page", BS_PUSHBUTTON,
                                                win::TBounds{112, 100, 88, 25}, kUpdateId);
  OkButton = std::make_unique<win::TButton>(Handle(), L"OK", BS_DEFPUSHBUTTON, win::TBounds{224, 100, 72, 25}, kOkId);
  ProductLabel->SetFont(Font(kTitleFont));
  for (win::TControl* control : std::initializer_list<win::TControl*>{
           VersionLabel.get(), CopyrightLabel.get(), WebSiteButton.get(), UpdateButton.get(), OkButton.get()}) {
    control->SetFont(Font(kFont));
  }
  WebSiteButton->OnClick = std::move(links.OpenWebSite);
  UpdateButton->OnClick = std::move(links.OpenUpdatePage);
  OkButton->OnClick = [this] { Close(); };
  OkButton->SetFocus();
}

TAboutBox::~TAboutBox() = default;
