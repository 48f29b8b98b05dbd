// Animated GIF files: read back by giflib and by Python's imaging library
// frame by frame, the palette, the indices, the delays, the loop and the
// transparent entry must be exactly what was written.
#include "formats/AnimatedGif.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "formats/GifDelays.h"
#include "tests/support/GifReadBack.h"

namespace pixkura {
namespace {

using testing::HavePil;
using testing::Hex;
using testing::ReadGifWithPil;
using testing::SlurpGif;

TEST(GifDelays, EachFrameEndsAtItsExactEndRoundedSoErrorsNeverAddUp) {
  EXPECT_EQ(GifDelaysOf({100, 100}), (std::vector<uint16_t>{10, 10}));
  EXPECT_EQ(GifDelaysOf({25, 25, 25}), (std::vector<uint16_t>{3, 2, 3}));
  EXPECT_EQ(GifDelaysOf({20, 655350}), (std::vector<uint16_t>{2, 65535}));
  EXPECT_EQ(GifDelaysOf({}), std::vector<uint16_t>{});
  std::mt19937 random(1);
  std::vector<int32_t> ms(500);
  for (int32_t& d : ms) d = static_cast<int32_t>(20 + random() % 300);
  const std::vector<uint16_t> cs = GifDelaysOf(ms);
  int64_t exact = 0, stored = 0;
  for (size_t i = 0; i < ms.size(); ++i) {
    exact += ms[i];
    stored += cs[i];
    ASSERT_GE(cs[i], 2);
    ASSERT_LE(std::abs(stored * 10 - exact), 5) << "frame " << i;  // never more than half a hundredth off
  }
  EXPECT_THROW(GifDelaysOf({100, 19}), ERangeError);
  EXPECT_THROW(GifDelaysOf({655351}), ERangeError);
  EXPECT_THROW(GifDelaysOf({0}), ERangeError);
}

// A 5 x 3 animation of four frames over a 256-colour palette; frames 1 and 2
// are identical, and every entry of the table is used somewhere.
TGifAnimation WalkCycle(std::optional<uint8_t> transparent) {
  std::vector<TColor> palette(256);
  for (size_t i = 0; i < palette.size(); ++i)
    palette[i] = RGB(uint8_t(i * 37 + 11), uint8_t(255 - i), uint8_t(i * 11 + 3));
  TGifAnimation a{5, 3, TPaletteColors(palette), transparent, {}};
  const std::array<int32_t, 4> delays = {100, 25, 25, 1000};
  for (int f = 0; f < 4; ++f) {
    std::vector<uint8_t> pixels(15);
    for (int i = 0; i < 15; ++i) pixels[i] = static_cast<uint8_t>((f == 2 ? 1 : f) * 64 + i * 4 + (i % 4));
    a.Frames.push_back({pixels, delays[f]});
  }
  a.Frames[3].Pixels[7] = 255;
  if (transparent) a.Frames[0].Pixels[0] = *transparent, a.Frames[3].Pixels[14] = *transparent;
  return a;
}

class AnimatedGifFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-gif-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // What giflib reads back, checked against what was written.
  void ExpectReadBack(const std::string& file, const TGifAnimation& a, const std::vector<int>& delays,
                      int disposal) {
    auto gif = SlurpGif(file);
    ASSERT_TRUE(gif);
    std::ifstream in(file, std::ios::binary);
    std::string signature(6, '\0');
    in.read(signature.data(), 6);
    EXPECT_EQ(signature, "GIF89a");  // extensions need the 89a version
    EXPECT_EQ(gif->SWidth, a.Width);
    EXPECT_EQ(gif->SHeight, a.Height);
    ASSERT_NE(gif->SColorMap, nullptr);
    ASSERT_GE(gif->SColorMap->ColorCount, static_cast<int>(a.Palette.Count()));
    for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
      const GifColorType c = gif->SColorMap->Colors[i];
      const TColor expected = i < static_cast<int>(a.Palette.Count()) ? a.Palette[static_cast<size_t>(i)] : 0;
      ASSERT_EQ(RGB(c.Red, c.Green, c.Blue), expected) << "entry " << i;
    }
    ASSERT_EQ(gif->ImageCount, static_cast<int>(a.Frames.size()));
    // Loop forever: NETSCAPE2.0, sub-block 1, count 0, before the first frame.
    const SavedImage& first = gif->SavedImages[0];
    bool loops = false;
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
      const ExtensionBlock& b = first.ExtensionBlocks[i];
      if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
          std::string(reinterpret_cast<const char*>(b.Bytes), 11) == "NETSCAPE2.0") {
        const ExtensionBlock& sub = first.ExtensionBlocks[i + 1];
        loops = sub.ByteCount == 3 && sub.Bytes[0] == 1 && sub.Bytes[1] == 0 && sub.Bytes[2] == 0;
      }
    }
    EXPECT_TRUE(loops);
    for (int f = 0; f < gif->ImageCount; ++f) {
      SCOPED_TRACE("frame " + std::to_string(f));
      const SavedImage& image = gif->SavedImages[f];
      EXPECT_EQ(image.ImageDesc.Left, 0);
      EXPECT_EQ(image.ImageDesc.Top, 0);
      EXPECT_EQ(image.ImageDesc.Width, a.Width);
      EXPECT_EQ(image.ImageDesc.Height, a.Height);
      EXPECT_EQ(image.ImageDesc.ColorMap, nullptr);
      const std::vector<uint8_t> pixels(image.RasterBits, image.RasterBits + a.Width * a.Height);
      EXPECT_EQ(pixels, a.Frames[static_cast<size_t>(f)].Pixels);
      GraphicsControlBlock control{};
      ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), f, &control), GIF_OK);
      EXPECT_EQ(control.DelayTime, delays[static_cast<size_t>(f)]);
      EXPECT_EQ(control.TransparentColor, a.TransparentIndex ? *a.TransparentIndex : NO_TRANSPARENT_COLOR);
      EXPECT_EQ(control.DisposalMode, disposal);
    }
  }

  std::filesystem::path dir_;
};

