// The file commands through the editor's handlers with the dialogs and
// message boxes answered by the fake host: what a load puts into the sheet
// and palette, which format a save writes, when the user is asked, and which
// failures get the commands' own messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/EditorPlugins.h"
#include "base/Exception.h"
#include "base/FileReplace.h"
#include "base/Streams.h"
#include "formats/PictureRegistry.h"
#include "formats/SPIIxDIB.h"
#include "formats/SPIs.h"
#include "image/DIB256.h"
#include "support/EditorFixture.h"
#include "support/FileCommandsSupport.h"

namespace pixkura::testing {
namespace {

// While it lives, no file can be saved: the disk is full (a transfer error).
struct FullDisk {
  FullDisk() { SetTemporaryFileMakerForTesting([](std::string&) { return errno = ENOSPC, -1; }); }
  ~FullDisk() { SetTemporaryFileMakerForTesting(nullptr); }
};

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
    e->Doc.AllDib->SetPixels(x, y, value);
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
  e->View.CellX = 32;  // a selected cell and zoom that the load must keep
  e->View.CellY = 32;
  WriteIndexed("small.bmp", 16, 16, 256,
               [](int32_t x, int32_t y) { return static_cast<uint8_t>(x + 16 * y); });
  Change(40, 40, 9);                          // history and Modified that the load clears
  f.Host.MessageAnswer = TModalResult::mrNo;  // the change is discarded
  Load("small.bmp");

  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) {
      const int32_t expected = x < 16 && y < 16 ? x + 16 * y : (x == 40 && y == 40 ? 9 : 7);
      ASSERT_EQ(e->Doc.AllDib->GetPixels(x, y), expected) << x << "," << y;
    }
  for (int32_t i = 0; i < 256; ++i) {
    ASSERT_EQ(e->Doc.PalDib->GetColors(i), Distinct(i));
    ASSERT_EQ(e->Doc.AllDib->GetColors(i), Distinct(i));  // spread to the other bitmaps
    ASSERT_EQ(e->Tools.Cell.ChrDib.GetColors(i), Distinct(i));
  }
  EXPECT_EQ(e->View.CellX, 32);
  EXPECT_EQ(e->Tools.Cell.ChrDib.GetPixels(8, 8), 9);  // refilled from the selected cell (sheet 40, 40)
  EXPECT_EQ(e->Doc.FileName, Path("small.bmp"));
  EXPECT_EQ(e->SBar.Panels[0].Text, Path("small.bmp"));
  EXPECT_FALSE(e->Doc.Modified());
  EXPECT_EQ(e->OpenD.Title, "読み込む絵を選択して下さい");
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskSaveChanges});
}

TEST_F(EditorFilesTest, APaletteShorterThan256KeepsTheMasterEntriesBeyondIt) {
  const TColor before200 = e->Doc.PalDib->GetColors(200);
  WriteIndexed("short.bmp", 4, 4, 16, [](int32_t x, int32_t) { return static_cast<uint8_t>(x); });
  Load("short.bmp");
  EXPECT_EQ(e->Doc.PalDib->GetPaletteSize(), 256);
  EXPECT_EQ(e->Doc.PalDib->GetColors(15), Distinct(15));
  EXPECT_EQ(e->Doc.PalDib->GetColors(200), before200);
}

TEST_F(EditorFilesTest, LoadingAWidePictureTakesItsTopLeft256Columns) {
  auto value = [](int32_t x, int32_t y) { return static_cast<uint8_t>((x * 7 + y * 3) % 256); };
  WriteIndexed("wide.bmp", 320, 200, 256, value);
  Load("wide.bmp");
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) ASSERT_EQ(e->Doc.AllDib->GetPixels(x, y), y < 200 ? value(x, y) : 7);
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
      ASSERT_EQ(e->Doc.PalDib->GetColors(e->Doc.AllDib->GetPixels(x, y)), colour(x, y));
  EXPECT_EQ(e->Doc.AllDib->GetPixelFormat(), ixPf8Bit);
  EXPECT_EQ(e->Doc.PalDib->GetPaletteSize(), 256);
}

