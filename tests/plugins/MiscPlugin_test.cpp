// pixkura-misc.spi: BMPs the built-in reader refuses (extended headers),
// TGA and binary PNM.
#include "tests/plugins/support/PluginContract.h"
#include "tests/plugins/support/SpiModule.h"

namespace pixkura::test {
namespace {

constexpr const char* kSpi = "pixkura-misc.spi";

INSTANTIATE_TEST_SUITE_P(Misc, PluginContract,
                         testing::Values(TPluginCase{kSpi, "*.dib;*.bmp",
                                                     "Windows Bitmap (extended headers)"}));

INSTANTIATE_TEST_SUITE_P(
    Misc, PluginFixture,
    testing::Values(TFixtureCase{kSpi, "bmp_v4_idx8.bmp"}, TFixtureCase{kSpi, "bmp_v5_idx4.bmp"},
                    TFixtureCase{kSpi, "bmp_v5_rle8.bmp"}, TFixtureCase{kSpi, "bmp_v4_rle4.bmp"},
                    TFixtureCase{kSpi, "bmp_v4_565.bmp"}, TFixtureCase{kSpi, "bmp_v3_565.bmp"},
                    TFixtureCase{kSpi, "bmp_v5_rgb24.bmp"}, TFixtureCase{kSpi, "bmp_v5_argb32.bmp"},
                    TFixtureCase{kSpi, "tga_rgb.tga"}, TFixtureCase{kSpi, "tga_rle.tga"},
                    TFixtureCase{kSpi, "tga_idx8.tga"}, TFixtureCase{kSpi, "pnm_rgb.ppm"},
                    TFixtureCase{kSpi, "pnm_grey.pgm"}, TFixtureCase{kSpi, "pnm_max15.pgm"},
                    TFixtureCase{kSpi, "pnm_max1000.ppm"}, TFixtureCase{kSpi, "pnm_grey16.pgm", 1}),
    FixtureCaseName);

TEST(MiscPlugin, ListsEveryFormatItReads) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  EXPECT_EQ(spi.Info(4), "*.tga");
  EXPECT_EQ(spi.Info(5), "Truevision TGA");
  EXPECT_EQ(spi.Info(6), "*.pnm;*.pgm;*.ppm");
  EXPECT_EQ(spi.Info(7), "Portable anymap");
}

// A valid 4 x 2 uncompressed 24-bit TGA, to be spoiled field by field.
std::vector<uint8_t> SmallTga() {
  std::vector<uint8_t> f = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2, 0, 24, 0};
  for (int i = 0; i < 8; ++i) f.insert(f.end(), {uint8_t(10 * i), uint8_t(20 + i), uint8_t(200 - i)});
  return f;
}

// TGA files carry no signature: only a header whose every field makes sense
// is claimed, so that stray binary files are not taken for pictures.
TEST(MiscPlugin, ClaimsTgaOnlyWithAPlausibleHeader) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  ASSERT_TRUE(spi.Supports(SmallTga()));
  const TDecodedPicture good = spi.Picture(SmallTga());
  ASSERT_EQ(good.result, SPI_SUCCESS);
  // Stored bottom-up (descriptor bit 5 clear): the file's first pixel is the
  // bottom-left one; blue, green, red in the file.
  EXPECT_EQ(good.pixels[4 * 3 + 0], 200);
  EXPECT_EQ(good.pixels[4 * 3 + 1], 20);
  EXPECT_EQ(good.pixels[4 * 3 + 2], 0);

  struct TSpoil {
    size_t at;
    uint8_t value;
  };
  for (const TSpoil spoil :
       {TSpoil{2, 0}, TSpoil{2, 4}, TSpoil{2, 12}, TSpoil{1, 2}, TSpoil{5, 1}, TSpoil{7, 24}, TSpoil{12, 0},
        TSpoil{14, 0}, TSpoil{16, 12}, TSpoil{17, 0x10}, TSpoil{17, 0x40}}) {
    std::vector<uint8_t> f = SmallTga();
    f[spoil.at] = spoil.value;
    EXPECT_FALSE(spi.Supports(f)) << "byte " << spoil.at << " = " << int{spoil.value};
  }
}

// An 8-bit BMP with a 108-byte header, a 2-entry table, a 2 x 2 picture
// stored top-down, and a gap between the table and the rows that only the
// pixel offset in the file header accounts for.
std::vector<uint8_t> TopDownBmpWithGap() {
  std::vector<uint8_t> f(14 + 108 + 8 + 6, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = uint8_t(v >> (8 * i));
  };
  f[0] = 'B', f[1] = 'M';
  put32(14, 108);
  put32(18, 2);
  put32(22, static_cast<uint32_t>(-2));  // top-down
  f[26] = 1, f[28] = 8;
  put32(46, 2);
  const uint8_t table[8] = {1, 2, 3, 0, 4, 5, 6, 0};
  std::copy(table, table + 8, f.begin() + 122);
  put32(10, static_cast<uint32_t>(f.size()));  // the rows start after the 6-byte gap
  f.insert(f.end(), {1, 0, 0, 0, 0, 1, 0, 0});
  return f;
}

TEST(MiscPlugin, HonoursThePixelOffsetAndTopDownRows) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  const TDecodedPicture got = spi.Picture(TopDownBmpWithGap());
  ASSERT_EQ(got.result, SPI_SUCCESS);
  EXPECT_EQ(got.palette, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
  EXPECT_EQ(got.pixels, (std::vector<uint8_t>{1, 0, 0, 1}));
}

