// pixkura-convert --animate: a row of cells of a picture as an animated GIF,
// read back by giflib.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formats/AnimatedGif.h"
#include "tests/support/GifReadBack.h"
#include "tests/tools/ConvertTestSupport.h"

namespace pixkura {
namespace {

using testing::Convert;
using testing::Fixture;
using testing::RunExecutable;
using testing::TRun;

using testing::SlurpGif;
using testing::TGif;

std::vector<uint8_t> FramePixels(const GifFileType& gif, int frame) {
  const SavedImage& image = gif.SavedImages[frame];
  return {image.RasterBits, image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height};
}

int DelayOf(GifFileType& gif, int frame) {
  GraphicsControlBlock control{};
  DGifSavedExtensionToGCB(&gif, frame, &control);
  return control.DelayTime;
}

int TransparentOf(GifFileType& gif, int frame) {
  GraphicsControlBlock control{};
  DGifSavedExtensionToGCB(&gif, frame, &control);
  return control.TransparentColor;
}

class ConvertAnimate : public testing::ConvertFolder {
 protected:
  // A 64 x 40 8-bit sheet whose pixel (x, y) holds (3x + 5y) mod 256 over a
  // palette of 256 distinct colours.
  void SetUp() override {
    ConvertFolder::SetUp();
    sheet_.SetWidth(64);
    sheet_.SetHeight(40);
    sheet_.SetBitCount(8);
    sheet_.SetPaletteSize(256);
    for (int32_t i = 0; i < 256; ++i) sheet_.SetColors(i, RGB(uint8_t(i), uint8_t(255 - i), uint8_t(i * 5)));
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 64; ++x) sheet_.SetPixels(x, y, (3 * x + 5 * y) % 256);
    sheet_.SaveToFile(Path("sheet.bmp"));
  }
  std::vector<uint8_t> Cell(int32_t left, int32_t top, int32_t w, int32_t h) const {
    std::vector<uint8_t> pixels;
    for (int32_t y = top; y < top + h; ++y)
      for (int32_t x = left; x < left + w; ++x)
        pixels.push_back(static_cast<uint8_t>(sheet_.GetPixels(x, y)));
    return pixels;
  }
  void ExpectSheetPalette(const GifFileType& gif) const {
    ASSERT_EQ(gif.SColorMap->ColorCount, 256);
    for (int i = 0; i < 256; ++i) {
      const GifColorType c = gif.SColorMap->Colors[i];
      ASSERT_EQ(RGB(c.Red, c.Green, c.Blue), sheet_.GetColors(i)) << i;
    }
  }
  TIxDIB sheet_;
};

TEST(ConvertAnimateArguments, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--animate", "16x16", "in.bmp"},
           {"--animate", "16x16", "in.bmp", "out.png"},
           {"--animate"},
           {"--animate", "0x16", "in.bmp", "out.gif"},
           {"--animate", "16x", "in.bmp", "out.gif"},
           {"--animate", "16x16+4", "in.bmp", "out.gif"},
           {"--animate", "16x16+-4+0", "in.bmp", "out.gif"},
           {"--animate", "16x16+4+4x", "in.bmp", "out.gif"},
           {"--animate", "99999999999x16", "in.bmp", "out.gif"},
           {"--animate", "16x16", "--frames", "0", "in.bmp", "out.gif"},
           {"--animate", "16x16", "--delay", "19", "in.bmp", "out.gif"},
           {"--animate", "16x16", "--delay", "655351", "in.bmp", "out.gif"},
           {"--animate", "16x16", "--delay=fast", "in.bmp", "out.gif"},
           {"--animate", "16x16", "--transparent", "256", "in.bmp", "out.gif"},
           {"--animate", "16x16", "--depth", "8", "in.bmp", "out.gif"},
           {"--frames", "2", "in.bmp", "out.bmp"},
           {"--delay", "100", "in.bmp", "out.bmp"}}) {
    const TRun r = Convert(args);
    EXPECT_EQ(r.Status, 2) << args[1] << " " << r.Err;
    EXPECT_NE(r.Err.find(kConvertUsage), std::string::npos) << r.Err;
  }
  std::string error;
  const auto o = ParseConvertArguments(
      {"--frames=3", "--animate=8x4+2+6", "--delay", "250", "--transparent=0", "in.bmp", "o.GIF"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->Mode, TConvertMode::cmAnimate);
  EXPECT_EQ(o->Animate.Row.CellWidth, 8);
  EXPECT_EQ(o->Animate.Row.CellHeight, 4);
  EXPECT_EQ(o->Animate.Row.X, 2);
  EXPECT_EQ(o->Animate.Row.Y, 6);
  EXPECT_EQ(o->Animate.Row.Frames, 3);
  EXPECT_EQ(o->Animate.DelayMs, 250);
  EXPECT_EQ(o->Animate.Transparent, uint8_t{0});
  const auto defaults = ParseConvertArguments({"--animate", "8x4", "in.bmp", "o.gif"}, error);
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->Animate.Row.X, 0);
  EXPECT_EQ(defaults->Animate.Row.Frames, 0);
  EXPECT_EQ(defaults->Animate.DelayMs, 100);
  EXPECT_EQ(defaults->Animate.Transparent, std::nullopt);
}

