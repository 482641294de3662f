// Mail addresses of the message model: one address with its display name,
// and an ordered list of addresses that owns its entries.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

class TmsAddressList {
 public:
  TmsAddressList() = default;
  TmsAddressList(const TmsAddressList& source) { Assign(source); }
  TmsAddressList& operator=(const TmsAddressList& source) {
    Assign(source);
    return *this;
  }

  std::size_t Count() const { return items_.size(); }
  // Raises std::out_of_range for an index past the end.
  TmsMailAddress& Items(std::size_t index) { return *items_.at(index); }
  const TmsMailAddress& Items(std::size_t index) const { return *items_.at(index); }

  // Takes ownership of an existing address object.
  void Add(std::unique_ptr<TmsMailAddress> address);
  // Creates the entry; note the order, address first.
  TmsMailAddress& Add(std::string_view address, std::string_view name);
  void Clear() { items_.clear(); }
  // Deep copy of every entry.
  void Assign(const TmsAddressList& source);

 private:
  std::vector<std::unique_ptr<TmsMailAddress>> items_;
};
