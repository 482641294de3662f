#include "gif/dither.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr TKernelCell kFloydSteinberg[] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};

constexpr TKernelCell kStucki[] = {
    {1, 0, 8},  {2, 0, 4},  {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4},
    {2, 1, 2},  {-2, 2, 1}, {-1, 2, 2}, {0, 2, 4},  {1, 2, 2}, {2, 2, 1},
};

constexpr TKernelCell kSierra[] = {
    {1, 0, 5}, {2, 0, 3}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 5}, {1, 1, 4}, {2, 1, 2}, {-1, 2, 2}, {0, 2, 3}, {1, 2, 2},
};

constexpr TKernelCell kJaJuNi[] = {
    {1, 0, 7},  {2, 0, 5},  {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5},
    {2, 1, 3},  {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5},  {1, 2, 3}, {2, 2, 1},
};

constexpr TKernelCell kSteveArche[] = {
    {2, 0, 32},  {-3, 1, 12}, {-1, 1, 26}, {1, 1, 30}, {3, 1, 16},  {-2, 2, 12},
    {0, 2, 26},  {2, 2, 12},  {-3, 3, 5},  {-1, 3, 12}, {1, 3, 12}, {3, 3, 5},
};

constexpr TKernelCell kBurkes[] = {
    {1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2},
};

}  // namespace

std::uint8_t TDitherEngine::Dither(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::uint8_t index = lookup_.Lookup(red, green, blue).Index;
  Step();
  return index;
}

void TDitherEngine::NextLine() {
  direction_ = -direction_;
  column_ = direction_ > 0 ? 0 : width_ - 1;
}

TDiffusionDitherer::TDiffusionDitherer(int width, TColorLookup& lookup, int divisor,
                                       std::span<const TKernelCell> kernel)
    : TDitherEngine(width, lookup), divisor_(divisor), kernel_(kernel.begin(), kernel.end()) {
  int height = 0;
  for (const TKernelCell& cell : kernel_) {
    reach_ = std::max(reach_, std::abs(cell.Dx));
    height = std::max(height, cell.Dy);
  }
  rows_.resize(static_cast<std::size_t>(height) + 1);
  for (auto& channels : rows_)
    for (TErrorRow& row : channels) row.assign(static_cast<std::size_t>(std::max(width, 0)) + 2 * reach_, 0);
}

std::uint8_t TDiffusionDitherer::Dither(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const int cell = Column() + reach_;
  const int source[3] = {red, green, blue};
  int wanted[3];
  for (int c = 0; c < 3; ++c) {
    const int error = (rows_[0][c][cell] + divisor_ / 2) / divisor_;
    wanted[c] = std::clamp(source[c] + error, 0, 255);
  }
  const TLookupResult chosen = Lookup().Lookup(static_cast<std::uint8_t>(wanted[0]),
                                               static_cast<std::uint8_t>(wanted[1]),
                                               static_cast<std::uint8_t>(wanted[2]));
  const int errors[3] = {wanted[0] - chosen.Red, wanted[1] - chosen.Green, wanted[2] - chosen.Blue};
  for (int c = 0; c < 3; ++c) {
    if (errors[c] == 0) continue;
    for (const TKernelCell& k : kernel_) rows_[k.Dy][c][cell + k.Dx * Direction()] += errors[c] * k.Weight;
  }
  Step();
  return chosen.Index;
}

// The finished line's rows are cleared and moved to the back; the others
// move up one line. Rows are exchanged, not copied.
void TDiffusionDitherer::NextLine() {
  for (TErrorRow& row : rows_.front()) std::fill(row.begin(), row.end(), 0);
  std::rotate(rows_.begin(), rows_.begin() + 1, rows_.end());
  TDitherEngine::NextLine();
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, TColorLookup& lookup)
    : TDiffusionDitherer(width, lookup, 16, kFloydSteinberg) {}
TStuckiDitherer::TStuckiDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 42, kStucki) {}
TSierraDitherer::TSierraDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 32, kSierra) {}
TJaJuNiDitherer::TJaJuNiDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 48, kJaJuNi) {}
TSteveArcheDitherer::TSteveArcheDitherer(int width, TColorLookup& lookup)
    : TDiffusionDitherer(width, lookup, 200, kSteveArche) {}
TBurkesDitherer::TBurkesDitherer(int width, TColorLookup& lookup)
    : TDiffusionDitherer(width, lookup, 32, kBurkes) {}

std::unique_ptr<TDitherEngine> CreateDitherEngine(TDitherKind kind, int width, TColorLookup& lookup) {
  switch (kind) {
    case dkNearest:
      return std::make_unique<TDitherEngine>(width, lookup);
    case dkFloydSteinberg:
      return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case dkStucki:
      return std::make_unique<TStuckiDitherer>(width, lookup);
    case dkSierra:
      return std::make_unique<TSierraDitherer>(width, lookup);
    case dkJaJuNi:
      return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case dkSteveArche:
      return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case dkBurkes:
      return std::make_unique<TBurkesDitherer>(width, lookup);
  }
  return nullptr;
}
