#pragma once
// The drawing surface the graphics draw on. Its operations are the few the
// graph window's pictures need, shaped so that each maps onto one GDI call:
// a pen (CreatePen + SelectObject), a brush (CreateSolidBrush), MoveToEx,
// LineTo, AngleArc, Ellipse, SetPixelV, TextOutA with SetTextColor and
// SetTextCharacterExtra, and BitBlt / StretchBlt of a picture.

#include <cstdint>
#include <string_view>
#include <vector>

namespace korvana {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A picture in memory: width x height pixels, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width * height, row by row from the top

  Image() = default;
  Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
  Rgb& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Rgb& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

enum class PenStyle { kSolid, kDot, kDashDot };

// Width 0 and 1 draw one pixel wide; wider pens have round ends.
struct Pen {
  Rgb colour;
  int width = 1;  // pixels
  PenStyle style = PenStyle::kSolid;
  friend bool operator==(const Pen&, const Pen&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;   // pixels
  virtual int Height() const = 0;  // pixels

  // Makes `pen` the pen of the following lines, arcs and ellipse outlines;
  // the pen selected before is released.
  virtual void SelectPen(const Pen& pen) = 0;
  // The fill of the following ellipses.
  virtual void SelectBrush(Rgb colour) = 0;

  virtual void MoveTo(int x, int y) = 0;
  // A line from the current position up to (x, y), the end pixel excluded;
  // (x, y) becomes the current position.
  virtual void LineTo(int x, int y) = 0;
  // A line from the current position to the arc's start, then the arc around
  // (x, y) of `radius` pixels from `startDegrees` over `sweepDegrees`, both
  // counter-clockwise on screen from the positive x axis. The arc's end
  // becomes the current position.
  virtual void AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees) = 0;
  // An ellipse inside the box (right and bottom excluded), outlined with the
  // pen and filled with the brush.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void SetPixel(int x, int y, Rgb colour) = 0;

  // Text is drawn with a transparent background: only the glyphs' own
  // pixels change.
  virtual void SetTextColour(Rgb colour) = 0;
  // Extra pixels after every character.
  virtual void SetTextCharacterExtra(int pixels) = 0;
  // `text` with its top-left corner at (x, y) (TextOutA; named apart from
  // the TextOut macro of <windows.h>).
  virtual void PutText(int x, int y, std::string_view text) = 0;

  // The whole of `picture` with its top-left corner at (x, y).
  virtual void CopyImage(const Image& picture, int x, int y) = 0;
  // The rectangle (sx, sy, sw, sh) of `picture` stretched onto the rectangle
  // (dx, dy, dw, dh) of the canvas.
  virtual void StretchImage(const Image& picture, int sx, int sy, int sw, int sh, int dx, int dy,
                            int dw, int dh) = 0;
};

// What every graphic of the graph window starts with: text in white with
// W/410 pixels between characters.
void PrepareGraphCanvas(Canvas& canvas);

}  // namespace korvana
