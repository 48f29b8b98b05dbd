// Cutting a row of frames out of a picture, with the plain source and with
// a source of the caller's own.
#include "formats/AnimationFrames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exception.h"

namespace pixkura {
namespace {

// A 10 x 4 picture whose pixel (x, y) holds 16y + x.
void MakeNumbered(TIxDIB& dib) {
  dib.SetWidth(10);
  dib.SetHeight(4);
  dib.SetBitCount(8);
  dib.SetPaletteSize(256);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 10; ++x) dib.SetPixels(x, y, 16 * y + x);
}

std::vector<uint8_t> CellOf(int32_t left, int32_t top, int32_t w, int32_t h) {
  std::vector<uint8_t> pixels;
  for (int32_t y = top; y < top + h; ++y)
    for (int32_t x = left; x < left + w; ++x) pixels.push_back(static_cast<uint8_t>(16 * y + x));
  return pixels;
}

std::string FaultOf(const TFrameSource& source, const TFrameRow& row) {
  try {
    return std::to_string(ExtractFrameRow(source, row).size()) + " frames";
  } catch (const ERangeError& e) {
    return e.what();
  }
}

TEST(AnimationFrames, AsManyCellsAsFitOrAsManyAsAskedFor) {
  TIxDIB dib;
  MakeNumbered(dib);
  const TPictureFrameSource source(dib);
  std::vector<TFramePixels> frames = ExtractFrameRow(source, {3, 2, 1, 1, 0});
  ASSERT_EQ(frames.size(), 3u);  // x 1-3, 4-6, 7-9
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].Width, 3);
    EXPECT_EQ(frames[i].Height, 2);
    EXPECT_EQ(frames[i].Pixels, CellOf(1 + 3 * static_cast<int32_t>(i), 1, 3, 2)) << "frame " << i;
  }
  EXPECT_EQ(ExtractFrameRow(source, {3, 2, 1, 1, 2}).size(), 2u);
  EXPECT_EQ(ExtractFrameRow(source, {3, 2, 1, 1, 3}).size(), 3u);  // ends exactly at the right edge
  EXPECT_EQ(ExtractFrameRow(source, {10, 4, 0, 0, 0})[0].Pixels, CellOf(0, 0, 10, 4));
  EXPECT_EQ(FramesThatFit(source, {3, 2, 1, 1, 0}), 3);
  EXPECT_EQ(FramesThatFit(source, {3, 2, 10, 0, 0}), 0);
  EXPECT_EQ(FramesThatFit(source, {0, 2, 0, 0, 0}), 0);
}

TEST(AnimationFrames, GeometryThatDoesNotFitSaysWhy) {
  TIxDIB dib;
  MakeNumbered(dib);
  const TPictureFrameSource source(dib);
  EXPECT_EQ(FaultOf(source, {3, 2, 1, 1, 4}),
            "4 コマ分の右端 13 が画像の幅 10 を超えています (収まるのは 3 コマ)");
  EXPECT_EQ(FaultOf(source, {3, 2, 0, 3, 0}), "(0, 3) からの 3 x 2 のコマが画像 (10 x 4) に収まりません");
  EXPECT_EQ(FaultOf(source, {11, 1, 0, 0, 0}), "(0, 0) からの 11 x 1 のコマが画像 (10 x 4) に収まりません");
  EXPECT_EQ(FaultOf(source, {3, 2, -1, 0, 0}), "(-1, 0) からの 3 x 2 のコマが画像 (10 x 4) に収まりません");
  EXPECT_EQ(FaultOf(source, {0, 2, 0, 0, 0}), "コマの大きさ 0 x 2 が正しくありません");
  EXPECT_EQ(FaultOf(source, {2, 2, 0, 0, -1}), "コマ数 -1 が正しくありません");
  // Sums that would overflow 32 bits.
  EXPECT_EQ(FaultOf(source, {2147483647, 1, 5, 0, 0}),
            "(5, 0) からの 2147483647 x 1 のコマが画像 (10 x 4) に収まりません");
  EXPECT_EQ(FaultOf(source, {2, 1, 0, 0, 2147483647}),
            "2147483647 コマ分の右端 4294967294 が画像の幅 10 を超えています (収まるのは 5 コマ)");
  EXPECT_THROW(source.ComposeFrame(TRect{8, 0, 11, 1}), ERangeError);
}

TEST(AnimationFrames, ThePlainSourceTakesOnlyUncompressed8BitPictures) {
  TIxDIB dib;
  dib.SetWidth(4);
  dib.SetHeight(4);
  dib.SetBitCount(24);
  EXPECT_THROW(TPictureFrameSource{dib}, EInvalidOperation);
  dib.SetBitCount(4);
  EXPECT_THROW(TPictureFrameSource{dib}, EInvalidOperation);
}

// A source of the caller's own: the editor's composes layers and doubles.
class TDoublingSource : public TFrameSource {
 public:
  int32_t AreaWidth() const override { return 256; }
  int32_t AreaHeight() const override { return 256; }
  TFramePixels ComposeFrame(const TRect& cell) const override {
    cells.push_back(cell);
    return {2 * cell.Width(), 2 * cell.Height(),
            std::vector<uint8_t>(size_t(4 * cell.Width() * cell.Height()), uint8_t(cell.Left))};
  }
  mutable std::vector<TRect> cells;
};

TEST(AnimationFrames, ThePluggedSourceComposesEveryCellOfTheRow) {
  TDoublingSource source;
  const std::vector<TFramePixels> frames = ExtractFrameRow(source, {32, 32, 64, 96, 0});
  ASSERT_EQ(frames.size(), 6u);
  ASSERT_EQ(source.cells.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    const int32_t left = 64 + 32 * static_cast<int32_t>(i);
    EXPECT_EQ(source.cells[i], (TRect{left, 96, left + 32, 128}));
    EXPECT_EQ(frames[i].Width, 64);
    EXPECT_EQ(frames[i].Pixels.front(), static_cast<uint8_t>(left));
  }
}

}  // namespace
}  // namespace pixkura
