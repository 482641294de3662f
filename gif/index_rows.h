// A frame's colour indices as the image-data encoders read them.
#pragma once

#include <cstdint>

// `width` bytes a row, rows asked for by their number from the top, in
// coding order. The rows may be held or made as they are asked for.
class TIndexRows {
 public:
  virtual ~TIndexRows() = default;
  // Row `y`; valid until the next call.
  virtual const std::uint8_t* Row(int y) = 0;
};
