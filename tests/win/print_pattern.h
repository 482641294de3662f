// The picture the printing tests print: 60 x 40 pixels, 8 bits with a
// palette, in six 20 x 20 blocks. Top row red, green, blue; bottom row
// yellow, magenta, cyan. tests/e2e/test_printing.py knows it too.
#pragma once

#include "gif/bitmap.h"

TBitmap PrintPattern();
