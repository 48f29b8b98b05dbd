#include <gtest/gtest.h>

#include "image/DIB256.h"
#include "tests/image/DIB256TestSupport.h"

namespace pixkura {
namespace {

using testing::Count;
using testing::Paint;
using testing::Picture;
using testing::Shape8;

TEST(DIB256Fill, FillBoxClampsButDoesNotOrder) {
  TIxDIB dib;
  Shape8(dib, 6, 4);
  FillBox(5, 0, 2, 0, 1, dib);  // x2 < x1: nothing
  EXPECT_EQ(Count(dib, 1), 0);
  FillBox(-10, -10, -5, -5, 1, dib);  // wholly outside: the nearest corner
  EXPECT_EQ(Picture(dib), "1.....\n......\n......\n......");
  FillBox(4, 2, 100, 100, 2, dib);
  EXPECT_EQ(Picture(dib), "1.....\n......\n....22\n....22");
  FillBox(INT32_MIN, 1, INT32_MAX, 1, 3, dib);
  EXPECT_EQ(Picture(dib), "1.....\n333333\n....22\n....22");
}

TEST(DIB256Fill, PatternBoxTogglePattern) {
  TIxDIB odd;
  Shape8(odd, 3, 2);
  PatternBox(0, 0, 2, 1, 1, 2, 1, odd);
  EXPECT_EQ(Picture(odd), "121\n121");
  TIxDIB even;
  Shape8(even, 4, 2);
  PatternBox(0, 0, 3, 1, 1, 2, 0, even);
  EXPECT_EQ(Picture(even), "1212\n2121");
  // The pattern starts at the box, not at the bitmap's origin; clamped.
  TIxDIB off;
  Shape8(off, 5, 3);
  PatternBox(1, 1, 9, 9, 1, 2, 1, off);
  EXPECT_EQ(Picture(off), ".....\n.1212\n.2121");
  PatternBox(3, 0, 1, 0, 5, 5, 1, off);  // unordered: nothing
  EXPECT_EQ(Count(off, 5), 0);
}

TEST(DIB256Fill, PatternBoxPairs) {
  TIxDIB dib;
  Shape8(dib, 10, 3);
  PatternBox(0, 0, 9, 2, 1, 2, 3, dib);
  EXPECT_EQ(Picture(dib), "1122112211\n2211221122\n1122112211");
  // Long rows cross the pattern buffer's length without a seam.
  TIxDIB wide;
  Shape8(wide, 150, 2);
  PatternBox(0, 0, 149, 1, 1, 2, 2, wide);
  for (int x = 0; x < 150; ++x) {
    ASSERT_EQ(wide.GetPixels(x, 0), x % 4 < 2 ? 1 : 2) << x;
    ASSERT_EQ(wide.GetPixels(x, 1), x % 4 < 2 ? 2 : 1) << x;
  }
}

TEST(DIB256Fill, HLineFastClipsColumnsAndRaisesForRows) {
  TIxDIB dib;
  Shape8(dib, 5, 2);
  HLineFast(1, 1, 3, 4, dib);
  EXPECT_EQ(Picture(dib), ".....\n.444.");
  HLineFast(-100, 0, 100, 5, dib);
  EXPECT_EQ(Picture(dib), "55555\n.444.");
  HLineFast(3, 1, 1, 6, dib);
  EXPECT_EQ(Count(dib, 6), 0);
  EXPECT_THROW(HLineFast(0, 2, 1, 1, dib), EIxDIBPixelPositionRange);
  EXPECT_THROW(HLineFast(0, -1, 1, 1, dib), EIxDIBPixelPositionRange);
}

TEST(DIB256Fill, ScanLineRoutinesNeedEightBits) {
  TIxDIB dib;
  dib.SetWidth(40);
  dib.SetHeight(3);
  dib.SetBitCount(1);  // rows of 8 bytes: writing 40 bytes would overrun
  EXPECT_THROW(FillBox(0, 0, 39, 2, 1, dib), EIxDIBBadDIBType);
  EXPECT_THROW(PatternBox(0, 0, 39, 2, 1, 0, 1, dib), EIxDIBBadDIBType);
  EXPECT_THROW(HLineFast(0, 0, 39, 1, dib), EIxDIBBadDIBType);
  EXPECT_THROW(SquarePenLine(0, 0, 39, 2, 1, dib, 2), EIxDIBBadDIBType);
}

TEST(DIB256Fill, FillAreaSpreadsThroughSidesOnly) {
  TIxDIB dib;
  Shape8(dib, 8, 6);
  Paint(dib,
        "..1.....\n"
        "..1.111.\n"
        "111.1.1.\n"
        "....111.\n"
        ".1......\n"
        "1.1.....");
  FillArea(0, 0, 7, dib);  // the top-left pocket only
  EXPECT_EQ(Picture(dib),
            "771.....\n"
            "771.111.\n"
            "111.1.1.\n"
            "....111.\n"
            ".1......\n"
            "1.1.....");
  // The island inside the ring and the diagonal corner stay untouched.
  FillArea(3, 0, 9, dib);
  EXPECT_EQ(Picture(dib),
            "77199999\n"
            "77191119\n"
            "11191.19\n"
            "99991119\n"
            "91999999\n"
            "1.199999");
}

TEST(DIB256Fill, FillAreaEdgeCases) {
  TIxDIB dib;
  Shape8(dib, 4, 4, 3);
  EXPECT_THROW(FillArea(4, 0, 1, dib), EIxDIBPixelPositionRange);
  EXPECT_THROW(FillArea(0, -1, 1, dib), EIxDIBPixelPositionRange);
  // Filling with the seed's own index changes nothing, yet writes (private
  // storage: the sharer keeps its own).
  TIxDIB sharer;
  sharer.Assign(&dib);
  FillArea(1, 1, 3, dib);
  EXPECT_EQ(Count(dib, 3), 16);
  EXPECT_NE(&sharer.InternalDIB(), &dib.InternalDIB());
  FillArea(2, 2, 5, dib);
  EXPECT_EQ(Count(dib, 5), 16);
  EXPECT_EQ(Count(sharer, 3), 16);
  // A whole 256 x 256 sheet of one index.
  TIxDIB sheet;
  Shape8(sheet, 256, 256);
  FillArea(100, 200, 9, sheet);
  EXPECT_EQ(Count(sheet, 9), 65536);
}

TEST(DIB256Fill, FillAreaOnOtherDepths) {
  TIxDIB dib;
  dib.SetWidth(5);
  dib.SetHeight(3);
  dib.SetBitCount(4);
  dib.SetPixels(2, 0, 1);
  dib.SetPixels(2, 1, 1);
  dib.SetPixels(2, 2, 1);
  FillArea(0, 0, 7, dib);
  EXPECT_EQ(dib.GetPixels(1, 2), 7);
  EXPECT_EQ(dib.GetPixels(3, 0), 0);
  EXPECT_EQ(dib.GetPixels(2, 1), 1);
}

}  // namespace
}  // namespace pixkura
