// The animation export: the row the user chooses, StepBar frames composed as
// the preview composes them (layer composite, doubling), each shown as long
// as the preview shows it, looping forever, in the master palette's indices;
// read back by giflib and by Python's imaging library frame by frame.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/core/commands/FrameSource.h"
#include "support/EditorFixture.h"
#include "support/FileCommandsSupport.h"
#include "tests/support/GifReadBack.h"

namespace pixkura::testing {
namespace {

bool LoopsForever(const GifFileType& gif) {
  const SavedImage& first = gif.SavedImages[0];
  for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
    const ExtensionBlock& b = first.ExtensionBlocks[i];
    if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
        std::string(reinterpret_cast<const char*>(b.Bytes), 11) == "NETSCAPE2.0") {
      const ExtensionBlock& sub = first.ExtensionBlocks[i + 1];
      return sub.ByteCount == 3 && sub.Bytes[0] == 1 && sub.Bytes[1] == 0 && sub.Bytes[2] == 0;
    }
  }
  return false;
}

std::vector<uint8_t> FramePixels(const GifFileType& gif, int frame) {
  const SavedImage& image = gif.SavedImages[frame];
  return {image.RasterBits, image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height};
}

// A block of the sheet, the top row first.
std::vector<uint8_t> SheetBlock(const TIxDIB& dib, int32_t x0, int32_t y0, int32_t w, int32_t h) {
  std::vector<uint8_t> pixels;
  for (int32_t y = y0; y < y0 + h; ++y)
    for (int32_t x = x0; x < x0 + w; ++x) pixels.push_back(static_cast<uint8_t>(dib.GetPixels(x, y)));
  return pixels;
}

// A palette unlike the grey ramp, so a file in the grey ramp cannot pass.
TColor Colour(int32_t i) {
  return RGB(static_cast<uint8_t>(i * 7 + 3), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 13));
}

struct AnimationExportTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = nullptr;
  void SetUp() override {
    TEditorSettings s;
    s.Toumei = 250;
    s.Maisuu = 4;
    e = &f.Start(s);
    std::array<TColor, 256> colors{};
    for (int32_t i = 0; i < 256; ++i) colors[static_cast<size_t>(i)] = Colour(i);
    e->ChangePalette(colors);
    // Every cell of the first four rows different; some transparent pixels.
    PaintSheet(*e, 0, 0, 256, 256, [](int32_t x, int32_t y) {
      return (x + y) % 9 == 0 ? 250 : (x / 32 * 31 + y / 32 * 67 + x % 32 + 2 * (y % 32)) % 250;
    });
    e->RefreshChrDib();
    e->Doc.Saved();
    f.Host.DialogAnswer = Gif();
  }
  std::string Gif() const { return f.Folder.File("walk.gif"); }
  void Export(uint8_t direction, bool transparent) {
    f.Host.AnimationAnswer = TAnimationChoice{direction, transparent};
    e->mGifExport.Click();
  }
  void ExpectPalette(const GifFileType& gif) const {
    ASSERT_NE(gif.SColorMap, nullptr);
    ASSERT_EQ(gif.SColorMap->ColorCount, 256);
    for (int32_t i = 0; i < 256; ++i) {
      const GifColorType c = gif.SColorMap->Colors[i];
      ASSERT_EQ(RGB(c.Red, c.Green, c.Blue), Colour(i)) << i;
    }
  }
  std::vector<int> Delays(GifFileType* gif) const {
    std::vector<int> delays;
    for (int i = 0; i < gif->ImageCount; ++i) {
      GraphicsControlBlock control{};
      EXPECT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
      delays.push_back(control.DelayTime);
    }
    return delays;
  }
};

