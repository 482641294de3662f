#include "capture/shape_image_properties.h"

namespace {

// Stores `value` when it differs; true when it did.
template <typename T>
bool StoreChanged(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

bool TShapeImageProperties::SetShape(TMyShapeType value) {
  shape_ = value;
  return true;
}

bool TShapeImageProperties::SetEdgeSize(std::int16_t value) { return StoreChanged(edge_size_, value); }

bool TShapeImageProperties::SetVectorP(std::int32_t value) {
  return value >= 0 && value <= 100 && StoreChanged(vertices_.VectorSize, value);
}

bool TShapeImageProperties::SetVectors(std::int32_t value) {
  return value >= 3 && value <= 100 && StoreChanged(vertices_.Vectors, value);
}

bool TShapeImageProperties::SetAngle(std::int32_t value) {
  return value >= 0 && value < 360 && StoreChanged(vertices_.Angle, value);
}

bool TShapeImageProperties::SetBColor(std::int32_t value) { return StoreChanged(b_color_, value); }

bool TShapeImageProperties::SetPColor(std::int32_t value) { return StoreChanged(p_color_, value); }

bool TShapeImageProperties::SetPStyle(TPenStyle value) { return StoreChanged(p_style_, value); }

std::int32_t TShapeImageProperties::OutlineColor() const { return p_style_ == psDot ? 0 : p_color_; }

void TShapeImageProperties::RaiseStar() {
  if (vertices_.VectorSize == 0) vertices_.VectorSize = 50;
  if (vertices_.Vectors < 10) vertices_.Vectors = 10;
  vertices_.Angle = 90;
}

TFigure TShapeImageProperties::Figure(std::int32_t width, std::int32_t height, std::int32_t pen_width) const {
  return ShapeImageFigure(shape_, width, height, edge_size_, pen_width, vertices_);
}
