// The file commands through the editor's handlers with the dialogs and
// message boxes answered by the fake host: what a load puts into the sheet
// and palette, which format a save writes, when the user is asked, and which
// failures get the commands' own messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/EditorPlugins.h"
#include "base/Exception.h"
#include "formats/SPIIxDIB.h"
#include "image/DIB256.h"
#include "support/EditorFixture.h"
#include "support/FileCommandsSupport.h"

namespace pixkura::testing {
namespace {

constexpr const char* kLoadFailed = "無念、読み込めぬわ！";
constexpr const char* kSaveFailed = "不覚！保存できんとは・・・";
constexpr const char* kAskOverwrite = "同名のファイルが存在します、上書きしますか？";
constexpr const char* kAskSaveChanges = "データが変更されています、上書き保存しますか？";

TColor Distinct(int32_t i) { return RGB(static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7), 40); }

class EditorFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    e = &f.Start();
    // A sheet the loads can be told apart from: every pixel index 7.
    PaintSheet(*e, 0, 0, 256, 256, [](int32_t, int32_t) { return 7; });
    RefillChrDib(*e);
  }

  std::string Path(const std::string& name) const { return f.Folder.File(name); }

  void WriteIndexed(const std::string& name, int32_t w, int32_t h, int32_t entries,
                    const std::function<uint8_t(int32_t, int32_t)>& index) {
    TIxDIB dib;
    MakeIndexedPicture(dib, w, h, entries, Distinct, index);
    dib.SaveToFile(Path(name));
  }

  void Load(const std::string& name) {
    f.Host.DialogAnswer = Path(name);
    e->mLoadClick(&e->mLoad);
  }
  void SaveAs(const std::string& name) {
    f.Host.DialogAnswer = Path(name);
    e->mSaveClick(&e->mSave);
  }
  void OverwriteSave() { e->mSave2Click(&e->mSave2); }
  // A change as the tools make it: snapshot, then one pixel.
  void Change(int32_t x, int32_t y, uint8_t value) {
    e->TakeSnapshot();
    e->AllDib->SetPixels(x, y, value);
    RefillChrDib(*e);
  }
  bool CloseQuery() {
    bool canClose = false;
    e->FormCloseQuery(&e->MainForm, canClose);
    return canClose;
  }
  // The picture a file holds, read as the load command reads it.
  static std::unique_ptr<TSPIIxDIB> ReadBack(const std::string& fileName) {
    auto dib = std::make_unique<TSPIIxDIB>();
    dib->LoadFromFile(fileName);
    return dib;
  }

  TEditorFixture f;
  TEditor* e = nullptr;
};

TEST_F(EditorFilesTest, LoadingASmallPictureReplacesOnlyItsCornerAndThePalette) {
  e->CellX = 32;  // a selected cell and zoom that the load must keep
  e->CellY = 32;
  WriteIndexed("small.bmp", 16, 16, 256,
               [](int32_t x, int32_t y) { return static_cast<uint8_t>(x + 16 * y); });
  Change(40, 40, 9);  // history and Modified that the load clears
  Load("small.bmp");

  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) {
      const int32_t expected = x < 16 && y < 16 ? x + 16 * y : (x == 40 && y == 40 ? 9 : 7);
      ASSERT_EQ(e->AllDib->GetPixels(x, y), expected) << x << "," << y;
    }
  for (int32_t i = 0; i < 256; ++i) {
    ASSERT_EQ(e->PalDib->GetColors(i), Distinct(i));
    ASSERT_EQ(e->AllDib->GetColors(i), Distinct(i));  // spread to the other bitmaps
    ASSERT_EQ(e->ChrDib.GetColors(i), Distinct(i));
  }
  EXPECT_EQ(e->CellX, 32);
  EXPECT_EQ(e->ChrDib.GetPixels(8, 8), 9);  // refilled from the selected cell (sheet 40, 40)
  EXPECT_EQ(e->FileName, Path("small.bmp"));
  EXPECT_EQ(e->SBar.Panels[0].Text, Path("small.bmp"));
  EXPECT_FALSE(e->Modified);
  EXPECT_EQ(e->OpenD.Title, "読み込む絵を選択して下さい");
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(EditorFilesTest, APaletteShorterThan256KeepsTheMasterEntriesBeyondIt) {
  const TColor before200 = e->PalDib->GetColors(200);
  WriteIndexed("short.bmp", 4, 4, 16, [](int32_t x, int32_t) { return static_cast<uint8_t>(x); });
  Load("short.bmp");
  EXPECT_EQ(e->PalDib->GetPaletteSize(), 256);
  EXPECT_EQ(e->PalDib->GetColors(15), Distinct(15));
  EXPECT_EQ(e->PalDib->GetColors(200), before200);
}