TEST_F(EditorFilesTest, UndoDoesNothingAfterALoadUntilTheNextChange) {
  WriteIndexed("p.bmp", 8, 8, 256, [](int32_t, int32_t) { return 3; });
  Change(0, 0, 1);
  Change(0, 0, 2);
  e->btUndoClick(&e->btUndo);  // loaded while a step is undone
  f.Host.MessageAnswer = TModalResult::mrNo;
  Load("p.bmp");
  e->btUndoClick(&e->btUndo);
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 3);
  EXPECT_EQ(e->Doc.History.UndoNum, 0);
  Change(0, 0, 5);
  e->btUndoClick(&e->btUndo);
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 3);
  e->btUndoClick(&e->btUndo);
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 3);
}

TEST_F(EditorFilesTest, LoadFailuresOfTheFileKindGetTheLoadMessageOthersPropagate) {
  // /proc/self/mem opens, but reading it from its start fails: a transfer error.
  f.Host.DialogAnswer = "/proc/self/mem";
  e->mLoadClick(&e->mLoad);
  ASSERT_EQ(f.Host.Messages, std::vector<std::string>{kLoadFailed});
  EXPECT_TRUE(e->Doc.FileName.empty());

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
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 7);  // nothing of the sheet changed

  f.Host.DialogAnswer.clear();  // cancelled: nothing happens
  e->mLoadClick(&e->mLoad);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
}

