#include "gif/gif_color_map.h"

#include <algorithm>

#include "gif/gif_exception.h"

int BitsForColorCount(int count) {
  if (count <= 0) return 0;
  int bits = 1;
  while ((1 << bits) < count) ++bits;
  return bits;
}

// Room for 16 entries at first, then in steps of 32, never above 256.
void TGIFColorMap::Grow(int count) {
  const int capacity = count <= 16 ? 16 : std::min((count + 31) / 32 * 32, kMaxColors);
  if (capacity > Capacity()) entries_.resize(static_cast<std::size_t>(capacity));
}

int TGIFColorMap::Add(const TGIFColor& color) {
  if (count_ >= kMaxColors) throw GIFException(sColorTableOverflow);
  Grow(count_ + 1);
  entries_[static_cast<std::size_t>(count_)] = color;
  return count_++;
}

int TGIFColorMap::IndexOf(const TGIFColor& color) const {
  const auto end = entries_.begin() + count_;
  const auto found = std::find(entries_.begin(), end, color);
  return found == end ? -1 : static_cast<int>(found - entries_.begin());
}

void TGIFColorMap::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  count_ = 0;
  sorted_ = false;
}

void TGIFColorMap::SaveToStream(TStream& stream) const {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(3) << BitsPerPixel(), 0);
  if (count_ == 0) return;
  for (int i = 0; i < count_; ++i) {
    bytes[3 * i] = entries_[i].Red;
    bytes[3 * i + 1] = entries_[i].Green;
    bytes[3 * i + 2] = entries_[i].Blue;
  }
  stream.Write(bytes.data(), bytes.size());
}
