#include "gif/rle_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "gif/pixel_runs.h"

namespace {

// Hands the codes from `p` on, of `size` bits each, to `put` joined
// `Group` at a time while whole groups remain; returns where the rest
// starts.
template <int Group, class Put>
const std::uint16_t* PutJoined(const std::uint16_t* p, const std::uint16_t* const end, const int size, Put& put) {
  for (; end - p >= Group; p += Group) {
    std::uint64_t bits = 0;
    for (int i = 0; i < Group; ++i) bits |= std::uint64_t{p[i]} << (i * size);
    put(bits, Group * size);
  }
  return p;
}

}  // namespace

void TRLEEncoder::EncodePixels() {
  sizeStepStart_ = static_cast<int>(clearCode_) - 1;
  clearLimitStart_ = bitsPerPixel_ <= 3 ? 9 : static_cast<int>(clearCode_) - 2;
  codeBudget_ = 4095 - static_cast<int>(baseCode_);
  for (std::int64_t n = 0; n < kSmallRuns; ++n)
    smallRunCosts_[static_cast<std::size_t>(n)] = static_cast<int>(CostOfLongRun(n));
  codeEnd_ = codes_.data();
  clearCount_ = 0;
  try {
    Clear();
    if (AllColorsValid()) {
      EncodeRuns<false>();
    } else {
      EncodeRuns<true>();
    }
  } catch (...) {
    // What was coded before an error leaves as it would have without
    // the gathering.
    WriteCodes();
    throw;
  }
  WriteCodes();
}

// Nearly every run is coded as up to four copies of one code, perhaps
// followed by one other code, with no clear falling among them:
// - a single pixel;
// - a run of the table's colour made of up to three of its longest strings
//   and a shorter rest (the steps start a new table instead only when that
//   takes fewer codes, which for runs of three or four codes, four pixels
//   or more, it never does: 1 + Cost(4) = 4);
// - two to four pixels of another colour, which go out as pixels
//   (1 + Cost(n) >= n up to four pixels).
// Such a run is stored with two writes and counted at once; any other run
// takes the steps one code at a time. Its tests are joined with & and |,
// not && and ||: as branches the processor would mispredict them on many
// runs.
inline void TRLEEncoder::EmitRun(std::int64_t count) {
  const std::uint32_t color = run_.runColor;
  std::uint32_t repeated;  // the code given `repeats` times
  std::uint32_t last;      // then this one, when `hasLast`
  int repeats;
  int hasLast;
  bool atOnce;
  if (run_.tableColor == color && run_.tableLength >= 2) {
    const std::int64_t length = run_.tableLength;
    repeats = int{count >= length} + int{count >= 2 * length} + int{count >= 3 * length};
    const std::int64_t rest = count - repeats * length;
    hasLast = rest > 0;
    repeated = baseCode_ + static_cast<std::uint32_t>(length) - 2;
    last = rest == 1 ? color : baseCode_ + static_cast<std::uint32_t>(rest) - 2;
    atOnce = rest < length;
  } else {
    // Only runs of up to four pixels are taken at once; for longer ones
    // the mask keeps the sum below small.
    repeats = static_cast<int>(count & 7);
    hasLast = 0;
    repeated = color;
    last = color;
    // Right after a clear a longer run builds the table instead.
    atOnce = (count <= 4) & ((count == 1) | !freshTable_);
  }
  const int codes = repeats + hasLast;
  if (atOnce & (run_.codeCount + codes <= run_.clearLimit)) {
    std::uint16_t* const out = codeEnd_;
    const std::uint64_t four = 0x0001000100010001ull * repeated;
    std::memcpy(out, &four, sizeof four);
    out[repeats] = static_cast<std::uint16_t>(last);
    codeEnd_ = out + codes;
    freshTable_ = false;
    run_.codeCount += codes;
    if (run_.codeCount >= run_.clearLimit) Clear();
  } else {
    EmitRunCodeByCode(count);
  }
}

// A new run starts wherever a pixel differs from the one before it; the
// starts are found 64 pixels at a time (RunStarts), each one costs a bit
// scan. A run may continue from one row into the next.
template <bool Checked>
void TRLEEncoder::EncodeRuns() {
  std::int64_t carried = 0;  // pixels of the current run in earlier rows
  bool started = false;
  while (auto span = NextSpan()) {
    const std::uint8_t* runStart = span->begin;
    const std::uint8_t* const end = span->end;
    if constexpr (Checked) CheckColor(*runStart);
    if (!started) {
      run_.runColor = *runStart;
      started = true;
    } else if (*runStart != run_.runColor) {
      EmitRun(carried);
      carried = 0;
      run_.runColor = *runStart;
    }
    const auto newRun = [&](const std::uint8_t* at) {
      if constexpr (Checked) CheckColor(*at);
      EmitRun(carried + (at - runStart));
      carried = 0;
      runStart = at;
      run_.runColor = *at;
    };
    const std::uint8_t* p = span->begin + 1;
    for (; end - p >= kRunStartBlock; p += kRunStartBlock) {
      for (std::uint64_t starts = RunStarts(p); starts != 0; starts &= starts - 1) newRun(p + std::countr_zero(starts));
    }
    for (; p < end; ++p) {
      if (*p != p[-1]) newRun(p);
    }
    carried += end - runStart;
  }
  if (started) EmitRun(carried);
}

void TRLEEncoder::Clear() {
  run_.clearLimit = clearLimitStart_;
  run_.codeCount = 0;
  run_.tableLength = 0;
  freshTable_ = true;
  if (static_cast<std::size_t>(codes_.data() + kCodes - codeEnd_) < kTableRoom) WriteCodes();
  clearAt_[clearCount_++] = static_cast<std::uint16_t>(codeEnd_ - codes_.data());
  *codeEnd_++ = static_cast<std::uint16_t>(clearCode_);
}

