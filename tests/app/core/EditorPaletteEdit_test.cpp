// Changing the palette by hand: an entry's colour in the colour dialog (from
// the menu, or a double-click on a swatch), a ramp between the main and the
// transparent colour, another program's palette file or a picture's colours;
// and exporting the palette. Each change is one undo step that restores the
// palette with the pixels, interleaved with drawing.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/EditorTexts.h"
#include "app/core/document/PaletteRamp.h"
#include "base/Exception.h"
#include "formats/PaletteFile.h"
#include "formats/PaletteFiles.h"
#include "support/EditorFixture.h"
#include "support/FileCommandsSupport.h"

namespace pixkura::testing {
namespace {

const TShiftState kNone{};
using TColors = std::array<TColor, 256>;

TColors Grey() {
  TColors c{};
  for (size_t i = 0; i < c.size(); ++i) c[i] = RGB(uint8_t(i), uint8_t(i), uint8_t(i));
  return c;
}

struct PaletteEditTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = nullptr;
  void SetUp() override {
    TEditorSettings s;
    s.Toumei = 200;
    e = &f.Start(s);
  }
  // The whole state an undo step must bring back: palette and pixels.
  struct TState {
    TColors Colors;
    std::vector<uint8_t> Pixels;
    friend bool operator==(const TState&, const TState&) = default;
  };
  TState State() const {
    TState s{e->MasterColors(), {}};
    for (int32_t y = 0; y < 256; ++y)
      for (int32_t x = 0; x < 256; ++x) s.Pixels.push_back(static_cast<uint8_t>(e->Doc.AllDib->GetPixels(x, y)));
    return s;
  }
  // Every bitmap that shows the sheet or the palette has the master palette.
  void ExpectMasterEverywhere() const {
    for (const TIxDIB* dib : {e->Doc.AllDib, e->Views.LupeDib, &e->Tools.Cell.ChrDib, e->Views.MovDib, e->Views.NomDib, &e->Views.LayAllDib})
      for (int32_t i = 0; i < 256; ++i) ASSERT_EQ(dib->GetColors(i), e->Doc.PalDib->GetColors(i)) << i;
    EXPECT_EQ(e->cMainBox.BrushColor(), e->Doc.PalDib->GetColors(e->MainColor));
    EXPECT_EQ(e->cTOUMEIBox.BrushColor(), e->Doc.PalDib->GetColors(e->Toumei));
  }
  void Stroke(int32_t loupeX, int32_t loupeY, uint8_t colour) {
    Pick(colour);
    e->LupeViewMouseDown(&e->LupeView, TMouseButton::mbLeft, kNone, 8 * loupeX, 8 * loupeY);
    e->LupeViewMouseUp(&e->LupeView, TMouseButton::mbLeft, kNone, 8 * loupeX, 8 * loupeY);
  }
  // Picks the main colour as a click on its swatch does.
  void Pick(uint8_t index) {
    e->MainColor = index;
    e->ShowMainColor();
  }
  void PalLeft(TComponent* sender, int32_t x, int32_t y) {
    e->PalMouse(sender, TMouseButton::mbLeft, kNone, x, y);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = f.Folder.File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
};

TEST_F(PaletteEditTest, TheMenuEditsTheMainColoursEntryAsOneUndoStep) {
  Pick(42);
  e->Doc.AllDib->SetPixels(3, 3, 42);
  f.Host.ColorAnswer = RGB(10, 200, 30);
  e->MnPalColor.Click();
  ASSERT_EQ(f.Host.ColorsOffered, std::vector<TColor>{RGB(42, 42, 42)});
  EXPECT_EQ(e->Doc.PalDib->GetColors(42), RGB(10, 200, 30));
  EXPECT_EQ(e->Doc.PalDib->GetColors(41), RGB(41, 41, 41));
  EXPECT_EQ(e->Doc.AllDib->GetPixels(3, 3), 42);  // the pixels keep their index
  ExpectMasterEverywhere();
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_EQ(e->Doc.History.UndoNum, 1);
  e->btUndo.Click();
  EXPECT_EQ(e->Doc.PalDib->GetColors(42), RGB(42, 42, 42));
  ExpectMasterEverywhere();
  e->btRedo.Click();
  EXPECT_EQ(e->Doc.PalDib->GetColors(42), RGB(10, 200, 30));
  ExpectMasterEverywhere();
}

TEST_F(PaletteEditTest, ACancelledOrUnchangedColourRecordsNothing) {
  Pick(7);
  e->MnPalColor.Click();  // cancelled
  f.Host.ColorAnswer = RGB(7, 7, 7);
  e->MnPalColor.Click();  // the colour it had
  EXPECT_EQ(f.Host.ColorsOffered.size(), 2u);
  EXPECT_EQ(e->Doc.History.UndoNum, 0);
  EXPECT_FALSE(e->Doc.Modified());
  EXPECT_EQ(e->MasterColors(), Grey());
}

TEST_F(PaletteEditTest, ADoubleClickOnASwatchPicksItThenEditsItOnTheRelease) {
  f.Host.ColorAnswer = RGB(1, 2, 3);
  // As the window delivers a double-click: press, release, press, the
  // double-click, release.
  PalLeft(&e->PalView, 8, 12);
  PalLeft(&e->PalView, 8, 12);
  PalLeft(&e->PalView, 8, 12);
  e->PalView.OnDblClick(&e->PalView);
  EXPECT_TRUE(f.Host.ColorsOffered.empty());  // not while the button is held
  PalLeft(&e->PalView, 8, 12);
  EXPECT_FALSE(e->PalOps.PalDown);
  EXPECT_EQ(e->MainColor, 33);
  ASSERT_EQ(f.Host.ColorsOffered, std::vector<TColor>{RGB(33, 33, 33)});
  EXPECT_EQ(e->Doc.PalDib->GetColors(33), RGB(1, 2, 3));
  EXPECT_EQ(e->cMainBox.BrushColor(), RGB(1, 2, 3));
  // The next plain click only picks.
  PalLeft(&e->PalView, 16, 12);
  PalLeft(&e->PalView, 16, 12);
  EXPECT_EQ(e->MainColor, 34);
  EXPECT_EQ(f.Host.ColorsOffered.size(), 1u);
}

TEST_F(PaletteEditTest, ADoubleClickOnTheMarkerEditsTheSwatchBeneath) {
  PalLeft(&e->PalView, 8, 12);
  PalLeft(&e->PalView, 8, 12);
  // PalSel now stands on 33; its own (3, 4) lies over that swatch.
  PalLeft(&e->PalSel, 3, 4);
  e->PalSel.OnDblClick(&e->PalSel);
  PalLeft(&e->PalSel, 3, 4);
  ASSERT_EQ(f.Host.ColorsOffered, std::vector<TColor>{RGB(33, 33, 33)});
  EXPECT_EQ(e->Doc.History.UndoNum, 0);  // cancelled: nothing changed
  EXPECT_FALSE(e->PalOps.PalDown);
}

TEST(PaletteRamp, AnEvenRampRoundedHalfUpBetweenTwoEntriesKeepingTheEnds) {
  TColors c = Grey();
  c[10] = RGB(0, 255, 100);
  c[14] = RGB(255, 0, 101);
  const TColors before = c;
  FillRamp(c, 10, 14);
  // Each channel of entry 10 + k is (from * (4 - k) + to * k) / 4, halves up.
  EXPECT_EQ(c[10], RGB(0, 255, 100));
  EXPECT_EQ(c[11], RGB(64, 191, 100));   // 63.75, 191.25, 100.25
  EXPECT_EQ(c[12], RGB(128, 128, 101));  // 127.5, 127.5, 100.5
  EXPECT_EQ(c[13], RGB(191, 64, 101));   // 191.25, 63.75, 100.75
  EXPECT_EQ(c[14], RGB(255, 0, 101));
  for (size_t i : {size_t{9}, size_t{15}, size_t{0}, size_t{255}}) EXPECT_EQ(c[i], before[i]) << i;
  // The same ramp whichever end is named first.
  TColors d = before;
  FillRamp(d, 14, 10);
  EXPECT_EQ(d, c);
  // Neighbours and a single entry leave nothing between them.
  TColors n = before;
  FillRamp(n, 10, 11);
  FillRamp(n, 12, 12);
  EXPECT_EQ(n, before);
  // The whole palette, black to white: the grey ramp again.
  TColors all{};
  all[255] = RGB(255, 255, 255);
  FillRamp(all, 255, 0);
  EXPECT_EQ(all, Grey());
}

TEST_F(PaletteEditTest, TheRampRunsFromTheMainToTheTransparentColourAsOneStep) {
  std::array<TColor, 256> colors = Grey();
  colors[20] = RGB(200, 0, 0);
  colors[200] = RGB(0, 0, 180);
  e->ChangePalette(colors);
  Pick(20);
  e->Doc.Saved();
  e->MnPalRamp.Click();
  FillRamp(colors, 20, 200);
  EXPECT_EQ(e->MasterColors(), colors);
  EXPECT_EQ(e->Doc.PalDib->GetColors(110), RGB(100, 0, 90));  // half-way
  ExpectMasterEverywhere();
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_EQ(e->Doc.History.UndoNum, 2);
  e->btUndo.Click();
  EXPECT_EQ(e->Doc.PalDib->GetColors(110), RGB(110, 110, 110));
  // A ramp that changes nothing (already even) is no step.
  e->btRedo.Click();
  e->MnPalRamp.Click();
  EXPECT_EQ(e->Doc.History.UndoNum, 2);
}

TEST_F(PaletteEditTest, AnotherProgramsPaletteSetsItsEntriesAsOneStep) {
  const std::string gpl = Write("site.gpl",
                                "GIMP Palette\nName: From a site\nColumns: 4\n# comment\n"
                                "255   0   0\tRed\n  0 255   0 Green\n\n0 0 255\n");
  f.Host.DialogAnswer = gpl;
  e->Doc.AllDib->SetPixels(9, 9, 1);
  e->MnPalOpen.Click();
  EXPECT_EQ(e->Doc.PalDib->GetColors(0), RGB(255, 0, 0));
  EXPECT_EQ(e->Doc.PalDib->GetColors(1), RGB(0, 255, 0));
  EXPECT_EQ(e->Doc.PalDib->GetColors(2), RGB(0, 0, 255));
  EXPECT_EQ(e->Doc.PalDib->GetColors(3), RGB(3, 3, 3));  // a short palette sets only its entries
  EXPECT_EQ(e->Doc.AllDib->GetPixels(9, 9), 1);
  ExpectMasterEverywhere();
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_EQ(e->Doc.History.UndoNum, 1);
  EXPECT_EQ(e->Files.PaletteFileName, gpl);
  e->btUndo.Click();
  EXPECT_EQ(e->MasterColors(), Grey());
}

TEST_F(PaletteEditTest, APaletteOfMoreThan256ColoursTellsHowManyWereLeftOut) {
  std::string text = "JASC-PAL\n0100\n300\n";
  for (int i = 0; i < 300; ++i) text += "9 9 9\n";
  f.Host.DialogAnswer = Write("many.pal", text);
  e->MnPalOpen.Click();
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{"パレットファイル " + f.Host.DialogAnswer +
                                                      " の色が 256 を超えています: 最初の 256 色を読み、残りの "
                                                      "44 色は省きました"});  // a listed text (the fixture checks)
}

TEST_F(PaletteEditTest, APicturesColourTableIsAPaletteToo) {
  TIxDIB picture;
  MakeIndexedPicture(
      picture, 4, 4, 16, [](int32_t i) { return RGB(uint8_t(i * 16), 7, 9); },
      [](int32_t x, int32_t) { return uint8_t(x); });
  picture.SaveToFile(f.Folder.File("sixteen.bmp"));
  f.Host.DialogAnswer = f.Folder.File("sixteen.bmp");
  e->MnPalOpen.Click();
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(e->Doc.PalDib->GetColors(i), RGB(uint8_t(i * 16), 7, 9)) << i;
  EXPECT_EQ(e->Doc.PalDib->GetColors(16), RGB(16, 16, 16));
}

TEST_F(PaletteEditTest, ADamagedPaletteShowsTheReadersMessageAndChangesNothing) {
  const std::string bad = Write("bad.pal", "JASC-PAL\n0100\n3\n1 2 3\n4 5 6\n");
  f.Host.DialogAnswer = bad;
  e->MnPalOpen.Click();
  ASSERT_EQ(f.Host.Messages.size(), 1u);  // the fixture checks it is a listed text
  EXPECT_EQ(f.Host.Messages[0],
            "パレットファイル " + bad + " の 6 行目: 色の数 3 に対して色が 2 しかありません");
  EXPECT_EQ(e->MasterColors(), Grey());
  EXPECT_EQ(e->Doc.History.UndoNum, 0);
  EXPECT_FALSE(e->Doc.Modified());
  EXPECT_TRUE(e->Files.PaletteFileName.empty());
  // A file that is no palette nor picture; a binary format at fault.
  f.Host.DialogAnswer = Write("notes.txt", "just words\n");
  e->MnPalOpen.Click();
  f.Host.DialogAnswer = Write("short.act", std::string(772, '\0'));
  e->MnPalOpen.Click();
  ASSERT_EQ(f.Host.Messages.size(), 3u);
  EXPECT_EQ(e->MasterColors(), Grey());
  // A file that cannot be opened goes on to the error report.
  f.Host.DialogAnswer = f.Folder.File("missing.gpl");
  EXPECT_THROW(e->MnPalOpen.Click(), EFOpenError);
  EXPECT_EQ(e->MasterColors(), Grey());
}

TEST_F(PaletteEditTest, TheExportWritesThe256ColoursInTheFormatOfTheExtension) {
  std::array<TColor, 256> colors = Grey();
  colors[5] = RGB(1, 2, 3);
  e->ChangePalette(colors);
  for (const char* name : {"out.gpl", "out.pal", "out.act", "out.hex"}) {
    f.Host.DialogAnswer = f.Folder.File(name);
    e->MnPalExport.Click();
    const TPaletteColors read = ReadPaletteColors(f.Folder.File(name));
    EXPECT_EQ(read.Colors(), std::vector<TColor>(colors.begin(), colors.end())) << name;
  }
  EXPECT_TRUE(f.Host.Messages.empty());
  EXPECT_EQ(e->Files.PaletteFileName, f.Folder.File("out.hex"));
}

TEST_F(PaletteEditTest, TheExportAsksBeforeReplacingAndRefusesUnknownExtensions) {
  const std::string old = Write("old.gpl", "GIMP Palette\n1 1 1\n");
  f.Host.DialogAnswer = old;
  f.Host.MessageAnswer = TModalResult::mrNo;
  e->MnPalExport.Click();
  ASSERT_EQ(f.Host.Messages, std::vector<std::string>{"同名のファイルが存在します、上書きしますか？"});
  EXPECT_EQ(ReadPaletteColors(old).Count(), 1u);
  f.Host.MessageAnswer = TModalResult::mrYes;
  e->MnPalExport.Click();
  EXPECT_EQ(ReadPaletteColors(old).Count(), 256u);

  f.Host.Messages.clear();
  const std::string text = Write("colours.txt", "keep me");
  f.Host.DialogAnswer = text;
  e->MnPalExport.Click();
  ASSERT_EQ(f.Host.Messages.size(), 1u);  // no overwrite question first
  EXPECT_EQ(f.Host.Messages[0],
            "パレットファイル " + text + ": 書き出せるパレットの形式は拡張子 .gpl .pal .act .hex のものです");
  EXPECT_EQ(FileHead(text, 100), "keep me");
}

TEST_F(PaletteEditTest, TheOwnPaletteFileFromTheMenuIsAnUndoStepToo) {
  std::array<TColor, 256> colors = Grey();
  colors[0] = RGB(9, 8, 7);
  TPaletteValues values = colors;
  WritePaletteFile(e->PaletteFilePath(), values);
  e->N3.Click();  // "パレット読み込み"
  EXPECT_EQ(e->Doc.PalDib->GetColors(0), RGB(9, 8, 7));
  EXPECT_EQ(e->Doc.History.UndoNum, 1);
  EXPECT_TRUE(e->Doc.Modified());
  e->btUndo.Click();
  EXPECT_EQ(e->Doc.PalDib->GetColors(0), RGB(0, 0, 0));
}

// Drawing and every kind of palette change, interleaved; undoing all of it
// and redoing it again passes through exactly the states it went through.
TEST_F(PaletteEditTest, UndoAndRedoWalkBackAndForthThroughDrawingAndPaletteChanges) {
  std::vector<TState> states{State()};
  const auto record = [&] { states.push_back(State()); };
  Stroke(2, 2, 50);
  record();
  Pick(50);
  f.Host.ColorAnswer = RGB(250, 10, 10);
  e->MnPalColor.Click();
  record();
  Stroke(3, 3, 100);
  record();
  Pick(100);  // ramp 100 .. 200 (the transparent colour)
  std::array<TColor, 256> target = e->MasterColors();
  target[200] = RGB(0, 0, 0);
  e->ChangePalette(target);
  record();
  e->MnPalRamp.Click();
  record();
  f.Host.DialogAnswer = Write("two.hex", "#102030\n405060\n");
  e->MnPalOpen.Click();
  record();
  Stroke(4, 4, 1);
  record();
  ASSERT_EQ(e->Doc.History.UndoNum, static_cast<int>(states.size()) - 1);
  for (size_t i = 1; i < states.size(); ++i)
    ASSERT_NE(states[i], states[i - 1]) << "step " << i << " changed nothing";

  for (size_t i = states.size() - 1; i-- > 0;) {
    e->btUndo.Click();
    ASSERT_EQ(State(), states[i]) << "undo to state " << i;
    ExpectMasterEverywhere();
  }
  for (size_t i = 1; i < states.size(); ++i) {
    e->btRedo.Click();
    ASSERT_EQ(State(), states[i]) << "redo to state " << i;
    ExpectMasterEverywhere();
  }
  // Undo half-way, then a palette change: the undone steps are gone.
  e->btUndo.Click();
  e->btUndo.Click();
  f.Host.ColorAnswer = RGB(1, 2, 3);
  e->MnPalColor.Click();
  e->btUndo.Click();
  EXPECT_EQ(State(), states[states.size() - 3]);
  e->btRedo.Click();
  e->btRedo.Click();  // nothing further
  EXPECT_EQ(e->Doc.PalDib->GetColors(e->MainColor), RGB(1, 2, 3));
}

}  // namespace
}  // namespace pixkura::testing
