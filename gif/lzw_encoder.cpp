#include "gif/lzw_encoder.h"

namespace {

constexpr std::uint32_t kTableLimit = 4095;

}  // namespace

void TLZWEncoder::EncodePixels() {
  largestCode_ = (1u << codeSize_) - 1;
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
      const std::uint32_t key = (prefix << 8) | pixel;
      const int slot = table_.Find(key);
      if (table_.IsUsed(slot)) {
        prefix = table_.CodeAt(slot);
        continue;
      }
      OutputCode(prefix);
      prefix = pixel;
      if (nextFree_ < kTableLimit) {
        table_.Store(slot, key, nextFree_++);
      } else {
        Clear();
      }
    }
  }
  OutputCode(prefix);
}

void TLZWEncoder::Clear() {
  freshTable_ = true;
  OutputCode(clearCode_);
  table_.Clear();
  nextFree_ = clearCode_ + 2;
}

// After each code the size follows the table: it grows once the next
// free code no longer fits, stops at 12 bits, and falls back to the
// initial size right after a clear code.
void TLZWEncoder::OutputCode(std::uint32_t code) {
  Output(code);
  if (nextFree_ > largestCode_ || freshTable_) {
    if (freshTable_) {
      codeSize_ = initialCodeSize_;
      largestCode_ = (1u << codeSize_) - 1;
      freshTable_ = false;
    } else {
      ++codeSize_;
      largestCode_ = codeSize_ == 12 ? 4096 : (1u << codeSize_) - 1;
    }
  }
}
