// The sheet view: stepping the cell, the copy grid, picking and dropping blocks.
#include <gtest/gtest.h>

#include "support/EditorFixture.h"

namespace pixkura {
namespace {

using testing::PaintSheet;
using testing::TEditorFixture;

constexpr TShiftState kNoShift{};

class SheetTest : public ::testing::Test {
 protected:
  TEditor& Start(TEditorSettings s = {}) {
    s.Toumei = 200;
    TEditor& e = f.Start(s);
    PaintSheet(e, 0, 0, 256, 256, [](int32_t x, int32_t y) { return (x + 2 * y) % 97; });
    return e;
  }
  void Down(TEditor& e, int32_t x, int32_t y, TMouseButton b = TMouseButton::mbLeft) {
    e.AllViewMouseDown(&e.AllView, b, kNoShift, x, y);
  }
  void Move(TEditor& e, int32_t x, int32_t y) { e.AllViewMouseMove(&e.AllView, kNoShift, x, y); }
  static int32_t Sheet(int32_t x, int32_t y) { return (x + 2 * y) % 97; }
  TEditorFixture f;
};

TEST_F(SheetTest, SteppingTheCellStopsAtTheSheetsEdge) {
  TEditorSettings s;
  s.CHRX = 48;
  TEditor& e = Start(s);
  e.View.LupeX = 8;
  for (int32_t expected : {48, 96, 144, 192, 192}) {  // 240 > 208 is refused
    e.AllRight.Click();
    EXPECT_EQ(e.View.CellX, expected);
  }
  EXPECT_EQ(e.View.LupeX, 0);
  EXPECT_EQ(e.SelA.Left(), e.AllView.Left() + 192);
  EXPECT_EQ(e.SelC.Left(), e.AllView.Left() + 192);
  EXPECT_EQ(e.Tools.Cell.ChrDib.GetPixels(0, 0), Sheet(192, 0));
  e.AllUp.Click();
  EXPECT_EQ(e.View.CellY, 0);
  for (int32_t step = 0; step < 8; ++step) e.AllDown.Click();
  EXPECT_EQ(e.View.CellY, 224);  // seven 32-pixel steps end exactly at the edge, the eighth is refused
  e.View.ChrX = 32;              // from 192: 224 fits exactly, 256 does not
  for (int32_t step = 0; step < 2; ++step) e.AllRight.Click();
  EXPECT_EQ(e.View.CellX, 224);
}

TEST_F(SheetTest, PickSnapsToTheGridAndASecondClickTakesOneGridCell) {
  TEditor& e = Start();
  Down(e, 13, 21);
  EXPECT_TRUE(e.Copy.AllDrag());
  EXPECT_TRUE(e.Copy.CopyOn());
  EXPECT_EQ(e.SBar.Panels[4].Text, "複写領域選択開始");
  EXPECT_EQ(e.CopySel.Left(), e.AllView.Left() + 8);
  EXPECT_EQ(e.CopySel.Top(), e.AllView.Top() + 16);
  EXPECT_FALSE(e.SelA.Visible());
  Down(e, 13, 21);
  EXPECT_TRUE(e.Copy.CopyReady());
  EXPECT_EQ(e.SBar.Panels[4].Text, "転送先指定");
  EXPECT_EQ(e.CopySel.BrushStyle(), TBrushStyle::bsCross);
  ASSERT_EQ(e.Copy.CopyDib->GetWidth(), 8);
  EXPECT_EQ(e.Copy.CopyDib->GetHeight(), 8);
  EXPECT_EQ(e.Copy.CopyDib->GetPixels(0, 0), Sheet(8, 16));
  EXPECT_EQ(e.Copy.CopyDib->GetPixels(7, 7), Sheet(15, 23));
}

TEST_F(SheetTest, SpanningGrowsOnlyRightAndDown) {
  TEditor& e = Start();
  Down(e, 20, 20);  // corner at grid (2, 2)
  Move(e, 45, 30);
  EXPECT_EQ(e.CopySel.Width(), 32);
  EXPECT_EQ(e.CopySel.Height(), 16);
  Move(e, 5, 5);  // left of and above the corner: unchanged
  EXPECT_EQ(e.CopySel.Width(), 32);
  Move(e, 17, 17);  // back onto the corner: one grid cell
  EXPECT_EQ(e.CopySel.Width(), 8);
  EXPECT_EQ(e.CopySel.Height(), 8);
  EXPECT_EQ(e.SBar.Panels[1].Text, "2");
}

// Spanning on the copy grid (false) and from the exact pixel (true).
class SpanTest : public SheetTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SpanTest, PointerBesideTheCornerOnOneAxisOnlyLeavesTheFrame) {
  TEditor& e = Start();
  e.SFree.SetChecked(GetParam());
  Down(e, 20, 20);
  const int32_t corner = GetParam() ? 20 : 16;  // sheet pixel, both axes
  Move(e, 45, 30);
  ASSERT_EQ(e.CopySel.Width(), 32);
  ASSERT_EQ(e.CopySel.Height(), 16);
  Move(e, 60, 5);  // right of and above the corner
  EXPECT_EQ(e.CopySel.Width(), 32);
  EXPECT_EQ(e.CopySel.Height(), 16);
  Move(e, 5, 60);  // left of and below it
  EXPECT_EQ(e.CopySel.Width(), 32);
  EXPECT_EQ(e.CopySel.Height(), 16);
  EXPECT_EQ(e.CopySel.Left(), e.AllView.Left() + corner);
  EXPECT_EQ(e.CopySel.Top(), e.AllView.Top() + corner);