TEST_F(EditorFilesTest, PngByAnyCaseIsWrittenAsPngAndReadBackThroughThePlugIn) {
  e->SPI = ShippedPlugins();
  Change(3, 4, 200);
  SaveAs("x.PNG");
  EXPECT_EQ(FileHead(Path("x.PNG"), 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(e->Doc.FileName, Path("x.PNG"));
  EXPECT_EQ(e->SaveD.Title, "絵に名前を付けて下さい");
  EXPECT_FALSE(e->Doc.Modified());

  Change(5, 6, 201);
  OverwriteSave();
  EXPECT_EQ(FileHead(Path("x.PNG"), 8), "\x89PNG\r\n\x1a\n");
  EXPECT_FALSE(e->Doc.Modified());

  PaintSheet(*e, 0, 0, 256, 256, [](int32_t, int32_t) { return 0; });
  Load("x.PNG");
  EXPECT_EQ(e->Doc.AllDib->GetPixels(3, 4), 200);
  EXPECT_EQ(e->Doc.AllDib->GetPixels(5, 6), 201);
  EXPECT_EQ(e->Doc.AllDib->GetPixels(7, 7), 7);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(EditorFilesTest, OverwritingAPictureOfAnotherFormatProposesABmpNameAndNeverWritesBmpUnderIt) {
  e->SPI = ShippedPlugins();
  const std::string gif = TinyGif();
  WriteBytes(Path("tiny.gif"), std::vector<uint8_t>(gif.begin(), gif.end()));
  Load("tiny.gif");
  ASSERT_EQ(e->Doc.FileName, Path("tiny.gif"));
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 1);
  EXPECT_EQ(e->Doc.PalDib->GetColors(1), RGB(0, 0, 0));
  Change(1, 1, 33);
  f.Host.Dialogs.clear();

  // Cancelled: nothing written anywhere, the change still unsaved.
  f.Host.DialogAnswer.clear();
  OverwriteSave();
  EXPECT_EQ(f.Host.Dialogs, std::vector<std::string>{"絵に名前を付けて下さい"});
  EXPECT_EQ(f.Host.DialogProposal, Path("tiny.bmp"));
  EXPECT_EQ(ReadBytes(Path("tiny.gif")), std::vector<uint8_t>(gif.begin(), gif.end()));
  EXPECT_FALSE(FileExists(Path("tiny.bmp")));
  EXPECT_TRUE(e->Doc.Modified());

  // Accepted: a BMP file under the BMP name, which the sheet now bears.
  f.Host.DialogAnswer = Path("tiny.bmp");
  OverwriteSave();
  EXPECT_EQ(ReadBytes(Path("tiny.gif")), std::vector<uint8_t>(gif.begin(), gif.end()));
  EXPECT_EQ(ReadBack(Path("tiny.bmp"))->GetPixels(1, 1), 33);
  EXPECT_EQ(e->Doc.FileName, Path("tiny.bmp"));
  EXPECT_EQ(e->SBar.Panels[0].Text, Path("tiny.bmp"));
  EXPECT_FALSE(e->Doc.Modified());

  // The next overwrite save writes that file straight away.
  Change(2, 2, 34);
  OverwriteSave();
  EXPECT_EQ(f.Host.Dialogs.size(), 2u);
  EXPECT_EQ(ReadBack(Path("tiny.bmp"))->GetPixels(2, 2), 34);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(EditorFilesTest, TheOwnFormatsInAnyLetterCaseAreOverwrittenInPlace) {
  for (const char* name : {"a.BMP", "b.Dib", "c.PnG"}) {
    e->Doc.FileName = Path(name);
    Change(0, 0, 5);
    OverwriteSave();
    EXPECT_FALSE(e->Doc.Modified()) << name;
    EXPECT_TRUE(FileExists(Path(name))) << name;
  }
  EXPECT_TRUE(f.Host.Dialogs.empty());
}

TEST_F(EditorFilesTest, ABmpProposalThatExistsIsAskedAbout) {
  e->Doc.FileName = Path("shot.jpg");
  WriteBytes(Path("shot.bmp"), {'o', 'l', 'd'});
  Change(0, 0, 9);
  f.Host.DialogAnswer = Path("shot.bmp");
  f.Host.MessageAnswer = TModalResult::mrNo;
  OverwriteSave();
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskOverwrite});
  EXPECT_EQ(ReadBytes(Path("shot.bmp")), (std::vector<uint8_t>{'o', 'l', 'd'}));
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_EQ(e->Doc.FileName, Path("shot.jpg"));
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
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_TRUE(e->Doc.FileName.empty());

  f.Host.MessageAnswer = TModalResult::mrYes;
  SaveAs("old.bmp");
  EXPECT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(ReadBack(Path("old.bmp"))->GetPixels(0, 0), 1);
  EXPECT_FALSE(e->Doc.Modified());
}

TEST_F(EditorFilesTest, AnUntitledSheetSavedOntoAnExistingFileAsksFirstFromEveryPath) {
  WriteBytes(Path("there.bmp"), {'o', 'l', 'd'});
  Change(0, 0, 5);
  f.Host.DialogAnswer = Path("there.bmp");
  f.Host.Answers = {TModalResult::mrNo, TModalResult::mrYes, TModalResult::mrNo};
  OverwriteSave();             // No to replacing
  EXPECT_FALSE(CloseQuery());  // Yes to saving, No to replacing: the window stays
  EXPECT_EQ(f.Host.Messages, (std::vector<std::string>{kAskOverwrite, kAskSaveChanges, kAskOverwrite}));
  EXPECT_EQ(ReadBytes(Path("there.bmp")), (std::vector<uint8_t>{'o', 'l', 'd'}));
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_TRUE(e->Doc.FileName.empty());
}

TEST_F(EditorFilesTest, AWaitingCopyBlockIsExportedBySaveAsAndLeavesTheSheetsState) {
  Change(0, 0, 1);
  MakeIndexedPicture(*e->Copy.CopyDib, 8, 6, 256, Distinct, [](int32_t x, int32_t y) { return x * 10 + y; });
  e->Copy.State = TBlockCopy::TState::Waiting;
  SaveAs("block.bmp");
  const auto back = ReadBack(Path("block.bmp"));
  ASSERT_EQ(back->GetWidth(), 8);
  ASSERT_EQ(back->GetHeight(), 6);
  EXPECT_EQ(back->GetPixels(7, 5), 75);
  // An export: the sheet keeps its name (none), its status text and its change.
  EXPECT_TRUE(e->Doc.FileName.empty());
  EXPECT_EQ(e->SBar.Panels[0].Text, "無題.bmp");
  EXPECT_TRUE(e->Doc.Modified());
}

TEST_F(EditorFilesTest, OverwriteSavesAndTheCloseQuestionWriteTheSheetNeverTheBlock) {
  MakeIndexedPicture(*e->Copy.CopyDib, 8, 6, 256, Distinct, [](int32_t, int32_t) { return 3; });
  e->Copy.State = TBlockCopy::TState::Waiting;
  Change(0, 0, 1);

  // Without a name: Save As of the sheet.
  f.Host.DialogAnswer = Path("sheet.bmp");
  OverwriteSave();
  EXPECT_EQ(ReadBack(Path("sheet.bmp"))->GetWidth(), 256);
  EXPECT_EQ(e->Doc.FileName, Path("sheet.bmp"));
  EXPECT_FALSE(e->Doc.Modified());

  // With a name.
  Change(0, 0, 2);
  OverwriteSave();
  EXPECT_EQ(ReadBack(Path("sheet.bmp"))->GetPixels(0, 0), 2);

  // From the close question.
  Change(0, 0, 4);
  f.Host.MessageAnswer = TModalResult::mrYes;
  EXPECT_TRUE(CloseQuery());
  const auto back = ReadBack(Path("sheet.bmp"));
  EXPECT_EQ(back->GetWidth(), 256);
  EXPECT_EQ(back->GetPixels(0, 0), 4);
  EXPECT_TRUE(e->Copy.CopyReady());  // the block still waits to be placed
}

TEST_F(EditorFilesTest, CloseAsksOnlyWhileTheSheetHasUnsavedChangesWithYesNoAndCancel) {
  EXPECT_TRUE(CloseQuery());
  EXPECT_TRUE(f.Host.Messages.empty());

  Change(0, 0, 1);
  f.Host.MessageAnswer = TModalResult::mrNo;  // discard
  EXPECT_TRUE(CloseQuery());
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskSaveChanges});
  EXPECT_EQ(f.Host.Buttons, std::vector<TMsgDlgButtons>{TMsgDlgButtons::mbYesNoCancel});
  EXPECT_TRUE(e->Doc.Modified());

  f.Host.MessageAnswer = TModalResult::mrCancel;  // keep editing
  EXPECT_FALSE(CloseQuery());
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 1);
  EXPECT_TRUE(f.Host.Dialogs.empty());

  f.Host.MessageAnswer = TModalResult::mrYes;
  f.Host.DialogAnswer = Path("kept.bmp");
  EXPECT_TRUE(CloseQuery());
  EXPECT_EQ(ReadBack(Path("kept.bmp"))->GetPixels(0, 0), 1);
  EXPECT_FALSE(e->Doc.Modified());
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

