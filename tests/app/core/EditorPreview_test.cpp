// The special views and the animation preview.
#include <gtest/gtest.h>

#include "support/EditorFixture.h"

namespace pixkura {
namespace {

using testing::PaintSheet;
using testing::RefillChrDib;
using testing::TEditorFixture;

class PreviewTest : public ::testing::Test {
 protected:
  TEditor& Start(int32_t cell = 32) {
    TEditorSettings s;
    s.CHRX = cell;
    s.CHRY = cell;
    s.Toumei = 200;
    TEditor& e = f.Start(s);
    // Every sheet pixel tells its cell-relative position.
    PaintSheet(e, 0, 0, 256, 256, [cell](int32_t x, int32_t y) { return (x % cell) + 3 * (y % cell) % 150; });
    RefillChrDib(e);
    return e;
  }
  static int32_t CellValue(int32_t /*cell*/, int32_t cx, int32_t cy) { return cx + 3 * cy % 150; }
  TEditorFixture f;
};

TEST_F(PreviewTest, SideBySideRepeatsUpToNarabeMaxPlusOne) {
  TEditor& e = Start();
  e.NARABE.SetChecked(true);
  e.NomChk.SetChecked(true);  // redraws
  for (int32_t y : {0, 40, 127})
    for (int32_t x : {0, 33, 100, 127}) EXPECT_EQ(e.Views.NomDib->GetPixels(x, y), CellValue(32, x % 32, y % 32));
  e.NiBai.SetChecked(true);
  for (int32_t y : {0, 70, 127})
    for (int32_t x : {0, 1, 64, 127})
      EXPECT_EQ(e.Views.NomDib->GetPixels(x, y), CellValue(32, (x / 2) % 32, (y / 2) % 32));
}

TEST_F(PreviewTest, SideBySideLimitAndCutCopies) {
  TEditor& e = Start(48);
  e.Views.NarabeMax = 1;
  e.CLS.SetChecked(true);
  e.NARABE.SetChecked(true);
  e.NomChk.SetChecked(true);
  // Two copies across and down (NarabeMax 1); beyond them the cleared colour.
  EXPECT_EQ(e.Views.NomDib->GetPixels(95, 95), CellValue(48, 47, 47));
  EXPECT_EQ(e.Views.NomDib->GetPixels(96, 10), 200);
  e.Views.NarabeMax = 3;
  e.DisplayOptionClick(nullptr);
  // 128 div 48 = 2 remainder 32: a third copy, cut at the view's edge.
  EXPECT_EQ(e.Views.NomDib->GetPixels(127, 10), CellValue(48, 31, 10));
  EXPECT_EQ(e.Views.NomDib->GetPixels(127, 127), CellValue(48, 31, 31));
}

TEST_F(PreviewTest, MirroredViewIsTheExactMirror) {
  TEditor& e = Start();
  e.View.CellX = 64;
  e.RevChk.SetChecked(true);
  for (int32_t x = 0; x < 32; ++x) EXPECT_EQ(e.Views.RevDib->GetPixels(x, 5), CellValue(32, 31 - x, 5));
  e.NiBai.SetChecked(true);
  for (int32_t x = 0; x < 64; ++x) EXPECT_EQ(e.Views.RevDib->GetPixels(x, 9), CellValue(32, 31 - x / 2, 4));
  e.NARABE.SetChecked(true);
  EXPECT_EQ(e.Views.RevDib->GetPixels(64, 0), CellValue(32, 31, 0));
  EXPECT_EQ(e.Views.RevDib->GetPixels(127, 127), CellValue(32, 0, 31));
}

TEST_F(PreviewTest, AnUncheckedViewShowsNothingStaleAndComesBackCurrent) {
  TEditor& e = Start();
  e.NomChk.SetChecked(true);
  e.NARABE.SetChecked(true);  // copies all over the view
  EXPECT_EQ(e.Views.NomDib->GetPixels(100, 100), CellValue(32, 100 % 32, 100 % 32));
  e.NomChk.SetChecked(false);
  // Unchecked, the view is no longer kept up to date: it shows no picture.
  for (int32_t y = 0; y < 128; y += 9)
    for (int32_t x = 0; x < 128; x += 7) ASSERT_EQ(e.Views.NomDib->GetPixels(x, y), 200) << x << "," << y;
  e.NARABE.SetChecked(false);
  e.Doc.AllDib->SetPixels(0, 0, 99);
  RefillChrDib(e);
  e.DisplayOptionClick(nullptr);
  EXPECT_EQ(e.Views.NomDib->GetPixels(0, 0), 200);
  // Shown again: the current cell, and nothing of the side-by-side copies
  // drawn before the box was unchecked.
  e.NomChk.SetChecked(true);
  EXPECT_EQ(e.Views.NomDib->GetPixels(0, 0), 99);
  EXPECT_EQ(e.Views.NomDib->GetPixels(100, 100), 200);
  // While it stays checked, a larger earlier drawing stays beside a smaller
  // one unless CLS is checked.
  e.NARABE.SetChecked(true);
  e.NARABE.SetChecked(false);
  EXPECT_EQ(e.Views.NomDib->GetPixels(100, 100), CellValue(32, 100 % 32, 100 % 32));
}

TEST_F(PreviewTest, LayerSourcesFollowViewLayOnlyInLayerMode) {
  TEditor& e = Start();
  // Top-half cell over a bottom half that is all 9; holes (Toumei) show it.
  PaintSheet(e, 0, 128, 256, 128, [](int32_t, int32_t) { return 9; });
  e.Doc.AllDib->SetPixels(3, 3, 200);
  e.NomChk.SetChecked(true);
  EXPECT_EQ(e.Views.NomDib->GetPixels(3, 3), 200);  // no layer mode: the sheet
  e.kasane.SetChecked(true);                  // ViewLay starts at "全部"
  EXPECT_EQ(e.Views.NomDib->GetPixels(3, 3), 9);
  e.ViewLay.SetItemIndex(0);
  EXPECT_EQ(e.Views.NomDib->GetPixels(3, 3), 200);
  e.ViewLay.SetItemIndex(1);
  EXPECT_EQ(e.Views.NomDib->GetPixels(3, 3), 9);
}

class AnimationTest : public PreviewTest {
 protected:
  // Records the frame shown at each immediate repaint of the preview.
  std::vector<int32_t> Play(TEditor& e, TComponent* button) {
    std::vector<int32_t> shown;
    e.MovView.OnRepaint = [&](bool now) {
      if (now) shown.push_back(e.Views.MovDib->GetPixels(0, 0));
    };
    e.MovMouseDown(button, TMouseButton::mbLeft, {}, 0, 0);
    if (e.MovTim.Enabled()) e.MovTimTimer(&e.MovTim);
    e.MovMouseUp(button, TMouseButton::mbLeft, {}, 0, 0);
    return shown;
  }
};

TEST_F(AnimationTest, PlaysEachFrameOfTheRowForItsRounds) {
  TEditor& e = Start();
  // Frame i of row d is painted i + 10 * d in its top-left pixel.
  for (int32_t d = 0; d < 4; ++d)
    for (int32_t i = 0; i < 8; ++i) e.Doc.AllDib->SetPixels(32 * i, 32 * d, i + 10 * d);
  e.StepBar.SetPosition(8);
  e.WaitBar.SetPosition(1);  // two rounds per frame
  const auto shown = Play(e, &e.MovRight);
  ASSERT_EQ(shown.size(), 16u);
  for (int32_t i = 0; i < 8; ++i) {
    EXPECT_EQ(shown[2 * i], i + 10);
    EXPECT_EQ(shown[2 * i + 1], i + 10);
  }
  EXPECT_EQ(e.Views.MovDir, 1);
  EXPECT_FALSE(e.MovTim.Enabled());  // the release stopped it
}

TEST_F(AnimationTest, RefusesRowsThatLeaveTheSheet) {
  TEditor& e = Start();
  e.StepBar.SetPosition(8);
  e.View.CellX = 32;  // 8 * 32 + 32 > 256
  e.MovMouseDown(&e.MovUp, TMouseButton::mbRight, {}, 0, 0);
  EXPECT_FALSE(e.MovTim.Enabled());
  e.View.CellX = 0;
  e.View.CellY = 160;  // 4 * 32 + 160 > 256
  e.MovMouseDown(&e.MovDown, TMouseButton::mbMiddle, {}, 0, 0);
  EXPECT_FALSE(e.MovTim.Enabled());
  e.View.CellY = 128;
  e.MovMouseDown(&e.MovDown, TMouseButton::mbMiddle, {}, 0, 0);  // any button plays
  EXPECT_TRUE(e.MovTim.Enabled());
  EXPECT_EQ(e.Views.MovDir, 2);
}

TEST_F(AnimationTest, DoubledFramesAndTheStepLabel) {
  TEditor& e = Start();
  e.NiBai.SetChecked(true);
  e.StepBar.SetPosition(3);
  EXPECT_EQ(e.Step.Text(), "3");
  e.WaitBar.SetPosition(1);
  Play(e, &e.MovUp);
  // The last frame (x = 64) doubled: pixel (63, 63) is the frame's (31, 31).
  EXPECT_EQ(e.Views.MovDib->GetPixels(63, 63), CellValue(32, 31, 31));
  EXPECT_EQ(e.Views.MovDib->GetPixels(1, 0), CellValue(32, 0, 0));
}

}  // namespace
}  // namespace pixkura
