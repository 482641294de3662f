#include "gif/lzw_encoder.h"

#include <utility>

namespace {

constexpr std::uint32_t kTableLimit = 4095;

}  // namespace

void TLZWEncoder::EncodePixels() {
  largestCode_ = (1u << codeSize_) - 1;
  if (children_.empty()) {
    children_.assign(std::size_t{4096} * 256, 0);
    used_.reserve(kTableLimit);
  }
  Clear();
  if (AllColorsValid()) {
    EncodeStrings<false>();
  } else {
    EncodeStrings<true>();
  }
}

template <bool Checked>
void TLZWEncoder::EncodeStrings() {
  bool first = true;
  std::uint32_t prefix = 0;
  while (auto span = NextSpan()) {
    const std::uint8_t* p = span->begin;
    if (first) {
      if constexpr (Checked) CheckColor(*p);
      prefix = *p++;
      first = false;
    }
    for (; p < span->end; ++p) {
      const std::uint8_t pixel = *p;
      if constexpr (Checked) CheckColor(pixel);
      auto& recent = recent_[prefix];
      if ((recent[0] & 0x1FF) == (kKnown | pixel)) {
        prefix = recent[0] >> 9;
        continue;
      }
      if ((recent[1] & 0x1FF) == (kKnown | pixel)) {
        std::swap(recent[0], recent[1]);
        prefix = recent[0] >> 9;
        continue;
      }
      const std::uint32_t key = (prefix << 8) | pixel;
      std::uint16_t& child = children_[key];
      if (child != 0) {
        Remember(prefix, pixel, child);
        prefix = child;
        continue;
      }
      OutputCode(prefix);
      if (nextFree_ < kTableLimit) {
        Remember(prefix, pixel, nextFree_);
        child = static_cast<std::uint16_t>(nextFree_++);
        used_.push_back(key);
      } else {
        Clear();
      }
      prefix = pixel;
    }
  }
  OutputCode(prefix);
}

void TLZWEncoder::Clear() {
  freshTable_ = true;
  OutputCode(clearCode_);
  for (const std::uint32_t key : used_) children_[key] = 0;
  used_.clear();
  recent_.fill({0, 0});
  nextFree_ = clearCode_ + 2;
}