TEST_F(AnimationExportTest, AWalkCycleIsTheRowOfCellsChosenWithThePalettesIndices) {
  e->WaitBar.SetPosition(40);  // 41 rounds of 2.5 ms: 102.5 ms, written as 103
  Export(1, false);
  ASSERT_EQ(f.Host.AnimationChoicesOffered.size(), 1u);
  EXPECT_EQ(f.Host.AnimationChoicesOffered[0].Direction, 0);
  EXPECT_FALSE(f.Host.AnimationChoicesOffered[0].Transparent);
  EXPECT_TRUE(f.Host.Messages.empty());
  auto gif = SlurpGif(Gif());
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->SWidth, 32);
  EXPECT_EQ(gif->SHeight, 32);
  ExpectPalette(*gif);
  EXPECT_TRUE(LoopsForever(*gif));
  ASSERT_EQ(gif->ImageCount, 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(FramePixels(*gif, i), SheetBlock(*e->Doc.AllDib, 32 * i, 32, 32, 32)) << i;
  // Frames end at 103, 206, 309 and 412 ms: 10, 21, 31 and 41 hundredths.
  EXPECT_EQ(Delays(gif.get()), (std::vector<int>{10, 11, 10, 10}));
  for (int i = 0; i < 4; ++i) {
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif.get(), i, &control);
    EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
  }
  EXPECT_EQ(e->Files.GifFileName, Gif());
  EXPECT_EQ(e->Views.MovDir, 1);  // the row chosen is offered next time
  EXPECT_FALSE(e->Doc.Modified());
}

TEST_F(AnimationExportTest, FramesAreComposedAndDoubledExactlyAsThePreviewShowsThem) {
  e->View.CellX = 32;
  e->View.CellY = 64;  // rows from 64: the bottom half's layer lies over the top half's
  e->RefreshChrDib();
  e->kasane.SetChecked(true);
  e->ViewLay.SetItemIndex(2);
  e->NiBai.SetChecked(true);
  e->StepBar.SetPosition(3);
  e->WaitBar.SetPosition(1);
  const std::vector<uint8_t> cellBefore = SheetBlock(e->Views.LayAllDib, 32, 64, 32, 32);
  Export(2, false);
  auto gif = SlurpGif(Gif());
  ASSERT_TRUE(gif);
  ASSERT_EQ(gif->ImageCount, 3);
  EXPECT_EQ(gif->SWidth, 64);
  EXPECT_EQ(SheetBlock(e->Views.LayAllDib, 32, 64, 32, 32), cellBefore);  // the cell's own composite is back
  for (int i = 0; i < 3; ++i) {
    // The preview's last frame of a cycle of i + 1 frames is frame i.
    e->Views.MovFrames = static_cast<uint8_t>(i + 1);
    e->Views.MovDir = 2;
    e->MovTimTimer(&e->MovTim);
    EXPECT_EQ(FramePixels(*gif, i), SheetBlock(*e->Views.MovDib, 0, 0, 64, 64)) << "frame " << i;
  }
  // And not simply the sheet: the layers made a difference.
  EXPECT_NE(FramePixels(*gif, 0)[0], static_cast<uint8_t>(e->Doc.AllDib->GetPixels(32, 64 + 2 * 32)));
}

TEST_F(AnimationExportTest, TheTickedTransparentColourIsTheFilesTransparentIndex) {
  Export(0, true);
  auto gif = SlurpGif(Gif());
  ASSERT_TRUE(gif);
  for (int i = 0; i < gif->ImageCount; ++i) {
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), i, &control), GIF_OK);
    EXPECT_EQ(control.TransparentColor, 250);
    EXPECT_EQ(control.DisposalMode, DISPOSE_BACKGROUND);
  }
  EXPECT_TRUE(e->Files.GifToumei);
  f.Host.AnimationAnswer.reset();
  e->mGifExport.Click();
  EXPECT_TRUE(f.Host.AnimationChoicesOffered.back().Transparent);  // the tick is remembered
}

TEST_F(AnimationExportTest, FrameTimesFollowThePreviewAndNeverGoUnder20Ms) {
  struct Case {
    int32_t wait;
    int hundredths;
  };
  // 1: 5 ms, written as 20; 6: 17.5 ms, as 20; 7: 20 ms; 100: 252.5 ms, as 253.
  f.Host.MessageAnswer = TModalResult::mrYes;  // each export replaces the last
  for (const Case c : {Case{1, 2}, Case{6, 2}, Case{7, 2}, Case{100, 25}}) {
    e->WaitBar.SetPosition(c.wait);
    e->StepBar.SetPosition(1);
    Export(0, false);
    auto gif = SlurpGif(Gif());
    ASSERT_TRUE(gif);
    EXPECT_EQ(Delays(gif.get()), std::vector<int>{c.hundredths}) << c.wait;
  }
  e->StepBar.SetPosition(2);
  e->WaitBar.SetPosition(100);
  Export(0, false);
  auto gif = SlurpGif(Gif());
  ASSERT_TRUE(gif);
  EXPECT_EQ(Delays(gif.get()), (std::vector<int>{25, 26}));  // ends at 253 and 506 ms
}

