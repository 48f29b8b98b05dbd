#include <gtest/gtest.h>

#include <random>

#include "image/DIB256.h"
#include "tests/image/DIB256TestSupport.h"

namespace pixkura {
namespace {

using testing::Count;
using testing::Paint;
using testing::Picture;
using testing::Shape8;

// A source whose pixel (x, y) is 1 + x + 10 * y (distinct, never 0).
void Numbered(TIxDIB& dib, int32_t w, int32_t h) {
  Shape8(dib, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dib.SetPixels(x, y, 1 + x + 10 * y);
}

TEST(DIB256Copy, CopyBlockIsOneToOneAndClipped) {
  TIxDIB src, dst;
  Numbered(src, 4, 3);
  Shape8(dst, 5, 4);
  CopyBlock(1, 0, 2, 1, src, 3, 2, dst);
  EXPECT_EQ(dst.GetPixels(3, 2), 2);
  EXPECT_EQ(dst.GetPixels(4, 2), 3);
  EXPECT_EQ(dst.GetPixels(3, 3), 12);
  EXPECT_EQ(Count(dst, 0), 16);
  // Negative destination and a source reaching past its bitmap.
  TIxDIB clipped;
  Shape8(clipped, 3, 3);
  CopyBlock(0, 0, 9, 9, src, -1, -1, clipped);
  EXPECT_EQ(clipped.GetPixels(0, 0), 12);
  EXPECT_EQ(clipped.GetPixels(2, 1), 24);
  EXPECT_EQ(clipped.GetPixels(2, 2), 0);                                      // beyond the source: untouched
  CopyBlock(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, src, 0, 0, clipped);  // no wrap-around
  CopyBlock(0, 0, 3, 2, src, INT32_MAX, INT32_MAX, clipped);
}

TEST(DIB256Copy, CopyBlockWithinOneBitmapOverlaps) {
  TIxDIB dib;
  Shape8(dib, 6, 1);
  Paint(dib, "123456");
  CopyBlock(0, 0, 3, 0, dib, 2, 0, dib);
  EXPECT_EQ(Picture(dib), "121234");
  CopyBlock(2, 0, 5, 0, dib, 0, 0, dib);
  EXPECT_EQ(Picture(dib), "123434");
}

TEST(DIB256Copy, CopyBlockChangesBothAndKeepsSharersApart) {
  TIxDIB src, dst, srcSharer, dstSharer;
  Numbered(src, 4, 4);
  Shape8(dst, 4, 4);
  srcSharer.Assign(&src);
  dstSharer.Assign(&dst);
  int srcChanges = 0, dstChanges = 0;
  src.OnChange = [&](TGraphic&) { ++srcChanges; };
  dst.OnChange = [&](TGraphic&) { ++dstChanges; };
  CopyBlock(0, 0, 3, 3, src, 0, 0, dst);
  EXPECT_EQ(srcChanges, 1);
  EXPECT_EQ(dstChanges, 1);
  EXPECT_EQ(Count(dstSharer, 0), 16);  // the other sharer is untouched
  EXPECT_EQ(dst.GetPixels(3, 3), 34);
  EXPECT_NE(&src.InternalDIB(), &srcSharer.InternalDIB());  // the source went private too
}

TEST(DIB256Copy, MirrorCopyBlockPutsTheLeftEdgeRight) {
  TIxDIB src, dst;
  Numbered(src, 4, 2);
  Shape8(dst, 16, 2);
  MirrorCopyBlock(0, 0, 3, 1, src, 10, 0, dst);
  EXPECT_EQ(dst.GetPixels(13, 0), 1);  // column 0
  EXPECT_EQ(dst.GetPixels(10, 0), 4);  // column 3
  EXPECT_EQ(dst.GetPixels(11, 1), 13);
  // Right and bottom clipping: columns landing past the right edge are
  // dropped one by one, rows are limited as a whole.
  TIxDIB small;
  Shape8(small, 3, 1);
  MirrorCopyBlock(0, 0, 3, 1, src, 1, 0, small);
  EXPECT_EQ(Picture(small), ".43");  // columns 3 and 2 land at 1 and 2; 1 and 0 fall off
}

TEST(DIB256Copy, TransparentCopyBlockSkipsOneIndex) {
  TIxDIB src, dst;
  Shape8(src, 4, 2);
  Paint(src, "1.2.\n.33.");
  Shape8(dst, 5, 3, 9);
  TransparentCopyBlock(0, 0, 3, 1, src, 1, 1, dst, 0);
  EXPECT_EQ(Picture(dst), "99999\n91929\n99339");
  TransparentCopyBlock(0, 0, 3, 1, src, 3, 2, dst, 3);  // clipped right and bottom
  EXPECT_EQ(Picture(dst), "99999\n91929\n9931.");       // index 0 is not transparent this time
}

// The block copies defined pixel by pixel, every access checked: the model
// the scan-line versions must match wherever they draw, and they must draw
// nothing else, whatever the coordinates.
void ModelCopy(int32_t sx1, int32_t sy1, int32_t sx2, int32_t sy2, const TIxDIB& src, int32_t dx, int32_t dy,
               TIxDIB& dst, bool mirror, int transparent) {
  int64_t last = std::min<int64_t>(sy2, src.GetHeight() - 1);
  if (int64_t{dy} + (last - sy1) > dst.GetHeight() - 1) last = int64_t{dst.GetHeight()} - 1 - dy + sy1;
  for (int64_t sy = sy1; sy <= last; ++sy) {
    const int64_t ty = dy + (sy - sy1);
    if (sy < 0 || ty < 0) continue;
    for (int64_t sx = std::max<int64_t>(sx1, -1); sx <= std::min<int64_t>(sx2, src.GetWidth()); ++sx) {
      const int64_t tx = mirror ? int64_t{dx} + (sx2 - sx) : int64_t{dx} + (sx - sx1);
      if (sx < 0 || sx >= src.GetWidth() || tx < 0 || tx >= dst.GetWidth()) continue;
      const int v = src.GetPixels(static_cast<int>(sx), static_cast<int>(sy));
      if (v != transparent) dst.SetPixels(static_cast<int>(tx), static_cast<int>(ty), v);
    }
  }
}

TEST(DIB256Copy, ScanLineCopiesMatchTheModelForAnyCoordinates) {
  std::mt19937 rng(7);
  const auto coord = [&]() -> int32_t {
    switch (rng() % 6) {
      case 0:
        return INT32_MIN + static_cast<int32_t>(rng() % 4);
      case 1:
        return INT32_MAX - static_cast<int32_t>(rng() % 4);
      default:
        return static_cast<int32_t>(rng() % 30) - 10;
    }
  };
  TIxDIB src;
  Numbered(src, 9, 7);
  for (int round = 0; round < 3000; ++round) {
    const int32_t sx1 = coord(), sy1 = coord(), sx2 = coord(), sy2 = coord(), dx = coord(), dy = coord();
    // Extreme corners would make the model walk billions of rows: keep the
    // model to spans it can walk, the primitives get every case.
    const bool walkable = int64_t{sy2} - sy1 < 100 && int64_t{sx2} - sx1 < 100;
    for (const bool mirror : {false, true}) {
      TIxDIB got, want;
      Shape8(got, 6, 5, 200);
      Shape8(want, 6, 5, 200);
      if (mirror)
        MirrorCopyBlock(sx1, sy1, sx2, sy2, src, dx, dy, got);
      else
        TransparentCopyBlock(sx1, sy1, sx2, sy2, src, dx, dy, got, 5);
      if (!walkable) continue;
      ModelCopy(sx1, sy1, sx2, sy2, src, dx, dy, want, mirror, mirror ? -1 : 5);
      ASSERT_EQ(Picture(got), Picture(want)) << (mirror ? "mirror " : "transparent ") << sx1 << "," << sy1
                                             << "-" << sx2 << "," << sy2 << " to " << dx << "," << dy;
    }
  }
}

TEST(DIB256Copy, StretchCopyEnlargesAsBlocks) {
  TIxDIB src, dst;
  Numbered(src, 4, 4);
  Shape8(dst, 8, 6);
  StretchCopy(1, 1, 3, 3, src, 0, 0, 8, 6, dst);  // x4 across, x3 down
  EXPECT_EQ(Picture(dst),
            "ccccdddd\n"
            "ccccdddd\n"
            "ccccdddd\n"
            "mmmmnnnn\n"
            "mmmmnnnn\n"
            "mmmmnnnn");
}

TEST(DIB256Copy, StretchCopyMirrorsANegativeWidth) {
  TIxDIB src, dst;
  Numbered(src, 6, 2);
  Shape8(dst, 4, 2);
  // Columns 1..4 mirrored: the source rectangle runs from 4 left to 0.
  StretchCopy(4, 0, 0, 2, src, 0, 0, 4, 2, dst);
  EXPECT_EQ(Picture(dst), "5432\nfedc");
  // Doubled and mirrored, as the doubled mirrored view draws a cell.
  TIxDIB twice;
  Shape8(twice, 4, 2);
  StretchCopy(2, 0, 0, 1, src, 0, 0, 4, 2, twice);
  EXPECT_EQ(Picture(twice), "3322\n3322");
  // A negative height mirrors the rows.
  TIxDIB flipped;
  Shape8(flipped, 2, 2);
  StretchCopy(0, 1, 2, -1, src, 0, 0, 2, 2, flipped);
  EXPECT_EQ(Picture(flipped), "bc\n12");
}

TEST(DIB256Copy, StretchCopyShrinksAndClips) {
  TIxDIB src, dst;
  Numbered(src, 8, 1);
  Shape8(dst, 4, 1);
  StretchCopy(0, 0, 8, 1, src, 0, 0, 4, 1, dst);  // centre sampling: columns 1, 3, 5, 7
  EXPECT_EQ(Picture(dst), "2468");
  TIxDIB clipped;
  Shape8(clipped, 4, 2);
  // x2 across from -2: destination 0 and 1 read column 7; column 8 and on lie
  // past the source's right edge, so the rest stays untouched.
  StretchCopy(6, 0, 10, 1, src, -2, 0, 6, 2, clipped);
  EXPECT_EQ(Picture(clipped), "88..\n88..");
  StretchCopy(0, 0, 1, 1, src, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, clipped);
  EXPECT_EQ(Count(clipped, 1), 8);                    // one source pixel over everything
  StretchCopy(1, 0, 1, 1, src, 0, 0, 4, 2, clipped);  // empty source: nothing
  EXPECT_EQ(Count(clipped, 1), 8);
}

TEST(DIB256Copy, StretchCopyWithinOneBitmap) {
  TIxDIB dib;
  Shape8(dib, 4, 4);
  Paint(dib, "12..\n34..\n....\n....");
  StretchCopy(0, 0, 2, 2, dib, 0, 0, 4, 4, dib);  // reads the pixels as they were
  EXPECT_EQ(Picture(dib), "1122\n1122\n3344\n3344");
}

}  // namespace
}  // namespace pixkura
