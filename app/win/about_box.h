// The About box: the product's name and version from the program's version
// resource, and buttons that open the web site and the update page.
#pragma once

#include <functional>
#include <memory>

#include "app/version_info.h"
#include "platform/win32/control.h"
#include "platform/win32/form.h"

class TAboutBox : public win::TForm {
 public:
  struct TLinks {
    std::function<void()> OpenWebSite;
    std::function<void()> OpenUpdatePage;
  };

  TAboutBox(HWND owner, const TVersionInfo& version, TLinks links);
  ~TAboutBox() override;

 private:
  std::unique_ptr<win::TLabel> ProductLabel;
  std::unique_ptr<win::TLabel> VersionLabel;
  std::unique_ptr<win::TLabel> CopyrightLabel;
  std::unique_ptr<win::TButton> WebSiteButton;
  std::unique_ptr<win::TButton> UpdateButton;
  std::unique_ptr<win::TButton> OkButton;
};
