#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/bmp_file.h"
#include "graphics/raster_canvas.h"

namespace korvana {
namespace {

constexpr Rgb kBlack = {0, 0, 0};
constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kBlue = {0, 0, 255};

std::string RowPattern(const RasterCanvas& canvas, int y, int from, int to) {
  std::string pattern;
  for (int x = from; x <= to; ++x) pattern += canvas.Picture().At(x, y) == kBlack ? '.' : '#';
  return pattern;
}

TEST(RasterCanvas, LinesAndPenStyles) {
  const struct {
    const char* name;
    Pen pen;
    int y;
    const char* pattern;  // columns 0..24 of row y after a line from 0 to 20
  } cases[] = {
      {"one_pixel_solid_leaves_the_end", {kWhite, 1, PenStyle::kSolid}, 5, "####################....."},
      {"width_0_is_one_pixel", {kWhite, 0, PenStyle::kSolid}, 5, "####################....."},
      {"dotted_three_on_three_off", {kWhite, 1, PenStyle::kDot}, 5, "###...###...###...##....."},
      {"dash_dot", {kWhite, 0, PenStyle::kDashDot}, 5, "#########......###......."},
      {"wide_pen_covers_the_end", {kWhite, 2, PenStyle::kSolid}, 5, "#####################...."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RasterCanvas canvas(30, 12);
    canvas.SelectPen(c.pen);
    canvas.MoveTo(0, c.y);
    canvas.LineTo(20, c.y);
    EXPECT_EQ(RowPattern(canvas, c.y, 0, 24), c.pattern);
    const bool wide = c.pen.width > 1;
    EXPECT_EQ(RowPattern(canvas, c.y - 1, 0, 24) != std::string(25, '.'), wide) << "row above";
  }
}

TEST(RasterCanvas, LineToMovesTheCurrentPosition) {
  RasterCanvas canvas(10, 10);
  canvas.SelectPen({kWhite, 1, PenStyle::kSolid});
  canvas.MoveTo(1, 1);
  canvas.LineTo(5, 1);
  canvas.LineTo(5, 5);
  EXPECT_EQ(canvas.Picture().At(5, 1), kWhite) << "start of the second line";
  EXPECT_EQ(canvas.Picture().At(5, 4), kWhite);
  EXPECT_EQ(canvas.Picture().At(5, 5), kBlack);
}

TEST(RasterCanvas, AngleArcs) {
  const struct {
    const char* name;
    float start, sweep;
    bool right, top, left, bottom;
  } cases[] = {
      {"full_circle", 0, 360, true, true, true, true},
      {"right_half_from_the_bottom", 270, 180, true, true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RasterCanvas canvas(100, 100);
    canvas.SelectPen({kWhite, 1, PenStyle::kSolid});
    const int startX = c.start == 0 ? 90 : 50;
    const int startY = c.start == 0 ? 50 : 90;
    canvas.MoveTo(startX, startY);
    canvas.AngleArc(50, 50, 40, c.start, c.sweep);
    const Image& p = canvas.Picture();
    EXPECT_EQ(p.At(90, 50) == kWhite, c.right);
    EXPECT_EQ(p.At(50, 10) == kWhite, c.top);
    EXPECT_EQ(p.At(10, 50) == kWhite, c.left);
    EXPECT_EQ(p.At(50, 90) == kWhite, c.bottom);
    EXPECT_EQ(p.At(50, 50), kBlack) << "the centre";
  }
}

TEST(RasterCanvas, EllipseFilledInsideItsBox) {
  RasterCanvas canvas(40, 40);
  canvas.SelectPen({kRed, 0, PenStyle::kSolid});
  canvas.SelectBrush(kBlue);
  canvas.Ellipse(10, 10, 24, 24);
  const Image& p = canvas.Picture();
  EXPECT_EQ(p.At(17, 17), kBlue) << "inside";
  EXPECT_EQ(p.At(10, 17), kRed) << "left edge";
  EXPECT_EQ(p.At(23, 16), kRed) << "right edge, the last column of the box";
  EXPECT_EQ(p.At(24, 17), kBlack) << "right of the box";
  EXPECT_EQ(p.At(10, 10), kBlack) << "corner of the box";
}

TEST(RasterCanvas, TextIsTransparentAndSpacedByTheCharacterExtra) {
  RasterCanvas canvas(60, 20);
  canvas.SetPixel(0, 0, kBlue);
  canvas.SetTextColour(kWhite);
  canvas.SetTextCharacterExtra(3);
  canvas.PutText(0, 0, "HH");
  const Image& p = canvas.Picture();
  EXPECT_EQ(p.At(0, 0), kBlue) << "background kept";
  int lit = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 11; ++x) {
      EXPECT_EQ(p.At(x, y) == kWhite, p.At(x + 11, y) == kWhite) << "the second glyph 8 + 3 pixels on";
      lit += p.At(x, y) == kWhite ? 1 : 0;
    }
  }
  EXPECT_GT(lit, 10);
}

TEST(RasterCanvas, CopyAndStretchPictures) {
  Image two(2, 1);
  two.At(0, 0) = kRed;
  two.At(1, 0) = kBlue;
  RasterCanvas canvas(8, 4);
  canvas.StretchImage(two, 0, 0, 2, 1, 0, 0, 4, 2);
  EXPECT_EQ(RowPattern(canvas, 0, 0, 4), "####.");
  EXPECT_EQ(canvas.Picture().At(1, 1), kRed);
  EXPECT_EQ(canvas.Picture().At(2, 1), kBlue);
  canvas.CopyImage(two, 7, 3);  // clipped at the edge
  EXPECT_EQ(canvas.Picture().At(7, 3), kRed);
}

TEST(BmpFile, RowsBottomUpAndPadded) {
  Image picture(3, 2);
  picture.At(0, 0) = {1, 2, 3};
  picture.At(2, 1) = {4, 5, 6};
  const std::vector<uint8_t> file = EncodeBmp24(picture);
  ASSERT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(file[2], 78) << "file size";
  EXPECT_EQ(file[28], 24) << "bits per pixel";
  // The bottom row comes first: its last pixel is (4, 5, 6) as blue, green, red.
  EXPECT_EQ((std::vector<uint8_t>(file.begin() + 54 + 6, file.begin() + 54 + 12)),
            (std::vector<uint8_t>{6, 5, 4, 0, 0, 0}));
  EXPECT_EQ((std::vector<uint8_t>(file.begin() + 66, file.begin() + 69)),
            (std::vector<uint8_t>{3, 2, 1}));
  Image back;
  ASSERT_TRUE(DecodeBmp24(file, &back));
  EXPECT_EQ(back.pixels, picture.pixels);
}

TEST(BmpFile, RefusesWhatItCannotRead) {
  Image picture(3, 2);
  const std::vector<uint8_t> good = EncodeBmp24(picture);
  const struct {
    const char* name;
    size_t offset;
    uint8_t value;
    size_t size;
  } cases[] = {{"eight_bits", 28, 8, good.size()},
               {"compressed", 30, 1, good.size()},
               {"not_bm", 0, 'X', good.size()},
               {"cut_short", 0, 'B', good.size() - 1}};
  for (const auto& c : cases) {
    std::vector<uint8_t> bad = good;
    bad[c.offset] = c.value;
    bad.resize(c.size);
    Image out;
    EXPECT_FALSE(DecodeBmp24(bad, &out)) << c.name;
  }
}

}  // namespace
}  // namespace korvana