TEST_F(EditorFilesTest, LoadingAWidePictureTakesItsTopLeft256Columns) {
  auto value = [](int32_t x, int32_t y) { return static_cast<uint8_t>((x * 7 + y * 3) % 256); };
  WriteIndexed("wide.bmp", 320, 200, 256, value);
  Load("wide.bmp");
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) ASSERT_EQ(e->AllDib->GetPixels(x, y), y < 200 ? value(x, y) : 7);
}

TEST_F(EditorFilesTest, ATrueColourPictureIsReducedBeforeItsPaletteBecomesTheMaster) {
  const TColor colours[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255)};
  auto colour = [&](int32_t x, int32_t y) { return colours[(x / 8 + y / 8) % 4]; };
  TIxDIB dib;
  MakeTrueColorPicture(dib, 32, 32, colour);
  dib.SaveToFile(Path("true.bmp"));
  Load("true.bmp");
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x)
      ASSERT_EQ(e->PalDib->GetColors(e->AllDib->GetPixels(x, y)), colour(x, y));
  EXPECT_EQ(e->AllDib->GetPixelFormat(), ixPf8Bit);
  EXPECT_EQ(e->PalDib->GetPaletteSize(), 256);
}

TEST_F(EditorFilesTest, UndoDoesNothingAfterALoadUntilTheNextChange) {
  WriteIndexed("p.bmp", 8, 8, 256, [](int32_t, int32_t) { return 3; });
  Change(0, 0, 1);
  Change(0, 0, 2);
  e->btUndoClick(&e->btUndo);  // loaded while a step is undone
  Load("p.bmp");
  e->btUndoClick(&e->btUndo);
  EXPECT_EQ(e->AllDib->GetPixels(0, 0), 3);
  EXPECT_EQ(e->UndoNum, 0);
  Change(0, 0, 5);
  e->btUndoClick(&e->btUndo);
  EXPECT_EQ(e->AllDib->GetPixels(0, 0), 3);
  e->btUndoClick(&e->btUndo);
  EXPECT_EQ(e->AllDib->GetPixels(0, 0), 3);
}

