#pragma once
// The drawing canvas over a GDI drawing context: the graph window's pictures
// are drawn through it onto the off-screen bitmap of BeginGraphPaint.

#include <windows.h>

#include "graphics/canvas.h"

namespace korvana::win {

class GdiCanvas final : public Canvas {
 public:
  // Draws on `dc`, which holds a bitmap of width x height pixels.
  GdiCanvas(HDC dc, int width, int height);
  // Puts the context's own pen and brush back and deletes the ones made here.
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

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
  HDC dc_;
  int width_;
  int height_;
  HPEN pen_ = nullptr;      // the pen made here and selected, if any
  HBRUSH brush_ = nullptr;  // the brush made here and selected, if any
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
};

// A 24-bit device-independent bitmap of `picture`, selected into a memory
// context compatible with `dc`, for BitBlt and StretchBlt. Released when it
// goes out of scope.
class PictureSource {
 public:
  PictureSource(HDC dc, const Image& picture);
  ~PictureSource();
  PictureSource(const PictureSource&) = delete;
  PictureSource& operator=(const PictureSource&) = delete;

  HDC Dc() const { return dc_; }
  bool Ready() const { return dc_ != nullptr && bitmap_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

}  // namespace korvana::win