TEST_F(AnimatedGifFile, GiflibReadsBackPaletteIndicesDelaysAndLoop) {
  const TGifAnimation a = WalkCycle(std::nullopt);
  WriteAnimatedGif(Path("walk.gif"), a);
  ExpectReadBack(Path("walk.gif"), a, {10, 3, 2, 100}, DISPOSE_DO_NOT);
}

TEST_F(AnimatedGifFile, TransparentFramesAreDisposedBeforeTheNext) {
  const TGifAnimation a = WalkCycle(uint8_t{200});
  WriteAnimatedGif(Path("walk.gif"), a);
  ExpectReadBack(Path("walk.gif"), a, {10, 3, 2, 100}, DISPOSE_BACKGROUND);
  auto gif = SlurpGif(Path("walk.gif"));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->SBackGroundColor, 200);
}

TEST_F(AnimatedGifFile, ShortPalettesArePaddedToAPowerOfTwo) {
  TGifAnimation a{2, 2, TPaletteColors({RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)}), std::nullopt, {}};
  a.Frames.push_back({{0, 1, 2, 3}, 50});
  WriteAnimatedGif(Path("small.gif"), a);
  auto gif = SlurpGif(Path("small.gif"));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->SColorMap->ColorCount, 4);
  ExpectReadBack(Path("small.gif"), a, {5}, DISPOSE_DO_NOT);
  a.Frames[0].Pixels[3] = 4;  // past the padded table
  EXPECT_THROW(EncodeAnimatedGif(a), EInvalidOperation);
}

