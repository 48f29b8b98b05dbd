#include "image/IxDIBCanvas.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/RasterEllipse.h"
#include "tests/image/DIB256TestSupport.h"

namespace pixkura {
namespace {

using testing::Count;
using testing::Paint;
using testing::Picture;
using testing::Shape8;

void Shape24(TIxDIB& dib, int32_t w, int32_t h) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(24);
}

TEST(IxDIBCanvas, OpeningGivesPrivateStorageAndClosingReportsChange) {
  TIxDIB a, b;
  Shape8(a, 4, 4);
  b.Assign(&a);
  int changes = 0;
  a.OnChange = [&](TGraphic&) { ++changes; };
  {
    TIxDIBCanvas canvas(a);
    canvas.PenColor = clWhite;
    canvas.BrushColor = clWhite;
    canvas.Ellipse(0, 0, 4, 4);
    EXPECT_EQ(changes, 0);
  }
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Count(b, 0), 16);  // the other sharer is unchanged
  EXPECT_NE(&a.InternalDIB(), &b.InternalDIB());
}

TEST(IxDIBCanvas, ColoursMapToTheNearestEntryOfTheTableAtOpening) {
  TIxDIB dib;
  Shape8(dib, 3, 1);
  dib.SetColors(5, RGB(250, 0, 0));
  dib.SetColors(6, RGB(250, 0, 0));
  dib.SetColors(7, RGB(0, 0, 200));
  TIxDIBCanvas canvas(dib);
  EXPECT_EQ(canvas.PixelValue(clRed), 5u);  // lowest of two equally near
  EXPECT_EQ(canvas.PixelValue(RGB(0, 0, 255)), 7u);
  EXPECT_EQ(canvas.ColorOf(7), RGB(0, 0, 200));
  canvas.Close();
}

TEST(IxDIBCanvas, NearestColorMatchesALinearSearch) {
  std::mt19937 rng(3);
  for (int round = 0; round < 20; ++round) {
    std::vector<TRGBQuad> table(256);
    const int count = 1 + static_cast<int>(rng() % 256);
    for (auto& q : table) {
      // Few distinct levels: many ties and duplicates.
      const auto level = [&] { return static_cast<uint8_t>(round % 2 ? rng() % 256 : (rng() % 5) * 60); };
      q = TRGBQuad{level(), level(), level(), 0};
    }
    TNearestColor search(table.data(), count);
    for (int probe = 0; probe < 500; ++probe) {
      const TColor c = rng() & 0xFFFFFF;
      int best = 0, bestD = 1 << 30;
      for (int i = 0; i < count; ++i) {
        const int dr = table[i].rgbRed - GetRValue(c), dg = table[i].rgbGreen - GetGValue(c),
                  db = table[i].rgbBlue - GetBValue(c);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestD) bestD = d, best = i;
      }
      ASSERT_EQ(search.Nearest(c), best) << round << " " << std::hex << c;
    }
  }
}

TEST(IxDIBCanvas, EllipseOutlineAndInside) {
  TIxDIB dib;
  Shape24(dib, 9, 7);
  TIxDIBCanvas canvas(dib);
  canvas.PenColor = clRed;
  canvas.BrushColor = clWhite;
  canvas.Ellipse(8, 6, 1, 1);  // 7 x 5 box from (1, 1), corners swapped
  canvas.Close();
  std::string pic;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 9; ++x) {
      const auto c = static_cast<TColor>(dib.GetPixels(x, y));
      pic += c == clRed ? 'r' : (c == clWhite ? 'w' : '.');
    }
    pic += '\n';
  }
  EXPECT_EQ(pic,
            ".........\n"
            "...rrr...\n"
            "..rwwwr..\n"
            ".rwwwwwr.\n"
            "..rwwwr..\n"
            "...rrr...\n"
            ".........\n");
}

