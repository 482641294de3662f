// The run-length encoder: it never builds strings from the data, it only
// codes runs of one colour with the table entries that every LZW decoder
// builds anyway (after a clear, the k-th code may stand for k pixels of
// the previous colour), so any GIF decoder reads its output.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "gif/gif_encoder.h"

class TRLEEncoder final : public TGIFEncoder {
 protected:
  void EncodePixels() override;

 private:
  // What each code changes besides the output: the run being counted and
  // what the decoder's table holds.
  struct TRunState {
    std::uint32_t runColor = 0;    // colour of the run being counted
    std::uint32_t tableColor = 0;  // colour whose runs the table's entries hold
    int tableLength = 0;           // longest run one entry stands for; 0 after a clear
    int codeCount = 0;             // codes since the last clear
    int clearLimit = 0;            // code count at which a clear is forced
  };

  template <bool Checked>
  void EncodeRuns();

  // Adds `code` and counts it the way a decoder adds table entries. Codes
  // gather in codes_ until WriteCodes packs them: the code size, which the
  // count of codes since a clear alone decides, is then known for whole
  // stretches of codes at once.
  void CountedOutput(std::uint32_t code) {
    freshTable_ = false;
    *codeEnd_++ = static_cast<std::uint16_t>(code);
    if (++run_.codeCount >= run_.clearLimit) Clear();
  }
  void Clear();
  // Codes a run of `count` pixels of the run colour.
  void EmitRun(std::int64_t count);
  // The same one code at a time, for the runs EmitRun does not take at once.
  void EmitRunCodeByCode(std::int64_t count);
  void RunAfterClear(std::int64_t count);
  void RunFromTable(std::int64_t count);
  void RunByClearOrLiterals(std::int64_t count);
  void RestoreClearLimit();
  // Codes that RunAfterClear needs for `count` pixels.
  std::int64_t Cost(std::int64_t count) const {
    return count < kSmallRuns ? smallRunCosts_[static_cast<std::size_t>(count)] : CostOfLongRun(count);
  }
  std::int64_t CostOfLongRun(std::int64_t count) const;
  // Packs the gathered codes at their sizes and empties codes_.
  void WriteCodes();

  // Most runs are short; their costs are worked out once per frame.
  static constexpr std::int64_t kSmallRuns = 64;
  std::array<int, kSmallRuns> smallRunCosts_{};

  // Between the steps of the pass over the pixels.
  TRunState run_;

  // Constants of a frame; counts of codes stay below 4096.
  int sizeStepStart_ = 0;
  int clearLimitStart_ = 0;
  int codeBudget_ = 0;

  // The gathered codes; each clear code starts a table, and clearAt_
  // holds where. A table has fewer than 4096 codes, and EmitRun writes up
  // to four places past its last code, so the codes are packed when a
  // clear finds less room than that left.
  static constexpr std::size_t kCodes = 16384;
  static constexpr std::size_t kTableRoom = 4096 + 8;
  std::array<std::uint16_t, kCodes> codes_;
  std::uint16_t* codeEnd_ = nullptr;
  std::array<std::uint16_t, kCodes> clearAt_;
  std::size_t clearCount_ = 0;
};
