// Copy, cut and paste with the desktop's clipboard: what a copy offers, the
// answers for another palette, the size cut, and cut and paste as undo steps.
#include <gtest/gtest.h>

#include "app/core/editing/PasteConversion.h"
#include "formats/BlockPng.h"
#include "support/EditorFixture.h"

namespace pixkura {
namespace {

using testing::PaintSheet;
using testing::TEditorFixture;

constexpr uint8_t kToumei = 200;

class ClipboardTest : public ::testing::Test {
 protected:
  TEditor& Start() {
    TEditorSettings s;
    s.Toumei = kToumei;
    TEditor& e = f.Start(s);
    PaintSheet(e, 0, 0, 256, 256, [](int32_t x, int32_t y) { return (x + 2 * y) % 97; });
    e.TOUMEIChk.SetChecked(true);
    return e;
  }
  // A click on the sheet view at sheet pixel (x, y).
  void Click(TEditor& e, int32_t x, int32_t y, TMouseButton b = TMouseButton::mbLeft) {
    e.AllViewMouseDown(&e.AllView, b, TShiftState{}, x, y);
  }
  int32_t Pixel(TEditor& e, int32_t x, int32_t y) { return e.Doc.AllDib->GetPixels(x, y); }
  // A 2 x 1 indexed picture of indices 3 and 4 whose entry 3 is red (not the sheet's).
  TClipboardPicture RedPicture() {
    return TClipboardPicture{2, 1, {0xFF000000, 0xFF000000, 0xFF000000, 0xFFFF0000, 0xFF040404}, {3, 4}, {}};
  }
  TEditorFixture f;
};

TEST_F(ClipboardTest, CopyOffersTheCellInBothFormatsAndAPasteDropsItExactlyLeavingTheHolesOut) {
  TEditor& e = Start();
  e.Doc.AllDib->SetPixels(1, 0, kToumei);
  e.MnCopyClick(nullptr);
  const std::optional<TIndexedBlock> block = DecodeIndexedBlock(f.Host.Offered.Block);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Width, e.View.ChrX);
  EXPECT_EQ(block->Transparent, kToumei);
  EXPECT_EQ(block->Colors, e.MasterColors());
  EXPECT_EQ(block->Indices[33], Pixel(e, 1, 1));
  EXPECT_EQ(f.Host.Offered.Png, EncodeBlockPng(*block));
  EXPECT_EQ(e.Doc.History.UndoNum, 0);  // a copy changes nothing

  e.MnPasteClick(nullptr);
  EXPECT_TRUE(e.Copy.CopyReady());
  EXPECT_TRUE(f.Host.Messages.empty());  // same palette: no question
  const int32_t under = Pixel(e, 65, 64);
  Click(e, 64, 64);
  EXPECT_EQ(Pixel(e, 64, 64), Pixel(e, 0, 0));
  EXPECT_EQ(Pixel(e, 65, 64), under);
  EXPECT_EQ(Pixel(e, 95, 95), Pixel(e, 31, 31));
  e.btUndo.Click();
  EXPECT_EQ(Pixel(e, 64, 64), (64 + 128) % 97);
}

// The answers in the question's order, and what each places at (0, 0) and (1, 0).
struct TAnswerCase {
  int Answer;
  uint8_t First, Second;
  bool TakesPalette;
};

class ClipboardAnswerTest : public ClipboardTest, public ::testing::WithParamInterface<TAnswerCase> {};

TEST_P(ClipboardAnswerTest, AnotherPaletteAsksOnceAndTheAnswerGivesItsBlockAsOneUndoStep) {
  const TAnswerCase c = GetParam();
  TEditor& e = Start();
  const std::array<TColor, 256> before = e.MasterColors();
  f.Host.Clipboard.Picture = RedPicture();
  f.Host.AskAnswer = c.Answer;
  e.MnPasteClick(nullptr);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  Click(e, 0, 0);
  EXPECT_EQ(Pixel(e, 0, 0), c.First);
  EXPECT_EQ(Pixel(e, 1, 0), c.Second);
  EXPECT_EQ(e.MasterColors()[3] == RGB(255, 0, 0), c.TakesPalette);
  e.btUndo.Click();  // pixels and palette come back in one step
  EXPECT_EQ(e.MasterColors(), before);
  EXPECT_EQ(Pixel(e, 0, 0), 0);
}

// The sheet is a grey ramp: red is nearest to grey 85.
INSTANTIATE_TEST_SUITE_P(Answers, ClipboardAnswerTest,
                         ::testing::Values(TAnswerCase{0, 85, 4, false}, TAnswerCase{1, 3, 4, false},
                                           TAnswerCase{2, 3, 4, true}));

TEST_F(ClipboardTest, CancellingTheQuestionEmptyClipboardAndTrueColourWithAlpha) {
  TEditor& e = Start();
  f.Host.Clipboard.Picture = RedPicture();
  e.MnPasteClick(nullptr);  // the question cancelled
  EXPECT_FALSE(e.Copy.AllDrag());
  f.Host.Clipboard.Picture = {};
  e.MnPasteClick(nullptr);
  EXPECT_EQ(e.SBar.Panels[4].Text, "クリップボードに貼り付けられる絵がありません");
  EXPECT_FALSE(e.Copy.AllDrag());
  // True colour: no question; alpha 127 is a hole, left out when placed.
  f.Host.Clipboard.Picture = TClipboardPicture{2, 1, {}, {}, {0xFFFF0000, 0x7F000000}};
  e.MnPasteClick(nullptr);
  Click(e, 0, 0);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(Pixel(e, 0, 0), 85);
  EXPECT_EQ(Pixel(e, 1, 0), 1);
}

TEST_F(ClipboardTest, APictureLargerThanTheSheetIsCutWithAMessage) {
  TEditor& e = Start();
  for (const int32_t side : {256, 257}) {
    f.Host.Clipboard.Picture = TClipboardPicture{side, 1, {}, {}, std::vector<uint32_t>(side, 0xFF050505)};
    e.SBar.SetText(4, "");
    e.MnPasteClick(nullptr);
    EXPECT_EQ(e.CopySel.Width(), 256);
    EXPECT_EQ(e.SBar.Panels[4].Text == "256 x 256 を超える部分は切り捨てました", side > 256);
  }
}

TEST_F(ClipboardTest, CutLeavesTheTransparentColourAsOneUndoStep) {
  TEditor& e = Start();
  e.MnCutClick(nullptr);
  EXPECT_EQ(Pixel(e, 31, 31), kToumei);
  EXPECT_EQ(Pixel(e, 32, 0), 32);
  EXPECT_EQ(DecodeIndexedBlock(f.Host.Offered.Block)->Indices[1], 1);
  e.btUndo.Click();
  EXPECT_EQ(Pixel(e, 31, 31), 93);
  // A picked block waiting: its place in the sheet is cut and the wait ends.
  Click(e, 8, 8);
  Click(e, 8, 8);
  e.MnCutClick(nullptr);
  EXPECT_FALSE(e.Copy.AllDrag());
  EXPECT_EQ(Pixel(e, 8, 8), kToumei);
  EXPECT_EQ(Pixel(e, 16, 8), 32);
}

}  // namespace
}  // namespace pixkura