TEST_F(EditorFilesTest, LoadFailuresOfTheFileKindGetTheLoadMessageOthersPropagate) {
  // /proc/self/mem opens, but reading it from its start fails: a transfer error.
  f.Host.DialogAnswer = "/proc/self/mem";
  e->mLoadClick(&e->mLoad);
  ASSERT_EQ(f.Host.Messages, std::vector<std::string>{kLoadFailed});
  EXPECT_TRUE(e->FileName.empty());

  f.Host.DialogAnswer = Path("missing.bmp");
  EXPECT_THROW(e->mLoadClick(&e->mLoad), EFOpenError);
  WriteBytes(Path("junk.bmp"), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
  f.Host.DialogAnswer = Path("junk.bmp");
  try {
    e->mLoadClick(&e->mLoad);
    FAIL() << "no error for an unknown format";
  } catch (const EInvalidGraphic& error) {
    EXPECT_EQ(error.Message(), "認識できない画像形式です");
  }
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(e->AllDib->GetPixels(0, 0), 7);  // nothing of the sheet changed

  f.Host.DialogAnswer.clear();  // cancelled: nothing happens
  e->mLoadClick(&e->mLoad);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
}

TEST_F(EditorFilesTest, PngByAnyCaseIsWrittenAsPngAndReadBackThroughThePlugIn) {
  e->SPI = ShippedPlugins();
  Change(3, 4, 200);
  SaveAs("x.PNG");
  EXPECT_EQ(FileHead(Path("x.PNG"), 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(e->FileName, Path("x.PNG"));
  EXPECT_EQ(e->SaveD.Title, "絵に名前を付けて下さい");
  EXPECT_FALSE(e->Modified);

  Change(5, 6, 201);
  OverwriteSave();
  EXPECT_EQ(FileHead(Path("x.PNG"), 8), "\x89PNG\r\n\x1a\n");
  EXPECT_FALSE(e->Modified);

  PaintSheet(*e, 0, 0, 256, 256, [](int32_t, int32_t) { return 0; });
  Load("x.PNG");
  EXPECT_EQ(e->AllDib->GetPixels(3, 4), 200);
  EXPECT_EQ(e->AllDib->GetPixels(5, 6), 201);
  EXPECT_EQ(e->AllDib->GetPixels(7, 7), 7);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(EditorFilesTest, APictureLoadedThroughAPlugInIsOverwrittenAsBmp) {
  e->SPI = ShippedPlugins();
  const std::string gif = TinyGif();
  WriteBytes(Path("tiny.gif"), std::vector<uint8_t>(gif.begin(), gif.end()));
  Load("tiny.gif");
  ASSERT_EQ(e->FileName, Path("tiny.gif"));
  EXPECT_EQ(e->AllDib->GetPixels(0, 0), 1);
  EXPECT_EQ(e->PalDib->GetColors(1), RGB(0, 0, 0));
  Change(1, 1, 33);
  OverwriteSave();
  EXPECT_EQ(FileHead(Path("tiny.gif"), 2), "BM");
  const auto back = ReadBack(Path("tiny.gif"));
  EXPECT_EQ(back->GetWidth(), 256);
  EXPECT_EQ(back->GetPixels(1, 1), 33);
}

TEST_F(EditorFilesTest, ANameWithoutExtensionIsWrittenAsBmp) {
  SaveAs("plain");
  EXPECT_EQ(FileHead(Path("plain"), 2), "BM");
  EXPECT_EQ(e->SaveD.DefaultExt, "bmp");  // the dialog adds ".bmp" to a typed name without one
}

TEST_F(EditorFilesTest, SaveAsOntoAnExistingFileAsksAndNoKeepsEverything) {
  WriteBytes(Path("old.bmp"), {'o', 'l', 'd'});
  Change(0, 0, 1);
  f.Host.MessageAnswer = TModalResult::mrNo;
  SaveAs("old.bmp");
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskOverwrite});
  EXPECT_EQ(ReadBytes(Path("old.bmp")), (std::vector<uint8_t>{'o', 'l', 'd'}));
  EXPECT_TRUE(e->Modified);
  EXPECT_TRUE(e->FileName.empty());

  f.Host.MessageAnswer = TModalResult::mrYes;
  SaveAs("old.bmp");
  EXPECT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(ReadBack(Path("old.bmp"))->GetPixels(0, 0), 1);
  EXPECT_FALSE(e->Modified);
}

TEST_F(EditorFilesTest, OverwriteSaveWithoutANameIsSaveAsWithoutTheQuestionOnce) {
  WriteBytes(Path("there.bmp"), {'x'});
  f.Host.DialogAnswer = Path("there.bmp");
  OverwriteSave();
  EXPECT_TRUE(f.Host.Messages.empty());
  EXPECT_EQ(FileHead(Path("there.bmp"), 2), "BM");
  EXPECT_EQ(e->FileName, Path("there.bmp"));
  EXPECT_FALSE(e->Uwagaki);

  // Later Save As asks again, also after an overwrite save of a named file.
  OverwriteSave();
  EXPECT_FALSE(e->Uwagaki);
  f.Host.MessageAnswer = TModalResult::mrNo;
  SaveAs("there.bmp");
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskOverwrite});

  // A cancelled fallback dialog clears it too.
  e->FileName.clear();
  f.Host.DialogAnswer.clear();
  OverwriteSave();
  EXPECT_FALSE(e->Uwagaki);
}

TEST_F(EditorFilesTest, AWaitingCopyBlockIsWhatSaveAsWrites) {
  MakeIndexedPicture(*e->CopyDib, 8, 6, 256, Distinct, [](int32_t x, int32_t y) { return x * 10 + y; });
  e->CopyReady = true;
  SaveAs("block.bmp");
  const auto back = ReadBack(Path("block.bmp"));
  ASSERT_EQ(back->GetWidth(), 8);
  ASSERT_EQ(back->GetHeight(), 6);
  EXPECT_EQ(back->GetPixels(7, 5), 75);

  e->CopyReady = false;
  OverwriteSave();
  EXPECT_EQ(ReadBack(Path("block.bmp"))->GetWidth(), 256);
}