// Rows that would lie past the end of the file are refused before anything
// is allocated, whatever size the header claims.
TEST(MiscPlugin, RefusesRowsPastTheEndOfTheFile) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  std::vector<uint8_t> f = TopDownBmpWithGap();
  f[18] = 0x40, f[19] = 0x1F;  // 8000 pixels wide
  EXPECT_EQ(spi.Picture(f).result, SPI_BROKEN_DATA);
  f[18] = 0xFF, f[19] = 0xFF, f[20] = 0xFF, f[21] = 0x7F;  // 2^31 - 1 wide, 2 rows: past the ceiling
  EXPECT_EQ(spi.Picture(f).result, SPI_NO_MEMORY);
  std::vector<uint8_t> tga = SmallTga();
  tga[12] = 0xFF, tga[13] = 0xFF, tga[14] = 0xFF, tga[15] = 0xFF;
  EXPECT_EQ(spi.Picture(tga).result, SPI_NO_MEMORY);
  tga[12] = 0xFF, tga[13] = 0x0F, tga[14] = 0xFF, tga[15] = 0x0F;
  EXPECT_EQ(spi.Picture(tga).result, SPI_BROKEN_DATA);
}

// A 124-byte-header RLE8 picture, 4 x 3, from its codes.
std::vector<uint8_t> Rle8Bmp(const std::vector<uint8_t>& codes) {
  std::vector<uint8_t> f(14 + 124, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = uint8_t(v >> (8 * i));
  };
  f[0] = 'B', f[1] = 'M';
  put32(10, 14 + 124 + 16);
  put32(14, 124);
  put32(18, 4);
  put32(22, 3);
  f[26] = 1, f[28] = 8, f[30] = 1;  // RLE8
  put32(46, 4);
  for (uint8_t i = 0; i < 4; ++i) f.insert(f.end(), {uint8_t(i * 10), uint8_t(i * 20), uint8_t(i * 30), 0});
  f.insert(f.end(), codes.begin(), codes.end());
  return f;
}

// The codes as BMP defines them: the bottom row first; a delta moves right
// and up, leaving the pixels it skips at index 0; a literal is padded to an
// even length; pixels in the row's padding (here none: 4 pixels are 4
// bytes) are dropped; a run or literal that would leave the padded row
// fails, and so do data that end before the last row.
TEST(MiscPlugin, DecodesRunLengthCodesAsDefined) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  const TDecodedPicture got = spi.Picture(Rle8Bmp({2, 1, 0, 2, 1, 1,  // bottom row: 1 1, then to (3, 1)
                                                   1, 3, 0, 0,  // 3 at the end of the middle row, end of line
                                                   0, 3, 2, 3, 1, 0,  // top row: literal 2 3 1 (padded)
                                                   0, 1}));
  ASSERT_EQ(got.result, SPI_SUCCESS);
  EXPECT_EQ(got.pixels, (std::vector<uint8_t>{2, 3, 1, 0,  //
                                              0, 0, 0, 3,  //
                                              1, 1, 0, 0}));
  EXPECT_EQ(spi.Picture(Rle8Bmp({5, 1, 0, 1})).result, SPI_BROKEN_DATA);  // run past the right edge
  EXPECT_EQ(spi.Picture(Rle8Bmp({0, 5, 1, 2, 3, 4, 5, 0})).result, SPI_BROKEN_DATA);  // literal past it
  EXPECT_EQ(spi.Picture(Rle8Bmp({0, 2, 0, 4, 1, 1})).result, SPI_BROKEN_DATA);        // delta above the top
  EXPECT_EQ(spi.Picture(Rle8Bmp({4, 1, 0, 0, 4, 2})).result, SPI_BROKEN_DATA);  // ends on the second row
  EXPECT_EQ(spi.Picture(Rle8Bmp({0, 0, 0, 0, 0, 0, 4, 1})).result, SPI_BROKEN_DATA);  // a run past the top
}

// A few codes cannot stand for a huge picture: 8000 x 8000 from one
// end-of-picture code is refused before the rows are allocated; the same
// codes for 40 x 30 are a blank picture.
TEST(MiscPlugin, RefusesRunLengthPicturesFarLargerThanTheirCodes) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  std::vector<uint8_t> f = Rle8Bmp({0, 1});
  f[18] = 40, f[22] = 30;
  const TDecodedPicture blank = spi.Picture(f);
  ASSERT_EQ(blank.result, SPI_SUCCESS);
  EXPECT_EQ(blank.pixels, std::vector<uint8_t>(40 * 30, 0));
  f[18] = 0x40, f[19] = 0x1F, f[22] = 0x40, f[23] = 0x1F;
  EXPECT_EQ(spi.Picture(f).result, SPI_BROKEN_DATA);
}

// The 12- and 40-byte headers belong to the built-in reader.
TEST(MiscPlugin, LeavesClassicBmpHeadersAlone) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  std::vector<uint8_t> f = TopDownBmpWithGap();
  for (const uint8_t size : {12, 40}) {
    f[14] = size;
    EXPECT_FALSE(spi.Supports(f)) << int{size};
  }
}

}  // namespace
}  // namespace pixkura::test
