// Start-up: the state FormCreate builds, the palette file it creates or reads,
// the palette spread to every bitmap, and the stored settings it applies.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/Streams.h"
#include "formats/PaletteFiles.h"
#include "support/EditorFixture.h"
#include "tests/support/OrdinaryUser.h"

namespace pixkura::testing {
namespace {

std::vector<uint8_t> PaletteBytes(TColor (*colour)(int)) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 256; ++i) {
    const TColor c = colour(i);
    bytes.insert(bytes.end(), {GetRValue(c), GetGValue(c), GetBValue(c), 0});
  }
  return bytes;
}

TColor Rainbow(int i) {
  return RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7));
}

TEST(EditorCreate, BuildsEveryBufferAndTheInitialState) {
  TEditorFixture f;
  TEditor& e = f.Start();
  struct Expect {
    const TIxDIB* dib;
    int32_t w, h;
  };
  for (const Expect& x :
       {Expect{e.Views.LupeDib, 256, 256}, Expect{e.Doc.AllDib, 256, 256}, Expect{e.Doc.PalDib, 256, 96},
        Expect{e.Views.NomDib, 128, 128}, Expect{e.Views.RevDib, 128, 128}, Expect{e.Views.MovDib, 64, 64},
        Expect{&e.Tools.Cell.ChrDib, 32, 32}, Expect{&e.Views.LayDib, 256, 256}, Expect{&e.Views.LayAllDib, 256, 256}}) {
    EXPECT_EQ(x.dib->GetWidth(), x.w);
    EXPECT_EQ(x.dib->GetHeight(), x.h);
    EXPECT_EQ(x.dib->GetBitCount(), 8);
    EXPECT_EQ(x.dib->GetPaletteSize(), 256);
  }
  EXPECT_EQ(e.Views.LupeDib, &e.LupeView.Picture);
  EXPECT_EQ(e.Doc.AllDib, &e.AllView.Picture);
  EXPECT_EQ(e.Copy.CopyDib, &e.CopyView.Picture);
  // The copy buffer keeps its one pixel until the sheet view fills it; it
  // takes the master palette with every other bitmap.
  EXPECT_EQ(e.Copy.CopyDib->GetWidth(), 1);
  EXPECT_EQ(e.Copy.CopyDib->GetHeight(), 1);
  EXPECT_EQ(e.Copy.CopyDib->GetPaletteSize(), 256);

  ASSERT_EQ(e.Doc.History.UndoDibs.size(), 15u);
  for (const auto& slot : e.Doc.History.UndoDibs) EXPECT_EQ(slot->GetWidth(), 256);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(255, 255), 0);

  // The defaults of every setting.
  EXPECT_EQ(e.View.ChrX, 32);
  EXPECT_EQ(e.View.Bairitu, 3);
  EXPECT_EQ(e.View.Bai, 8);
  EXPECT_EQ(e.View.LupeSpan, 32);
  EXPECT_TRUE(e.x8.Down());
  EXPECT_TRUE(e.p1.Down());
  EXPECT_TRUE(e.btPset.Down());
  EXPECT_EQ(e.Toumei, 255);
  EXPECT_TRUE(e.Views.GridOn);
  EXPECT_TRUE(e.Views.CLineOn);
  EXPECT_EQ(e.LupeLay.ItemIndex(), 1);
  EXPECT_EQ(e.ViewLay.ItemIndex(), 2);
  EXPECT_EQ(e.MainForm.Left(), 0);
  EXPECT_EQ(e.MainForm.Top(), 0);
  EXPECT_FALSE(e.Files.Uwagaki);
  EXPECT_TRUE(e.Doc.FileName.empty());

  // Controls that show the state.
  EXPECT_EQ(e.SelC.Left(), e.AllView.Left());
  EXPECT_EQ(e.SelC.Width(), 32);
  EXPECT_EQ(e.SelA.Width(), 32);
  EXPECT_EQ(e.CSXLab.Text(), "32");
  EXPECT_EQ(e.SelSizeLab.Text(), "8");
  EXPECT_EQ(e.Step.Text(), "2");
  EXPECT_EQ(e.CopySel.Width(), 8);
  EXPECT_EQ(e.TOUSel.Left(), e.PalView.Left() + 8 * 31);
  EXPECT_EQ(e.TOUSel.Top(), e.PalView.Top() + 12 * 7);
  EXPECT_EQ(e.PanelLeft.Left(), 0);
  EXPECT_EQ(e.PanelCenter.Left(), 305);
  EXPECT_EQ(e.PanelRight.Left(), 610);

  // Blend table and swatches from the grey ramp.
  EXPECT_EQ(e.DarkIdx(), 0);
  EXPECT_EQ(e.LightIdx(), 255);
  EXPECT_EQ(e.Doc.Tables.UnitTable[255], 1.0);
  EXPECT_EQ(e.Doc.PalDib->GetPixels(8, 12), 33);
  EXPECT_EQ(e.Doc.PalDib->GetPixels(255, 95), 255);
}

