// The program's windows are designed for a screen of 96 dots per inch: every
// position, size and font height they give is a 96-DPI pixel count. On a
// screen of another DPI a window shows them scaled to its monitor's DPI.
#pragma once

inline constexpr int kDesignDpi = 96;

// `value` (96-DPI pixels) in pixels of a screen of `dpi`: value * dpi / 96
// rounded to the nearest pixel, halves away from zero, as the system's
// MulDiv rounds. An unknown DPI (0 or less) leaves the value as designed.
int ScaleToDpi(int value, int dpi);
