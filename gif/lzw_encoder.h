// The classic LZW compressor: strings of pixels are looked up in a hash
// table of (prefix code, pixel) keys; codes grow from the initial size to
// 12 bits, and a clear code restarts the table once it is full.
#pragma once

#include <array>
#include <cstdint>

#include "gif/gif_encoder.h"

// 8009 slots of 32 bits. A used slot holds (key << 12) | code; a slot whose
// upper 20 bits are all ones is empty. The probe sequence doubles the slot
// modulo 8009, whose cycles are 4004 long, longer than the 3837 entries a
// table can hold, so a probe always ends.
class THashTable {
 public:
  static constexpr int kSlots = 8009;

  THashTable() { Clear(); }
  void Clear() { slots_.fill(0xFFFFFFFFu); }

  // The slot holding `key`, or the first empty slot of its probe sequence.
  int Find(std::uint32_t key) const {
    int slot = StartSlot(key);
    const std::uint32_t tag = key << 12;
    for (;;) {
      const std::uint32_t value = slots_[slot];
      if ((value & 0xFFFFF000u) == 0xFFFFF000u || (value & 0xFFFFF000u) == tag) return slot;
      const int step = slot == 0 ? 1 : kSlots - slot;
      slot -= step;
      if (slot < 0) slot += kSlots;
    }
  }
  bool IsUsed(int slot) const { return (slots_[slot] & 0xFFFFF000u) != 0xFFFFF000u; }
  std::uint32_t CodeAt(int slot) const { return slots_[slot] & 0xFFFu; }
  void Store(int slot, std::uint32_t key, std::uint32_t code) { slots_[slot] = (key << 12) | (code & 0xFFFu); }

  // (key ^ (key >> 4)) mod 8009. Keys have 20 bits, for which a multiply
  // by 2^44 / 8009 (rounded up) and a shift give the exact quotient.
  static int StartSlot(std::uint32_t key) {
    const std::uint64_t x = key ^ (key >> 4);
    const std::uint64_t quotient = (x * 2196552135ull) >> 44;
    return static_cast<int>(x - quotient * kSlots);
  }

 private:
  std::array<std::uint32_t, kSlots> slots_;
};

class TLZWEncoder final : public TGIFEncoder {
 protected:
  void EncodePixels() override;

 private:
  template <bool Checked>
  void EncodeStrings();

  void Clear();
  // After each code the size follows the table: it grows once the next
  // free code no longer fits, stops at 12 bits, and falls back to the
  // initial size right after a clear code.
  void OutputCode(std::uint32_t code) {
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
  // Entries of recent_: (code << 9) | 0x100 | pixel; 0 is none.
  static constexpr std::uint32_t kKnown = 0x100;
  void Remember(std::uint32_t prefix, std::uint8_t pixel, std::uint32_t code) {
    recent_[prefix][1] = recent_[prefix][0];
    recent_[prefix][0] = code << 9 | kKnown | pixel;
  }

  THashTable table_;
  // The two strings last found or made from each prefix code: the next
  // pixel and its code. Pictures repeat the same continuations, so nine
  // pixels in ten are found here with one load, where the hash lookup is
  // a chain of arithmetic and an unpredictable branch; the hash table
  // stays the authority, so the codes are the same either way.
  std::array<std::array<std::uint32_t, 2>, 4096> recent_{};
  std::uint32_t nextFree_ = 0;
  std::uint32_t largestCode_ = 0;
};
