// Mirror, roll and cell-size commands on the selected cell.
#include <gtest/gtest.h>

#include "support/EditorFixture.h"

namespace pixkura {
namespace {

using testing::PaintSheet;
using testing::RefillChrDib;
using testing::TEditorFixture;

// A distinct index for every sheet pixel's position inside a 16 x 16 tile.
uint8_t Pattern(int32_t x, int32_t y) { return static_cast<uint8_t>((x * 7 + y * 13) % 251); }

std::vector<int32_t> Region(TIxDIB& dib, int32_t x0, int32_t y0, int32_t w, int32_t h) {
  std::vector<int32_t> v;
  for (int32_t y = y0; y < y0 + h; ++y)
    for (int32_t x = x0; x < x0 + w; ++x) v.push_back(dib.GetPixels(x, y));
  return v;
}

class CharacterTest : public ::testing::Test {
 protected:
  TEditor& Start(const TEditorSettings& s = {}) {
    TEditor& e = f.Start(s);
    PaintSheet(e, 0, 0, 256, 256, Pattern);
    return e;
  }
  void SelectCell(TEditor& e, int32_t x, int32_t y) {
    e.View.CellX = x;
    e.View.CellY = y;
    RefillChrDib(e);
  }
  TEditorFixture f;
};

TEST_F(CharacterTest, SizeButtonsStepByEightWithoutLayers) {
  TEditor& e = Start();
  for (int32_t expected : {24, 16, 8, 8}) {  // 8 - 8 = 0 is refused
    e.btCSXDown.Click();
    EXPECT_EQ(e.View.ChrX, expected);
  }
  EXPECT_EQ(e.View.ChrY, 32);
  EXPECT_EQ(e.CSXLab.Text(), "8");
  TEditorSettings wide;
  wide.CHRX = 248;
  TEditorFixture g;
  TEditor& w = g.Start(wide);
  w.btCSXUp.Click();
  EXPECT_EQ(w.View.ChrX, 256);
  w.btCSXUp.Click();  // 264 is refused
  EXPECT_EQ(w.View.ChrX, 256);
  EXPECT_EQ(w.Tools.Cell.ChrDib.GetWidth(), 256);
}

TEST_F(CharacterTest, SizeButtonsHalveAndDoubleWithLayers) {
  TEditorSettings s;
  s.CHRX = 64;
  TEditor& e = Start(s);
  e.kasane.SetChecked(true);
  e.btCSXUp.Click();
  EXPECT_EQ(e.View.ChrX, 128);
  e.btCSXUp.Click();  // 256 is more than a layer holds
  EXPECT_EQ(e.View.ChrX, 128);
  e.btCSYDown.Click();
  EXPECT_EQ(e.View.ChrY, 16);
  e.btCSYDown.Click();  // half of 16 is 8
  EXPECT_EQ(e.View.ChrY, 8);
  e.btCSYDown.Click();  // half of 8 counts as 8: refused at 0
  EXPECT_EQ(e.View.ChrY, 8);
  TEditorSettings twelve;
  twelve.CHRX = 12;
  TEditorFixture g;
  TEditor& t = g.Start(twelve);
  t.kasane.SetChecked(true);
  t.btCSXDown.Click();
  EXPECT_EQ(t.View.ChrX, 6);
}

TEST_F(CharacterTest, SizeChangeSelectsTopLeftAndDarkensSpecialViews) {
  TEditor& e = Start();
  e.NomChk.SetChecked(true);
  SelectCell(e, 64, 96);
  e.View.LupeX = 8;
  e.SelC.SetLeft(100);
  e.btCSYUp.Click();
  EXPECT_EQ(e.View.ChrY, 40);
  EXPECT_EQ(e.View.CellX, 0);
  EXPECT_EQ(e.View.CellY, 0);
  EXPECT_EQ(e.View.LupeX, 0);
  EXPECT_EQ(e.SelA.Left(), e.AllView.Left());
  EXPECT_EQ(e.SelA.Top(), e.AllView.Top());
  EXPECT_EQ(e.SelA.Width(), 32);
  EXPECT_EQ(e.SelA.Height(), 40);
  EXPECT_EQ(e.SelC.Left(), e.AllView.Left());
  EXPECT_EQ(Region(e.Tools.Cell.ChrDib, 0, 0, 32, 40), Region(*e.Doc.AllDib, 0, 0, 32, 40));
  // The reverse view is not redrawn (its box is unchecked): it keeps the dark fill.
  EXPECT_EQ(e.Views.RevDib->GetPixels(127, 127), e.DarkIdx());
  EXPECT_EQ(e.Views.NomDib->GetPixels(127, 127), e.DarkIdx());
  EXPECT_EQ(e.Views.NomDib->GetPixels(0, 0), Pattern(0, 0));  // redrawn from the new cell
}

TEST_F(CharacterTest, RollsRestoreTheCellAndNeverTouchNeighbours) {
  TEditorSettings s;
  s.CHRX = 8;
  s.CHRY = 8;
  TEditor& e = Start(s);
  SelectCell(e, 16, 8);
  const auto sheet = Region(*e.Doc.AllDib, 0, 0, 256, 256);
  e.SRight.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(16, 8), Pattern(23, 8));  // the pushed-out column re-enters left
  EXPECT_EQ(e.Doc.AllDib->GetPixels(17, 8), Pattern(16, 8));
  EXPECT_EQ(e.Tools.Cell.ChrDib.GetPixels(0, 0), Pattern(23, 8));
  EXPECT_EQ(e.Doc.History.UndoNum, 1);  // one undo step per roll
  e.btUndo.Click();
  EXPECT_EQ(Region(*e.Doc.AllDib, 0, 0, 256, 256), sheet);
  e.btRedo.Click();
  for (int i = 0; i < 3; ++i) e.SRight.Click();
  for (int i = 0; i < 4; ++i) e.SLeft.Click();
  EXPECT_EQ(Region(*e.Doc.AllDib, 0, 0, 256, 256), sheet);
  for (int i = 0; i < 8; ++i) e.SRight.Click();
  EXPECT_EQ(Region(*e.Doc.AllDib, 0, 0, 256, 256), sheet);
  e.SDown.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(16, 8), Pattern(16, 15));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(16, 16), Pattern(16, 16));  // the cell below is untouched
  e.SUp.Click();
  EXPECT_EQ(Region(*e.Doc.AllDib, 0, 0, 256, 256), sheet);
}

