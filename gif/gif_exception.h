// Errors of the GIF library. Each carries one of the fixed texts below so
// that the application's error box shows the same words everywhere.
#pragma once

#include <stdexcept>

// A picture that cannot be used as the requested graphic.
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class GIFException : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

inline constexpr const char* sUnsupportedGIFVersion = "Unsupported GIF version";
inline constexpr const char* sColorNotInColorTable = "Color not in color table";
inline constexpr const char* sUnsupportedClass = "Object type not supported for operation";
inline constexpr const char* sUnsupportedPixelFormat = "Unsupported PixelFormat";
inline constexpr const char* sInvalidImageDimensions = "Invalid image dimensions";
inline constexpr const char* sOutOfMemoryDIB = "Failed to allocate memory for GIF DIB";
inline constexpr const char* sNoDIB = "Image has no DIB";
inline constexpr const char* sScanLineRange = "Scan line index out of range";
inline constexpr const char* sScreenWidthSmall = "Image width too small for contained frames";
inline constexpr const char* sScreenHeightSmall = "Image height too small for contained frames";
inline constexpr const char* sScreenSizeExceeded = "Image exceeds Logical Screen size";
// A colour map holds at most 256 entries; a picture with more distinct
// colours must be reduced first.
inline constexpr const char* sColorTableOverflow = "Color table overflow";
