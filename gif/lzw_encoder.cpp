#include "gif/lzw_encoder.h"

#include <cstddef>
#include <utility>

#include "gif/pixel_runs.h"

namespace {

constexpr std::uint32_t kTableLimit = 4095;
// Runs of more pixels than this after a new string are walked at once.
constexpr std::ptrdiff_t kShortestJump = 4;

}  // namespace

void TLZWEncoder::EncodePixels() {
  largestCode_ = (1u << output_.codeSize) - 1;
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
      AddString(prefix, pixel, child);
      prefix = pixel;
      // The pixel starts a new string; when more of it follow, the whole
      // run goes through the table's strings of that pixel at once.
      const std::uint8_t* runEnd = RunEnd(p + 1, span->end, pixel);
      if (runEnd - p > kShortestJump) {
        prefix = EncodeRun(pixel, static_cast<std::size_t>(runEnd - p - 1));
        p = runEnd - 1;
      }
    }
  }
  OutputCode(prefix);
}

void TLZWEncoder::AddString(std::uint32_t prefix, std::uint8_t pixel, std::uint16_t& child) {
  if (nextFree_ >= kTableLimit) {
    Clear();
    return;
  }
  const std::uint32_t code = nextFree_++;
  Remember(prefix, pixel, code);
  child = static_cast<std::uint16_t>(code);
  used_.push_back(prefix << 8 | pixel);
  // A string of one pixel repeated grows its pixel's chain by one.
  auto& chain = runCodes_[pixel];
  const bool extendsRun = prefix == pixel ? chain.empty() : !chain.empty() && chain.back() == prefix;
  if (extendsRun) chain.push_back(static_cast<std::uint16_t>(code));
}

// With `pixel` as the string so far and `count` more of it to come: where
// the pixel's chain holds the longer string the walk ends there; else the
// walk reaches the chain's end, whose code goes out as at any miss, and the
// string that the next pixel would add is added, which lengthens the chain.
std::uint32_t TLZWEncoder::EncodeRun(std::uint8_t pixel, std::size_t count) {
  std::size_t length = 1;  // of the current string, all `pixel`
  for (;;) {
    const auto& chain = runCodes_[pixel];
    const std::size_t longest = chain.size() + 1;
    if (length + count <= longest) {
      length += count;
      return length == 1 ? pixel : chain[length - 2];
    }
    count -= longest - length + 1;
    const std::uint32_t top = longest == 1 ? pixel : chain[longest - 2];
    OutputCode(top);
    AddString(top, pixel, children_[top << 8 | pixel]);
    length = 1;
  }
}

void TLZWEncoder::Clear() {
  freshTable_ = true;
  OutputCode(clearCode_);
  for (const std::uint32_t key : used_) children_[key] = 0;
  used_.clear();
  recent_.fill({0, 0});
  for (auto& chain : runCodes_) chain.clear();
  nextFree_ = clearCode_ + 2;
}
