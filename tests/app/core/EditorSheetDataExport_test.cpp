// The editor's sprite-sheet data: the saved picture's cells and one tag for the preview's run, read back
// with Python's json and imaging library, or a message and no file. The end-to-end run tries the rest.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/EditorFixture.h"
#include "support/FileCommandsSupport.h"
#include "tests/support/SheetDataCheck.h"

namespace pixkura::testing {
namespace {

struct SheetDataExportTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = &f.Start();
  std::string picture = f.Folder.File("hero.png"), json = f.Folder.File("hero.json");
  void SetUp() override {
    if (!HavePil()) GTEST_SKIP() << "no python3-pil";
    e->SPI = ShippedPlugins();
    f.Host.DialogAnswer = picture;
    e->mSave.Click();
    e->StepBar.SetPosition(3);
  }
};

TEST_F(SheetDataExportTest, ThePreviewsRunIsTheTagOrAMessageSaysWhyNothingIsWritten) {
  struct TCase {
    int32_t cell, x, y, dir;
    std::string name, file, want;  // in what the check prints, or the message
  };
  const std::vector<TCase> cases = {
      {32, 160, 32, 1, "walk", json, "hero 63 224,224 32x32 False 103\ntag walk 21 23 forward\n"},  // to x 256
      {64, 64, 64, 2, "jump", json, "frames 16\nhero 0 0,0 64x64 False 103\n"},  // 41 x 2.5 ms, halves up
      {24, 0, 0, 0, "walk", json, "キャラクタの大きさで"},                       // 24 does not divide 256
      {32, 192, 0, 0, "walk", json, "アニメーションのコマが"},                   // to x 288
      {32, 0, 0, 0, "", json, "タグ名が"},
      {32, 0, 0, 0, "walk", picture, "絵のファイルに"}};
  for (const TCase& c : cases) {
    std::filesystem::remove(json);
    e->View.ChrX = e->View.ChrY = c.cell;
    e->View.CellX = c.x, e->View.CellY = c.y, e->Views.MovDir = uint8_t(c.dir);
    f.Host.TextAnswer = c.name, f.Host.DialogAnswer = c.file;
    e->mSheetData.Click();
    const std::string got = std::filesystem::exists(json)
                                ? CheckSheetData(json, f.Folder.File("c.py"), c.cell, c.cell, 0, 0, 0)
                                : (f.Host.Messages.empty() ? "" : f.Host.Messages.back());
    EXPECT_NE(got.find(c.want), std::string::npos) << got;
    EXPECT_EQ(got.find("bad"), std::string::npos) << got;
  }
}

}  // namespace
}  // namespace pixkura::testing
