#include "app/config_rules.h"

#include "platform/text_to_integer.h"
#include "platform/text_trim.h"

namespace {

constexpr int kStarKind = skStar;
bool IsPolygonKind(int kind) { return kind >= skPolygon1 && kind <= skPolygon5; }

constexpr TPreviewPlace kWidePreview{44, 50, 128, 96}, kNarrowPreview{60, 50, 96, 96};

}  // namespace

TKindControls ControlsForKind(int kind) {
  TKindControls controls;
  controls.Vectors = kind == kStarKind || IsPolygonKind(kind);
  controls.VectorSize = controls.Vectors;
  controls.Angle = IsPolygonKind(kind);
  controls.Colours = !(kind >= 0 && kind <= skRectangle) && kind != skSquare;
  controls.Preview = MyShapeTypeFor(kind);
  return controls;
}

TPreviewPlace PreviewPlaceFor(int kind) {
  const bool wide = (kind >= 0 && kind <= skRoundedRectangle) || kind == skEllipse;
  return wide ? kWidePreview : kNarrowPreview;
}

TPreviewPlace PreviewPlaceAtCreation(const TCaptureSettings& settings) {
  const bool wide = (settings.WhatToCap >= 0 && settings.WhatToCap <= 3) ||
                    (settings.WhatToCap == 4 && (settings.Shape == skRoundedRectangle || settings.Shape == skEllipse));
  return wide ? kWidePreview : kNarrowPreview;
}

int KindOfSettings(const TCaptureSettings& settings) {
  return settings.WhatToCap > skRectangle || settings.WhatToCap < 0 ? settings.Shape : settings.WhatToCap;
}

void StoreKind(int kind, TCaptureSettings& settings) {
  if (kind > skRectangle) {
    settings.WhatToCap = 4;
    settings.Shape = kind;
  } else {
    settings.WhatToCap = kind;
  }
}

std::optional<std::int32_t> PortOf(std::string_view text) {
  const TIntegerText port = ParseIntegerText(Trim(text));
  if (!port.Complete || port.Value < 0) return std::nullopt;
  return port.Value;
}

std::optional<std::int32_t> ParameterOf(std::string_view text, std::int32_t low, std::int32_t high) {
  const std::int32_t value = TextToInteger(Trim(text));
  if (value < low || value > high) return std::nullopt;
  return value;
}

TShapeEntries::TShapeEntries(const TCaptureSettings& settings)
    : plain_(settings.PlainShapes), star_(settings.Star), polygons_(settings.Polygons) {}

void TShapeEntries::StoreInto(TCaptureSettings& settings) const {
  settings.PlainShapes = plain_;
  settings.Star = star_;
  settings.Polygons = polygons_;
}

std::optional<TShapeEntries::TColours> TShapeEntries::ColoursOf(int kind) {
  if (!IsShapeKind(kind)) return std::nullopt;
  const TShapeSettingsEntry entry = ShapeSettingsEntry(static_cast<TShapeKind>(kind));
  switch (entry.Family) {
    case TShapeSettingsFamily::Plain: {
      TPlainShapeSettings& plain = plain_[entry.Index];
      return TColours{&plain.ShapeColor, &plain.BorderColor, &plain.UseBorder};
    }
    case TShapeSettingsFamily::Star:
      return TColours{&star_.ShapeColor, &star_.BorderColor, &star_.UseBorder};
    case TShapeSettingsFamily::Polygon: {
      TPolygonSettings& polygon = polygons_[entry.Index];
      return TColours{&polygon.Color, &polygon.BorderColor, &polygon.UseBorder};
    }
    case TShapeSettingsFamily::None:
      break;
  }
  return std::nullopt;
}

std::int32_t& TShapeEntries::VectorsOf(int kind) {
  return IsPolygonKind(kind) ? polygons_[static_cast<std::size_t>(kind - skPolygon1)].Vector : star_.Vector;
}

std::int32_t& TShapeEntries::VectorSizeOf(int kind) {
  return IsPolygonKind(kind) ? polygons_[static_cast<std::size_t>(kind - skPolygon1)].VectorSize : star_.VectorSize;
}

std::int32_t* TShapeEntries::AngleOf(int kind) {
  return IsPolygonKind(kind) ? &polygons_[static_cast<std::size_t>(kind - skPolygon1)].Angle : nullptr;
}
