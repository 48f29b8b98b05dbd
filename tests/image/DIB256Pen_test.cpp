#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "image/DIB256.h"
#include "image/IxDIBCanvas.h"
#include "tests/image/DIB256TestSupport.h"

namespace pixkura {
namespace {

using testing::Count;
using testing::Picture;
using testing::Shape8;

void Dot(TIxDIB& dib, int32_t x, int32_t y, uint8_t size, bool wrap = false) {
  PenDot(x, y, 1, dib, false, 0, wrap, size);
}

TEST(DIB256Pen, PenDotTestsTheAnchorAlone) {
  TIxDIB dib;
  Shape8(dib, 5, 4);
  Dot(dib, 0, 0, 3);  // centred square clipped to the bitmap
  EXPECT_EQ(Picture(dib), "11...\n11...\n.....\n.....");
  Shape8(dib, 5, 3);
  TIxDIB fresh;
  Shape8(fresh, 5, 4);
  Dot(fresh, -1, 0, 3);  // anchor outside: nothing, though part of the square is inside
  Dot(fresh, 5, 1, 2);
  Dot(fresh, 2, 4, 1);
  EXPECT_EQ(Count(fresh, 1), 0);
}

TEST(DIB256Pen, PenDotSquaresBySize) {
  TIxDIB dib;
  Shape8(dib, 7, 7);
  Dot(dib, 3, 3, 1);
  EXPECT_EQ(Count(dib, 1), 1);
  Shape8(dib, 7, 7);
  Dot(dib, 3, 3, 2);  // right-below the anchor
  EXPECT_EQ(Picture(dib), ".......\n.......\n.......\n...11..\n...11..\n.......\n.......");
  TIxDIB four;
  Shape8(four, 7, 7);
  Dot(four, 3, 3, 4);  // 4 x 4 from (x-1, y-1), as the square pen
  EXPECT_EQ(Picture(four), ".......\n.......\n..1111.\n..1111.\n..1111.\n..1111.\n.......");
  TIxDIB five;
  Shape8(five, 7, 7);
  Dot(five, 3, 3, 5);
  EXPECT_EQ(Count(five, 1), 25);
  EXPECT_EQ(five.GetPixels(1, 1), 1);
  EXPECT_EQ(five.GetPixels(5, 5), 1);
  TIxDIB edge;
  Shape8(edge, 4, 4);
  Dot(edge, 3, 3, 5);  // clipped, not wrapped
  EXPECT_EQ(Picture(edge), "....\n.111\n.111\n.111");
  TIxDIB none;
  Shape8(none, 4, 4);
  Dot(none, 1, 1, 0);
  Dot(none, 1, 1, 6);
  EXPECT_EQ(Count(none, 1), 0);
}

TEST(DIB256Pen, PenDotWrapsAndSkipsTransparent) {
  TIxDIB dib;
  Shape8(dib, 4, 3);
  Dot(dib, -1, -1, 1, true);  // folds to (3, 2)
  Dot(dib, 9, 4, 1, true);    // (1, 1)
  Dot(dib, -5, 0, 2, true);   // (3, 0): the square is clipped, not wrapped
  EXPECT_EQ(Picture(dib), "...1\n.1.1\n...1");
  PenDot(0, 0, 7, dib, true, 7, false, 1);
  EXPECT_EQ(dib.GetPixels(0, 0), 0);
  PenDot(0, 0, 7, dib, true, 6, false, 1);
  EXPECT_EQ(dib.GetPixels(0, 0), 7);
}

TEST(DIB256Pen, PenBoxOrdersCornersAndGrowsWithThePen) {
  TIxDIB dib;
  Shape8(dib, 6, 5);
  PenBox(3, 2, 1, 1, 1, dib, false, 0, false, 1);
  EXPECT_EQ(Picture(dib), "......\n.111..\n.111..\n......\n......");
  TIxDIB grown;
  Shape8(grown, 6, 5);
  PenBox(1, 1, 2, 2, 1, grown, false, 0, false, 2);
  EXPECT_EQ(Picture(grown), "......\n.111..\n.111..\n.111..\n......");
  TIxDIB clipped;
  Shape8(clipped, 4, 4);
  PenBox(-100000, -3, 1, 1, 1, clipped, false, 0, false, 1);
  EXPECT_EQ(Picture(clipped), "11..\n11..\n....\n....");
  // Huge boxes finish at once: only anchors that can draw are visited.
  TIxDIB huge;
  Shape8(huge, 3, 3);
  PenBox(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 2, huge, false, 0, true, 1);
  EXPECT_EQ(Count(huge, 2), 9);
}

std::vector<std::pair<int, int>> LineDots(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  TIxDIB dib;
  Shape8(dib, 8, 8);
  PenLine(x1, y1, x2, y2, 1, dib, false, 0, false, 1);
  std::vector<std::pair<int, int>> dots;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      if (dib.GetPixels(x, y)) dots.emplace_back(x, y);
  return dots;
}

TEST(DIB256Pen, PenLineStepsWithTruncation) {
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(LineDots(0, 0, 3, 1), (P{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  EXPECT_EQ(LineDots(3, 0, 0, 0), (P{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
  EXPECT_EQ(LineDots(2, 2, 2, 2), (P{{2, 2}}));
  // Steep and backwards: dx = -2, dy = -5, n = 5; x moves by Trunc(t * -2 / 5).
  EXPECT_EQ(LineDots(4, 6, 3, 2), (P{{3, 2}, {3, 3}, {4, 4}, {4, 5}, {4, 6}}));
  // Dots outside are dropped.
  EXPECT_EQ(LineDots(-2, 0, 1, 0), (P{{0, 0}, {1, 0}}));
}

// The line as defined: every step's dot, those outside dropped.
TEST(DIB256Pen, PenLineVisitsOnlyTheStepsInsideButAllOfThem) {
  std::mt19937 rng(11);
  for (int round = 0; round < 2000; ++round) {
    const auto c = [&] { return static_cast<int32_t>(rng() % 50) - 20; };
    const int32_t x1 = c(), y1 = c(), x2 = c(), y2 = c();
    TIxDIB got, want;
    Shape8(got, 10, 8);
    Shape8(want, 10, 8);
    PenLine(x1, y1, x2, y2, 1, got, false, 0, false, 1);
    const int64_t dx = x2 > x1 ? x2 - x1 + 1 : x2 - x1 - 1, dy = y2 > y1 ? y2 - y1 + 1 : y2 - y1 - 1;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    for (int64_t t = 0; t < n; ++t) {
      const auto x = x1 + static_cast<int32_t>(std::trunc(static_cast<double>(t) * dx / n));
      const auto y = y1 + static_cast<int32_t>(std::trunc(static_cast<double>(t) * dy / n));
      if (x >= 0 && x < 10 && y >= 0 && y < 8) want.SetPixels(x, y, 1);
    }
    ASSERT_EQ(Picture(got), Picture(want)) << x1 << "," << y1 << " - " << x2 << "," << y2;
  }
  // Four billion steps, eight of them inside: done at once.
  TIxDIB wide;
  Shape8(wide, 8, 4);
  PenLine(INT32_MIN, 2, INT32_MAX, 2, 1, wide, false, 0, false, 1);
  PenLine(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, 2, wide, false, 0, false, 1);
  EXPECT_EQ(Picture(wide), "2.......\n.2......\n11211111\n...2....");
}

TEST(DIB256Pen, SquarePenLineClipsItsSquares) {
  TIxDIB dib;
  Shape8(dib, 5, 5);
  SquarePenLine(0, 0, 0, 0, 1, dib, 2);
  EXPECT_EQ(Picture(dib), "11...\n11...\n.....\n.....\n.....");
  TIxDIB five;
  Shape8(five, 5, 5);
  SquarePenLine(0, 0, 0, 0, 1, five, 5);  // (-2..2): the part inside
  EXPECT_EQ(Picture(five), "111..\n111..\n111..\n.....\n.....");
  TIxDIB four;
  Shape8(four, 5, 5);
  SquarePenLine(2, 2, 2, 2, 1, four, 4);
  EXPECT_EQ(Picture(four), ".....\n.1111\n.1111\n.1111\n.1111");
  TIxDIB line;
  Shape8(line, 6, 3);
  SquarePenLine(0, 0, 3, 0, 1, line, 3);
  EXPECT_EQ(Picture(line), "11111.\n11111.\n......");
  // Wholly outside: nothing, not the nearest edge.
  TIxDIB outside;
  Shape8(outside, 4, 4);
  SquarePenLine(-10, -10, -10, -10, 1, outside, 1);
  SquarePenLine(-3, 6, 9, 6, 1, outside, 3);  // below the bitmap, sideways
  SquarePenLine(6, -1, 6, 9, 1, outside, 4);  // right of it, downwards
  EXPECT_EQ(Picture(outside), "....\n....\n....\n....");
  TIxDIB six;  // beyond 5: a square of that side from the pointer
  Shape8(six, 8, 8);
  SquarePenLine(1, 1, 1, 1, 1, six, 6);
  EXPECT_EQ(Count(six, 1), 36);
  EXPECT_EQ(six.GetPixels(6, 6), 1);
  TIxDIB zero;
  Shape8(zero, 4, 4);
  SquarePenLine(1, 1, 2, 2, 1, zero, 0);
  EXPECT_EQ(Count(zero, 1), 0);
}

TEST(DIB256Pen, SquarePenLineLeavingAndReenteringPaintsOnlyWhatLiesInside) {
  // Down out of the bitmap, sideways below it, back up: the sideways part
  // leaves no streak on the bottom row.
  TIxDIB dib;
  Shape8(dib, 6, 4);
  SquarePenLine(0, 0, 0, 7, 1, dib, 2);
  SquarePenLine(0, 7, 4, 7, 1, dib, 2);
  SquarePenLine(4, 7, 4, 2, 1, dib, 2);
  EXPECT_EQ(Picture(dib), "11....\n11....\n11..11\n11..11");
  // Pen 3 one row below the edge still paints its top row on the edge.
  TIxDIB edge;
  Shape8(edge, 5, 3);
  SquarePenLine(0, 3, 4, 3, 1, edge, 3);
  EXPECT_EQ(Picture(edge), ".....\n.....\n11111");
  // Billions of steps, a handful of them near the bitmap: done at once.
  TIxDIB wide;
  Shape8(wide, 8, 4);
  SquarePenLine(INT32_MIN, 2, INT32_MAX, 2, 1, wide, 3);
  EXPECT_EQ(Picture(wide), "........\n11111111\n11111111\n11111111");
}

TEST(DIB256Pen, VLineRaisesAtTheFirstPixelOutside) {
  TIxDIB dib;
  Shape8(dib, 3, 4);
  VLine(1, 2, 1, 1, dib);
  EXPECT_EQ(Count(dib, 1), 0);
  EXPECT_THROW(VLine(1, 2, 9, 1, dib), EIxDIBPixelPositionRange);
  EXPECT_EQ(Picture(dib), "...\n...\n.1.\n.1.");
}

// The ellipse the stated way: a 24-bit bitmap of the box, a canvas ellipse
// (red pen, white brush), a border flood fill from the middle when filled,
// then the red pixels.
std::set<std::pair<int, int>> ReferenceEllipse(int32_t w, int32_t h, bool filled) {
  TIxDIB tmp;
  tmp.SetWidth(w);
  tmp.SetHeight(h);
  tmp.SetBitCount(24);
  {
    TIxDIBCanvas canvas(tmp);
    canvas.PenColor = clRed;
    canvas.Ellipse(0, 0, w, h);
    if (filled) {
      canvas.BrushColor = clRed;
      canvas.FloodFill(w / 2, h / 2, clRed);
    }
  }
  std::set<std::pair<int, int>> red;
  for (int i = 0; i < w; ++i)
    for (int j = 0; j < h; ++j)
      if (static_cast<TColor>(tmp.GetPixels(i, j)) == clRed) red.emplace(i, j);
  return red;
}

std::set<std::pair<int, int>> Painted(const TIxDIB& dib) {
  std::set<std::pair<int, int>> s;
  for (int x = 0; x < dib.GetWidth(); ++x)
    for (int y = 0; y < dib.GetHeight(); ++y)
      if (dib.GetPixels(x, y)) s.emplace(x, y);
  return s;
}

TEST(DIB256Pen, PenEllipseMatchesTheTemporaryBitmapAlgorithm) {
  for (int32_t w = 1; w <= 24; ++w)
    for (int32_t h = 1; h <= 24; h += (w % 3) + 1)
      for (const bool filled : {false, true}) {
        TIxDIB dib;
        Shape8(dib, w + 4, h + 4);
        // Corners given in reverse order, offset by 2.
        PenEllipse(w + 1, h + 1, 2, 2, 1, dib, false, 0, false, 1, filled);
        std::set<std::pair<int, int>> expected;
        for (const auto& [i, j] : ReferenceEllipse(w, h, filled)) expected.emplace(i + 2, j + 2);
        ASSERT_EQ(Painted(dib), expected) << w << "x" << h << (filled ? " filled" : "");
      }
}

TEST(DIB256Pen, PenEllipseSmallBoxes) {
  TIxDIB one;
  Shape8(one, 3, 3);
  PenEllipse(1, 1, 1, 1, 1, one, false, 0, false, 1, false);
  EXPECT_EQ(Picture(one), "...\n.1.\n...");
  TIxDIB line;
  Shape8(line, 3, 5);
  PenEllipse(1, 0, 1, 4, 1, line, false, 0, false, 1, false);
  EXPECT_EQ(Picture(line), ".1.\n.1.\n.1.\n.1.\n.1.");
  TIxDIB two;
  Shape8(two, 4, 4);
  PenEllipse(1, 1, 2, 2, 1, two, false, 0, false, 1, false);
  EXPECT_EQ(Picture(two), "....\n.11.\n.11.\n....");
  TIxDIB thin;
  Shape8(thin, 2, 8);
  PenEllipse(0, 0, 1, 7, 1, thin, false, 0, false, 1, false);
  EXPECT_EQ(Count(thin, 1), 16);  // reaches both tips
  TIxDIB circle;
  Shape8(circle, 7, 7);
  PenEllipse(0, 0, 6, 6, 1, circle, false, 0, false, 1, false);
  EXPECT_EQ(Picture(circle),
            "..111..\n"
            ".1...1.\n"
            "1.....1\n"
            "1.....1\n"
            "1.....1\n"
            ".1...1.\n"
            "..111..");
}

TEST(DIB256Pen, PenEllipseUsesPenDotsAndTheirClipping) {
  TIxDIB dib;
  Shape8(dib, 10, 10);
  PenEllipse(-3, -3, 3, 3, 1, dib, false, 0, false, 2, false);
  // Only anchors inside draw; size-2 squares reach right-below.
  EXPECT_EQ(dib.GetPixels(0, 0), 0);
  EXPECT_EQ(dib.GetPixels(3, 0), 1);
  EXPECT_EQ(dib.GetPixels(4, 0), 1);
  EXPECT_EQ(dib.GetPixels(4, 1), 1);
  EXPECT_EQ(dib.GetPixels(5, 0), 0);
  // A box larger than a 24-bit bitmap can be fails as making one fails.
  EXPECT_THROW(PenEllipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1, dib, false, 0, false, 1, false),
               EIxDIBInvalidDIBPara);
  // Large but valid: only the part over the bitmap is visited.
  TIxDIB big;
  Shape8(big, 16, 16);
  PenEllipse(-10000, -10000, 10015, 10015, 3, big, false, 0, false, 1, true);
  EXPECT_EQ(Count(big, 3), 256);
}

}  // namespace
}  // namespace pixkura
