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
    int slot = static_cast<int>((key ^ (key >> 4)) % kSlots);
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
  void OutputCode(std::uint32_t code);

  THashTable table_;
  std::uint32_t nextFree_ = 0;
  std::uint32_t largestCode_ = 0;
};