TEST_F(AnimatedGifFile, MalformedAnimationsAreRefusedAndNothingIsWritten) {
  const TGifAnimation good = WalkCycle(std::nullopt);
  TGifAnimation a = good;
  a.Frames.clear();
  EXPECT_THROW(WriteAnimatedGif(Path("x.gif"), a), EInvalidOperation);
  a = good;
  a.Frames[1].Pixels.pop_back();
  EXPECT_THROW(WriteAnimatedGif(Path("x.gif"), a), EInvalidOperation);
  a = good;
  a.Width = 0;
  EXPECT_THROW(WriteAnimatedGif(Path("x.gif"), a), EInvalidOperation);
  a = good;
  a.Palette = TPaletteColors();
  EXPECT_THROW(WriteAnimatedGif(Path("x.gif"), a), EInvalidOperation);
  a = good;
  a.Frames[2].DelayMs = 10;
  EXPECT_THROW(WriteAnimatedGif(Path("x.gif"), a), ERangeError);
  EXPECT_FALSE(std::filesystem::exists(Path("x.gif")));
}

TEST_F(AnimatedGifFile, AFailedWriteLeavesTheOldFile) {
  WriteAnimatedGif(Path("keep.gif"), WalkCycle(std::nullopt));
  const auto before = std::filesystem::file_size(Path("keep.gif"));
  ::chmod(dir_.c_str(), 0500);
  if (::access(dir_.c_str(), W_OK) != 0)  // not when running as root
    EXPECT_THROW(WriteAnimatedGif(Path("keep.gif"), WalkCycle(uint8_t{1})), EStreamError);
  ::chmod(dir_.c_str(), 0700);
  EXPECT_EQ(std::filesystem::file_size(Path("keep.gif")), before);
  EXPECT_THROW(WriteAnimatedGif(Path("none/walk.gif"), WalkCycle(std::nullopt)), EFCreateError);
}

TEST_F(AnimatedGifFile, FramesOfOneSizeMakeAnAnimation) {
  std::vector<TFramePixels> frames = {{2, 1, {1, 2}}, {2, 1, {3, 4}}};
  const TGifAnimation a = AnimationOfFrames(frames, TPaletteColors({0, 1, 2, 3, 4}), 40, uint8_t{3});
  EXPECT_EQ(a.Width, 2);
  EXPECT_EQ(a.Height, 1);
  ASSERT_EQ(a.Frames.size(), 2u);
  EXPECT_EQ(a.Frames[1].Pixels, (std::vector<uint8_t>{3, 4}));
  EXPECT_EQ(a.Frames[1].DelayMs, 40);
  EXPECT_EQ(a.TransparentIndex, uint8_t{3});
  frames.push_back({1, 2, {0, 0}});
  EXPECT_THROW(AnimationOfFrames(frames, TPaletteColors({0}), 40, std::nullopt), EInvalidOperation);
  EXPECT_THROW(AnimationOfFrames({}, TPaletteColors({0}), 40, std::nullopt), EInvalidOperation);
}

TEST_F(AnimatedGifFile, PythonImagingReadsEveryFrameAsWritten) {
  if (!HavePil()) GTEST_SKIP() << "no python3-pil";
  for (const std::optional<uint8_t> transparent : {std::optional<uint8_t>(), std::optional<uint8_t>(200)}) {
    SCOPED_TRACE(transparent ? "transparent" : "opaque");
    const TGifAnimation a = WalkCycle(transparent);
    WriteAnimatedGif(Path("walk.gif"), a);
    std::vector<uint8_t> palette;
    for (TColor c : a.Palette.Colors())
      palette.insert(palette.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    std::string expected = "size 5 3 frames 4 loop 0\n";
    const std::array<int, 4> durations = {100, 30, 20, 1000};
    for (size_t f = 0; f < a.Frames.size(); ++f) {
      expected += "frame " + std::to_string(f) + " P " + std::to_string(durations[f]) + " " +
                  (transparent ? std::to_string(*transparent) : "None") + "\n";
      expected += "palette " + Hex(palette) + "\npixels " + Hex(a.Frames[f].Pixels) + "\n";
    }
    EXPECT_EQ(ReadGifWithPil(Path("walk.gif"), Path("read.py")), expected);
  }
}

}  // namespace
}  // namespace pixkura
