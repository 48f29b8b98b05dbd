// Drawing in the loupe with the mouse: the tools, the eyedropper, the cursor.
#include <gtest/gtest.h>

#include "image/DIB256.h"
#include "support/EditorFixture.h"

namespace pixkura {
namespace {

using testing::PaintSheet;
using testing::RefillChrDib;
using testing::TEditorFixture;

constexpr TShiftState kNoShift{};
constexpr TShiftState kShift{true};

class DrawTest : public ::testing::Test {
 protected:
  // Zoom x8 (Bai 8), 32 x 32 cells, pen colour 5 on a sheet of 0.
  TEditor& Start(TEditorSettings s = {}) {
    TEditor& e = f.Start(s);
    e.MainColor = 5;
    return e;
  }
  // Mouse at the centre of loupe pixel (px, py).
  static int32_t At(TEditor& e, int32_t p) { return p * e.View.Bai + e.View.Bai / 2; }
  void Press(TEditor& e, int32_t px, int32_t py, TMouseButton b = TMouseButton::mbLeft, TShiftState s = kNoShift) {
    e.LupeViewMouseDown(&e.LupeView, b, s, At(e, px), At(e, py));
  }
  void Move(TEditor& e, int32_t px, int32_t py, TShiftState s = kNoShift) {
    e.LupeViewMouseMove(&e.LupeView, s, At(e, px), At(e, py));
  }
  void Release(TEditor& e, TMouseButton b = TMouseButton::mbLeft) {
    e.LupeViewMouseUp(&e.LupeView, b, kNoShift, 0, 0);
  }
  static int Count(TIxDIB& dib, int32_t value, int32_t w = 256, int32_t h = 256) {
    int n = 0;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) n += dib.GetPixels(x, y) == value;
    return n;
  }
  TEditorFixture f;
};

TEST_F(DrawTest, PressAndReleasePaintsOnePenSquareAsOneUndoStep) {
  for (int32_t size = 1; size <= 5; ++size) {
    TEditorFixture g;
    TEditorSettings s;
    s.PenSize = size;
    TEditor& e = g.Start(s);
    e.MainColor = 5;
    e.LupeViewMouseDown(&e.LupeView, TMouseButton::mbLeft, kNoShift, 10 * 8 + 3, 10 * 8 + 3);
    e.LupeViewMouseUp(&e.LupeView, TMouseButton::mbLeft, kNoShift, 0, 0);
    const int32_t offset = size <= 2 ? 0 : size <= 4 ? -1 : -2;
    EXPECT_EQ(Count(*e.Doc.AllDib, 5), size * size) << size;
    EXPECT_EQ(e.Doc.AllDib->GetPixels(10 + offset, 10 + offset), 5) << size;
    EXPECT_EQ(e.Doc.AllDib->GetPixels(10 + offset + size - 1, 10 + offset + size - 1), 5) << size;
    EXPECT_EQ(e.Doc.History.UndoNum, 1);
    EXPECT_TRUE(e.Doc.Modified());
    EXPECT_FALSE(e.Tools.Pen.PenDown);
  }
}

TEST_F(DrawTest, StrokeDrawsSegmentsAndHidesTheFramesWhileDown) {
  TEditor& e = Start();
  Press(e, 2, 2);
  EXPECT_FALSE(e.SelA.Visible());
  EXPECT_FALSE(e.Cur.Visible());
  const int repaints = f.LoupeRepaints;
  Move(e, 2, 2);  // the same loupe pixel draws nothing
  EXPECT_EQ(f.LoupeRepaints, repaints);
  Move(e, 6, 2);
  Release(e);
  for (int32_t x = 2; x <= 6; ++x) EXPECT_EQ(e.Doc.AllDib->GetPixels(x, 2), 5);
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 5);
  EXPECT_EQ(e.Doc.History.UndoNum, 1);
  EXPECT_TRUE(e.SelA.Visible());
  EXPECT_TRUE(e.Cur.Visible());
  EXPECT_EQ(e.Views.LupeDib->GetPixels(6 * 8 + 1, 2 * 8 + 1), 5);  // shown in the loupe
}