TEST_F(AnimationExportTest, ARowThatDoesNotFitIsRefusedBeforeAnyDialog) {
  // 4 frames from x 160 end at 288; rows from y 160 end at 288.
  for (const auto& [x, y] : {std::pair{160, 0}, std::pair{0, 160}}) {
    e->View.CellX = x;
    e->View.CellY = y;
    f.Host.Messages.clear();
    Export(0, false);
    ASSERT_EQ(f.Host.Messages.size(), 1u);  // the fixture checks it is listed
    EXPECT_NE(f.Host.Messages[0].find("シートに収まりません"), std::string::npos);
  }
  EXPECT_TRUE(f.Host.AnimationChoicesOffered.empty());
  EXPECT_FALSE(std::filesystem::exists(Gif()));
  // What fits the preview fits the export: 3 frames from x 160 end at 256.
  e->View.CellY = 0;
  e->StepBar.SetPosition(3);
  Export(0, false);
  EXPECT_TRUE(std::filesystem::exists(Gif()));
}

TEST_F(AnimationExportTest, CancellingOrDecliningToReplaceWritesNothing) {
  e->mGifExport.Click();  // the dialog cancelled
  EXPECT_FALSE(std::filesystem::exists(Gif()));
  EXPECT_EQ(e->Views.MovDir, 0);
  std::ofstream(Gif()) << "old";
  f.Host.MessageAnswer = TModalResult::mrNo;
  Export(3, false);
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{"同名のファイルが存在します、上書きしますか？"});
  EXPECT_EQ(FileHead(Gif(), 10), "old");
  f.Host.MessageAnswer = TModalResult::mrYes;
  Export(3, false);
  EXPECT_EQ(FileHead(Gif(), 6), "GIF89a");
}

TEST_F(AnimationExportTest, TheFrameSourceTakesCellsOfTheEditorsSizeOnly) {
  const TEditorFrameSource source(*e);
  EXPECT_EQ(source.AreaWidth(), 256);
  EXPECT_EQ(source.AreaHeight(), 256);
  EXPECT_EQ(source.ComposeFrame(TRect{32, 0, 64, 32}).Pixels, SheetBlock(*e->Doc.AllDib, 32, 0, 32, 32));
  EXPECT_THROW(source.ComposeFrame(TRect{0, 0, 16, 32}), EInvalidOperation);
}

// Python's imaging library reads the same frames, palette, delays and loop.
TEST_F(AnimationExportTest, PythonImagingReadsEveryFrameAsTheEditorComposedIt) {
  if (!HavePil()) GTEST_SKIP() << "no python3-pil";
  e->WaitBar.SetPosition(40);
  Export(1, true);
  const std::string out = ReadGifWithPil(Gif(), f.Folder.File("read.py"));
  std::vector<uint8_t> palette;
  for (int32_t i = 0; i < 256; ++i)
    palette.insert(palette.end(), {GetRValue(Colour(i)), GetGValue(Colour(i)), GetBValue(Colour(i))});
  std::string expected = "size 32 32 frames 4 loop 0\n";
  const std::array<int, 4> durations = {100, 110, 100, 100};
  for (int i = 0; i < 4; ++i) {
    expected +=
        "frame " + std::to_string(i) + " P " + std::to_string(durations[static_cast<size_t>(i)]) + " 250\n";
    expected +=
        "palette " + Hex(palette) + "\npixels " + Hex(SheetBlock(*e->Doc.AllDib, 32 * i, 32, 32, 32)) + "\n";
  }
  EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace pixkura::testing