TEST(EditorCreate, WithoutPaletteFileWritesAndShowsTheGreyRamp) {
  TEditorFixture f;
  TEditor& e = f.Start();
  const std::vector<uint8_t> bytes = ReadBytes(f.Folder.File("Pixkura.pal"));
  ASSERT_EQ(bytes.size(), 1024u);
  for (int i = 0; i < 256; ++i) {
    const std::vector<uint8_t> entry(bytes.begin() + 4 * i, bytes.begin() + 4 * i + 4);
    EXPECT_EQ(entry, (std::vector<uint8_t>{uint8_t(i), uint8_t(i), uint8_t(i), 0})) << i;
  }
  EXPECT_EQ(e.Doc.PalDib->GetColors(0), RGB(0, 0, 0));
  EXPECT_EQ(e.Doc.PalDib->GetColors(255), RGB(255, 255, 255));
  EXPECT_EQ(e.Doc.AllDib->GetColors(128), RGB(128, 128, 128));
}

TEST(EditorCreate, ReadsAnExistingPaletteFileAndSpreadsItToEveryBitmap) {
  TEditorFixture f;
  const std::vector<uint8_t> file = PaletteBytes(Rainbow);
  WriteBytes(f.Folder.File("Pixkura.pal"), file);
  TEditor& e = f.Start();
  EXPECT_EQ(ReadBytes(f.Folder.File("Pixkura.pal")), file);  // read, not rewritten
  // The undo slots keep their own palettes: each takes the sheet's with it.
  e.TakeSnapshot();
  const std::vector<const TIxDIB*> spread{e.Views.LupeDib, e.Doc.AllDib,  e.Views.RevDib,     e.Views.MovDib,  &e.Tools.Cell.ChrDib,
                                          e.Views.NomDib,  &e.Views.LayDib, &e.Views.LayAllDib, e.Copy.CopyDib, e.Doc.History.UndoDibs[1].get()};
  for (int i : {0, 1, 77, 200, 255}) {
    EXPECT_EQ(e.Doc.PalDib->GetColors(i), Rainbow(i));
    for (const TIxDIB* dib : spread) EXPECT_EQ(dib->GetColors(i), Rainbow(i)) << i;
  }
  // The blend table belongs to the palette read at start-up.
  EXPECT_EQ(e.DarkIdx(), 220);  // RGB(220, 35, 4) has the least luminance
}

TEST(EditorCreate, SpreadPaletteChangesColoursOnlyAndLeavesTheUndoSlots) {
  TEditorFixture f;
  TEditor& e = f.Start();
  e.Doc.AllDib->SetPixels(3, 4, 77);
  e.TakeSnapshot();
  e.Doc.PalDib->SetColors(77, RGB(1, 2, 3));
  e.SpreadPalette();
  EXPECT_EQ(e.Doc.AllDib->GetColors(77), RGB(1, 2, 3));
  EXPECT_EQ(e.Doc.AllDib->GetPixels(3, 4), 77);
  EXPECT_EQ(e.Copy.CopyDib->GetWidth(), 1);
  // The snapshot keeps the palette it was taken with, for an undo to bring back.
  EXPECT_EQ(e.Doc.History.UndoDibs[1]->GetColors(77), RGB(77, 77, 77));
  EXPECT_EQ(e.Doc.History.UndoDibs[1]->GetPixels(3, 4), 77);
}

