#include "mail/mail_address.h"

#include "mail/text_limits.h"

TmsMailAddress::TmsMailAddress(std::string_view address, std::string_view name)
    : name_(ShortText(name)), address_(ShortText(address)) {}

void TmsMailAddress::SetName(std::string_view name) { name_ = ShortText(name); }

void TmsMailAddress::SetAddress(std::string_view address) { address_ = ShortText(address); }

void TmsMailAddress::Clear() {
  name_.clear();
  address_.clear();
}

void TmsMailAddress::Assign(const TmsMailAddress& source) {
  name_ = source.name_;
  address_ = source.address_;
}

TmsMailAddress& TmsAddressList::Add(std::string_view address, std::string_view name) {
  return Append(std::make_unique<TmsMailAddress>(address, name));
}