  // The next click picks exactly the block the frame shows.
  Down(e, 5, 60);
  ASSERT_TRUE(e.Copy.CopyReady());
  ASSERT_EQ(e.Copy.CopyDib->GetWidth(), 32);
  ASSERT_EQ(e.Copy.CopyDib->GetHeight(), 16);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 32; ++x)
      ASSERT_EQ(e.Copy.CopyDib->GetPixels(x, y), Sheet(corner + x, corner + y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(OnTheGridAndFree, SpanTest, ::testing::Bool());

TEST_F(SheetTest, FreeStartKeepsWholeMultiplesAndDropsAtTheExactPixel) {
  TEditor& e = Start();
  e.SFree.SetChecked(true);
  Down(e, 13, 21);
  EXPECT_EQ(e.CopySel.Left(), e.AllView.Left() + 13);
  Move(e, 25, 22);
  EXPECT_EQ(e.CopySel.Width(), 16);  // (25 - 13) div 8 + 1 grid cells
  EXPECT_EQ(e.CopySel.Height(), 8);
  Down(e, 25, 22);
  Down(e, 101, 3);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(101, 3), Sheet(13, 21));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(116, 10), Sheet(28, 28));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(117, 3), Sheet(117, 3));
}

TEST_F(SheetTest, DropCopiesWithOrWithoutTheTransparentColourAndCutsAtTheEdge) {
  TEditor& e = Start();
  e.Doc.AllDib->SetPixels(0, 0, 200);
  Down(e, 0, 0);
  Down(e, 0, 0);  // picks the 8 x 8 block at the corner
  Move(e, 250, 250);
  EXPECT_EQ(e.CopySel.Left(), e.AllView.Left() + 248);
  Down(e, 250, 250);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(248, 248), 200);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(255, 255), Sheet(7, 7));
  EXPECT_EQ(e.Doc.History.UndoNum, 1);
  EXPECT_FALSE(e.Copy.AllDrag());
  EXPECT_EQ(e.Copy.CopyDib->GetWidth(), 1);
  EXPECT_EQ(e.CopySel.BrushStyle(), TBrushStyle::bsClear);
  EXPECT_TRUE(e.SelA.Visible());
  e.TOUMEIChk.SetChecked(true);
  Down(e, 0, 0);
  Down(e, 0, 0);
  Down(e, 64, 64);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(64, 64), Sheet(64, 64));  // the transparent pixel left it
  EXPECT_EQ(e.Doc.AllDib->GetPixels(65, 64), Sheet(1, 0));
}

TEST_F(SheetTest, ABlockReachingPastTheSheetIsCutAndHoldsOnlySheetPixels) {
  TEditor& e = Start();
  e.SFree.SetChecked(true);
  // An earlier 8 x 8 block of one value stays in the copy buffer after a cancel.
  PaintSheet(e, 0, 0, 8, 8, [](int32_t, int32_t) { return 150; });
  Down(e, 0, 0);
  Down(e, 0, 0);
  Down(e, 0, 0, TMouseButton::mbRight);
  ASSERT_EQ(e.Copy.CopyDib->GetWidth(), 8);
  // A free start four pixels before the right edge: 8 wide by the grid, 4 in the sheet.
  Down(e, 252, 100);
  Move(e, 255, 101);
  EXPECT_EQ(e.CopySel.Width(), 4);
  Down(e, 255, 101);
  EXPECT_EQ(e.CopySel.Width(), 4);
  ASSERT_EQ(e.Copy.CopyDib->GetWidth(), 4);
  ASSERT_EQ(e.Copy.CopyDib->GetHeight(), 8);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 4; ++x)
      ASSERT_EQ(e.Copy.CopyDib->GetPixels(x, y), Sheet(252 + x, 100 + y)) << x << "," << y;
  Down(e, 40, 40);  // the drop writes the four columns, nothing beside them
  EXPECT_EQ(e.Doc.AllDib->GetPixels(43, 47), Sheet(255, 107));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(44, 40), Sheet(44, 40));

  // A grid that does not divide 256: the last grid cell of a row is cut too.
  e.SFree.SetChecked(false);
  e.SelSizeBar.SetPosition(7);
  Down(e, 255, 0);
  Down(e, 255, 0);
  EXPECT_EQ(e.CopySel.Left(), e.AllView.Left() + 252);
  EXPECT_EQ(e.Copy.CopyDib->GetWidth(), 4);
  EXPECT_EQ(e.Copy.CopyDib->GetHeight(), 7);
}

