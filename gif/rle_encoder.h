// The run-length encoder: it never builds strings from the data, it only
// codes runs of one colour with the table entries that every LZW decoder
// builds anyway (after a clear, the k-th code may stand for k pixels of
// the previous colour), so any GIF decoder reads its output.
#pragma once

#include <array>
#include <cstdint>

#include "gif/gif_encoder.h"

class TRLEEncoder final : public TGIFEncoder {
 protected:
  void EncodePixels() override;

 private:
  template <bool Checked>
  void EncodeRuns();

  void Clear();
  // Counts codes the way a decoder adds table entries (one per code after
  // the first following a clear), which keeps both code sizes in step.
  void CountedOutput(std::uint32_t code) {
    freshTable_ = false;
    Output(code);
    ++codeCount_;
    if (codeCount_ >= sizeStep_) {
      sizeStep_ += std::int64_t{1} << codeSize_;
      ++codeSize_;
    }
    if (codeCount_ >= clearLimit_) Clear();
  }
  void EmitRun(std::int64_t count);
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
  std::array<std::int64_t, kSmallRuns> smallRunCosts_{};

  std::uint32_t runColor_ = 0;
  std::uint32_t tableColor_ = 0;
  std::int64_t tableLength_ = 0;
  std::int64_t codeCount_ = 0;
  std::int64_t sizeStep_ = 0;
  std::int64_t clearLimit_ = 0;
  std::int64_t sizeStepStart_ = 0;
  std::int64_t clearLimitStart_ = 0;
  std::int64_t codeBudget_ = 0;
};
