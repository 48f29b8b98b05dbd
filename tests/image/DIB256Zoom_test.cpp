#include <gtest/gtest.h>

#include "image/DIB256.h"
#include "tests/image/DIB256TestSupport.h"

namespace pixkura {
namespace {

using testing::Count;
using testing::Paint;
using testing::Picture;
using testing::Shape8;

TEST(DIB256Zoom, HoleBlocksArePatternsOfTheColourBelowAndTheDither) {
  TIxDIB colors, mask, dst;
  Shape8(colors, 2, 1);
  Paint(colors, "34");
  Shape8(mask, 2, 1);
  Paint(mask, ".7");  // index 0 is the hole
  Shape8(dst, 16, 8);
  ZoomLayerDraw(0, 0, 2, 1, colors, mask, 0, 0, dst, 3, 0, 9);
  EXPECT_EQ(Picture(dst),
            "33993399"
            "44444444\n"
            "99339933"
            "44444444\n"
            "33993399"
            "44444444\n"
            "99339933"
            "44444444\n"
            "33993399"
            "44444444\n"
            "99339933"
            "44444444\n"
            "33993399"
            "44444444\n"
            "99339933"
            "44444444");
}

TEST(DIB256Zoom, SmallShiftsAreCheckerOrPlain) {
  TIxDIB colors, mask;
  Shape8(colors, 2, 2, 5);
  Shape8(mask, 2, 2);
  TIxDIB two;
  Shape8(two, 4, 4);
  ZoomLayerDraw(0, 0, 2, 2, colors, mask, 0, 0, two, 1, 0, 9);
  EXPECT_EQ(Picture(two), "5959\n9595\n5959\n9595");
  TIxDIB one;
  Shape8(one, 2, 2);
  ZoomLayerDraw(0, 0, 2, 2, colors, mask, 0, 0, one, 0, 0, 9);
  EXPECT_EQ(Picture(one), "55\n55");
}

TEST(DIB256Zoom, RightAndBottomExclusiveAndOffset) {
  TIxDIB colors, mask, dst;
  Shape8(colors, 3, 3);
  Paint(colors, "123\n456\n789");
  Shape8(mask, 3, 3, 1);
  Shape8(dst, 6, 6);
  ZoomLayerDraw(1, 1, 3, 2, colors, mask, 1, 2, dst, 1, 0, 0);
  EXPECT_EQ(Picture(dst), "......\n......\n.5566.\n.5566.\n......\n......");
}

TEST(DIB256Zoom, SourcesOutsideAreSkippedAndBlocksClamped) {
  TIxDIB colors, mask, dst;
  Shape8(colors, 2, 2, 4);
  Shape8(mask, 3, 1, 1);  // one row only
  Shape8(dst, 4, 4);
  ZoomLayerDraw(-5, -5, 100, 100, colors, mask, 10, 10, dst, 1, 0, 0);
  // Source (0, 0) and (1, 0) only; their blocks start at (20, 20) and
  // (22, 20), wholly outside: clamped, they paint the corner pixel.
  EXPECT_EQ(Picture(dst), "....\n....\n....\n...4");
  TIxDIB untouched;
  Shape8(untouched, 4, 4);
  ZoomLayerDraw(0, 0, 2, 2, colors, mask, 0, 0, untouched, 31, 0, 0);
  ZoomLayerDraw(0, 0, 2, 2, colors, mask, 0, 0, untouched, -1, 0, 0);
  EXPECT_EQ(Count(untouched, 0), 16);
  ZoomLayerDraw(0, 0, 2, 1, colors, mask, INT32_MIN, INT32_MAX, untouched, 30, 0, 0);
  EXPECT_EQ(untouched.GetPixels(0, 3), 4);
}

TEST(DIB256Zoom, BlocksInsideAndClampedBlocksAgree) {
  // All blocks inside take the row-image path; one more source column whose
  // block lies past the right edge sends the same draw block by block.
  TIxDIB colors, mask;
  Shape8(colors, 9, 5);
  Shape8(mask, 9, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) {
      colors.SetPixels(x, y, 1 + (x * 3 + y) % 7);
      mask.SetPixels(x, y, (x + 2 * y) % 3 == 0 ? 0 : 5);
    }
  for (int32_t shift = 0; shift <= 4; ++shift) {
    const int32_t side = 1 << shift, w = 8 * side, h = 5 * side;
    TIxDIB inside, clamped;
    Shape8(inside, w, h);
    Shape8(clamped, w, h);
    ZoomLayerDraw(0, 0, 8, 5, colors, mask, 0, 0, inside, shift, 0, 9);
    ZoomLayerDraw(0, 0, 9, 5, colors, mask, 0, 0, clamped, shift, 0, 9);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w - 1; ++x)
        ASSERT_EQ(inside.GetPixels(x, y), clamped.GetPixels(x, y)) << shift << ": " << x << "," << y;
  }
}

}  // namespace
}  // namespace pixkura
