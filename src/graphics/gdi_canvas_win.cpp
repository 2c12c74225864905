#include "graphics/gdi_canvas_win.h"

#include <string>

namespace korvana::win {

namespace {

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

int PenStyleOf(PenStyle style) {
  switch (style) {
    case PenStyle::kDot:
      return PS_DOT;
    case PenStyle::kDashDot:
      return PS_DASHDOT;
    case PenStyle::kSolid:
    default:
      return PS_SOLID;
  }
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {}

GdiCanvas::~GdiCanvas() {
  if (pen_ != nullptr) {
    SelectObject(dc_, originalPen_);
    DeleteObject(pen_);
  }
  if (brush_ != nullptr) {
    SelectObject(dc_, originalBrush_);
    DeleteObject(brush_);
  }
}

void GdiCanvas::SelectPen(const Pen& pen) {
  HPEN made = CreatePen(PenStyleOf(pen.style), pen.width, ToColorRef(pen.colour));
  if (made == nullptr) return;
  HGDIOBJ previous = SelectObject(dc_, made);
  if (pen_ != nullptr) {
    DeleteObject(pen_);
  } else {
    originalPen_ = previous;
  }
  pen_ = made;
}

void GdiCanvas::SelectBrush(Rgb colour) {
  HBRUSH made = CreateSolidBrush(ToColorRef(colour));
  if (made == nullptr) return;
  HGDIOBJ previous = SelectObject(dc_, made);
  if (brush_ != nullptr) {
    DeleteObject(brush_);
  } else {
    originalBrush_ = previous;
  }
  brush_ = made;
}

void GdiCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiCanvas::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void GdiCanvas::AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees) {
  ::AngleArc(dc_, x, y, static_cast<DWORD>(radius), startDegrees, sweepDegrees);
}

void GdiCanvas::Ellipse(int left, int top, int right, int bottom) {
  ::Ellipse(dc_, left, top, right, bottom);
}

void GdiCanvas::SetPixel(int x, int y, Rgb colour) { SetPixelV(dc_, x, y, ToColorRef(colour)); }

void GdiCanvas::SetTextColour(Rgb colour) { SetTextColor(dc_, ToColorRef(colour)); }

void GdiCanvas::SetTextCharacterExtra(int pixels) { ::SetTextCharacterExtra(dc_, pixels); }

void GdiCanvas::PutText(int x, int y, std::string_view text) {
  const std::string copy(text);
  TextOutA(dc_, x, y, copy.c_str(), static_cast<int>(copy.size()));
}

void GdiCanvas::CopyImage(const Image& picture, int x, int y) {
  PictureSource source(dc_, picture);
  if (!source.Ready()) return;
  BitBlt(dc_, x, y, picture.width, picture.height, source.Dc(), 0, 0, SRCCOPY);
}

void GdiCanvas::StretchImage(const Image& picture, int sx, int sy, int sw, int sh, int dx, int dy,
                             int dw, int dh) {
  PictureSource source(dc_, picture);
  if (!source.Ready()) return;
  // The context's own stretching mode: the platform's default plain copy.
  StretchBlt(dc_, dx, dy, dw, dh, source.Dc(), sx, sy, sw, sh, SRCCOPY);
}

PictureSource::PictureSource(HDC dc, const Image& picture) {
  if (picture.width <= 0 || picture.height <= 0) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // rows top-down, as the picture holds them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr || bits == nullptr) return;
  const size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) / 4 * 4;
  auto* rows = static_cast<uint8_t*>(bits);
  for (int y = 0; y < picture.height; ++y) {
    uint8_t* out = rows + rowBytes * static_cast<size_t>(y);
    for (int x = 0; x < picture.width; ++x) {
      const Rgb& pixel = picture.At(x, y);
      *out++ = pixel.blue;
      *out++ = pixel.green;
      *out++ = pixel.red;
    }
  }
  GdiFlush();
  dc_ = CreateCompatibleDC(dc);
  if (dc_ != nullptr) original_ = SelectObject(dc_, bitmap_);
}

PictureSource::~PictureSource() {
  if (dc_ != nullptr) {
    SelectObject(dc_, original_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

}  // namespace korvana::win
