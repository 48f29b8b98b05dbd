// Mode commands: tool selection, zoom, pen size, display options, scrolling
// the loupe, and the menu items that stand for the buttons.
#include <gtest/gtest.h>

#include <vector>

#include "support/EditorFixture.h"

namespace pixkura::testing {
namespace {

struct CommandsTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = nullptr;
  void SetUp() override { e = &f.Start(); }

  // Clicks `button` until it is refused; returns the offsets reached.
  std::vector<int32_t> ScrollRight() {
    std::vector<int32_t> xs{e->View.LupeX};
    for (int i = 0; i < 10; ++i) {
      const int32_t before = e->View.LupeX;
      e->LupeRight.Click();
      if (e->View.LupeX == before) break;
      xs.push_back(e->View.LupeX);
    }
    return xs;
  }
};

TEST_F(CommandsTest, ToolButtonsSetTheToolAndItsStatusTextAndDropAnAnchor) {
  EXPECT_EQ(e->SBar.Panels[3].Text, "点描画");
  struct Case {
    TSpeedButton* button;
    uint8_t tool;
    const char* text;
  };
  for (const Case c : {Case{&e->btLine, 1, "線描画"}, Case{&e->btCircle, 2, "円描画"},
                       Case{&e->btPaint, 3, "塗りつぶし"}, Case{&e->btBox, 4, "箱形塗りつぶし"},
                       Case{&e->btMarge, 5, "半透明合成"}, Case{&e->btPset, 0, "ペンツール"}}) {
    e->DrawTg.Show();
    e->Tools.Anchor.ShapeAnchor = true;
    c.button->Click();
    EXPECT_EQ(e->Tools.ToolNumber(), c.tool);
    EXPECT_EQ(e->SBar.Panels[3].Text, c.text);
    EXPECT_FALSE(e->DrawTg.Visible());
    EXPECT_FALSE(e->Tools.Anchor.ShapeAnchor);
  }
}

TEST_F(CommandsTest, ScrollLimitsDependOnTheZoom) {
  e->x16.Click();
  EXPECT_EQ(ScrollRight(), (std::vector<int32_t>{0, 8, 16}));
  e->x32.Click();
  EXPECT_EQ(e->View.LupeX, 0);
  EXPECT_EQ(ScrollRight(), (std::vector<int32_t>{0, 4, 8, 12, 16, 20, 24}));
  for (TSpeedButton* zoom : {&e->x8, &e->x1}) {
    zoom->Click();
    for (TSpeedButton* b : {&e->LupeUp, &e->LupeDown, &e->LupeLeft, &e->LupeRight}) {
      f.LoupeRepaints = 0;
      b->Click();
      EXPECT_EQ(e->View.LupeX, 0);
      EXPECT_EQ(e->View.LupeY, 0);
      EXPECT_EQ(f.LoupeRepaints, 0);  // a refused scroll redraws nothing
    }
  }
}

TEST_F(CommandsTest, ScrollingMovesTheLoupeFrame) {
  e->View.CellX = 64;
  e->View.CellY = 32;
  e->x16.Click();
  e->LupeDown.Click();
  EXPECT_EQ(e->View.LupeY, 8);
  e->LupeRight.Click();
  EXPECT_EQ(e->SelC.Left(), e->AllView.Left() + 64 + 8);
  EXPECT_EQ(e->SelC.Top(), e->AllView.Top() + 32 + 8);
  e->LupeUp.Click();
  e->LupeLeft.Click();
  EXPECT_EQ(e->SelC.Left(), e->AllView.Left() + 64);
  EXPECT_EQ(f.LoupeRepaints, 5);  // the zoom and four scrolls
}

TEST_F(CommandsTest, TheAnchorMarkerStaysOnItsPixelThroughZoomAndScroll) {
  e->btLine.Click();
  const auto marker = [this](int32_t px, int32_t py, int32_t bai) {
    EXPECT_TRUE(e->DrawTg.Visible());
    EXPECT_EQ(e->DrawTg.Left(), e->LupeView.Left() + bai * px);
    EXPECT_EQ(e->DrawTg.Top(), e->LupeView.Top() + bai * py);
    EXPECT_EQ(e->DrawTg.Width(), bai);
  };
  // Anchor at cell pixel (20, 5), set at zoom x8.
  e->LupeViewMouseDown(&e->LupeView, TMouseButton::mbLeft, {}, 20 * 8 + 3, 5 * 8 + 3);
  marker(20, 5, 8);
  e->x16.Click();  // the loupe shows cell x 0..15: the anchor is out of sight
  EXPECT_TRUE(e->Tools.Anchor.ShapeAnchor);
  EXPECT_FALSE(e->DrawTg.Visible());
  e->LupeRight.Click();  // x 8..23
  marker(12, 5, 16);
  e->x32.Click();  // x 0..7
  EXPECT_FALSE(e->DrawTg.Visible());
  for (int i = 0; i < 4; ++i) e->LupeRight.Click();  // x 16..23
  marker(4, 5, 32);
  e->x8.Click();
  marker(20, 5, 8);
  // The second click still ends the shape at the anchor.
  e->MainColor = 9;
  e->LupeViewMouseDown(&e->LupeView, TMouseButton::mbLeft, {}, 24 * 8, 5 * 8);
  EXPECT_FALSE(e->DrawTg.Visible());
  for (int32_t x = 20; x <= 24; ++x) EXPECT_EQ(e->Doc.AllDib->GetPixels(x, 5), 9) << x;
}

TEST_F(CommandsTest, ZoomResetsTheLoupeToTheCellsCornerEvenAtTheSameZoom) {
  e->View.CellX = 96;
  e->View.CellY = 64;
  e->x16.Click();
  e->LupeRight.Click();
  e->LupeDown.Click();
  e->x16.Click();
  EXPECT_EQ(e->View.LupeX, 0);
  EXPECT_EQ(e->View.LupeY, 0);
  EXPECT_EQ(e->View.Bai, 16);
  EXPECT_EQ(e->View.LupeSpan, 16);
  EXPECT_EQ(e->SelC.Left(), e->AllView.Left() + 96);
  EXPECT_EQ(e->SelC.Top(), e->AllView.Top() + 64);
  EXPECT_EQ(e->SelC.Width(), 16);
  EXPECT_EQ(e->SelA.Left(), e->AllView.Left() + 96);
  EXPECT_EQ(e->SelA.Width(), 32);
  e->x1.Click();
  EXPECT_EQ(e->View.Bairitu, 0);
  EXPECT_EQ(e->View.LupeSpan, 256);
  EXPECT_EQ(e->SelC.Height(), 256);
}

TEST_F(CommandsTest, PenSizeChangesWithoutARedraw) {
  e->p3.Click();
  EXPECT_EQ(e->Tools.PenSize, 3);
  EXPECT_EQ(f.LoupeRepaints, 0);
}

TEST_F(CommandsTest, GridAndCentreButtonsFlipTheirFlagAndEveryOptionRedraws) {
  e->Grid.Click();
  EXPECT_FALSE(e->Views.GridOn);
  EXPECT_FALSE(e->Grid.Down());
  e->Chuou.Click();
  EXPECT_FALSE(e->Views.CLineOn);
  EXPECT_EQ(f.LoupeRepaints, 2);
  e->DisplayOptionClick(&e->KURO);
  e->NiBai.Click();
  e->LupeLay.SetItemIndex(0);
  EXPECT_FALSE(e->Views.GridOn);
  EXPECT_FALSE(e->Views.CLineOn);
  EXPECT_EQ(f.LoupeRepaints, 5);
}

TEST_F(CommandsTest, MenuItemsPutTheirButtonDownThenAct) {
  e->MnLine.Click();
  EXPECT_TRUE(e->btLine.Down());
  EXPECT_FALSE(e->btPset.Down());
  EXPECT_EQ(e->Tools.ToolNumber(), 1);
  EXPECT_EQ(e->SBar.Panels[3].Text, "線描画");
  e->MnP5.Click();
  EXPECT_TRUE(e->p5.Down());
  EXPECT_EQ(e->Tools.PenSize, 5);
  e->View.LupeX = 8;
  e->MnBai32.Click();
  EXPECT_TRUE(e->x32.Down());
  EXPECT_FALSE(e->x8.Down());
  EXPECT_EQ(e->View.Bairitu, 5);
  EXPECT_EQ(e->View.LupeX, 0);
  e->MnGrid.Click();
  EXPECT_FALSE(e->Views.GridOn);
  e->MnGrid2.Click();
  EXPECT_FALSE(e->Views.CLineOn);
  e->MnGrid.Click();
  EXPECT_TRUE(e->Views.GridOn);
}

}  // namespace
}  // namespace pixkura::testing
