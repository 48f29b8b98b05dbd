// The loupe as pixels of LupeDib: the magnified cell, the fill beyond its
// edges, the grid, the cell-edge marks and the centre lines; and StoreCell.
#include <gtest/gtest.h>

#include <functional>

#include "image/DIB256.h"
#include "support/EditorFixture.h"

namespace pixkura::testing {
namespace {

constexpr uint8_t kToumei = 200;  // see PlainLoupeSettings
constexpr uint8_t kDark = 0;      // grey ramp
constexpr uint8_t kLight = 255;

// Sheet values 1..100, never one of the three above.
int32_t SheetValue(int32_t x, int32_t y) { return (x * 7 + y * 13) % 100 + 1; }

// Every pixel of the loupe against the expectation; reports the first few misses.
void ExpectLoupe(const TEditor& e, const std::function<int32_t(int32_t, int32_t)>& expected) {
  int misses = 0;
  for (int32_t y = 0; y < 256 && misses < 5; ++y)
    for (int32_t x = 0; x < 256 && misses < 5; ++x)
      if (e.Views.LupeDib->GetPixels(x, y) != expected(x, y)) {
        ADD_FAILURE() << "loupe (" << x << ", " << y << ") is " << e.Views.LupeDib->GetPixels(x, y) << ", expected "
                      << expected(x, y);
        ++misses;
      }
}

struct LoupeTest : ::testing::Test {
  TEditorFixture f;
  TEditor& Start(TEditorSettings s) {
    TEditor& e = f.Start(s);
    PaintSheet(e, 0, 0, 256, 256, SheetValue);
    RefillChrDib(e);
    e.RedrawLoupe();
    f.LoupeRepaints = 0;
    return e;
  }
};

TEST_F(LoupeTest, ZoomOneShowsTheCellTopLeftWithMarksAndTransparentElsewhere) {
  TEditor& e = Start(PlainLoupeSettings(0));
  e.View.CellX = 64;
  e.View.CellY = 32;
  e.RedrawLoupe();
  EXPECT_EQ(f.LoupeRepaints, 1);
  ExpectLoupe(e, [](int32_t x, int32_t y) {
    if (y == 33) return int32_t{kDark};
    if (y == 32) return int32_t{kLight};
    if (x == 33) return int32_t{kDark};
    if (x == 32) return int32_t{kLight};
    if (x < 32 && y < 32) return SheetValue(64 + x, 32 + y);
    return int32_t{kToumei};
  });

  // With the grid, every even row and column is light as well.
  e.GridClick(&e.Grid);
  ExpectLoupe(e, [](int32_t x, int32_t y) {
    if (y == 33) return int32_t{kDark};
    if (y == 32) return int32_t{kLight};
    if (x == 33) return int32_t{kDark};
    if (x == 32 || x % 2 == 0 || y % 2 == 0) return int32_t{kLight};
    if (x < 32 && y < 32) return SheetValue(64 + x, 32 + y);
    return int32_t{kToumei};
  });
}

TEST_F(LoupeTest, ZoomThirtyTwoAtTheCellsRightEdgeHasNoFillAndNoVerticalMark) {
  TEditor& e = Start(PlainLoupeSettings(5));
  e.View.CellX = 32;
  for (int i = 0; i < 6; ++i) e.LupeBtClick(&e.LupeRight);
  ASSERT_EQ(e.View.LupeX, 24);
  ExpectLoupe(e, [](int32_t x, int32_t y) { return SheetValue(32 + 24 + x / 32, y / 32); });
}

TEST_F(LoupeTest, GridAtZoomEightMarksEverySecondSheetPixel) {
  TEditorSettings s = PlainLoupeSettings(3);
  s.Grid = true;
  TEditor& e = Start(s);
  std::vector<int32_t> columns;
  for (int32_t x = 0; x < 256; ++x)
    if (e.Views.LupeDib->GetPixels(x, 5) == kLight) columns.push_back(x);
  std::vector<int32_t> expected;
  for (int32_t p = 0; p <= 240; p += 16) expected.push_back(p);
  EXPECT_EQ(columns, expected);
  for (int32_t p : expected)
    for (int32_t x = 0; x < 256; ++x) ASSERT_EQ(e.Views.LupeDib->GetPixels(x, p), kLight) << x << "," << p;
  EXPECT_EQ(e.Views.LupeDib->GetPixels(17, 17), SheetValue(2, 2));
}

TEST_F(LoupeTest, CellEdgeMarksFollowTheEdgeAndVanishBeyondTheLoupe) {
  // x8 with a 24 x 32 cell: the right edge at 192, the bottom edge beyond.
  TEditorSettings s = PlainLoupeSettings(3);
  s.CHRX = 24;
  TEditor& e = Start(s);
  ExpectLoupe(e, [](int32_t x, int32_t y) {
    if (x == 193) return int32_t{kDark};
    if (x == 192) return int32_t{kLight};
    if (x > 192) return int32_t{kToumei};
    return SheetValue(x / 8, y / 8);
  });
}

TEST_F(LoupeTest, CellCutAtTheBottomShowsOnlyItsOwnRows) {
  // x8 with a 32 x 24 cell in the sheet's second row of cells: the loupe's
  // 32 sheet rows reach 8 rows past the cell, into the cell below it.
  TEditorSettings s = PlainLoupeSettings(3);
  s.CHRY = 24;
  TEditor& e = Start(s);
  e.AllDown.Click();
  ASSERT_EQ(e.View.CellY, 24);
  ExpectLoupe(e, [](int32_t x, int32_t y) {
    if (y == 193) return int32_t{kDark};
    if (y == 192) return int32_t{kLight};
    if (y > 192) return int32_t{kToumei};
    return SheetValue(x / 8, 24 + y / 8);
  });
}

TEST_F(LoupeTest, AnEdgeOnTheLastColumnKeepsItsLightMarkOnly) {
  TEditorSettings s = PlainLoupeSettings(0);
  s.CHRX = 255;
  TEditor& e = Start(s);
  for (int32_t y : {0, 31, 34, 255}) EXPECT_EQ(e.Views.LupeDib->GetPixels(255, y), kLight) << y;
  EXPECT_EQ(e.Views.LupeDib->GetPixels(254, 0), SheetValue(254, 0));
  EXPECT_EQ(e.Views.LupeDib->GetPixels(254, 40), kToumei);  // below the 32-pixel-high cell
}

TEST_F(LoupeTest, CentreLinesMarkTheLoupesCentre) {
  TEditorSettings s = PlainLoupeSettings(2);  // x4: the loupe shows all of a 64-pixel cell
  s.CLine = true;
  s.CHRX = s.CHRY = 64;
  TEditor& e = Start(s);
  ExpectLoupe(e, [](int32_t x, int32_t y) {
    if (x == 128) return int32_t{kDark};
    if (x == 127) return int32_t{kLight};
    if (y == 128) return int32_t{kDark};
    if (y == 127) return int32_t{kLight};
    return SheetValue(x / 4, y / 4);
  });
}

TEST_F(LoupeTest, StoreCellWritesOnlyTheLoupeWindowUnlessDrawingPastItIsOn) {
  TEditor& e = Start(PlainLoupeSettings(4));  // x16: the loupe shows 16 x 16 of the cell
  e.View.CellX = 32;
  e.View.CellY = 64;
  e.LupeBtClick(&e.LupeRight);  // window x 8..23, y 0..15 of the cell
  RefillChrDib(e);
  FillBox(0, 0, 31, 31, 150, e.Tools.Cell.ChrDib);
  e.StoreCell();
  for (int32_t y = 60; y < 100; ++y)
    for (int32_t x = 28; x < 68; ++x) {
      const bool inWindow = x >= 40 && x < 56 && y >= 64 && y < 80;
      ASSERT_EQ(e.Doc.AllDib->GetPixels(x, y), inWindow ? 150 : SheetValue(x, y)) << x << "," << y;
    }
  // What the sheet did not take is gone from the working copy as well.
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x) ASSERT_EQ(e.Tools.Cell.ChrDib.GetPixels(x, y), e.Doc.AllDib->GetPixels(32 + x, 64 + y));

  e.Hamidasi.SetChecked(true);
  FillBox(0, 0, 31, 31, 150, e.Tools.Cell.ChrDib);
  e.StoreCell();
  for (int32_t y = 60; y < 100; ++y)
    for (int32_t x = 28; x < 68; ++x) {
      const bool inCell = x >= 32 && x < 64 && y >= 64 && y < 96;
      ASSERT_EQ(e.Doc.AllDib->GetPixels(x, y), inCell ? 150 : SheetValue(x, y)) << x << "," << y;
    }
}

}  // namespace
}  // namespace pixkura::testing
