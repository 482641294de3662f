#include "mail/win/mail_address_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// What the user does in the "Address" dialog once it shows: the texts the
// two fields showed, the texts typed over them and the button pressed.
struct TUser {
  std::vector<std::wstring> Shown;
  std::wstring Name, Address;
  int Button = IDOK;
};

TUser* ActiveUser = nullptr;

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"TMailAddressDlg", L"Address");
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  const std::wstring* typed[] = {&ActiveUser->Name, &ActiveUser->Address};
  HWND field = nullptr;
  for (const std::wstring* text : typed) {
    field = FindWindowExW(dialog, field, L"Edit", nullptr);
    wchar_t shown[300] = {};
    GetWindowTextW(field, shown, 300);
    ActiveUser->Shown.push_back(shown);
    SetWindowTextW(field, text->c_str());
  }
  SendMessageW(GetDlgItem(dialog, ActiveUser->Button), BM_CLICK, 0, 0);
}

TEST(MailAddressDialog, OkCopiesTheFieldsBackAndCancelLeavesTheAddress) {
  const std::string long_name(300, 'n');
  struct TCase {
    int Button;
    std::wstring Name, Address;
    bool Changed;
    std::string NameAfter, AddressAfter;
  } cases[] = {
      {IDOK, L"Bob Receiver", L"bob@example.org", true, "Bob Receiver", "bob@example.org"},
      {IDOK, std::wstring(300, L'n'), L"", true, long_name.substr(0, 255), ""},
      {IDCANCEL, L"Someone Else", L"else@example.org", false, "Jane Sender", "jane@example.com"},
  };
  for (const TCase& c : cases) {
    TmsMailAddress address("jane@example.com", "Jane Sender");
    TUser user{{}, c.Name, c.Address, c.Button};
    ActiveUser = &user;
    SetTimer(nullptr, 0, 20, ActOnDialog);
    EXPECT_EQ(EditMailAddress(nullptr, address), c.Changed);
    EXPECT_EQ(user.Shown, (std::vector<std::wstring>{L"Jane Sender", L"jane@example.com"}));
    EXPECT_EQ(address.Name(), c.NameAfter);
    EXPECT_EQ(address.Address(), c.AddressAfter);
  }
}

}  // namespace
