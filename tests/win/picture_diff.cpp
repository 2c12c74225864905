// korvana-picture-diff: compares a screenshot of the graph window with the
// console front end's picture of the same moment, for the end-to-end tests.
// The window's canvas (0, 0) lies at the client area's top-left corner
// (LEFT, TOP) of the screenshot; only the part of the canvas inside the
// client area (RIGHT, BOTTOM exclusive) is compared.
//
//   stretch SHOT LEFT TOP RIGHT BOTTOM W H REF DX DY DW DH
//       The expected canvas is W x H black with REF stretched onto the
//       rectangle (DX, DY, DW, DH) by this platform's StretchBlt, as the
//       program stretches its maps and views; every pixel must be equal.
//   near SHOT LEFT TOP RIGHT BOTTOM REF RADIUS ALLOWED [X0 Y0 X1 Y1]...
//       REF is the whole canvas. Every lit (non-black) pixel of either
//       picture must have a pixel of the same colour in the other within
//       RADIUS pixels (lines drawn by two rasterisers), outside the masked
//       rectangles (text: the fonts differ); at most ALLOWED pixels of each
//       may go without.
//
// Prints what it found; exit status 0 when the pictures agree, 1 when they
// differ, 2 on bad usage or unreadable files.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // top row first
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t Le(const std::vector<unsigned char>& b, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b[at + i];
  return value;
}

// Uncompressed 24- or 32-bit BMP files, rows bottom-up or top-down.
bool ReadBmp(const char* path, Picture* picture) {
  std::vector<unsigned char> bytes;
  if (std::FILE* in = std::fopen(path, "rb")) {
    unsigned char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
      bytes.insert(bytes.end(), buffer, buffer + count);
    }
    std::fclose(in);
  }
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t offset = Le(bytes, 10, 4);
  const int width = static_cast<int32_t>(Le(bytes, 18, 4));
  const int storedHeight = static_cast<int32_t>(Le(bytes, 22, 4));
  const int bitCount = static_cast<int>(Le(bytes, 28, 2));
  if (width <= 0 || storedHeight == 0 || (bitCount != 24 && bitCount != 32) ||
      Le(bytes, 30, 4) != 0) {
    return false;
  }
  const int height = storedHeight < 0 ? -storedHeight : storedHeight;
  const size_t pixelBytes = static_cast<size_t>(bitCount / 8);
  const size_t rowBytes = (width * pixelBytes + 3) / 4 * 4;
  if (bytes.size() < offset + rowBytes * height) return false;
  picture->width = width;
  picture->height = height;
  picture->pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int stored = storedHeight > 0 ? height - 1 - y : y;
    const unsigned char* row = bytes.data() + offset + rowBytes * stored;
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = row + pixelBytes * x;
      picture->pixels[static_cast<size_t>(y) * width + x] = RGB(p[2], p[1], p[0]);
    }
  }
  return true;
}

// W x H black with `reference` stretched onto (dx, dy, dw, dh) by GDI.
Picture StretchedCanvas(const Picture& reference, int w, int h, int dx, int dy, int dw, int dh) {
  HDC screen = GetDC(nullptr);
  HDC canvasDc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ canvasOriginal = SelectObject(canvasDc, canvas);
  PatBlt(canvasDc, 0, 0, w, h, BLACKNESS);

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = reference.width;
  info.bmiHeader.biHeight = -reference.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP source = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const size_t rowBytes = (static_cast<size_t>(reference.width) * 3 + 3) / 4 * 4;
  for (int y = 0; y < reference.height; ++y) {
    auto* out = static_cast<unsigned char*>(bits) + rowBytes * y;
    for (int x = 0; x < reference.width; ++x) {
      const COLORREF c = reference.At(x, y);
      *out++ = GetBValue(c);
      *out++ = GetGValue(c);
      *out++ = GetRValue(c);
    }
  }
  GdiFlush();
  HDC sourceDc = CreateCompatibleDC(screen);
  HGDIOBJ sourceOriginal = SelectObject(sourceDc, source);
  StretchBlt(canvasDc, dx, dy, dw, dh, sourceDc, 0, 0, reference.width, reference.height,
             SRCCOPY);

  // Read the canvas back as 24-bit rows.
  Picture result;
  result.width = w;
  result.height = h;
  result.pixels.resize(static_cast<size_t>(w) * h);
  BITMAPINFO readInfo = {};
  readInfo.bmiHeader = info.bmiHeader;
  readInfo.bmiHeader.biWidth = w;
  readInfo.bmiHeader.biHeight = -h;
  const size_t readRowBytes = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
  std::vector<unsigned char> rows(readRowBytes * h);
  SelectObject(canvasDc, canvasOriginal);
  GetDIBits(canvasDc, canvas, 0, static_cast<UINT>(h), rows.data(), &readInfo, DIB_RGB_COLORS);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = rows.data() + readRowBytes * y + 3 * x;
      result.pixels[static_cast<size_t>(y) * w + x] = RGB(p[2], p[1], p[0]);
    }
  }
  SelectObject(sourceDc, sourceOriginal);
  DeleteDC(sourceDc);
  DeleteObject(source);
  DeleteDC(canvasDc);
  DeleteObject(canvas);
  ReleaseDC(nullptr, screen);
  return result;
}

