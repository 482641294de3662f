#include "platform/dpi_scale.h"

#include <cstdint>

int ScaleToDpi(int value, int dpi) {
  if (dpi <= 0) return value;
  const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
  const std::int64_t half = product < 0 ? -kDesignDpi / 2 : kDesignDpi / 2;
  return static_cast<int>((product + half) / kDesignDpi);
}