TEST_F(EditorFilesTest, CloseAsksOnlyWhileTheSheetHasUnsavedChanges) {
  EXPECT_TRUE(CloseQuery());
  EXPECT_TRUE(f.Host.Messages.empty());

  Change(0, 0, 1);
  f.Host.MessageAnswer = TModalResult::mrNo;
  EXPECT_TRUE(CloseQuery());
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskSaveChanges});
  EXPECT_TRUE(e->Modified);

  // Yes without a file name: the save dialog; cancelling it still closes.
  f.Host.MessageAnswer = TModalResult::mrYes;
  EXPECT_TRUE(CloseQuery());
  EXPECT_TRUE(e->Modified);

  f.Host.DialogAnswer = Path("kept.bmp");
  EXPECT_TRUE(CloseQuery());
  EXPECT_EQ(ReadBack(Path("kept.bmp"))->GetPixels(0, 0), 1);
  f.Host.Messages.clear();
  EXPECT_TRUE(CloseQuery());  // right after the save
  EXPECT_TRUE(f.Host.Messages.empty());

  Change(0, 0, 2);
  EXPECT_TRUE(CloseQuery());
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskSaveChanges});
  EXPECT_EQ(ReadBack(Path("kept.bmp"))->GetPixels(0, 0), 2);

  e->Exit1Click(&e->Exit1);
  EXPECT_EQ(f.Host.Closes, 1);
}

TEST_F(EditorFilesTest, AFailedSaveKeepsTheSheetModifiedSoCloseStillAsks) {
  Change(0, 0, 1);
  // A folder where the file should be: the replace fails, a transfer error.
  ASSERT_EQ(::mkdir(Path("dir.bmp").c_str(), 0755), 0);
  SaveAs("dir.bmp");
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kSaveFailed});
  EXPECT_TRUE(e->Modified);
  EXPECT_TRUE(e->FileName.empty());

  e->FileName = Path("dir.bmp");
  OverwriteSave();
  EXPECT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(f.Host.Messages.back(), kSaveFailed);
  EXPECT_TRUE(e->Modified);

  // Asked on close; Yes, the save fails with its message, the window closes.
  f.Host.MessageAnswer = TModalResult::mrYes;
  EXPECT_TRUE(CloseQuery());
  EXPECT_EQ(f.Host.Messages.size(), 4u);
  EXPECT_EQ(f.Host.Messages[2], kAskSaveChanges);
  EXPECT_EQ(f.Host.Messages[3], kSaveFailed);
}

TEST_F(EditorFilesTest, AFileThatCannotBeCreatedGoesToTheErrorReportAndInterruptsTheClose) {
  Change(0, 0, 1);
  e->FileName = Path("no-such-folder/x.bmp");
  EXPECT_THROW(OverwriteSave(), EFCreateError);
  EXPECT_TRUE(e->Modified);
  EXPECT_FALSE(e->Uwagaki);
  f.Host.MessageAnswer = TModalResult::mrYes;
  bool canClose = false;
  EXPECT_THROW(e->FormCloseQuery(&e->MainForm, canClose), EFCreateError);
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskSaveChanges});
}

TEST(EditorPluginsTest, TheManagerIsMadeOnceFromTheProgramFolder) {
  TEditorFixture f;
  CreatePluginManager(*f.Editor);
  ASSERT_TRUE(f.Editor->SPI);
  EXPECT_EQ(ActiveSPIs(), f.Editor->SPI.get());
  const auto first = f.Editor->SPI;
  CreatePluginManager(*f.Editor);
  EXPECT_EQ(f.Editor->SPI, first);
  const auto folders = first->SearchFolders();
  EXPECT_EQ(folders.back(), f.Folder.Path() + "/");

  // A second editor while the first lives shares the program's one manager.
  TFakeHost otherHost;
  TEditor other(otherHost);
  EXPECT_NO_THROW(CreatePluginManager(other));
  EXPECT_FALSE(other.SPI);
  EXPECT_EQ(ActiveSPIs(), first.get());
}

}  // namespace
}  // namespace pixkura::testing