TEST_F(EditorFilesTest, AfterYesOnlyACompletedSaveLetsTheWindowClose) {
  Change(0, 0, 1);
  f.Host.MessageAnswer = TModalResult::mrYes;

  // The Save As dialog cancelled.
  EXPECT_FALSE(CloseQuery());
  EXPECT_EQ(f.Host.Dialogs, std::vector<std::string>{"絵に名前を付けて下さい"});
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_FALSE(e->Files.Uwagaki);

  // The overwrite question declined (a picture of another format: its BMP
  // name exists already).
  e->Doc.FileName = Path("pic.gif");
  WriteBytes(Path("pic.bmp"), {'o', 'l', 'd'});
  f.Host.DialogAnswer = Path("pic.bmp");
  f.Host.Answers = {TModalResult::mrYes, TModalResult::mrNo};
  EXPECT_FALSE(CloseQuery());
  EXPECT_EQ(f.Host.Messages.back(), kAskOverwrite);
  EXPECT_EQ(ReadBytes(Path("pic.bmp")), (std::vector<uint8_t>{'o', 'l', 'd'}));
  EXPECT_TRUE(e->Doc.Modified());

  // A transfer error: its own message, and the window stays.
  e->Doc.FileName = Path("full.bmp");
  const FullDisk full;
  f.Host.Messages.clear();
  EXPECT_FALSE(CloseQuery());
  EXPECT_EQ(f.Host.Messages, (std::vector<std::string>{kAskSaveChanges, kSaveFailed}));
  EXPECT_TRUE(e->Doc.Modified());
}