TEST_F(SheetTest, ChangingTheGridWhileSpanningRestartsTheSpanInTheNewGrid) {
  TEditor& e = Start();
  Down(e, 20, 20);  // corner at grid (2, 2) of 8: pixel (16, 16)
  Move(e, 45, 30);
  e.SelSizeBar.SetPosition(16);  // the corner becomes grid (1, 1) of 16
  EXPECT_EQ(e.Copy.CopyX, 1);
  EXPECT_EQ(e.Copy.CopyY, 1);
  EXPECT_EQ(e.CopySel.Left(), e.AllView.Left() + 16);
  Move(e, 40, 40);  // grid (2, 2) of 16: two grid cells each way
  EXPECT_EQ(e.CopySel.Width(), 32);
  EXPECT_EQ(e.CopySel.Height(), 32);
  e.SFree.SetChecked(true);  // free start: the corner stays at its pixel
  EXPECT_EQ(e.Copy.CopyX, 16);
  Move(e, 40, 40);  // (40 - 16) div 16 + 1 = 2 grid cells of 16
  EXPECT_EQ(e.CopySel.Width(), 32);
  Down(e, 40, 40);
  EXPECT_EQ(e.Copy.CopyDib->GetPixels(0, 0), Sheet(16, 16));
  EXPECT_EQ(e.Copy.CopyDib->GetWidth(), 32);
}

TEST_F(SheetTest, RightClickCancelsWithoutChangingTheSheet) {
  TEditor& e = Start();
  Down(e, 0, 0);
  Down(e, 0, 0);
  Down(e, 30, 30, TMouseButton::mbRight);
  EXPECT_FALSE(e.Copy.AllDrag());
  EXPECT_FALSE(e.Copy.CopyReady());
  EXPECT_EQ(e.Doc.History.UndoNum, 0);
  EXPECT_EQ(e.SBar.Panels[4].Text, "");
  EXPECT_EQ(e.Doc.AllDib->GetPixels(24, 24), Sheet(24, 24));
  EXPECT_EQ(e.Copy.CopyDib->GetWidth(), 8);  // the buffer keeps its content
}

TEST_F(SheetTest, PressOnAFrameActsOnTheSheetBeneath) {
  TEditor& e = Start();
  Move(e, 40, 40);  // CopySel now at grid (5, 5)
  e.AllViewMouseDown(&e.CopySel, TMouseButton::mbLeft, kNoShift, 2, 2);
  EXPECT_EQ(e.Copy.CopyX, 5);
  EXPECT_EQ(e.Copy.CopyY, 5);
}

TEST_F(SheetTest, MagnifierShowsEightPixelsAndTheTransparentColourBeyondTheEdge) {
  TEditor& e = Start();
  e.MovChk.SetChecked(true);
  Move(e, 17, 9);  // grid point (16, 8)
  EXPECT_EQ(e.Views.MovDib->GetPixels(0, 0), Sheet(16, 8));
  EXPECT_EQ(e.Views.MovDib->GetPixels(63, 63), Sheet(23, 15));
  e.SFree.SetChecked(true);
  Move(e, 252, 0);
  EXPECT_EQ(e.Views.MovDib->GetPixels(31, 0), Sheet(255, 0));
  EXPECT_EQ(e.Views.MovDib->GetPixels(32, 0), 200);
  EXPECT_EQ(e.Views.MovDib->GetPixels(63, 63), 200);
}

TEST_F(SheetTest, CopyGridFollowsTheBar) {
  TEditor& e = Start();
  e.SelSizeBar.SetPosition(16);
  EXPECT_EQ(e.Copy.SelSize, 16);
  EXPECT_EQ(e.SelSizeLab.Text(), "16");
  Move(e, 40, 40);
  EXPECT_EQ(e.CopySel.Left(), e.AllView.Left() + 32);
  EXPECT_EQ(e.CopySel.Width(), 16);
}

}  // namespace
}  // namespace pixkura
