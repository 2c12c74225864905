#pragma once
// A canvas over a picture in memory, for the console front end and the
// tests. Lines follow the midpoint rule, wide pens are round, dotted and
// dash-dot pens use the pattern lengths of the common GDI implementations,
// text comes from an embedded 8 x 13 fixed font, and stretching takes the
// nearest source pixel.

#include <string_view>

#include "graphics/canvas.h"

namespace korvana {

class RasterCanvas : public Canvas {
 public:
  // A black canvas of width x height pixels.
  RasterCanvas(int width, int height);

  const Image& Picture() const { return image_; }
  Image& Picture() { return image_; }

  int Width() const override { return image_.width; }
  int Height() const override { return image_.height; }
  void SelectPen(const Pen& pen) override;
  void SelectBrush(Rgb colour) override { brush_ = colour; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void SetPixel(int x, int y, Rgb colour) override;
  void SetTextColour(Rgb colour) override { textColour_ = colour; }
  void SetTextCharacterExtra(int pixels) override { characterExtra_ = pixels; }
  void PutText(int x, int y, std::string_view text) override;
  void CopyImage(const Image& picture, int x, int y) override;
  void StretchImage(const Image& picture, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                    int dh) override;

 private:
  // One step of a line: plots the pen at (x, y) when the style's pattern is
  // on at this step.
  void PlotPen(int x, int y);
  void Stamp(int x, int y);
  // A line between two points; `withEnd` includes the last pixel.
  void DrawSegment(int x0, int y0, int x1, int y1, bool withEnd);

  Image image_;
  Pen pen_;
  Rgb brush_{255, 255, 255};
  Rgb textColour_{0, 0, 0};
  int characterExtra_ = 0;
  int currentX_ = 0;
  int currentY_ = 0;
  int patternStep_ = 0;  // position within the pen's dash pattern
};

}  // namespace korvana
