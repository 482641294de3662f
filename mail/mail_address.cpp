#include "mail/mail_address.h"

#include <stdexcept>

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

void TmsAddressList::Add(std::unique_ptr<TmsMailAddress> address) {
  if (!address) throw std::invalid_argument("TmsAddressList::Add: no address object");
  items_.push_back(std::move(address));
}

TmsMailAddress& TmsAddressList::Add(std::string_view address, std::string_view name) {
  items_.push_back(std::make_unique<TmsMailAddress>(address, name));
  return *items_.back();
}

void TmsAddressList::Assign(const TmsAddressList& source) {
  if (&source == this) return;
  std::vector<std::unique_ptr<TmsMailAddress>> copies;
  copies.reserve(source.items_.size());
  for (const auto& item : source.items_) copies.push_back(std::make_unique<TmsMailAddress>(*item));
  items_ = std::move(copies);
}
