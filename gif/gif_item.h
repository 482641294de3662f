// The pieces a GIF image is made of, each writing itself to a stream, and
// the owning lists that hold them.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "platform/stream.h"

class TGIFImage;

class TGIFItem {
 public:
  explicit TGIFItem(TGIFImage* image) : image_(image) {}
  virtual ~TGIFItem() = default;
  TGIFItem(const TGIFItem&) = delete;
  TGIFItem& operator=(const TGIFItem&) = delete;

  // The image this item belongs to (null for a free-standing item).
  TGIFImage* Image() const { return image_; }
  virtual void SaveToStream(TStream& stream) const = 0;

 private:
  TGIFImage* image_;
};

// An ordered list that owns its items.
template <class T>
class TGIFList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  T& operator[](int index) { return *items_[static_cast<std::size_t>(index)]; }
  const T& operator[](int index) const { return *items_[static_cast<std::size_t>(index)]; }
  T& Add(std::unique_ptr<T> item) {
    items_.push_back(std::move(item));
    return *items_.back();
  }
  void Clear() { items_.clear(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<T>> items_;
};