TEST_F(EditorFilesTest, AFailedSaveKeepsTheSheetModified) {
  Change(0, 0, 1);
  // The replace fails: a transfer error.
  const FullDisk full;
  SaveAs("full.bmp");
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kSaveFailed});
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_TRUE(e->Doc.FileName.empty());

  e->Doc.FileName = Path("full.bmp");
  OverwriteSave();
  EXPECT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(f.Host.Messages.back(), kSaveFailed);
  EXPECT_TRUE(e->Doc.Modified());
}

TEST_F(EditorFilesTest, AFileThatCannotBeCreatedGoesToTheErrorReportAndInterruptsTheClose) {
  Change(0, 0, 1);
  e->Doc.FileName = Path("no-such-folder/x.bmp");
  EXPECT_THROW(OverwriteSave(), EFCreateError);
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_FALSE(e->Files.Uwagaki);
  f.Host.MessageAnswer = TModalResult::mrYes;
  bool canClose = false;
  EXPECT_THROW(e->FormCloseQuery(&e->MainForm, canClose), EFCreateError);
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskSaveChanges});
  EXPECT_TRUE(e->Doc.Modified());
}

TEST_F(EditorFilesTest, SavingThroughALinkWritesItsTargetAndARefusedTargetKeepsTheChange) {
  WriteIndexed("real.bmp", 4, 4, 256, [](int32_t, int32_t) { return 0; });
  ASSERT_EQ(::chmod(Path("real.bmp").c_str(), 0640), 0);
  ASSERT_EQ(::symlink("real.bmp", Path("link.bmp").c_str()), 0);
  e->Doc.FileName = Path("link.bmp");
  Change(0, 0, 6);
  OverwriteSave();
  struct stat st {};
  ASSERT_EQ(::lstat(Path("link.bmp").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(::stat(Path("real.bmp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadBack(Path("real.bmp"))->GetPixels(0, 0), 6);

  // A target nobody may write: the create error, as a direct write gets.
  ASSERT_EQ(::chmod(Path("real.bmp").c_str(), 0444), 0);
  Change(0, 0, 7);
  EXPECT_THROW(OverwriteSave(), EFCreateError);
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_EQ(ReadBack(Path("real.bmp"))->GetPixels(0, 0), 6);
}

TEST_F(EditorFilesTest, OpeningOverUnsavedChangesAsksFirst) {
  WriteIndexed("next.bmp", 8, 8, 256, [](int32_t, int32_t) { return 3; });
  Change(0, 0, 1);
  Change(0, 0, 2);

  // A cancelled open dialog asks nothing.
  f.Host.DialogAnswer.clear();
  e->mLoadClick(&e->mLoad);
  EXPECT_TRUE(f.Host.Messages.empty());

  // Cancel: nothing opened, the change and its history kept.
  f.Host.MessageAnswer = TModalResult::mrCancel;
  Load("next.bmp");
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{kAskSaveChanges});
  EXPECT_EQ(f.Host.Buttons, std::vector<TMsgDlgButtons>{TMsgDlgButtons::mbYesNoCancel});
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 2);
  EXPECT_TRUE(e->Doc.Modified());
  EXPECT_TRUE(e->Doc.FileName.empty());
  e->btUndoClick(&e->btUndo);
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 1);
  e->btRedoClick(&e->btRedo);

  // Yes whose save does not complete (its dialog cancelled): nothing opened.
  f.Host.MessageAnswer = TModalResult::mrYes;
  f.Host.DialogAnswer.clear();
  EXPECT_FALSE(e->OpenPicture(Path("next.bmp")));
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 2);
  EXPECT_TRUE(e->Doc.Modified());

  // Yes: saved, then opened.
  f.Host.DialogAnswer = Path("saved.bmp");
  EXPECT_TRUE(e->OpenPicture(Path("next.bmp")));
  EXPECT_EQ(ReadBack(Path("saved.bmp"))->GetPixels(0, 0), 2);
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 3);
  EXPECT_EQ(e->Doc.FileName, Path("next.bmp"));
  EXPECT_FALSE(e->Doc.Modified());

  // Unchanged: no question.
  f.Host.Messages.clear();
  EXPECT_TRUE(e->OpenPicture(Path("saved.bmp")));
  EXPECT_TRUE(f.Host.Messages.empty());
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 2);

  // No: the change is discarded and the picture opened.
  Change(0, 0, 9);
  f.Host.MessageAnswer = TModalResult::mrNo;
  EXPECT_TRUE(e->OpenPicture(Path("next.bmp")));
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 3);
  EXPECT_EQ(ReadBack(Path("saved.bmp"))->GetPixels(0, 0), 2);
}

