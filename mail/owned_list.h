// An ordered list that owns its items and copies them deeply, the common
// ground of the message model's address and attachment lists.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <vector>

template <typename T>
class TOwnedList {
 public:
  TOwnedList() = default;
  TOwnedList(const TOwnedList& source) { Assign(source); }
  TOwnedList& operator=(const TOwnedList& source) {
    Assign(source);
    return *this;
  }

  std::size_t Count() const { return items_.size(); }
  // Raises std::out_of_range for an index past the end.
  T& Items(std::size_t index) { return *items_.at(index); }
  const T& Items(std::size_t index) const { return *items_.at(index); }

  // Takes ownership of an existing item.
  void Add(std::unique_ptr<T> item) {
    if (!item) throw std::invalid_argument("TOwnedList::Add: no item");
    items_.push_back(std::move(item));
  }
  void Clear() { items_.clear(); }
  // Replaces the items by copies of `source`'s.
  void Assign(const TOwnedList& source) {
    if (&source == this) return;
    std::vector<std::unique_ptr<T>> copies;
    copies.reserve(source.items_.size());
    for (const auto& item : source.items_) copies.push_back(std::make_unique<T>(*item));
    items_ = std::move(copies);
  }

 protected:
  T& Append(std::unique_ptr<T> item) {
    items_.push_back(std::move(item));
    return *items_.back();
  }

 private:
  std::vector<std::unique_ptr<T>> items_;
};