struct ClientArea {
  int left, top, right, bottom;
};

void PrintColour(COLORREF c) {
  std::printf("(%d, %d, %d)", GetRValue(c), GetGValue(c), GetBValue(c));
}

int CompareExactly(const Picture& shot, const ClientArea& area, const Picture& expected) {
  long differing = 0, compared = 0;
  for (int y = 0; y < expected.height && area.top + y < area.bottom; ++y) {
    for (int x = 0; x < expected.width && area.left + x < area.right; ++x) {
      ++compared;
      const COLORREF seen = shot.At(area.left + x, area.top + y);
      if (seen == expected.At(x, y)) continue;
      if (differing++ < 5) {
        std::printf("  canvas (%d, %d): screen ", x, y);
        PrintColour(seen);
        std::printf(", expected ");
        PrintColour(expected.At(x, y));
        std::printf("\n");
      }
    }
  }
  std::printf("differing pixels: %ld of %ld\n", differing, compared);
  return differing == 0 && compared > 0 ? 0 : 1;
}

struct Mask {
  int x0, y0, x1, y1;
  bool Covers(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// Lit pixels of `from` (at canvas coordinates, origin `fromX`, `fromY`)
// with no pixel of the same colour in `to` within `radius`.
long Unmatched(const Picture& from, int fromX, int fromY, const Picture& to, int toX, int toY,
               int width, int height, int radius, const std::vector<Mask>& masks, long* lit) {
  long unmatched = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = from.At(fromX + x, fromY + y);
      if (c == RGB(0, 0, 0)) continue;
      bool masked = false;
      for (const Mask& m : masks) masked = masked || m.Covers(x, y);
      if (masked) continue;
      ++*lit;
      bool found = false;
      for (int v = -radius; v <= radius && !found; ++v) {
        for (int u = -radius; u <= radius && !found; ++u) {
          const int tx = x + u, ty = y + v;
          if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
          found = to.At(toX + tx, toY + ty) == c;
        }
      }
      if (!found && unmatched++ < 5) {
        std::printf("  canvas (%d, %d) ", x, y);
        PrintColour(c);
        std::printf(" has no match\n");
      }
    }
  }
  return unmatched;
}

int CompareNear(const Picture& shot, const ClientArea& area, const Picture& reference, int radius,
                long allowed, const std::vector<Mask>& masks) {
  const int width = std::min(reference.width, area.right - area.left);
  const int height = std::min(reference.height, area.bottom - area.top);
  long referenceLit = 0, shotLit = 0;
  std::printf("console picture against the screen:\n");
  const long missing =
      Unmatched(reference, 0, 0, shot, area.left, area.top, width, height, radius, masks,
                &referenceLit);
  std::printf("screen against the console picture:\n");
  const long extra = Unmatched(shot, area.left, area.top, reference, 0, 0, width, height, radius,
                               masks, &shotLit);
  std::printf("lit pixels without a match within %d: %ld of %ld (console), %ld of %ld (screen)\n",
              radius, missing, referenceLit, extra, shotLit);
  return missing <= allowed && extra <= allowed && referenceLit > 0 ? 0 : 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: korvana-picture-diff stretch SHOT L T R B W H REF DX DY DW DH\n"
               "       korvana-picture-diff near SHOT L T R B REF RADIUS ALLOWED [X0 Y0 X1 Y1]...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 9) return Usage();
  const std::string verb = argv[1];
  Picture shot;
  if (!ReadBmp(argv[2], &shot)) {
    std::fprintf(stderr, "korvana-picture-diff: cannot read %s\n", argv[2]);
    return 2;
  }
  ClientArea area = {std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                     std::atoi(argv[6])};
  area.right = std::min(area.right, shot.width);
  area.bottom = std::min(area.bottom, shot.height);
  if (area.left < 0 || area.top < 0 || area.left >= area.right || area.top >= area.bottom) {
    return Usage();
  }
  if (verb == "stretch") {
    if (argc != 14) return Usage();
    Picture reference;
    if (!ReadBmp(argv[9], &reference)) {
      std::fprintf(stderr, "korvana-picture-diff: cannot read %s\n", argv[9]);
      return 2;
    }
    const Picture expected =
        StretchedCanvas(reference, std::atoi(argv[7]), std::atoi(argv[8]), std::atoi(argv[10]),
                        std::atoi(argv[11]), std::atoi(argv[12]), std::atoi(argv[13]));
    return CompareExactly(shot, area, expected);
  }
  if (verb == "near") {
    if (argc < 10 || (argc - 10) % 4 != 0) return Usage();
    Picture reference;
    if (!ReadBmp(argv[7], &reference)) {
      std::fprintf(stderr, "korvana-picture-diff: cannot read %s\n", argv[7]);
      return 2;
    }
    std::vector<Mask> masks;
    for (int i = 10; i + 3 < argc; i += 4) {
      masks.push_back({std::atoi(argv[i]), std::atoi(argv[i + 1]), std::atoi(argv[i + 2]),
                       std::atoi(argv[i + 3])});
    }
    return CompareNear(shot, area, reference, std::atoi(argv[8]), std::atol(argv[9]), masks);
  }
  return Usage();
}