TEST_F(DrawTest, AStrokeGoingOnAfterASaveMarksTheSheetModifiedAgain) {
  TEditor& e = Start();
  Press(e, 2, 2);
  Move(e, 4, 2);
  e.Doc.Saved();  // a save while the pen is held (from the keyboard)
  Move(e, 8, 2);
  EXPECT_TRUE(e.Doc.Modified());
}

TEST_F(DrawTest, DraggingOutOfTheLoupePaintsUpToTheCellBorder) {
  TEditorSettings s;
  s.PenSize = 3;
  TEditor& e = Start(s);
  Press(e, 30, 10);
  e.LupeViewMouseMove(&e.LupeView, kNoShift, 400, 10 * 8);  // far right of the loupe
  Release(e);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(31, 10), 5);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(32, 10), 0);  // the neighbour cell stays untouched
}

TEST_F(DrawTest, APenDraggedOutBelowTheCellAndSidewaysLeavesNoStreak) {
  // Zoom x8 shows the whole 32 x 32 cell: down out of it, along below it,
  // back up into it. Only squares (partly) inside the cell paint.
  for (int32_t size = 1; size <= 5; ++size) {
    TEditorFixture g;
    TEditorSettings s;
    s.PenSize = size;
    TEditor& e = g.Start(s);
    e.MainColor = 5;
    Press(e, 4, 28);
    Move(e, 4, 40);
    Move(e, 20, 40);
    Move(e, 20, 30);
    Release(e);
    const int32_t offset = size <= 2 ? 0 : size <= 4 ? -1 : -2;
    for (int32_t x = 0; x < 32; ++x) {
      const bool painted =
          (x >= 4 + offset && x < 4 + offset + size) || (x >= 20 + offset && x < 20 + offset + size);
      ASSERT_EQ(e.Doc.AllDib->GetPixels(x, 31), painted ? 5 : 0) << "pen " << size << ", column " << x;
    }
    EXPECT_EQ(e.Doc.AllDib->GetPixels(12, 31), 0);
    EXPECT_EQ(e.Doc.AllDib->GetPixels(4, 32), 0);  // the cell below stays untouched
  }
}

TEST_F(DrawTest, WhatIsDrawnPastTheLoupeNeverReachesTheSheetLater) {
  // Zoom x16 shows 16 x 16 of the 32 x 32 cell. A stroke runs out of the
  // loupe to the right; the loupe scrolls there and one dot is drawn.
  TEditor& e = Start(testing::PlainLoupeSettings(4));
  Press(e, 8, 4);
  e.LupeViewMouseMove(&e.LupeView, kNoShift, 22 * 16, 4 * 16);  // loupe pixel 22: cell x 22
  Release(e);
  for (int32_t x = 8; x < 16; ++x) EXPECT_EQ(e.Doc.AllDib->GetPixels(x, 4), 5) << x;
  for (int32_t x = 16; x <= 22; ++x) EXPECT_EQ(e.Doc.AllDib->GetPixels(x, 4), 0) << x;
  e.LupeRight.Click();  // the window is now cell x 8..23
  Press(e, 2, 10);      // one dot at cell (10, 10)
  Release(e);
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 8 + 1);
  for (int32_t x = 16; x <= 22; ++x) EXPECT_EQ(e.Doc.AllDib->GetPixels(x, 4), 0) << x;
  // Nor when drawing past the loupe is turned on and the whole cell is stored.
  e.Hamidasi.SetChecked(true);
  Press(e, 12, 12);
  Release(e);
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 8 + 2);
  // The dot's undo step holds the dot alone.
  e.btUndo.Click();
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 8 + 1);
}

TEST_F(DrawTest, AFillSpreadingPastTheLoupeChangesOnlyTheWindowForGood) {
  TEditor& e = Start(testing::PlainLoupeSettings(4));
  e.btPaint.Click();
  Press(e, 3, 3);  // the whole cell is index 0: the fill spreads over all of it
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x) ASSERT_EQ(e.Doc.AllDib->GetPixels(x, y), x < 16 && y < 16 ? 5 : 0);
  e.LupeDown.Click();  // the window is now cell y 8..23
  e.btPset.Click();
  Press(e, 0, 14);  // one dot at cell (0, 22)
  Release(e);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(0, 22), 5);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(5, 20), 0);
}