TEST(EditorCreate, StoredValuesAreApplied) {
  TEditorFixture f;
  TEditorSettings s;
  s.Top = 40;
  s.Left = 70;
  s.Undo = 4;
  s.CHRX = 48;
  s.CHRY = 16;
  s.Toumei = 33;
  s.SelSize = 40;  // the bar clamps
  s.PenSize = 4;
  s.Bairitu = 5;
  s.Grid = false;
  s.Speed = 0;
  s.Maisuu = 5;
  s.SentakuFree = s.View1 = s.View2 = s.View3 = s.Hamidasi = s.Narabe = true;
  s.CLine = false;
  s.LupeLay = 7;
  s.ViewLay = 0;
  s.NarabeMAX = 9;
  s.LeftPanel = 3;
  s.CenterPanel = 1;
  s.RightPanel = 2;
  TEditor& e = f.Start(s);
  EXPECT_EQ(e.MainForm.Top(), 40);
  EXPECT_EQ(e.MainForm.Left(), 70);
  EXPECT_EQ(e.Doc.History.UndoDibs.size(), 4u);
  EXPECT_EQ(e.Tools.Cell.ChrDib.GetWidth(), 48);
  EXPECT_EQ(e.Tools.Cell.ChrDib.GetHeight(), 16);
  EXPECT_EQ(e.Toumei, 33);
  EXPECT_EQ(e.TOUSel.Left(), e.PalView.Left() + 8);
  EXPECT_EQ(e.TOUSel.Top(), e.PalView.Top() + 12);
  EXPECT_EQ(e.SelSizeBar.Position(), 32);
  EXPECT_EQ(e.SelSizeLab.Text(), "32");
  EXPECT_EQ(e.CopySel.Width(), 32);
  EXPECT_TRUE(e.p4.Down());
  EXPECT_FALSE(e.p1.Down());
  EXPECT_TRUE(e.x32.Down());
  EXPECT_EQ(e.View.LupeSpan, 8);
  EXPECT_EQ(e.SelC.Width(), 8);
  EXPECT_EQ(e.WaitBar.Position(), 1);
  EXPECT_EQ(e.Step.Text(), "5");
  EXPECT_TRUE(e.SFree.Checked() && e.NomChk.Checked() && e.RevChk.Checked() && e.MovChk.Checked());
  EXPECT_TRUE(e.Hamidasi.Checked() && e.NARABE.Checked());
  EXPECT_FALSE(e.Views.GridOn);
  EXPECT_FALSE(e.Views.CLineOn);
  EXPECT_EQ(e.LupeLay.ItemIndex(), 2);
  EXPECT_EQ(e.ViewLay.ItemIndex(), 0);
  EXPECT_EQ(e.Views.NarabeMax, 9);
  EXPECT_EQ(e.PanelRight.Left(), 0);
  EXPECT_EQ(e.PanelLeft.Left(), 177);
  EXPECT_EQ(e.PanelCenter.Left(), 482);
  // The close writes back what start-up applied (the clamped bar included).
  TEditorSettings back = s;
  back.SelSize = 32;
  back.Speed = 1;
  back.LupeLay = 2;
  EXPECT_EQ(e.CurrentSettings(), back);
}

TEST(EditorCreate, ValuesTheByteStateCannotHoldKeepTheirDefaults) {
  EXPECT_EQ(StoredByteOr(255, 255, 15), 255);
  EXPECT_EQ(StoredByteOr(256, 255, 15), 15);
  EXPECT_EQ(StoredByteOr(-1, 255, 15), 15);
  TEditorFixture f;
  TEditorSettings s;
  s.Undo = 300;
  s.Toumei = -1;
  s.Bairitu = 8;
  s.CHRX = 0;
  s.CHRY = 100000;
  TEditor& e = f.Start(s);
  EXPECT_EQ(e.Doc.History.UndoMax, 15);
  EXPECT_EQ(e.Doc.History.UndoDibs.size(), 15u);
  EXPECT_EQ(e.Toumei, 255);
  EXPECT_EQ(e.View.Bairitu, 3);
  EXPECT_EQ(e.View.Bai, 8);
  EXPECT_TRUE(e.x8.Down());
  EXPECT_EQ(e.View.ChrX, 32);
  EXPECT_EQ(e.View.ChrY, 32);
}

