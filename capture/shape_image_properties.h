// The published properties of the ShapeImage control and the rules of their
// setters, apart from the drawing: which values are stored, and so when the
// control repaints its picture.
#pragma once

#include <cstdint>

#include "capture/shape_figures.h"

// Outline styles, in the order of the system's pen styles.
enum TPenStyle : std::int32_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TShapeImageProperties {
 public:
  // Each setter returns true when it stored the value: the picture must
  // then be repainted. Out-of-range values are ignored.
  bool SetShape(TMyShapeType value);  // always stores, also an equal value
  bool SetEdgeSize(std::int16_t value);
  bool SetVectorP(std::int32_t value);  // 0..100
  bool SetVectors(std::int32_t value);  // 3..100
  bool SetAngle(std::int32_t value);    // 0..359
  bool SetBColor(std::int32_t value);
  bool SetPColor(std::int32_t value);
  bool SetPStyle(TPenStyle value);
  void SetUseFill(bool value) { use_fill_ = value; }

  TMyShapeType Shape() const { return shape_; }
  std::int16_t EdgeSize() const { return edge_size_; }
  std::int32_t VectorP() const { return vertices_.VectorSize; }
  std::int32_t Vectors() const { return vertices_.Vectors; }
  std::int32_t Angle() const { return vertices_.Angle; }
  std::int32_t BColor() const { return b_color_; }
  std::int32_t PColor() const { return p_color_; }
  TPenStyle PStyle() const { return p_style_; }
  bool UseFill() const { return use_fill_; }

  // The colour the outline is drawn in: a dotted outline is always black.
  std::int32_t OutlineColor() const;

  // Called when painting: a star is drawn with at least 10 vectors, a
  // vector size of 0 taken as 50 and vertex 0 straight up, and the stored
  // values are raised accordingly.
  void RaiseStar();

  // The figure painted on a picture of width x height with a pen of `pen_width`.
  TFigure Figure(std::int32_t width, std::int32_t height, std::int32_t pen_width) const;

 private:
  TMyShapeType shape_ = shNone;
  std::int16_t edge_size_ = 0;
  TVertexSettings vertices_;
  std::int32_t b_color_ = 0;
  std::int32_t p_color_ = 0;
  TPenStyle p_style_ = psSolid;
  bool use_fill_ = false;
};
