#include "graphics/recording_canvas.h"

namespace korvana {

DrawCall& RecordingCanvas::Add(DrawKind kind) {
  DrawCall& call = calls_.emplace_back();
  call.kind = kind;
  call.pen = pen_;
  return call;
}

void RecordingCanvas::SelectPen(const Pen& pen) {
  pen_ = pen;
  Add(DrawKind::kSelectPen);
}

void RecordingCanvas::SelectBrush(Rgb colour) { Add(DrawKind::kSelectBrush).colour = colour; }

void RecordingCanvas::MoveTo(int x, int y) {
  DrawCall& call = Add(DrawKind::kMoveTo);
  call.x = x;
  call.y = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  DrawCall& call = Add(DrawKind::kLineTo);
  call.x = x;
  call.y = y;
}

void RecordingCanvas::AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees) {
  DrawCall& call = Add(DrawKind::kAngleArc);
  call.x = x;
  call.y = y;
  call.a = radius;
  call.start = startDegrees;
  call.sweep = sweepDegrees;
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  DrawCall& call = Add(DrawKind::kEllipse);
  call.x = left;
  call.y = top;
  call.a = right;
  call.b = bottom;
}

void RecordingCanvas::SetPixel(int x, int y, Rgb colour) {
  DrawCall& call = Add(DrawKind::kSetPixel);
  call.x = x;
  call.y = y;
  call.colour = colour;
}

void RecordingCanvas::SetTextColour(Rgb colour) { Add(DrawKind::kSetTextColour).colour = colour; }

void RecordingCanvas::SetTextCharacterExtra(int pixels) {
  Add(DrawKind::kSetTextCharacterExtra).a = pixels;
}

void RecordingCanvas::PutText(int x, int y, std::string_view text) {
  DrawCall& call = Add(DrawKind::kPutText);
  call.x = x;
  call.y = y;
  call.text = std::string(text);
}

void RecordingCanvas::CopyImage(const Image& picture, int x, int y) {
  DrawCall& call = Add(DrawKind::kCopyImage);
  call.x = x;
  call.y = y;
  call.picture = picture;
}

void RecordingCanvas::StretchImage(const Image& picture, int sx, int sy, int sw, int sh, int dx,
                                   int dy, int dw, int dh) {
  DrawCall& call = Add(DrawKind::kStretchImage);
  call.x = dx;
  call.y = dy;
  call.a = dw;
  call.b = dh;
  call.picture = Image(sw, sh);
  for (int row = 0; row < sh; ++row) {
    for (int column = 0; column < sw; ++column) {
      if (picture.Contains(sx + column, sy + row)) {
        call.picture.At(column, row) = picture.At(sx + column, sy + row);
      }
    }
  }
}

}  // namespace korvana