TEST(EditorCreate, ZoomSixAndSevenAndOddPenSizesAreUsedWithoutAButton) {
  TEditorFixture f;
  TEditorSettings s;
  s.Bairitu = 7;
  s.PenSize = 9;
  TEditor& e = f.Start(s);
  EXPECT_EQ(e.View.Bai, 128);
  EXPECT_EQ(e.View.LupeSpan, 2);
  EXPECT_EQ(e.ZoomGroup.DownButton(), nullptr);
  EXPECT_EQ(e.Tools.PenSize, 9);
  EXPECT_EQ(e.PenGroup.DownButton(), nullptr);
  // The loupe shows 2 x 2 sheet pixels of 128 x 128 screen pixels each.
  EXPECT_EQ(e.Views.LupeDib->GetPixels(0, 0), e.LightIdx());  // grid line at 0
}

TEST(EditorCreate, PenSizesAndSideBySideCountsTheDrawingCannotUseKeepTheirDefaults) {
  const int32_t pens[][2] = {{0, 1}, {-3, 1}, {256, 1}, {70000, 1}, {255, 255}, {6, 6}};
  for (const auto& [stored, used] : pens) {
    TEditorFixture f;
    TEditorSettings s;
    s.PenSize = stored;
    EXPECT_EQ(f.Start(s).Tools.PenSize, used) << stored;
  }
  const int32_t narabe[][2] = {{-1, 3}, {INT32_MIN, 3}, {INT32_MAX, 3}, {0, 0}, {1000, 1000}};
  for (const auto& [stored, used] : narabe) {
    TEditorFixture f;
    TEditorSettings s;
    s.NarabeMAX = stored;
    s.Narabe = true;
    TEditor& e = f.Start(s);
    EXPECT_EQ(e.Views.NarabeMax, used) << stored;
    e.RedrawSpecialViews();  // the side-by-side arithmetic holds with the value kept
  }
}

TEST(EditorCreate, FewerThanTwoUndoStepsStillGiveTwoSlots) {
  for (int32_t undo : {0, 1}) {
    TEditorFixture f;
    TEditorSettings s;
    s.Undo = undo;
    TEditor& e = f.Start(s);
    EXPECT_EQ(e.Doc.History.UndoMax, 2);
    EXPECT_EQ(e.Doc.History.UndoDibs.size(), 2u);
  }
}

TEST(EditorCreate, PanelNumbersOutsideOneToThreePlaceNothing) {
  TEditorFixture f;
  TEditorSettings s;
  s.LeftPanel = 2;
  s.CenterPanel = 2;
  s.RightPanel = 3;
  TEditor& e = f.Start(s);
  EXPECT_EQ(e.PanelCenter.Left(), 305);
  EXPECT_EQ(e.PanelRight.Left(), 610);
  EXPECT_EQ(e.PanelLeft.Left(), 0);  // its design place
  e.LeftPanelPos = 0;
  e.CenterPanelPos = 3;
  e.RightPanelPos = 4;
  e.LayoutPanels();
  EXPECT_EQ(e.PanelRight.Left(), 0);
  EXPECT_EQ(e.PanelCenter.Left(), 305);
}

// What a start-up that could not use its palette file must still have built:
// the grey ramp in memory and spread, the blend table, the swatches and the
// loupe with its grid. Empty when all is there.
std::string GreyRampStartUpProblems(const TEditor& e) {
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    if (e.Doc.PalDib->GetColors(i) != RGB(v, v, v) || e.Doc.AllDib->GetColors(i) != RGB(v, v, v))
      return "entry " + std::to_string(i) + " is not grey";
  }
  if (e.DarkIdx() != 0 || e.LightIdx() != 255) return "no blend table";
  if (e.Doc.Tables.UnitTable[255] != 1.0) return "no unit table";
  if (e.Doc.PalDib->GetPixels(8, 12) != 33 || e.Doc.PalDib->GetPixels(255, 95) != 255) return "no swatches";
  int gridPixels = 0;
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) gridPixels += e.Views.LupeDib->GetPixels(x, y) == 255;
  if (gridPixels == 0) return "no loupe grid";
  return "";
}

