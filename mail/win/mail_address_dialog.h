// TMailAddressDlg, the "Address" dialog: edits one mail address (name and
// address) and gives it back only when the user confirms with OK.
#pragma once

#include <memory>

#include "mail/mail_address.h"
#include "platform/win32/control.h"
#include "platform/win32/form.h"

class TMailAddressDlg : public win::TForm {
 public:
  explicit TMailAddressDlg(HWND owner);
  ~TMailAddressDlg() override;

  // Shows the dialog for a copy of `address`; true when closed with OK.
  bool Execute(const TmsMailAddress& address);
  // The edited address, filled by OK.
  const TmsMailAddress& Address() const { return *address_; }

 private:
  void OKButtonClick();

  std::unique_ptr<TmsMailAddress> address_;
  bool confirmed_ = false;
  win::TEdit* NameEdit = nullptr;
  win::TEdit* AddressEdit = nullptr;
};

// The address record's edit operation: opens the dialog for `address` and
// copies the result back into it on OK. True when it was changed so.
bool EditMailAddress(HWND owner, TmsMailAddress& address);
