#include "gif/gif_types.h"

TReductionMethod DefaultColorReduction = rdWebCube;
int DefaultReductionBits = 8;
TDitherKind DefaultDitherMode = dkNearest;
TGIFEncoding DefaultCompression = encLZW;
