// Copy, cut and paste with the desktop's clipboard: what a copy offers, the
// answers for another palette, alpha, the size cut, and the undo steps.
#include <gtest/gtest.h>

#include "formats/ClipboardBlock.h"
#include "support/EditorFixture.h"

namespace pixkura {
namespace {

constexpr uint8_t kToumei = 200;

class ClipboardTest : public ::testing::Test {
 protected:
  TEditor& Start() {
    TEditorSettings s;
    s.Toumei = kToumei;
    TEditor& e = f.Start(s);
    testing::PaintSheet(e, 0, 0, 256, 256, [](int32_t x, int32_t y) { return (x + 2 * y) % 97; });
    e.TOUMEIChk.SetChecked(true);
    return e;
  }
  void Click(TEditor& e, int32_t x, int32_t y) {
    e.AllViewMouseDown(&e.AllView, TMouseButton::mbLeft, {}, x, y);
  }
  int32_t Pixel(TEditor& e, int32_t x, int32_t y) { return e.Doc.AllDib->GetPixels(x, y); }
  void Paste(TEditor& e, const TClipboardPicture& picture) {
    f.Host.Clipboard.Picture = picture;
    e.MnPasteClick(nullptr);
  }
  // Indices 3 and 4; entry 3 is red, unlike the sheet's grey ramp.
  const TClipboardPicture red_{
      2, 1, {0xFF000000, 0xFF010101, 0xFF020202, 0xFFFF0000, 0xFF040404}, {3, 4}, {}};
  testing::TEditorFixture f;
};

TEST_F(ClipboardTest, ACopiedCellPastedElsewhereIsExactHolesLeftOutAndUndoneInOneStep) {
  TEditor& e = Start();
  e.Doc.AllDib->SetPixels(1, 0, kToumei);
  e.MnCopyClick(nullptr);
  const std::optional<TIndexedBlock> block = DecodeIndexedBlock(f.Host.Clipboard.Block);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Transparent, kToumei);
  EXPECT_EQ(e.Doc.History.UndoNum, 0);  // a copy changes nothing
  e.MnPasteClick(nullptr);
  const int32_t under = Pixel(e, 65, 64);
  Click(e, 64, 64);
  EXPECT_TRUE(f.Host.Messages.empty());  // the same palette asks nothing
  EXPECT_EQ(Pixel(e, 64, 64), Pixel(e, 0, 0));
  EXPECT_EQ(Pixel(e, 65, 64), under);
  EXPECT_EQ(Pixel(e, 95, 95), Pixel(e, 31, 31));
  e.btUndo.Click();
  EXPECT_EQ(Pixel(e, 64, 64), (64 + 128) % 97);
}

// The answer's number, and what it places at (0, 0) and (1, 0).
class ClipboardAnswerTest : public ClipboardTest, public ::testing::WithParamInterface<std::array<int, 3>> {};

TEST_P(ClipboardAnswerTest, AnotherPaletteAsksOnceAndTheAnswerIsPlacedAsOneUndoStep) {
  const auto [answer, first, second] = GetParam();
  TEditor& e = Start();
  const std::array<TColor, 256> before = e.MasterColors();
  f.Host.AskAnswer = answer;
  Paste(e, red_);
  Click(e, 0, 0);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(Pixel(e, 0, 0), first);
  EXPECT_EQ(Pixel(e, 1, 0), second);
  EXPECT_EQ(e.MasterColors()[3] == RGB(255, 0, 0), answer == 2);  // the palette taken with the drop
  e.btUndo.Click();
  EXPECT_EQ(e.MasterColors(), before);
  EXPECT_EQ(Pixel(e, 0, 0), 0);
}

// On the grey ramp red is nearest to grey 85.
INSTANTIATE_TEST_SUITE_P(Answers, ClipboardAnswerTest,
                         ::testing::Values(std::array{0, 85, 4}, std::array{1, 3, 4}, std::array{2, 3, 4}));

TEST_F(ClipboardTest, CancelNothingToPasteTrueColourWithAlphaAndTheSizeCut) {
  TEditor& e = Start();
  Paste(e, red_);  // the question cancelled
  EXPECT_FALSE(e.Copy.AllDrag());
  Paste(e, {});
  EXPECT_EQ(e.SBar.Panels[4].Text, "クリップボードに貼り付けられる絵がありません");
  EXPECT_FALSE(e.Copy.AllDrag());
  Paste(e, {2, 1, {}, {}, {0xFFFF0000, 0x7F000000}});  // asks nothing; alpha 127 is a hole
  Click(e, 0, 0);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(Pixel(e, 0, 0), 85);
  EXPECT_EQ(Pixel(e, 1, 0), 1);
  for (const int32_t side : {256, 257}) {
    Paste(e, {side, 1, {}, {}, std::vector<uint32_t>(side, 0xFF050505)});
    EXPECT_EQ(e.CopySel.Width(), 256);
    EXPECT_EQ(e.SBar.Panels[4].Text == "256 x 256 を超える部分は切り捨てました", side > 256);
  }
}

TEST_F(ClipboardTest, CutLeavesTheTransparentColourInTheCellOrWhereTheWaitingBlockWasPicked) {
  TEditor& e = Start();
  e.MnCutClick(nullptr);
  EXPECT_EQ(Pixel(e, 31, 31), kToumei);
  EXPECT_EQ(Pixel(e, 32, 0), 32);
  e.btUndo.Click();
  EXPECT_EQ(Pixel(e, 31, 31), 93);
  Click(e, 8, 8);
  Click(e, 8, 8);
  e.MnCutClick(nullptr);
  EXPECT_FALSE(e.Copy.AllDrag());
  EXPECT_EQ(Pixel(e, 8, 8), kToumei);
  EXPECT_EQ(Pixel(e, 16, 8), 32);
}

}  // namespace
}  // namespace pixkura
