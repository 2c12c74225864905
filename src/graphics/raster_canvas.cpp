#include "graphics/raster_canvas.h"

#include <cmath>
#include <cstdlib>

#include "data/fixed_font.h"

namespace korvana {

namespace {

// On and off run lengths in pixels of the one-pixel styled pens.
struct DashPattern {
  int count;
  int runs[4];
};
constexpr DashPattern kDotPattern = {2, {3, 3, 0, 0}};
constexpr DashPattern kDashDotPattern = {4, {9, 6, 3, 6}};

bool PatternIsOn(const DashPattern& pattern, int step) {
  int total = 0;
  for (int i = 0; i < pattern.count; ++i) total += pattern.runs[i];
  int position = step % total;
  for (int i = 0; i < pattern.count; ++i) {
    if (position < pattern.runs[i]) return i % 2 == 0;
    position -= pattern.runs[i];
  }
  return false;
}

constexpr double kPi = 3.141592653589793;

}  // namespace

void PrepareGraphCanvas(Canvas& canvas) {
  canvas.SetTextCharacterExtra(canvas.Width() / 410);
  canvas.SetTextColour({255, 255, 255});
}

RasterCanvas::RasterCanvas(int width, int height) : image_(width, height) {}

void RasterCanvas::SelectPen(const Pen& pen) {
  pen_ = pen;
  patternStep_ = 0;
}

void RasterCanvas::MoveTo(int x, int y) {
  currentX_ = x;
  currentY_ = y;
}

void RasterCanvas::SetPixel(int x, int y, Rgb colour) {
  if (image_.Contains(x, y)) image_.At(x, y) = colour;
}

void RasterCanvas::Stamp(int x, int y) {
  if (pen_.width <= 1) {
    SetPixel(x, y, pen_.colour);
    return;
  }
  // A round pen tip of the pen's diameter, centred on the point.
  const double radius = pen_.width / 2.0;
  const int reach = pen_.width / 2;
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      const double cx = dx + (pen_.width % 2 == 0 ? 0.5 : 0.0);
      const double cy = dy + (pen_.width % 2 == 0 ? 0.5 : 0.0);
      if (cx * cx + cy * cy <= radius * radius) SetPixel(x + dx, y + dy, pen_.colour);
    }
  }
}

void RasterCanvas::PlotPen(int x, int y) {
  const int step = patternStep_++;
  if (pen_.width <= 1 && pen_.style != PenStyle::kSolid) {
    const DashPattern& pattern = pen_.style == PenStyle::kDot ? kDotPattern : kDashDotPattern;
    if (!PatternIsOn(pattern, step)) return;
  }
  Stamp(x, y);
}

void RasterCanvas::DrawSegment(int x0, int y0, int x1, int y1, bool withEnd) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  int x = x0;
  int y = y0;
  for (;;) {
    if (x == x1 && y == y1) {
      if (withEnd) PlotPen(x, y);
      return;
    }
    PlotPen(x, y);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void RasterCanvas::LineTo(int x, int y) {
  // Wide pens have round ends that cover the end point as well.
  DrawSegment(currentX_, currentY_, x, y, pen_.width > 1);
  currentX_ = x;
  currentY_ = y;
}

void RasterCanvas::AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees) {
  const double start = startDegrees * kPi / 180;
  const double sweep = sweepDegrees * kPi / 180;
  auto point = [&](double angle, int* px, int* py) {
    *px = static_cast<int>(std::lround(x + radius * std::cos(angle)));
    *py = static_cast<int>(std::lround(y - radius * std::sin(angle)));
  };
  int ax = 0;
  int ay = 0;
  point(start, &ax, &ay);
  LineTo(ax, ay);
  // Short chords of about two pixels follow the circle closely.
  const int steps = std::max(8, static_cast<int>(std::fabs(sweep) * radius / 2));
  for (int i = 1; i <= steps; ++i) {
    point(start + sweep * i / steps, &ax, &ay);
    DrawSegment(currentX_, currentY_, ax, ay, i == steps);
    currentX_ = ax;
    currentY_ = ay;
  }
}

void RasterCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  const double cx = (left + right - 1) / 2.0;
  const double cy = (top + bottom - 1) / 2.0;
  const double rx = (right - left) / 2.0;
  const double ry = (bottom - top) / 2.0;
  auto inside = [&](int px, int py) {
    const double ex = (px - cx) / rx;
    const double ey = (py - cy) / ry;
    return ex * ex + ey * ey <= 1.0;
  };
  for (int py = top; py < bottom; ++py) {
    for (int px = left; px < right; ++px) {
      if (!inside(px, py)) continue;
      const bool edge = !inside(px - 1, py) || !inside(px + 1, py) || !inside(px, py - 1) ||
                        !inside(px, py + 1);
      if (edge) {
        Stamp(px, py);
      } else {
        SetPixel(px, py, brush_);
      }
    }
  }
}

void RasterCanvas::PutText(int x, int y, std::string_view text) {
  const FixedFont& font = kFixedFont;
  int left = x;
  for (const char ch : text) {
    const int code = static_cast<unsigned char>(ch);
    if (code >= font.first && code <= font.last) {
      const uint8_t* rows = font.rows + (code - font.first) * font.height;
      for (int row = 0; row < font.height; ++row) {
        for (int column = 0; column < font.width; ++column) {
          if (rows[row] & (0x80 >> column)) SetPixel(left + column, y + row, textColour_);
        }
      }
    }
    left += font.width + characterExtra_;
  }
}

void RasterCanvas::CopyImage(const Image& picture, int x, int y) {
  for (int row = 0; row < picture.height; ++row) {
    for (int column = 0; column < picture.width; ++column) {
      SetPixel(x + column, y + row, picture.At(column, row));
    }
  }
}

void RasterCanvas::StretchImage(const Image& picture, int sx, int sy, int sw, int sh, int dx,
                                int dy, int dw, int dh) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  for (int row = 0; row < dh; ++row) {
    const int sourceRow = sy + static_cast<int>(static_cast<int64_t>(row) * sh / dh);
    for (int column = 0; column < dw; ++column) {
      const int sourceColumn = sx + static_cast<int>(static_cast<int64_t>(column) * sw / dw);
      if (picture.Contains(sourceColumn, sourceRow)) {
        SetPixel(dx + column, dy + row, picture.At(sourceColumn, sourceRow));
      }
    }
  }
}

}  // namespace korvana