TEST_F(ConvertAnimate, AsManyCellsAsFitEachShownTheDefault100ms) {
  const TRun r = Convert({"--animate", "16x16+0+16", Path("sheet.bmp"), Path("walk.gif")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  TGif gif = SlurpGif(Path("walk.gif"));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->SWidth, 16);
  EXPECT_EQ(gif->SHeight, 16);
  ExpectSheetPalette(*gif);
  ASSERT_EQ(gif->ImageCount, 4);
  for (int f = 0; f < 4; ++f) {
    EXPECT_EQ(FramePixels(*gif, f), Cell(16 * f, 16, 16, 16)) << "frame " << f;
    EXPECT_EQ(DelayOf(*gif, f), 10);
    EXPECT_EQ(TransparentOf(*gif, f), NO_TRANSPARENT_COLOR);
  }
}

TEST_F(ConvertAnimate, FramesDelayAndTransparentIndex) {
  const TRun r = Convert({"--animate", "10x8+5+3", "--frames", "3", "--delay", "125", "--transparent", "17",
                          Path("sheet.bmp"), Path("walk.gif")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  TGif gif = SlurpGif(Path("walk.gif"));
  ASSERT_TRUE(gif);
  ASSERT_EQ(gif->ImageCount, 3);
  const int delays[] = {13, 12, 13};  // 125, 250, 375 ms rounded at each end
  for (int f = 0; f < 3; ++f) {
    EXPECT_EQ(FramePixels(*gif, f), Cell(5 + 10 * f, 3, 10, 8)) << "frame " << f;
    EXPECT_EQ(DelayOf(*gif, f), delays[f]);
    EXPECT_EQ(TransparentOf(*gif, f), 17);
  }
}

// pal8_clr40.bmp, 7 x 5 of 40 colours: three 2-pixel cells from x = 1 end
// exactly at its right edge; 39 is the last index the transparent entry may name.
TEST_F(ConvertAnimate, BoundsOfTheRowAndOfTheTransparentIndex) {
  const auto run = [&](const char* index, const char* out) {
    return Convert({"--animate", "2x2+1+1", "--frames", "3", "--transparent", index, Fixture("pal8_clr40.bmp"),
                    Path(out)});
  };
  ASSERT_EQ(run("39", "ok.gif").Status, 0);
  EXPECT_EQ(TransparentOf(*SlurpGif(Path("ok.gif")), 2), 39);
  EXPECT_EQ(run("40", "bad.gif").Err,
            "pixkura-convert: transparent index 40 is past the picture's colour table of 40 entries (0 to 39)\n");
  EXPECT_FALSE(std::filesystem::exists(Path("bad.gif")));
}

TEST_F(ConvertAnimate, ATrueColourPictureIsReducedAsTheEditorOpensIt) {
  const TRun r = Convert({"--animate", "7x5", Fixture("rgb24.bmp"), Path("one.gif")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  TIxDIB reduced;
  reduced.LoadFromFile(Fixture("rgb24.bmp"));
  reduced.SetPixelFormat(ixPf8Bit);
  TGif gif = SlurpGif(Path("one.gif"));
  ASSERT_TRUE(gif);
  ASSERT_EQ(gif->ImageCount, 1);
  const std::vector<uint8_t> pixels = FramePixels(*gif, 0);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x) {
      const GifColorType c = gif->SColorMap->Colors[pixels[size_t(7 * y + x)]];
      EXPECT_EQ(RGB(c.Red, c.Green, c.Blue), reduced.GetColors(reduced.GetPixels(x, y))) << x << "," << y;
    }
}

TEST_F(ConvertAnimate, GeometryOutsideThePictureGivesStatus1AndNoOutput) {
  struct TBad {
    std::vector<std::string> options;
    std::string message;
  };
  const std::vector<TBad> cases = {
      {{"--animate", "16x16+0+32"}, "(0, 32) からの 16 x 16 のコマが画像 (64 x 40) に収まりません"},
      {{"--animate", "65x8"}, "(0, 0) からの 65 x 8 のコマが画像 (64 x 40) に収まりません"},
      {{"--animate", "16x16+8+0", "--frames", "4"},
       "4 コマ分の右端 72 が画像の幅 64 を超えています (収まるのは 3 コマ)"},
  };
  for (const TBad& c : cases) {
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {Path("sheet.bmp"), Path("bad.gif")});
    const TRun r = Convert(args);
    EXPECT_EQ(r.Status, 1) << c.message;
    EXPECT_EQ(r.Err, "pixkura-convert: " + c.message + "\n");
    EXPECT_FALSE(std::filesystem::exists(Path("bad.gif")));
  }
  Write("text.bmp", "not a picture");
  const TRun r = Convert({"--animate", "8x8", Path("text.bmp"), Path("bad.gif")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_FALSE(std::filesystem::exists(Path("bad.gif")));
}

TEST_F(ConvertAnimate, TheExecutable) {
  auto [status, out] = RunExecutable({"--animate", "32x20+0+20", Path("sheet.bmp"), Path("walk.gif")});
  EXPECT_EQ(status, 0) << out;
  TGif gif = SlurpGif(Path("walk.gif"));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->ImageCount, 2);
  std::tie(status, out) = RunExecutable({"--animate", "32x20+0+21", Path("sheet.bmp"), Path("no.gif")});
  EXPECT_EQ(status, 1) << out;
  EXPECT_FALSE(std::filesystem::exists(Path("no.gif")));
  std::tie(status, out) = RunExecutable({"--animate", "32", Path("sheet.bmp"), Path("no.gif")});
  EXPECT_EQ(status, 2) << out;
}

}  // namespace
}  // namespace pixkura
