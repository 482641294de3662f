// Colour maps of a GIF file: the global one of the logical screen and the
// local one of each frame.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/stream.h"

struct TGIFColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

// The bit count for n colours: 0 for none, else the smallest b >= 1 with
// 2^b >= n.
int BitsForColorCount(int count);

class TGIFColorMap {
 public:
  static constexpr int kMaxColors = 256;

  int Count() const { return count_; }
  int Capacity() const { return static_cast<int>(entries_.size()); }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted) { sorted_ = sorted; }
  int BitsPerPixel() const { return BitsForColorCount(count_); }
  const TGIFColor& operator[](int index) const { return entries_[static_cast<std::size_t>(index)]; }

  // Appends one colour and returns its index; a full map raises
  // "Color table overflow".
  int Add(const TGIFColor& color);
  // The index of `color`, or -1.
  int IndexOf(const TGIFColor& color) const;
  void Clear();

  // The entries, then black until 2^BitsPerPixel() entries were written.
  void SaveToStream(TStream& stream) const;

 private:
  void Grow(int count);

  std::vector<TGIFColor> entries_;
  int count_ = 0;
  bool sorted_ = false;
};

class TGIFGlobalColorMap final : public TGIFColorMap {};
class TGIFLocalColorMap final : public TGIFColorMap {};
