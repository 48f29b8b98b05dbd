// The palette view: picking the main and the transparent colour, the markers
// and boxes that show them; and the palette file commands.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/Exception.h"
#include "base/ProgramFolder.h"
#include "formats/PaletteFileError.h"
#include "support/EditorFixture.h"

namespace pixkura::testing {
namespace {

const TShiftState kNone{};

struct PaletteTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = nullptr;
  void SetUp() override { e = &f.Start(); }

  void Left(TComponent* sender, int32_t x, int32_t y) {
    e->PalMouse(sender, TMouseButton::mbLeft, kNone, x, y);
  }
  void Right(TComponent* sender, int32_t x, int32_t y) {
    e->PalMouse(sender, TMouseButton::mbRight, kNone, x, y);
  }
  void Move(TComponent* sender, int32_t x, int32_t y) { e->PalMove(sender, kNone, x, y); }
};

TEST_F(PaletteTest, LeftPressPicksTheMainColourBySwatch) {
  struct Case {
    int32_t x, y;
    uint8_t index;
  };
  for (const Case c :
       {Case{0, 0, 0}, Case{255, 95, 255}, Case{8, 12, 33}, Case{7, 11, 0}, Case{100, 50, 140}}) {
    Left(&e->PalView, c.x, c.y);  // press
    EXPECT_TRUE(e->PalOps.PalDown);
    EXPECT_EQ(e->MainColor, c.index) << c.x << "," << c.y;
    EXPECT_EQ(e->cMainBox.BrushColor(), e->Doc.PalDib->GetColors(c.index));
    EXPECT_EQ(e->PalSel.Left(), e->PalView.Left() + 8 * (c.index % 32));
    EXPECT_EQ(e->PalSel.Top(), e->PalView.Top() + 12 * (c.index / 32));
    Left(&e->PalView, c.x, c.y);  // the release where the press was picks nothing more
    EXPECT_FALSE(e->PalOps.PalDown);
    EXPECT_EQ(e->MainColor, c.index);
  }
}

TEST_F(PaletteTest, DragFollowsTheSwatchesAndKeepsTheLastInsideTheGrid) {
  Move(&e->PalView, 8, 12);  // no button held: nothing
  EXPECT_EQ(e->MainColor, 0);
  Left(&e->PalView, 8, 12);
  Move(&e->PalView, 16, 12);
  EXPECT_EQ(e->MainColor, 34);
  Move(&e->PalView, 256, 12);
  Move(&e->PalView, 16, -1);
  Move(&e->PalView, 16, 96);
  EXPECT_EQ(e->MainColor, 34);
  Left(&e->PalView, 300, 300);
  EXPECT_EQ(e->MainColor, 34);
  Move(&e->PalView, 24, 12);
  EXPECT_EQ(e->MainColor, 34);
}

TEST_F(PaletteTest, PressOnAMarkerPicksTheSwatchBeneathIt) {
  Left(&e->PalView, 8, 12);
  Left(&e->PalView, 8, 12);
  ASSERT_EQ(e->PalSel.Left(), e->PalView.Left() + 8);
  // PalSel's own (3, 4) is view point (11, 16): still swatch 33; (9, 4) is 34.
  Left(&e->PalSel, 9, 4);
  EXPECT_EQ(e->MainColor, 34);
  Left(&e->PalSel, 0, 0);
  // TOUSel stands on 255 (x 248, y 84): its (-248, -84) is view (0, 0).
  Right(&e->TOUSel, -248, -84);
  EXPECT_EQ(e->Toumei, 0);
  EXPECT_EQ(e->TOUSel.Left(), e->PalView.Left());
}

TEST_F(PaletteTest, RightPressAndReleaseBothPickTheTransparentColour) {
  Right(&e->PalView, 8 * 8, 12);  // press on 40
  EXPECT_EQ(e->Toumei, 40);
  EXPECT_EQ(e->cTOUMEIBox.BrushColor(), e->Doc.PalDib->GetColors(40));
  Right(&e->PalView, 8 * 9, 12);  // release on 41
  EXPECT_EQ(e->Toumei, 41);
  EXPECT_EQ(e->TOUSel.Left(), e->PalView.Left() + 72);
  EXPECT_EQ(e->TOUSel.Top(), e->PalView.Top() + 12);
  Right(&e->PalView, 8, 24);    // press on 65
  Right(&e->PalView, 256, 24);  // release outside: the press's pick stays
  EXPECT_EQ(e->Toumei, 65);
  Right(&e->PalView, -1, 0);
  EXPECT_EQ(e->Toumei, 65);
  EXPECT_FALSE(e->PalOps.PalDown);
  e->PalMouse(&e->PalView, TMouseButton::mbMiddle, kNone, 8, 12);
  EXPECT_EQ(e->Toumei, 65);
  EXPECT_EQ(e->MainColor, 0);
}

TEST_F(PaletteTest, TransparentPickRedrawsTheLoupeOnlyInLayerMode) {
  Right(&e->PalView, 8, 0);
  EXPECT_EQ(f.LoupeRepaints, 0);
  e->kasane.SetChecked(true);
  f.LoupeRepaints = 0;
  Right(&e->PalView, 16, 0);
  EXPECT_EQ(f.LoupeRepaints, 1);
  Left(&e->PalView, 16, 0);
  Left(&e->PalView, 16, 0);
  EXPECT_EQ(f.LoupeRepaints, 1);
}

TEST_F(PaletteTest, SaveThenLoadRoundTripsByteForByteAndKeepsPixels) {
  std::vector<uint8_t> file;
  for (int i = 0; i < 256; ++i)
    file.insert(file.end(), {uint8_t(255 - i), uint8_t(i / 2), uint8_t(i * 3), 0});
  WriteBytes(e->PaletteFilePath(), file);
  e->Doc.AllDib->SetPixels(10, 10, 42);
  e->N3.Click();  // "パレット読み込み"
  EXPECT_EQ(e->Doc.PalDib->GetColors(42), RGB(213, 21, 126));
  EXPECT_EQ(e->Doc.AllDib->GetColors(42), RGB(213, 21, 126));
  EXPECT_EQ(e->Doc.AllDib->GetPixels(10, 10), 42);
  EXPECT_EQ(e->Doc.PalDib->GetPixels(8 * 10, 12), 42);  // swatches keep their indices, only recoloured
  std::filesystem::remove(e->PaletteFilePath());
  e->N4.Click();  // "パレット保存"
  EXPECT_EQ(ReadBytes(e->PaletteFilePath()), file);
}

TEST_F(PaletteTest, AFileShorterThanATableIsNoPaletteAndLeavesThePalette) {
  WriteBytes(e->PaletteFilePath(), {1, 2, 3, 0, 4, 5, 6, 0, 7, 8});
  EXPECT_THROW(e->N3.Click(), EPaletteFileError);  // "パレット読み込み"
  EXPECT_EQ(e->Doc.PalDib->GetColors(0), RGB(0, 0, 0));
  EXPECT_EQ(e->Doc.PalDib->GetColors(1), RGB(1, 1, 1));
}

TEST_F(PaletteTest, MissingFileRaisesAndLeavesThePalette) {
  std::filesystem::remove(e->PaletteFilePath());
  try {
    e->PalLoad();
    FAIL() << "no error";
  } catch (const EFOpenError& x) {
    EXPECT_EQ(x.Message(), "ファイル " + e->PaletteFilePath() + " は開けません");
  }
  EXPECT_EQ(e->Doc.PalDib->GetColors(9), RGB(9, 9, 9));
}

TEST(PaletteFileCommands, SaveIntoAMissingFolderRaisesTheCreationError) {
  TEditorFixture f;
  TEditor& e = f.Start();
  SetProgramFolderForTesting(f.Folder.Path() + "/missing");
  EXPECT_THROW(e.PalSave(), EFCreateError);
  SetProgramFolderForTesting(f.Folder.Path());
}

}  // namespace
}  // namespace pixkura::testing
