// The classic LZW compressor: strings of pixels are found by (prefix code,
// pixel) keys; codes grow from the initial size to 12 bits, and a clear
// code restarts the table once it is full.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gif/gif_encoder.h"

class TLZWEncoder final : public TGIFEncoder {
 protected:
  void EncodePixels() override;

 private:
  template <bool Checked>
  void EncodeStrings();

  void Clear();
  // Adds the string `prefix` + `pixel` under the next free code (stored in
  // `child`, its slot in the string table), or clears a full table.
  void AddString(std::uint32_t prefix, std::uint8_t pixel, std::uint16_t& child);
  // Codes a run of `count` more `pixel`s after a string of one `pixel`;
  // returns the code of the string it ends with.
  std::uint32_t EncodeRun(std::uint8_t pixel, std::size_t count);
  // After each code the size follows the table: it grows once the next
  // free code no longer fits, stops at 12 bits, and falls back to the
  // initial size right after a clear code.
  void OutputCode(std::uint32_t code) {
    Output(code);
    if (nextFree_ > largestCode_ || freshTable_) {
      if (freshTable_) {
        output_.codeSize = initialCodeSize_;
        largestCode_ = (1u << output_.codeSize) - 1;
        freshTable_ = false;
      } else {
        ++output_.codeSize;
        largestCode_ = output_.codeSize == 12 ? 4096 : (1u << output_.codeSize) - 1;
      }
    }
  }
  // Entries of recent_: (code << 9) | 0x100 | pixel; 0 is none.
  static constexpr std::uint32_t kKnown = 0x100;
  void Remember(std::uint32_t prefix, std::uint8_t pixel, std::uint32_t code) {
    recent_[prefix][1] = recent_[prefix][0];
    recent_[prefix][0] = code << 9 | kKnown | pixel;
  }

  // The string table: the code of each (prefix code, pixel) key, at
  // prefix * 256 + pixel, or 0 for none (no string has code 0). A clear
  // resets only the keys stored since the last one, listed in used_.
  std::vector<std::uint16_t> children_;
  std::vector<std::uint32_t> used_;
  // Per pixel value, the codes of its strings of 2, 3, ... pixels of it,
  // which the table always holds as an unbroken chain from the shortest.
  std::array<std::vector<std::uint16_t>, 256> runCodes_;
  // The two strings last found or made from each prefix code: the next
  // pixel and its code. Pictures repeat the same continuations, so nine
  // pixels in ten are found here with one load from a small table that
  // stays in the cache; the string table stays the authority, so the codes
  // are the same either way.
  std::array<std::array<std::uint32_t, 2>, 4096> recent_{};
  std::uint32_t nextFree_ = 0;
  std::uint32_t largestCode_ = 0;
};
