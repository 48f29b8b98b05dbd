// pixkura-jpeg.spi: baseline, 4:4:4, grey, progressive and CMYK JPEGs as
// 24-bit pictures, pixel for pixel what the same library gives PIL.
#include "tests/plugins/support/PluginContract.h"
#include "tests/plugins/support/SpiModule.h"

namespace pixkura::test {
namespace {

constexpr const char* kSpi = "pixkura-jpeg.spi";

INSTANTIATE_TEST_SUITE_P(Jpeg, PluginContract,
                         testing::Values(TPluginCase{kSpi, "*.jpeg;*.jpe;*.jpg", "JPEG"}));

// CMYK: the reference is ImageMagick's conversion, which rounds differently.
INSTANTIATE_TEST_SUITE_P(Jpeg, PluginFixture,
                         testing::Values(TFixtureCase{kSpi, "jpeg_rgb.jpg"},
                                         TFixtureCase{kSpi, "jpeg_444.jpg"},
                                         TFixtureCase{kSpi, "jpeg_grey.jpg"},
                                         TFixtureCase{kSpi, "jpeg_progressive.jpg"},
                                         TFixtureCase{kSpi, "jpeg_cmyk.jpg", 2}),
                         FixtureCaseName);

TEST(JpegPlugin, ReportsTheFileDensityInDotsPerInch) {
  ExpectDensities(kSpi, "jpeg_444.jpg", 300, 150, 11811, 5906);
}

// The frame header's size fields (after the SOF0 marker): a claim the few
// bytes of scan data cannot fill is refused before allocating; a claim past
// the ceiling is refused as too large.
TEST(JpegPlugin, RefusesSizesTheFileCannotHold) {
  const TSpiModule spi(kSpi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath("jpeg_rgb.jpg"));
  size_t sof = 2;
  while (sof + 9 < file.size() && !(file[sof] == 0xFF && file[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 9, file.size());
  auto withSize = [&](uint16_t w, uint16_t h) {
    std::vector<uint8_t> f = file;
    f[sof + 5] = static_cast<uint8_t>(h >> 8), f[sof + 6] = static_cast<uint8_t>(h);
    f[sof + 7] = static_cast<uint8_t>(w >> 8), f[sof + 8] = static_cast<uint8_t>(w);
    return f;
  };
  SusiePictureInfo info{};
  ASSERT_EQ(spi.PictureInfo(withSize(35, 21), info), SPI_SUCCESS);
  EXPECT_EQ(spi.Picture(withSize(4000, 4000)).result, SPI_BROKEN_DATA);
  EXPECT_EQ(spi.Picture(withSize(65000, 65000)).result, SPI_NO_MEMORY);
}

}  // namespace
}  // namespace pixkura::test