TEST_F(DrawTest, PressOutsideTheCellDoesNothing) {
  TEditorSettings s;
  s.CHRX = 16;
  TEditor& e = Start(s);
  Press(e, 16, 3);  // the first loupe pixel past the 16-pixel cell
  Release(e);
  EXPECT_EQ(e.Doc.History.UndoNum, 0);
  EXPECT_FALSE(e.Doc.Modified());
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 0);
  Press(e, 15, 3);  // the last one inside
  Release(e);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(15, 3), 5);
}

TEST_F(DrawTest, LineToolSetsExactlyThePixelsOfPenLine) {
  TEditor& e = Start();
  e.btLine.Click();
  Press(e, 2, 2);
  EXPECT_TRUE(e.Tools.Anchor.ShapeAnchor);
  EXPECT_TRUE(e.DrawTg.Visible());
  EXPECT_EQ(e.DrawTg.Left(), e.LupeView.Left() + 16);
  Press(e, 5, 3);
  EXPECT_FALSE(e.Tools.Anchor.ShapeAnchor);
  EXPECT_FALSE(e.DrawTg.Visible());
  TIxDIB expected;
  expected.Assign(&e.Tools.Cell.ChrDib);
  FillBox(0, 0, 31, 31, 0, expected);
  PenLine(2, 2, 5, 3, 5, expected, false, 0, false, 1);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x) EXPECT_EQ(e.Doc.AllDib->GetPixels(x, y), expected.GetPixels(x, y)) << x << "," << y;
  EXPECT_EQ(e.Doc.History.UndoNum, 1);
}

TEST_F(DrawTest, ShapesWithLargePensPaintThePenSquares) {
  TEditorSettings s;
  s.PenSize = 5;
  TEditor& e = Start(s);
  e.btBox.Click();
  Press(e, 10, 10);
  Press(e, 10, 10);
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 25);  // one 5 x 5 dot from offset -2
  EXPECT_EQ(e.Doc.AllDib->GetPixels(8, 8), 5);
  e.btCircle.Click();
  e.PClick(&e.p4);
  e.p4.SetDown(true);
  Press(e, 20, 20);
  Press(e, 24, 24);
  EXPECT_GT(Count(*e.Doc.AllDib, 5), 25);
}

TEST_F(DrawTest, RightClickCancelsAnAnchorThenPicks) {
  TEditor& e = Start();
  e.Doc.AllDib->SetPixels(7, 7, 42);
  e.btLine.Click();
  Press(e, 1, 1);
  Press(e, 7, 7, TMouseButton::mbRight);
  EXPECT_FALSE(e.Tools.Anchor.ShapeAnchor);
  EXPECT_FALSE(e.DrawTg.Visible());
  EXPECT_EQ(e.MainColor, 5);
  Press(e, 7, 7, TMouseButton::mbRight);
  EXPECT_EQ(e.MainColor, 42);
  EXPECT_TRUE(e.Tools.Spoit.SpoitDown);
  Move(e, 0, 0);  // picks on every move while held
  EXPECT_EQ(e.MainColor, 0);
  Release(e, TMouseButton::mbRight);
  EXPECT_FALSE(e.Tools.Spoit.SpoitDown);
  EXPECT_EQ(e.Doc.History.UndoNum, 0);
  EXPECT_EQ(e.PalSel.Left(), e.PalView.Left());
}

TEST_F(DrawTest, ShiftRightDragPicksFromTheCompositeTheLoupeShows) {
  TEditorSettings s;
  s.Toumei = 200;
  TEditor& e = Start(s);
  PaintSheet(e, 0, 128, 256, 128, [](int32_t, int32_t) { return 9; });
  e.Doc.AllDib->SetPixels(3, 3, 200);
  e.kasane.SetChecked(true);  // builds LayDib: the bottom half shows through the hole
  Press(e, 3, 3, TMouseButton::mbRight, kShift);
  EXPECT_EQ(e.MainColor, 9);
  Release(e, TMouseButton::mbRight);
  Press(e, 3, 3, TMouseButton::mbRight);  // without Shift: the sheet itself
  EXPECT_EQ(e.MainColor, 200);
}