// The test's program folder, open to the ordinary user the check runs as.
void OpenToEveryone(const TProgramFolder& folder, mode_t mode) {
  ASSERT_EQ(::chmod(folder.Path().c_str(), mode), 0);
}

TEST(EditorCreate, APaletteFileThatCannotBeCreatedLeavesTheGreyRampAndOneMessage) {
  // Neither the program's folder nor the user's folder it falls back to
  // takes a new file.
  TEditorFixture f;
  OpenToEveryone(f.Folder, 0555);
  const std::string userFolder = f.Folder.File("config");
  const std::string failure = AsOrdinaryUser([&]() -> std::string {
    ::setenv("XDG_CONFIG_HOME", userFolder.c_str(), 1);
    TEditor& e = f.Start();
    const std::string palette = e.PaletteFilePath();
    if (palette != userFolder + "/pixkura/Pixkura.pal") return "the palette file is looked for at " + palette;
    const std::vector<std::string> want{"ファイル " + palette + " を作成できません"};
    if (f.Host.Messages != want)
      return "messages: " + std::to_string(f.Host.Messages.size()) +
             (f.Host.Messages.empty() ? "" : " first " + f.Host.Messages[0]);
    if (FileExists(palette) || FileExists(f.Folder.File("Pixkura.pal"))) return "a palette file appeared";
    return GreyRampStartUpProblems(e);
  });
  OpenToEveryone(f.Folder, 0700);
  EXPECT_EQ(failure, "");
}

TEST(EditorCreate, AJascPaletteExportedAsThePaletteFileIsReadAsOne) {
  TEditorFixture f;
  std::vector<TColor> rainbow;
  for (int i = 0; i < 256; ++i) rainbow.push_back(Rainbow(i));
  WriteBytes(f.Folder.File("Pixkura.pal"),
             EncodePaletteColors(TPaletteFormat::pfJascPal, TPaletteColors(rainbow), ""));
  TEditor& e = f.Start();
  EXPECT_TRUE(f.Host.Messages.empty());
  for (int i : {0, 77, 255}) EXPECT_EQ(e.Doc.AllDib->GetColors(i), Rainbow(i)) << i;
}

TEST(EditorCreate, AnUnreadablePaletteFileLeavesTheGreyRampAndOneMessage) {
  TEditorFixture f;
  std::vector<uint8_t> rainbow;
  for (int i = 0; i < 256; ++i) rainbow.insert(rainbow.end(), {uint8_t(i), uint8_t(255 - i), 7, 0});
  WriteBytes(f.Folder.File("Pixkura.pal"), rainbow);
  ASSERT_EQ(::chmod(f.Folder.File("Pixkura.pal").c_str(), 0), 0);
  OpenToEveryone(f.Folder, 0777);  // writable, so the palette file is kept there
  const std::string failure = AsOrdinaryUser([&]() -> std::string {
    TEditor& e = f.Start();
    const std::vector<std::string> want{"ファイル " + f.Folder.File("Pixkura.pal") + " は開けません"};
    if (f.Host.Messages != want)
      return "messages: " + std::to_string(f.Host.Messages.size()) +
             (f.Host.Messages.empty() ? "" : " first " + f.Host.Messages[0]);
    return GreyRampStartUpProblems(e);
  });
  OpenToEveryone(f.Folder, 0700);
  EXPECT_EQ(failure, "");
  ::chmod(f.Folder.File("Pixkura.pal").c_str(), 0600);
  EXPECT_EQ(ReadBytes(f.Folder.File("Pixkura.pal")), rainbow);  // left as it was
}

TEST(EditorCreate, AnyStartUpFailureIsReportedOnceAndStartUpFinishes) {
  // The palette file is a link into a folder that does not exist: writing
  // the grey ramp fails even for root.
  TEditorFixture f;
  ASSERT_EQ(::symlink("missing/Pixkura.pal", f.Folder.File("Pixkura.pal").c_str()), 0);
  TEditor& e = f.Start();
  EXPECT_EQ(f.Host.Messages,
            std::vector<std::string>{"ファイル " + f.Folder.File("Pixkura.pal") + " を作成できません"});
  EXPECT_EQ(GreyRampStartUpProblems(e), "");
  EXPECT_FALSE(e.Files.Uwagaki);
}

}  // namespace
}  // namespace pixkura::testing
