#include "output/print_geometry.h"

#include <algorithm>
#include <cstdint>

#include "platform/text_to_integer.h"
#include "platform/text_trim.h"

namespace {

// Portrait pages keep 1/17 of the width and 1/22 of the height free on each
// side; landscape pages swap the two divisors, so the margins stay the same
// on the paper.
int MarginX(const TPrintPage& page) { return page.Width / (page.Landscape ? 22 : 17); }
int MarginY(const TPrintPage& page) { return page.Height / (page.Landscape ? 17 : 22); }

// A typed factor can make the image larger than any coordinate; the extent
// stops where the far edge and the width still fit in an int.
constexpr std::int64_t kMaxExtent = std::int64_t{1} << 30;

int ScaledExtent(int size, std::int64_t factor) {
  return static_cast<int>(std::clamp<std::int64_t>(size * factor, -kMaxExtent, kMaxExtent));
}

}  // namespace

TPrintRect PixelSizePlacement(int pageWidth, int pageHeight, int imageWidth, int imageHeight) {
  const int mx = pageWidth / 17;
  const int my = pageHeight / 22;
  return {mx, my, mx + imageWidth, my + imageHeight};
}

TPrintRect ScaledPlacement(const TPrintPage& page, int imageWidth, int imageHeight, std::string_view scaleText) {
  const int mx = MarginX(page);
  const int my = MarginY(page);
  const std::string_view text = Trim(scaleText);
  const std::size_t percent = text.find('%');
  if (percent == std::string_view::npos) return {mx, my, page.Width - mx, page.Height - my};
  const std::int64_t factor = StrToInt(text.substr(0, percent)) / 100;
  return {mx, my, mx + ScaledExtent(imageWidth, factor), my + ScaledExtent(imageHeight, factor)};
}
