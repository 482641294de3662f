// Mail addresses of the message model: one address with its display name,
// and an ordered list of addresses that owns its entries.
#pragma once

#include <string>
#include <string_view>

#include "mail/owned_list.h"

class TmsMailAddress {
 public:
  TmsMailAddress() = default;
  TmsMailAddress(std::string_view address, std::string_view name);

  const std::string& Name() const { return name_; }
  const std::string& Address() const { return address_; }
  // Both keep at most 255 characters.
  void SetName(std::string_view name);
  void SetAddress(std::string_view address);

  void Clear();
  void Assign(const TmsMailAddress& source);

 private:
  std::string name_;
  std::string address_;
};

class TmsAddressList : public TOwnedList<TmsMailAddress> {
 public:
  using TOwnedList::Add;
  // Creates the entry; note the order, address first.
  TmsMailAddress& Add(std::string_view address, std::string_view name);
};