// Walks the outline of every box: symmetric both ways, every shape pixel
// with a side neighbour outside is outline, and a 4-connected fill from
// outside the box never reaches the inside.
TEST(IxDIBCanvas, EllipseOutlinesAreSymmetricAndClosed) {
  for (int64_t w = 1; w <= 40; ++w)
    for (int64_t h = 1; h <= 40; ++h) {
      const TEllipseRaster raster(w, h);
      std::vector<std::vector<int>> cell(h + 2, std::vector<int>(w + 2, 0));  // 0 out, 1 outline, 2 inside
      for (int64_t j = 0; j < h; ++j) {
        const TEllipseRow row = raster.Row(j);
        ASSERT_EQ(row.Left, raster.Row(h - 1 - j).Left) << w << "x" << h;
        for (int64_t i = 0; i < w; ++i) {
          const bool in = TEllipseRaster::InShape(row, w, i);
          const bool on = TEllipseRaster::OnOutline(row, w, i);
          ASSERT_EQ(in, TEllipseRaster::InShape(row, w, w - 1 - i));
          ASSERT_EQ(on, TEllipseRaster::OnOutline(row, w, w - 1 - i));
          cell[j + 1][i + 1] = on ? 1 : (in ? 2 : 0);
        }
      }
      // Touches all four sides of its box.
      ASSERT_TRUE(TEllipseRaster::InShape(raster.Row(h / 2), w, 0));
      ASSERT_TRUE(TEllipseRaster::InShape(raster.Row(0), w, w / 2));
      for (int64_t y = 1; y <= h; ++y)
        for (int64_t x = 1; x <= w; ++x)
          if (cell[y][x] == 2) {
            ASSERT_TRUE(cell[y - 1][x] && cell[y + 1][x] && cell[y][x - 1] && cell[y][x + 1])
                << w << "x" << h;
          }
    }
}

TEST(IxDIBCanvas, EllipseIsClippedToTheBitmap) {
  TIxDIB dib;
  Shape8(dib, 4, 4);
  dib.SetColors(1, clBlack);
  dib.SetColors(2, clWhite);
  dib.SetColors(0, clRed);
  TIxDIBCanvas canvas(dib);
  canvas.PenColor = clBlack;
  canvas.Ellipse(-100, -100, 108, 108);        // only the inside crosses the bitmap
  canvas.Ellipse(INT32_MIN, 0, INT32_MAX, 1);  // wider than any surface: nothing
  canvas.Ellipse(-(1 << 30), 3, 1 << 30, 4);   // one row: all outline
  canvas.Close();
  EXPECT_EQ(Picture(dib), "2222\n2222\n2222\n1111");
}

TEST(IxDIBCanvas, FloodFillStopsAtTheBorderColourThroughSidesOnly) {
  TIxDIB dib;
  Shape8(dib, 6, 4);
  dib.SetColors(1, clRed);
  dib.SetColors(2, clWhite);
  dib.SetColors(3, clRed);  // a second red entry is border too
  Paint(dib,
        "..1...\n"
        ".1.3..\n"
        "1...1.\n"
        ".....1");
  TIxDIBCanvas canvas(dib);
  canvas.BrushColor = clWhite;
  canvas.FloodFill(2, 2, clRed);
  canvas.FloodFill(0, 0, clRed);
  canvas.FloodFill(2, 0, clRed);   // on the border: nothing
  canvas.FloodFill(-1, 0, clRed);  // outside: nothing
  canvas.Close();
  EXPECT_EQ(Picture(dib),
            "221...\n"  // the right-hand pocket touches the rest only diagonally
            "2123..\n"
            "12221.\n"
            "222221");
}

TEST(IxDIBCanvas, CopyRectBetweenDepths) {
  TIxDIB src, dst;
  Shape8(src, 2, 1);
  src.SetColors(4, RGB(1, 2, 3));
  Paint(src, "4.");
  Shape24(dst, 2, 2);
  {
    TIxDIBCanvas to(dst), from(src);
    to.CopyRect(TRect{0, 0, 2, 2}, from, TRect{0, 0, 2, 1});
  }
  EXPECT_EQ(static_cast<TColor>(dst.GetPixels(0, 1)), RGB(1, 2, 3));
  TIxDIB back;
  Shape8(back, 2, 2);
  back.SetColors(9, RGB(0, 2, 3));
  {
    TIxDIBCanvas to(back), from(dst);
    to.CopyRect(TRect{0, 0, 2, 2}, from, TRect{0, 0, 2, 2});
  }
  EXPECT_EQ(Picture(back), "9.\n9.");
  // 4-bit to 4-bit: indices as they are, mirrored.
  TIxDIB four, fourDst;
  for (TIxDIB* d : {&four, &fourDst}) {
    d->SetWidth(3);
    d->SetHeight(1);
    d->SetBitCount(4);
  }
  Paint(four, "123");
  {
    TIxDIBCanvas to(fourDst), from(four);
    to.CopyRect(TRect{0, 0, 3, 1}, from, TRect{2, 0, -1, 1});
  }
  EXPECT_EQ(Picture(fourDst), "321");
}

}  // namespace
}  // namespace pixkura
