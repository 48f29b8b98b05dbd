// pixkura-gif.spi: the first image with its colour table and indices as
// stored, interlaced or not.
#include "tests/plugins/support/PluginContract.h"
#include "tests/plugins/support/SpiModule.h"

namespace pixkura::test {
namespace {

constexpr const char* kSpi = "pixkura-gif.spi";

INSTANTIATE_TEST_SUITE_P(Gif, PluginContract, testing::Values(TPluginCase{kSpi, "*.gif", "GIF"}));

// In the animation, the cuts at 3/4 and later fall into the second frame:
// the first, the one the plug-in reads, is whole there.
INSTANTIATE_TEST_SUITE_P(Gif, PluginFixture,
                         testing::Values(TFixtureCase{kSpi, "gif_basic.gif"},
                                         TFixtureCase{kSpi, "gif_interlaced.gif"},
                                         TFixtureCase{kSpi, "gif_anim.gif", 0, false},
                                         TFixtureCase{kSpi, "gif_tiny.gif"}),
                         FixtureCaseName);

// A 2 x 2 GIF with a 2-entry global table whose LZW data (minimum code size
// 3: clear 8, end 9, 4-bit codes) hold the indices 5, 1, 0, 5: two of them
// past the table's end, which giflib passes through.
std::vector<uint8_t> GifWithIndicesPastItsTable() {
  std::vector<uint8_t> f = {'G',  'I', 'F', '8', '9', 'a', 2, 0, 2, 0,
                            0x80, 0,   0,                               // screen, global table of 2
                            10,   20,  30,  40,  50,  60,               // the table
                            0x2C, 0,   0,   0,   0,   2,   0, 2, 0, 0,  // image descriptor
                            3};                                         // LZW minimum code size
  std::vector<uint8_t> data;
  uint32_t acc = 0;
  int bits = 0;
  for (const uint32_t code : {8u, 5u, 1u, 0u, 5u, 9u}) {
    acc |= code << bits;  // codes are packed least significant bit first
    for (bits += 4; bits >= 8; bits -= 8, acc >>= 8) data.push_back(static_cast<uint8_t>(acc));
  }
  if (bits > 0) data.push_back(static_cast<uint8_t>(acc));
  f.push_back(static_cast<uint8_t>(data.size()));
  f.insert(f.end(), data.begin(), data.end());
  f.insert(f.end(), {0, 0x3B});
  return f;
}

TEST(GifPlugin, IndicesPastTheTableGrowItWithBlack) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  const TDecodedPicture got = spi.Picture(GifWithIndicesPastItsTable());
  ASSERT_EQ(got.result, SPI_SUCCESS);
  EXPECT_EQ(got.pixels, (std::vector<uint8_t>{5, 1, 0, 5}));
  EXPECT_EQ(got.palette, (std::vector<uint8_t>{10, 20, 30, 40, 50, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  // An image with a colour table of its own is shown in its colours, not the global table's.
  std::vector<uint8_t> f = GifWithIndicesPastItsTable();
  f[28] = 0x80;  // the image descriptor's flags: a table of 2 entries follows it
  f.insert(f.begin() + 29, {70, 80, 90, 100, 110, 120});
  EXPECT_EQ(spi.Picture(f).palette, (std::vector<uint8_t>{70, 80, 90, 100, 110, 120, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// A header claiming a frame far larger than its LZW data could expand to is
// refused before the rows are allocated.
TEST(GifPlugin, RefusesAFrameTheDataCannotFill) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  std::vector<uint8_t> f = GifWithIndicesPastItsTable();
  f[24] = 0x40, f[25] = 0x1F, f[26] = 0x40, f[27] = 0x1F;  // 8000 x 8000
  EXPECT_EQ(spi.Picture(f).result, SPI_BROKEN_DATA);
  f[24] = 0x20, f[25] = 0x4E, f[26] = 0x20, f[27] = 0x4E;  // 20000 x 20000: past the ceiling
  EXPECT_EQ(spi.Picture(f).result, SPI_NO_MEMORY);
}

}  // namespace
}  // namespace pixkura::test
