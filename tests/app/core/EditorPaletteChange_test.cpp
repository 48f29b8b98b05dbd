// A change of the master palette reaches everything that depends on it: the
// bitmaps (a waiting copy block too), the blend table with the darkest and
// lightest entries, the colour boxes, the pen cursor and the loupe. Checked
// for the palette file read from the menu, for a picture load and at start-up.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/EditorFixture.h"
#include "support/FileCommandsSupport.h"

namespace pixkura::testing {
namespace {

// A palette unlike the grey ramp: its darkest entry is 200 and its lightest 17.
TColor Scattered(int32_t i) {
  if (i == 200) return RGB(0, 0, 0);
  if (i == 17) return RGB(255, 255, 255);
  return RGB(static_cast<uint8_t>(40 + i % 150), static_cast<uint8_t>(30 + (i * 37) % 180),
             static_cast<uint8_t>(20 + (i * 91) % 200));
}

std::vector<uint8_t> PaletteFileOf(TColor (*colour)(int32_t)) {
  std::vector<uint8_t> bytes;
  for (int32_t i = 0; i < 256; ++i) {
    const TColor c = colour(i);
    bytes.insert(bytes.end(), {GetRValue(c), GetGValue(c), GetBValue(c), 0});
  }
  return bytes;
}

struct PaletteChangeTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = nullptr;
  void SetUp() override {
    TEditorSettings s;
    s.Toumei = 30;
    e = &f.Start(s);
    e->MainColor = 17;
  }

  // The blend table a fresh build makes from the master palette.
  std::unique_ptr<TBlendTable> FreshTable() const {
    auto table = std::make_unique<TBlendTable>();
    MakeMixTable(*e->Doc.PalDib, *table);
    return table;
  }
  void ExpectTablesOfTheMasterPalette() const {
    const auto fresh = FreshTable();
    EXPECT_EQ(e->DarkIdx(), fresh->DarkIdx);
    EXPECT_EQ(e->LightIdx(), fresh->LightIdx);
    for (int32_t a = 0; a < 256; ++a)
      for (int32_t b = 0; b < 256; ++b)
        ASSERT_EQ(e->Blend().MixTable[a][b], fresh->MixTable[a][b]) << a << "," << b;
  }
  void ExpectEverythingShows(TColor (*colour)(int32_t)) const {
    // The undo slots keep the palettes they were taken with (EditorUndo_test).
    const std::vector<const TIxDIB*> bitmaps{e->Views.LupeDib, e->Doc.AllDib,  e->Views.RevDib,     e->Views.MovDib, &e->Tools.Cell.ChrDib,
                                             e->Views.NomDib,  &e->Views.LayDib, &e->Views.LayAllDib, e->Copy.CopyDib};
    for (int32_t i = 0; i < 256; ++i)
      for (const TIxDIB* dib : bitmaps) ASSERT_EQ(dib->GetColors(i), colour(i)) << i;
    EXPECT_EQ(e->cMainBox.BrushColor(), colour(e->MainColor));
    EXPECT_EQ(e->cTOUMEIBox.BrushColor(), colour(e->Toumei));
    EXPECT_EQ(e->Cur.BrushColor(), colour(e->MainColor));
    // The loupe's grid (loupe row 0) and centre lines are drawn again in
    // the new lightest and darkest entries.
    EXPECT_EQ(e->Views.LupeDib->GetPixels(5, 0), e->LightIdx());
    EXPECT_EQ(e->Views.LupeDib->GetPixels(5, 128), e->DarkIdx());
  }
};

TEST_F(PaletteChangeTest, TheColourBoxesShowTheirColoursFromTheStart) {
  // Grey ramp: the main colour 0 is black, the transparent colour 30 grey.
  TEditorFixture g;
  TEditor& fresh = g.Start();
  EXPECT_EQ(fresh.cMainBox.BrushColor(), RGB(0, 0, 0));
  EXPECT_EQ(fresh.cTOUMEIBox.BrushColor(), RGB(255, 255, 255));  // entry 255, the default
  EXPECT_EQ(e->cTOUMEIBox.BrushColor(), RGB(30, 30, 30));
  EXPECT_EQ(e->TOUSel.Left(), e->PalView.Left() + 8 * 30);
}

TEST_F(PaletteChangeTest, ThePaletteFileFromTheMenuReachesEveryTableBitmapAndBox) {
  WriteBytes(e->PaletteFilePath(), PaletteFileOf(Scattered));
  e->N3.Click();  // "パレット読み込み"
  ExpectTablesOfTheMasterPalette();
  EXPECT_EQ(e->DarkIdx(), 200);
  EXPECT_EQ(e->LightIdx(), 17);
  ExpectEverythingShows(Scattered);
}

TEST_F(PaletteChangeTest, AWaitingCopyBlockTakesTheNewColours) {
  e->AllViewMouseDown(&e->AllView, TMouseButton::mbLeft, {}, 0, 0);
  e->AllViewMouseDown(&e->AllView, TMouseButton::mbLeft, {}, 0, 0);
  ASSERT_TRUE(e->Copy.CopyReady());
  WriteBytes(e->PaletteFilePath(), PaletteFileOf(Scattered));
  e->PalLoad();
  EXPECT_EQ(e->Copy.CopyDib->GetWidth(), 8);  // still the block, in the new colours
  for (int32_t i = 0; i < 256; ++i) ASSERT_EQ(e->Copy.CopyDib->GetColors(i), Scattered(i)) << i;
}

TEST_F(PaletteChangeTest, APictureLoadReachesEverythingToo) {
  TIxDIB picture;
  MakeIndexedPicture(picture, 8, 8, 256, Scattered, [](int32_t x, int32_t y) { return uint8_t(x + y); });
  picture.SaveToFile(f.Folder.File("scattered.bmp"));
  f.Host.DialogAnswer = f.Folder.File("scattered.bmp");
  e->mLoad.Click();
  ExpectTablesOfTheMasterPalette();
  ExpectEverythingShows(Scattered);
}

TEST_F(PaletteChangeTest, TheBlendTableFollowsEveryPaletteBackAndForth) {
  // Grey ramp, then the scattered palette, then the grey ramp again: the
  // table kept from an earlier build never stands in for another palette.
  const auto grey = FreshTable();
  WriteBytes(e->PaletteFilePath(), PaletteFileOf(Scattered));
  e->PalLoad();
  ExpectTablesOfTheMasterPalette();
  EXPECT_NE(e->Blend().MixTable[0][255], grey->MixTable[0][255]);
  WriteBytes(e->PaletteFilePath(), PaletteFileOf([](int32_t i) {
               const auto v = static_cast<uint8_t>(i);
               return RGB(v, v, v);
             }));
  e->PalLoad();
  ExpectTablesOfTheMasterPalette();
  EXPECT_EQ(e->Blend().MixTable[0][255], grey->MixTable[0][255]);
}

}  // namespace
}  // namespace pixkura::testing