TEST_F(CharacterTest, MirrorTwiceRestoresAndLeavesTheCopyBufferIdle) {
  TEditor& e = Start();
  SelectCell(e, 32, 0);
  const auto sheet = Region(*e.Doc.AllDib, 0, 0, 256, 256);
  e.btMirror.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(32, 5), Pattern(63, 5));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(63, 5), Pattern(32, 5));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(31, 5), Pattern(31, 5));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(64, 5), Pattern(64, 5));
  EXPECT_EQ(e.Copy.CopyDib->GetWidth(), 1);
  EXPECT_EQ(e.Copy.CopyDib->GetPixels(0, 0), 0);
  e.btMirror.Click();
  EXPECT_EQ(Region(*e.Doc.AllDib, 0, 0, 256, 256), sheet);
  EXPECT_EQ(e.Doc.History.UndoNum, 2);
  e.btUndo.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(32, 5), Pattern(63, 5));
}

TEST_F(CharacterTest, MirrorKeepsABlockThatWaitsToBeDropped) {
  TEditor& e = Start();
  e.Copy.CopyDib->SetWidth(3);
  e.Copy.CopyDib->SetHeight(2);
  e.Copy.CopyDib->SetPixels(2, 1, 77);
  e.Copy.State = TBlockCopy::TState::Waiting;
  e.btMirror.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(0, 0), Pattern(31, 0));
  ASSERT_EQ(e.Copy.CopyDib->GetWidth(), 3);
  EXPECT_EQ(e.Copy.CopyDib->GetHeight(), 2);
  EXPECT_EQ(e.Copy.CopyDib->GetPixels(2, 1), 77);
}

}  // namespace
}  // namespace pixkura