TEST_F(EditorFilesTest, OpeningAfterAFailedSaveOpensNothing) {
  WriteIndexed("next.bmp", 8, 8, 256, [](int32_t, int32_t) { return 3; });
  const FullDisk full;
  e->Doc.FileName = Path("full.bmp");
  Change(0, 0, 1);
  f.Host.MessageAnswer = TModalResult::mrYes;
  EXPECT_FALSE(e->OpenPicture(Path("next.bmp")));
  EXPECT_EQ(f.Host.Messages, (std::vector<std::string>{kAskSaveChanges, kSaveFailed}));
  EXPECT_EQ(e->Doc.AllDib->GetPixels(0, 0), 1);
  EXPECT_EQ(e->Doc.FileName, Path("full.bmp"));
  EXPECT_TRUE(e->Doc.Modified());
}

TEST_F(EditorFilesTest, RlePicturesWhoseRowsCarryTheirPaddingLoad) {
  // Written by ImageMagick (RLE8) and in the same manner (RLE4): the last
  // run of every row passes the row's end. Pixel (x, y) is (3x + 5y + xy) mod 16.
  for (const char* name : {"rle8_imagemagick_w1", "rle8_imagemagick_w5", "rle8_imagemagick_w127",
                           "rle4_padded_w3", "rle4_padded_w127"}) {
    SCOPED_TRACE(name);
    f.Host.DialogAnswer = std::string(PIXKURA_TEST_DATA) + "/bmp/" + name + ".bmp";
    e->mLoadClick(&e->mLoad);
    ASSERT_EQ(e->Doc.FileName, f.Host.DialogAnswer);
    const int32_t width = std::stoi(std::string(name).substr(std::string(name).rfind('w') + 1));
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < width; ++x)
        ASSERT_EQ(e->Doc.PalDib->GetColors(e->Doc.AllDib->GetPixels(x, y)),
                  e->Doc.PalDib->GetColors((3 * x + 5 * y + x * y) % 16))
            << x << "," << y;
  }
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(EditorFilesTest, TheOpenFilterListsTheExtensionsThePlugInsRegistered) {
  // The registry knows what the plug-ins claim once a class is registered
  // for them (the program registers the plug-in bitmap).
  static const TGraphicClassInfo kPluginPictures{"TestPluginPictures", nullptr};
  const TGraphicClass saved = DefaultGraphicClass;
  DefaultGraphicClass = &kPluginPictures;
  e->SPI = ShippedPlugins();
  DefaultGraphicClass = saved;
  GlobalPictureRegistry().Register("BMP", "again", &kPluginPictures);
  GlobalPictureRegistry().Register("*", "every file", &kPluginPictures);
  f.Host.DialogAnswer.clear();
  e->mLoadClick(&e->mLoad);
  GlobalPictureRegistry().UnregisterClass(&kPluginPictures);

  const std::string& filter = e->OpenD.Filter;
  const std::string supported = filter.substr(0, filter.find('|'));
  EXPECT_EQ(supported.rfind("対応しているファイル (*.bmp;*.png;*.dib;", 0), 0u) << supported;
  for (const char* ext : {";*.gif", ";*.jpg", ";*.jpeg", ";*.tga"})
    EXPECT_NE(supported.find(ext), std::string::npos) << ext << " in " << supported;
  EXPECT_EQ(supported.find("*.BMP"), std::string::npos);  // each extension once
  EXPECT_EQ(supported.find("*.*"), std::string::npos);    // no wildcard claims
  const std::string patterns =
      supported.substr(supported.find('(') + 1, supported.size() - supported.find('(') - 2);
  EXPECT_EQ(filter, supported + "|" + patterns + "|全てのファイル (*.*)|*.*");
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