TEST_F(DrawTest, BlendWritesTheMixOrThePlainColourWithShift) {
  TEditor& e = Start();
  e.MainColor = 255;
  e.btMarge.Click();
  Press(e, 1, 1);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(1, 1), e.Blend().MixTable[0][255]);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(1, 1), 128);
  Press(e, 2, 1, TMouseButton::mbLeft, kShift);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(2, 1), 255);
  EXPECT_EQ(e.Doc.History.UndoNum, 2);
}

TEST_F(DrawTest, BlendAfterAPaletteChangeMixesInTheNewColours) {
  TEditor& e = Start();
  e.MainColor = 255;
  e.btMarge.Click();
  Press(e, 1, 1);  // the grey ramp's table, built on this first use
  ASSERT_EQ(e.Doc.AllDib->GetPixels(1, 1), 128);
  // Entries 0..127 turn yellow: a table kept from the grey ramp would still
  // write 128 over entry 0, and grey 128 becomes the darkest entry.
  for (int32_t i = 0; i < 128; ++i) e.Doc.PalDib->SetColors(i, RGB(255, 255, 0));
  e.ApplyPaletteChange();
  EXPECT_EQ(e.DarkIdx(), 128);  // current before anything asks for the table
  TBlendTable fresh;
  MakeMixTable(*e.Doc.PalDib, fresh);
  Press(e, 3, 1);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(3, 1), fresh.MixTable[0][255]);
  EXPECT_NE(fresh.MixTable[0][255], 128);
}

TEST_F(DrawTest, FillAndBlendBeyondTheCellAreIgnoredBeforeTheSnapshot) {
  TEditorSettings s;
  s.Bairitu = 2;  // x4: the loupe shows 64 pixels, the cell 32
  TEditor& e = Start(s);
  for (auto* tool : {&e.btPaint, &e.btMarge}) {
    tool->Click();
    Press(e, 40, 5);
    EXPECT_EQ(e.Doc.History.UndoNum, 0);
    EXPECT_FALSE(e.Doc.Modified());
  }
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 0);
  e.btPaint.Click();
  Press(e, 5, 5);
  EXPECT_EQ(Count(*e.Doc.AllDib, 5, 32, 32), 32 * 32);  // the whole cell; the rest stays
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 32 * 32);
}

TEST_F(DrawTest, PressesAreIgnoredWhileACopyIsUnderWay) {
  TEditor& e = Start();
  e.Copy.State = TBlockCopy::TState::Spanning;
  Press(e, 1, 1);
  e.Copy.State = TBlockCopy::TState::Idle;
  e.Copy.State = TBlockCopy::TState::Waiting;
  Press(e, 1, 1);
  Release(e);
  EXPECT_EQ(e.Doc.History.UndoNum, 0);
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 0);
}

TEST_F(DrawTest, StatusPanelsShowLoupePixelsAndTheCursorFollows) {
  TEditorSettings s;
  s.PenSize = 3;
  TEditor& e = Start(s);
  e.View.CellX = 64;
  e.View.LupeX = 8;
  Move(e, 0, 0);
  EXPECT_EQ(e.SBar.Panels[1].Text, "0");
  EXPECT_EQ(e.SBar.Panels[2].Text, "0");
  Move(e, 4, 7);
  EXPECT_EQ(e.SBar.Panels[1].Text, "4");
  EXPECT_EQ(e.SBar.Panels[2].Text, "7");
  EXPECT_EQ(e.Cur.Left(), e.LupeView.Left() + 8 * 3);
  EXPECT_EQ(e.Cur.Top(), e.LupeView.Top() + 8 * 6);
  EXPECT_EQ(e.Cur.Width(), 24);
  EXPECT_EQ(e.Cur.BrushColor(), e.Views.LupeDib->GetColors(5));
}

TEST_F(DrawTest, PressOnTheCursorShapeActsOnTheLoupeBeneath) {
  TEditor& e = Start();
  Move(e, 9, 9);  // the cursor now covers loupe pixel (9, 9)
  e.LupeViewMouseDown(&e.Cur, TMouseButton::mbLeft, kNoShift, 3, 3);
  Release(e);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(9, 9), 5);
  EXPECT_EQ(Count(*e.Doc.AllDib, 5), 1);
}

}  // namespace
}  // namespace pixkura
