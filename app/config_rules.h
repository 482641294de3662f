// The decisions of the configuration dialog that are not drawing: which
// controls a capture kind shows, where the shape preview sits, how the kind
// maps to "What To Cap" and "Shape", the port check, the parameter fields'
// range rule, and the working copies of the shape entries.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/capture_settings.h"
#include "capture/shape_figures.h"

// What the What Capture page shows for capture kind `kind` (0..19).
struct TKindControls {
  bool Vectors = false;     // the "Vectors" group
  bool VectorSize = false;  // the "Vector Size" group
  bool Angle = false;       // the "Angle" group
  bool Colours = false;     // mask colour, border check box and border colour
  TMyShapeType Preview = shNone;
};
TKindControls ControlsForKind(int kind);

struct TPreviewPlace {
  int Left, Top, Width, Height;
  friend bool operator==(const TPreviewPlace&, const TPreviewPlace&) = default;
};
// 128 x 96 at (44, 50) for the kinds drawn wide (0..4 and 7), else 96 x 96 at (60, 50).
TPreviewPlace PreviewPlaceFor(int kind);
// Where the dialog first puts the preview, from the stored settings: wide
// for "What To Cap" 0..3, or 4 with "Shape" 4 or 7; else narrow. (Unusual
// stored values, such as "What To Cap" 4 with "Shape" 2, are narrow here
// though the list shows a wide kind.)
TPreviewPlace PreviewPlaceAtCreation(const TCaptureSettings& settings);

// The list index the settings select: "Shape" when "What To Cap" is above
// 3 or negative, else "What To Cap".
int KindOfSettings(const TCaptureSettings& settings);
// "&Ok": an index above 3 stores "What To Cap" 4 and "Shape" the index;
// otherwise "What To Cap" the index, "Shape" unchanged.
void StoreKind(int kind, TCaptureSettings& settings);

// The port field: trimmed, a whole decimal number that is not negative
// (above 65535 is accepted); nothing otherwise.
std::optional<std::int32_t> PortOf(std::string_view text);
inline constexpr char kInvalidPortText[] = "Invalid port specified.  Normal port number for e-mail is 25.";

// A parameter field: trimmed, its leading digits as the value (none gives
// 0); the value when it lies within low..high, nothing otherwise.
std::optional<std::int32_t> ParameterOf(std::string_view text, std::int32_t low, std::int32_t high);

// The working copies of every shape entry, edited by the dialog and copied
// back to the settings only by "&Ok".
class TShapeEntries {
 public:
  explicit TShapeEntries(const TCaptureSettings& settings);
  void StoreInto(TCaptureSettings& settings) const;

  // The colour entry of a kind with colour controls (4, 6..19); null for
  // the others.
  struct TColours {
    std::int32_t* Mask;
    std::int32_t* Border;
    bool* UseBorder;
  };
  std::optional<TColours> ColoursOf(int kind);
  // The entry the vectors and vector-size controls edit: the polygon of
  // kinds 15..19, the star for every other kind.
  std::int32_t& VectorsOf(int kind);
  std::int32_t& VectorSizeOf(int kind);
  // The angle of kinds 15..19; nothing for the others.
  std::int32_t* AngleOf(int kind);

 private:
  std::array<TPlainShapeSettings, kPlainShapeCount> plain_;
  TStarSettings star_;
  std::array<TPolygonSettings, kPolygonCount> polygons_;
};
