// pixkura-png.spi: palette PNGs of every index depth keep their table and
// indices; grey, RGB, alpha, 16-bit and interlaced files arrive as 24-bit.
#include <zlib.h>

#include "tests/plugins/support/PluginContract.h"
#include "tests/plugins/support/SpiModule.h"

namespace pixkura::test {
namespace {

constexpr const char* kSpi = "pixkura-png.spi";

INSTANTIATE_TEST_SUITE_P(Png, PluginContract,
                         testing::Values(TPluginCase{kSpi, "*.png", "Portable Network Graphics"}));

INSTANTIATE_TEST_SUITE_P(
    Png, PluginFixture,
    testing::Values(TFixtureCase{kSpi, "png_idx8.png"}, TFixtureCase{kSpi, "png_idx4.png"},
                    TFixtureCase{kSpi, "png_idx2.png"}, TFixtureCase{kSpi, "png_idx1.png"},
                    TFixtureCase{kSpi, "png_idx8_interlaced.png"},
                    TFixtureCase{kSpi, "png_idx_past_plte.png"}, TFixtureCase{kSpi, "png_tiny.png"},
                    TFixtureCase{kSpi, "png_rgb.png"}, TFixtureCase{kSpi, "png_rgba.png"},
                    TFixtureCase{kSpi, "png_grey.png"}, TFixtureCase{kSpi, "png_grey2.png"},
                    TFixtureCase{kSpi, "png_grey16.png"}, TFixtureCase{kSpi, "png_rgb16.png"},
                    TFixtureCase{kSpi, "png_interlaced.png"}, TFixtureCase{kSpi, "png_dpi.png"}),
    FixtureCaseName);

// A PNG header claiming a picture larger than the plug-in's ceiling, or far
// larger than its few bytes could inflate to, is refused before any pixel
// memory is allocated.
TEST(PngPlugin, RefusesSizesTheFileCannotHold) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath("png_rgb.png"));
  auto withSize = [&](uint32_t w, uint32_t h) {
    std::vector<uint8_t> f = file;
    for (int i = 0; i < 4; ++i) {
      f[16 + i] = static_cast<uint8_t>(w >> (24 - 8 * i));
      f[20 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, f.data() + 12, 17);  // chunk type and IHDR body
    for (int i = 0; i < 4; ++i) f[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    return f;
  };
  SusiePictureInfo info{};
  EXPECT_EQ(spi.PictureInfo(withSize(29, 17), info), SPI_SUCCESS);  // the CRC fix-up itself is right
  EXPECT_EQ(spi.Picture(withSize(60000, 60000)).result, SPI_NO_MEMORY);
  EXPECT_EQ(spi.Picture(withSize(8000, 8000)).result, SPI_BROKEN_DATA);
  EXPECT_NE(spi.PictureInfo(withSize(0, 5), info), SPI_SUCCESS);
}

TEST(PngPlugin, ReportsItsDensityInDotsPerInch) {
  ExpectDensities(kSpi, "png_dpi.png", 300, 150, 11811, 5906);
}

}  // namespace
}  // namespace pixkura::test
