#pragma once
// A canvas that only writes down what it is asked to draw, in order, for
// tests of coordinates, colours, pens and drawing order.

#include <string>
#include <string_view>
#include <vector>

#include "graphics/canvas.h"

namespace korvana {

enum class DrawKind {
  kSelectPen,
  kSelectBrush,
  kMoveTo,
  kLineTo,
  kAngleArc,
  kEllipse,
  kSetPixel,
  kSetTextColour,
  kSetTextCharacterExtra,
  kPutText,
  kCopyImage,
  kStretchImage,
};

struct DrawCall {
  DrawKind kind;
  // MoveTo, LineTo, SetPixel, PutText, CopyImage: the point in x, y.
  // AngleArc: the centre in x, y, the radius in a.
  // Ellipse: left, top, right, bottom in x, y, a, b.
  // StretchImage: the destination rectangle in x, y, a, b.
  // SetTextCharacterExtra: the pixels in a.
  int x = 0, y = 0, a = 0, b = 0;
  float start = 0, sweep = 0;  // AngleArc, degrees
  Rgb colour;     // SetPixel, SelectBrush, SetTextColour
  Pen pen;        // the pen selected when the call was made
  std::string text;  // PutText
  Image picture;  // CopyImage and StretchImage: the source rectangle's pixels
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  const std::vector<DrawCall>& Calls() const { return calls_; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SelectPen(const Pen& pen) override;
  void SelectBrush(Rgb colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void SetPixel(int x, int y, Rgb colour) override;
  void SetTextColour(Rgb colour) override;
  void SetTextCharacterExtra(int pixels) override;
  void PutText(int x, int y, std::string_view text) override;
  void CopyImage(const Image& picture, int x, int y) override;
  void StretchImage(const Image& picture, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                    int dh) override;

 private:
  DrawCall& Add(DrawKind kind);

  int width_;
  int height_;
  Pen pen_;
  std::vector<DrawCall> calls_;
};

}  // namespace korvana
