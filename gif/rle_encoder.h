// The run-length encoder: it never builds strings from the data, it only
// codes runs of one colour with the table entries that every LZW decoder
// builds anyway (after a clear, the k-th code may stand for k pixels of
// the previous colour), so any GIF decoder reads its output.
#pragma once

#include <algorithm>
#include <array>
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
    int sizeStep = 0;              // code count at which the code size grows next
    int clearLimit = 0;            // code count at which a clear is forced
  };

  template <bool Checked>
  void EncodeRuns();

  // Writes `code` and counts it the way a decoder adds table entries (one
  // per code after the first following a clear), which keeps both code
  // sizes in step.
  void CountedOutput(std::uint32_t code) {
    freshTable_ = false;
    Output(code);
    ++run_.codeCount;
    if (run_.codeCount >= run_.sizeStep) {
      run_.sizeStep += 1 << output_.codeSize;
      ++output_.codeSize;
    }
    if (run_.codeCount >= run_.clearLimit) Clear();
  }
  void Clear();
  // Codes a run of `count` pixels of the run colour.
  void EmitRun(std::int64_t count) {
    // Three runs in four take one code, which never calls for anything but
    // perhaps a clear after it: a single pixel, or a run that the table's
    // strings of its colour already hold (the k-th entry stands for k
    // pixels). One comparison tells them from the others; the processor
    // would mispredict the several branches of spelling it out.
    const int tableHolds = int{!freshTable_} & int{run_.tableColor == run_.runColor};
    const std::int64_t oneCode = std::max(run_.tableLength * tableHolds, 1);
    if (count <= oneCode) {
      // The colour for one pixel, else the entry for `count` pixels
      // (base + count - 2), picked without a branch.
      const auto entry = baseCode_ + static_cast<std::uint32_t>(count) - 2;
      const std::uint32_t single = count == 1;
      CountedOutput(entry + single * (run_.runColor - entry));
    } else {
      EmitLongerRun(count);
    }
  }
  // The runs that take more than one code, or follow a clear.
  void EmitLongerRun(std::int64_t count);
  void RunAfterClear(std::int64_t count);
  void RunFromTable(std::int64_t count);
  void RunByClearOrLiterals(std::int64_t count);
  void RestoreClearLimit();
  // Codes that RunAfterClear needs for `count` pixels.
  std::int64_t Cost(std::int64_t count) const {
    return count < kSmallRuns ? smallRunCosts_[static_cast<std::size_t>(count)] : CostOfLongRun(count);
  }
  std::int64_t CostOfLongRun(std::int64_t count) const;

  // Most runs are short; their costs are worked out once per frame.
  static constexpr std::int64_t kSmallRuns = 64;
  std::array<int, kSmallRuns> smallRunCosts_{};

  // Between the steps of the pass over the pixels.
  TRunState run_;

  // Constants of a frame; counts of codes stay below 4096.
  int sizeStepStart_ = 0;
  int clearLimitStart_ = 0;
  int codeBudget_ = 0;
};
