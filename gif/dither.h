// Dither engines: each turns the pixels of a row into palette indices,
// walking the rows alternately left to right and right to left. Kind 0
// maps each pixel on its own; the others spread the difference between
// the wanted and the chosen colour over neighbours by a kernel.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gif/color_lookup.h"
#include "gif/gif_types.h"

class TDitherEngine {
 public:
  TDitherEngine(int width, TColorLookup& lookup) : width_(width), lookup_(lookup) {}
  virtual ~TDitherEngine() = default;
  TDitherEngine(const TDitherEngine&) = delete;
  TDitherEngine& operator=(const TDitherEngine&) = delete;

  // The palette index of the pixel at the current column; moves the
  // column one step in the current direction.
  virtual std::uint8_t Dither(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  // Called after each row: reverses the direction and goes to its start.
  virtual void NextLine();

  int Column() const { return column_; }
  int Direction() const { return direction_; }
  int Width() const { return width_; }

 protected:
  TColorLookup& Lookup() { return lookup_; }
  void Step() { column_ += direction_; }

 private:
  int width_;
  TColorLookup& lookup_;
  int direction_ = 1;
  int column_ = 0;
};

// One kernel cell: dx pixels ahead in the direction of travel, dy lines
// down, and its weight.
struct TKernelCell {
  int Dx;
  int Dy;
  int Weight;
};

// The machinery of the error-diffusion kinds: per channel one error row
// for the current line and one per further line the kernel reaches, each
// padded by the kernel's sideways reach on both sides so that cells
// outside the picture land in spare cells and are dropped.
class TDiffusionDitherer : public TDitherEngine {
 public:
  TDiffusionDitherer(int width, TColorLookup& lookup, int divisor, std::span<const TKernelCell> kernel);
  std::uint8_t Dither(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;
  void NextLine() override;

 private:
  using TErrorRow = std::vector<std::int32_t>;

  int divisor_;
  std::vector<TKernelCell> kernel_;
  int reach_ = 0;
  // rows_[dy][channel]: dy 0 is the current line; channels red, green, blue.
  std::vector<std::array<TErrorRow, 3>> rows_;
};

class TFloydSteinbergDitherer final : public TDiffusionDitherer {
 public:
  TFloydSteinbergDitherer(int width, TColorLookup& lookup);
};

// The kernels two pixels wide to each side and three lines high.
class T5by3Ditherer : public TDiffusionDitherer {
 protected:
  using TDiffusionDitherer::TDiffusionDitherer;
};

class TStuckiDitherer final : public T5by3Ditherer {
 public:
  TStuckiDitherer(int width, TColorLookup& lookup);
};

class TSierraDitherer final : public T5by3Ditherer {
 public:
  TSierraDitherer(int width, TColorLookup& lookup);
};

class TJaJuNiDitherer final : public T5by3Ditherer {
 public:
  TJaJuNiDitherer(int width, TColorLookup& lookup);
};

class TSteveArcheDitherer final : public TDiffusionDitherer {
 public:
  TSteveArcheDitherer(int width, TColorLookup& lookup);
};

class TBurkesDitherer final : public TDiffusionDitherer {
 public:
  TBurkesDitherer(int width, TColorLookup& lookup);
};

// The engine of a dither kind, or nothing for a kind above 6.
std::unique_ptr<TDitherEngine> CreateDitherEngine(TDitherKind kind, int width, TColorLookup& lookup);