void TRLEEncoder::EmitRunCodeByCode(std::int64_t count) {
  if (count == 1) {
    CountedOutput(run_.runColor);
  } else if (freshTable_) {
    RunAfterClear(count);
  } else if (run_.tableLength > 1 && run_.tableColor == run_.runColor) {
    RunFromTable(count);
  } else {
    RunByClearOrLiterals(count);
  }
}

void TRLEEncoder::RestoreClearLimit() {
  run_.clearLimit = clearLimitStart_;
  if (run_.codeCount >= run_.clearLimit) Clear();
}

void TRLEEncoder::RunAfterClear(std::int64_t count) {
  run_.clearLimit = codeBudget_;
  run_.tableColor = run_.runColor;
  std::int64_t k = 1;
  while (count > 0) {
    if (k == 1) {
      run_.tableLength = 1;
      CountedOutput(run_.runColor);
      count -= 1;
    } else if (count >= k) {
      run_.tableLength = k;
      CountedOutput(static_cast<std::uint32_t>(baseCode_ + k - 2));
      count -= k;
    } else {
      run_.tableLength += 1;
      CountedOutput(count == 1 ? run_.runColor : static_cast<std::uint32_t>(baseCode_ + count - 2));
      break;
    }
    k = run_.codeCount == 0 ? 1 : k + 1;
  }
  RestoreClearLimit();
}

void TRLEEncoder::RunFromTable(std::int64_t count) {
  // (A run no longer than the table's strings took EmitRun's one code.)
  // Most runs that come here are a little longer than the table's longest
  // string: one of it and a rest, without a division. Other runs are
  // almost always far below 2^32 pixels, where a 32-bit division is
  // several times quicker than a 64-bit one.
  std::int64_t repeats;
  std::int64_t rest;
  if (count < 2 * static_cast<std::int64_t>(run_.tableLength)) {
    repeats = 1;
    rest = count - run_.tableLength;
  } else if (count <= UINT32_MAX) {
    const auto pixels = static_cast<std::uint32_t>(count);
    const auto length = static_cast<std::uint32_t>(run_.tableLength);
    repeats = pixels / length;
    rest = pixels % length;
  } else {
    repeats = count / run_.tableLength;
    rest = count % run_.tableLength;
  }
  std::int64_t extra = rest > 0 ? 1 : 0;
  if (run_.codeCount + repeats + extra > codeBudget_) {
    repeats = codeBudget_ - run_.codeCount;
    rest = count - repeats * run_.tableLength;
    extra = 1 + Cost(rest);
  }
  // Cost() is at least 1, so with two codes or fewer the table wins.
  if (repeats + extra > 2 && 1 + Cost(count) < repeats + extra) {
    Clear();
    RunAfterClear(count);
    return;
  }
  run_.clearLimit = codeBudget_;
  const auto code = static_cast<std::uint32_t>(baseCode_ + run_.tableLength - 2);
  for (std::int64_t i = 0; i < repeats; ++i) CountedOutput(code);
  if (rest > 0) {
    if (freshTable_) {
      RunAfterClear(rest);
    } else {
      CountedOutput(rest == 1 ? run_.runColor : static_cast<std::uint32_t>(baseCode_ + rest - 2));
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
  for (std::int64_t i = 0; i < count; ++i) CountedOutput(run_.runColor);
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

// The buffer holds whole tables (Clear packs before it adds a clear code):
// a clear code at the size the table before reached, then codes whose size
// starts at the initial size and grows by one bit each time the count of
// codes since the clear reaches the size step (a decoder adds one table
// entry per code after the first, so both sizes stay in step). Most tables
// end before their first step, so long stretches of codes, clear codes
// included, share one size; each stretch is packed with several codes
// joined into one output.
void TRLEEncoder::WriteCodes() {
  TCodeOutput out = output_;
  const auto put = [&](std::uint64_t bits, int count) {
    if (out.Put(bits, count)) out.next = FlushWords(out.next);
  };
  const auto pack = [&](const std::uint16_t* p, const std::uint16_t* const end, const int size) {
    // As many codes as fit in 63 bits go out at once: seven of up to 9
    // bits, else five.
    p = size <= 9 ? PutJoined<7>(p, end, size, put) : PutJoined<5>(p, end, size, put);
    for (; p < end; ++p) put(*p, size);
  };
  // The codes from `from` on, not yet packed, all have `size` bits.
  const std::uint16_t* from = codes_.data();
  int size = out.codeSize;
  const auto sizeFrom = [&](const std::uint16_t* at, int newSize) {
    if (newSize == size) return;
    pack(from, at, size);
    from = at;
    size = newSize;
  };
  for (std::size_t table = 0; table < clearCount_; ++table) {
    const std::uint16_t* const clear = codes_.data() + clearAt_[table];
    const std::uint16_t* const tableEnd = table + 1 < clearCount_ ? codes_.data() + clearAt_[table + 1] : codeEnd_;
    // The clear code has the size the table before reached; the codes
    // after it start again at the initial size.
    sizeFrom(clear + 1, initialCodeSize_);
    // The code that makes the count reach a step is the last of its size.
    const int counted = static_cast<int>(tableEnd - clear - 1);
    for (int step = sizeStepStart_; step <= counted;) {
      const int last = step;
      step += 1 << size;
      sizeFrom(clear + 1 + last, size + 1);
    }
  }
  pack(from, codeEnd_, size);
  out.codeSize = size;
  output_ = out;
  codeEnd_ = codes_.data();
  clearCount_ = 0;
}
