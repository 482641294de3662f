#include "gif/rle_encoder.h"

#include <cmath>
#include <cstdint>

#include "gif/pixel_runs.h"

void TRLEEncoder::EncodePixels() {
  sizeStepStart_ = clearCode_ - 1;
  clearLimitStart_ = bitsPerPixel_ <= 3 ? 9 : clearCode_ - 2;
  codeBudget_ = 4095 - static_cast<std::int64_t>(baseCode_);
  for (std::int64_t n = 0; n < kSmallRuns; ++n) smallRunCosts_[static_cast<std::size_t>(n)] = CostOfLongRun(n);
  Clear();
  if (AllColorsValid()) {
    EncodeRuns<false>();
  } else {
    EncodeRuns<true>();
  }
}

// Runs are found by scanning whole stretches of equal bytes, which gives
// the same run structure as looking at the pixels one at a time; a run
// may continue from one stretch (an interlaced row) into the next.
template <bool Checked>
void TRLEEncoder::EncodeRuns() {
  std::int64_t runLength = 0;
  while (auto span = NextSpan()) {
    const std::uint8_t* p = span->begin;
    while (p < span->end) {
      const std::uint8_t pixel = *p;
      if constexpr (Checked) CheckColor(pixel);
      const std::uint8_t* q = RunEnd(p + 1, span->end, pixel);
      if (runLength > 0 && pixel != runColor_) {
        EmitRun(runLength);
        runLength = 0;
      }
      runColor_ = pixel;
      runLength += q - p;
      p = q;
    }
  }
  if (runLength > 0) EmitRun(runLength);
}

void TRLEEncoder::Clear() {
  sizeStep_ = sizeStepStart_;
  clearLimit_ = clearLimitStart_;
  codeCount_ = 0;
  tableLength_ = 0;
  freshTable_ = true;
  Output(clearCode_);
  codeSize_ = initialCodeSize_;
}

void TRLEEncoder::EmitRun(std::int64_t count) {
  if (count == 1) {
    CountedOutput(runColor_);
  } else if (freshTable_) {
    RunAfterClear(count);
  } else if (tableLength_ > 1 && tableColor_ == runColor_) {
    RunFromTable(count);
  } else {
    RunByClearOrLiterals(count);
  }
}

void TRLEEncoder::RestoreClearLimit() {
  clearLimit_ = clearLimitStart_;
  if (codeCount_ >= clearLimit_) Clear();
}

void TRLEEncoder::RunAfterClear(std::int64_t count) {
  clearLimit_ = codeBudget_;
  tableColor_ = runColor_;
  std::int64_t k = 1;
  while (count > 0) {
    if (k == 1) {
      tableLength_ = 1;
      CountedOutput(runColor_);
      count -= 1;
    } else if (count >= k) {
      tableLength_ = k;
      CountedOutput(static_cast<std::uint32_t>(baseCode_ + k - 2));
      count -= k;
    } else {
      tableLength_ += 1;
      CountedOutput(count == 1 ? runColor_ : static_cast<std::uint32_t>(baseCode_ + count - 2));
      break;
    }
    k = codeCount_ == 0 ? 1 : k + 1;
  }
  RestoreClearLimit();
}

void TRLEEncoder::RunFromTable(std::int64_t count) {
  // The common case, a run no longer than the table's string: its own
  // entry codes it (the k-th entry stands for k pixels), one code, which
  // never calls for a clear before it.
  if (count <= tableLength_ && codeCount_ < codeBudget_) {
    clearLimit_ = codeBudget_;
    CountedOutput(static_cast<std::uint32_t>(baseCode_ + count - 2));
    RestoreClearLimit();
    return;
  }
  // Runs and table strings are almost always far below 2^32 pixels, where
  // a 32-bit division is several times quicker than a 64-bit one.
  std::int64_t repeats;
  std::int64_t rest;
  if (count <= UINT32_MAX) {
    const auto pixels = static_cast<std::uint32_t>(count);
    const auto length = static_cast<std::uint32_t>(tableLength_);
    repeats = pixels / length;
    rest = pixels % length;
  } else {
    repeats = count / tableLength_;
    rest = count % tableLength_;
  }
  std::int64_t extra = rest > 0 ? 1 : 0;
  if (codeCount_ + repeats + extra > codeBudget_) {
    repeats = codeBudget_ - codeCount_;
    rest = count - repeats * tableLength_;
    extra = 1 + Cost(rest);
  }
  // Cost() is at least 1, so with two codes or fewer the table wins.
  if (repeats + extra > 2 && 1 + Cost(count) < repeats + extra) {
    Clear();
    RunAfterClear(count);
    return;
  }
  clearLimit_ = codeBudget_;
  const auto code = static_cast<std::uint32_t>(baseCode_ + tableLength_ - 2);
  for (std::int64_t i = 0; i < repeats; ++i) CountedOutput(code);
  if (rest > 0) {
    if (freshTable_) {
      RunAfterClear(rest);
    } else {
      CountedOutput(rest == 1 ? runColor_ : static_cast<std::uint32_t>(baseCode_ + rest - 2));
    }
  }
  RestoreClearLimit();
}

void TRLEEncoder::RunByClearOrLiterals(std::int64_t count) {
  if (1 + Cost(count) < count) {
    Clear();
    RunAfterClear(count);
    return;
  }
  for (std::int64_t i = 0; i < count; ++i) CountedOutput(runColor_);
}

std::int64_t TRLEEncoder::CostOfLongRun(std::int64_t count) const {
  const std::int64_t budget = codeBudget_;
  const std::int64_t perTable = budget * (budget + 1) / 2;
  std::int64_t total = 0;
  // Whole tables first: the division gives what the repeated subtraction
  // would, without a loop over billions of pixels.
  total += count / perTable * budget;
  count %= perTable;
  if (count > 0) {
    // The smallest m with m (m + 1) >= 2 count. The loops below make the
    // answer exact from any start, so a floating-point estimate (one
    // instruction) serves as well as an integer square root (a chain of
    // divisions) and keeps this per-run cost small.
    std::int64_t m = static_cast<std::int64_t>((std::sqrt(8.0 * static_cast<double>(count) + 1) - 1) / 2);
    while (m > 0 && m * (m + 1) >= 2 * count) --m;
    while (m * (m + 1) < 2 * count) ++m;
    total += m;
  }
  return total;
}
