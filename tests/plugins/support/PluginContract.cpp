#include "tests/plugins/support/PluginContract.h"

#include <algorithm>
#include <cstdlib>
#include <random>

#include "tests/plugins/support/SpiModule.h"

namespace pixkura::test {

namespace {

const char* const kAllPlugins[] = {"pixkura-png.spi", "pixkura-gif.spi", "pixkura-jpeg.spi",
                                   "pixkura-misc.spi"};

// A 2 x 2 24-bit BMP with the 40-byte header: the host's own reader takes
// these, so no plug-in may claim them.
std::vector<uint8_t> PlainBmp() {
  std::vector<uint8_t> f = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                            0,   0,   0,  2, 0, 0, 0, 2, 0, 0, 0,  1, 0, 24, 0};
  f.resize(70, 0x80);
  std::fill(f.begin() + 30, f.begin() + 54, 0);
  return f;
}

void ExpectSamePixels(const TExpectedPicture& want, const TDecodedPicture& got, int tolerance) {
  ASSERT_EQ(got.pixels.size(), want.pixels.size());
  size_t worst = 0;
  int worstDiff = 0;
  for (size_t i = 0; i < want.pixels.size(); ++i) {
    const int diff = std::abs(int{want.pixels[i]} - int{got.pixels[i]});
    if (diff > worstDiff) worstDiff = diff, worst = i;
  }
  EXPECT_LE(worstDiff, tolerance) << "first largest difference at byte " << worst << ": want "
                                  << int{want.pixels[worst]} << ", got " << int{got.pixels[worst]};
}

struct TProgressLog {
  int calls = 0;
  int abortAt = 0;  // 0: never
  bool sane = true;
};

int32_t LogProgress(int32_t num, int32_t denom, intptr_t data) {
  auto* log = reinterpret_cast<TProgressLog*>(data);
  ++log->calls;
  if (denom <= 0 || num < 0 || num > denom) log->sane = false;
  return log->calls == log->abortAt ? 1 : 0;
}

}  // namespace

std::string FixtureCaseName(const testing::TestParamInfo<TFixtureCase>& info) {
  std::string name = info.param.fixture;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

TEST_P(PluginContract, ReportsImportVersionAndItsFormats) {
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  EXPECT_EQ(spi.Info(0), "00IN");
  EXPECT_FALSE(spi.Info(1).empty());
  EXPECT_EQ(spi.Info(2), GetParam().filter);
  EXPECT_EQ(spi.Info(3), GetParam().formatName);
  // Filters come in pairs and end with an entry that does not exist.
  int32_t n = 2, stored = 1;
  while (n < 64 && !spi.Info(n, 255, &stored).empty()) ++n;
  EXPECT_LE(stored, 0);
  EXPECT_EQ(n % 2, 0) << "a filter without a name";
  EXPECT_LE(n, 20);
  spi.Info(-1, 255, &stored);
  EXPECT_LE(stored, 0);
}

TEST_P(PluginContract, NeverWritesPastTheInfoBuffer) {
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  const std::string full = spi.Info(1);
  int32_t stored = -5;
  EXPECT_EQ(spi.Info(1, 5, &stored), full.substr(0, 4));
  EXPECT_EQ(stored, 4);
  EXPECT_EQ(spi.Info(0, 3, &stored), "00");
  EXPECT_EQ(spi.Info(2, 1, &stored), "");
  EXPECT_EQ(stored, 0);
  spi.Info(1, 0, &stored);
  EXPECT_LE(stored, 0);
}

TEST_P(PluginContract, RefusesOtherFlagsAndBadArguments) {
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> junk(64, 0x42);
  SusiePictureInfo info{};
  EXPECT_EQ(spi.PictureInfo(junk, info, 0), SPI_NOT_IMPLEMENTED);
  EXPECT_EQ(spi.Picture(junk, nullptr, 0, 0).result, SPI_NOT_IMPLEMENTED);
  EXPECT_EQ(spi.Picture(junk, nullptr, 0, 3).result, SPI_NOT_IMPLEMENTED);
  void* h = nullptr;
  EXPECT_NE(spi.RawPicture(nullptr, 10, 1, &h, &h), SPI_SUCCESS);
  EXPECT_NE(spi.RawPicture(reinterpret_cast<const char*>(junk.data()), 0, 1, &h, &h), SPI_SUCCESS);
  EXPECT_NE(spi.RawPicture(reinterpret_cast<const char*>(junk.data()), 64, 1, nullptr, &h), SPI_SUCCESS);
  EXPECT_NE(spi.Picture(junk).result, SPI_SUCCESS);
  EXPECT_FALSE(spi.Supports(junk));
  EXPECT_FALSE(spi.Supports({}));
  EXPECT_FALSE(spi.Supports(PlainBmp()));
}

TEST_P(PluginFixture, DecodesWhatTheReferenceReaderSees) {
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath(GetParam().fixture));
  const TExpectedPicture want = ReadExpected(GetParam().fixture);

  SusiePictureInfo info{};
  ASSERT_EQ(spi.PictureInfo(file, info), SPI_SUCCESS);
  // The record is packed: copy its fields out before comparing them.
  const int32_t left = info.left, top = info.top, width = info.width, height = info.height;
  const int16_t depth = info.colorDepth;
  const uint32_t text = info.hInfo;
  EXPECT_EQ(left, 0);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(width, static_cast<int32_t>(want.width));
  EXPECT_EQ(height, static_cast<int32_t>(want.height));
  EXPECT_EQ(depth, static_cast<int16_t>(want.depth));
  EXPECT_EQ(text, 0u);

  const TDecodedPicture got = spi.Picture(file);
  ASSERT_EQ(got.result, SPI_SUCCESS);
  EXPECT_EQ(got.width, static_cast<int32_t>(want.width));
  EXPECT_EQ(got.height, static_cast<int32_t>(want.height));
  EXPECT_EQ(got.bitCount, static_cast<int32_t>(want.depth));
  // Palette pictures: the file's own table, in its own order, and its indices.
  EXPECT_EQ(got.palette, want.palette);
  ExpectSamePixels(want, got, GetParam().tolerance);
}

TEST_P(PluginFixture, IsClaimedOnlyByItsOwnPlugin) {
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath(GetParam().fixture));
  for (const char* name : kAllPlugins) {
    const TSpiModule spi(name);
    ASSERT_TRUE(spi.Loaded());
    EXPECT_EQ(spi.Supports(file), std::string(name) == GetParam().spi) << name;
  }
}

TEST_P(PluginFixture, WorksFromAZeroPaddedHeadBuffer) {
  // The host copies a short file into a zero-filled 2048-byte buffer and
  // passes the true length.
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath(GetParam().fixture));
  ASSERT_LT(file.size(), size_t{SPI_HEADER_BYTES});
  std::vector<char> head(SPI_HEADER_BYTES, 0);
  std::copy(file.begin(), file.end(), head.begin());
  void* hInfo = nullptr;
  void* hBits = nullptr;
  ASSERT_EQ(spi.RawPicture(head.data(), static_cast<int32_t>(file.size()), 1, &hInfo, &hBits), SPI_SUCCESS);
  const TDecodedPicture got = UnpackBlocks(hInfo, hBits);
  const TExpectedPicture want = ReadExpected(GetParam().fixture);
  EXPECT_EQ(got.palette, want.palette);
  ExpectSamePixels(want, got, GetParam().tolerance);
}

TEST_P(PluginFixture, TruncatedFileFails) {
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath(GetParam().fixture));
  for (const size_t cut :
       {size_t{1}, size_t{7}, size_t{16}, file.size() / 4, file.size() / 2, file.size() * 3 / 4}) {
    const std::vector<uint8_t> part(file.begin(), file.begin() + static_cast<ptrdiff_t>(cut));
    SusiePictureInfo info{};
    spi.PictureInfo(part, info);  // may succeed when the header is whole; must not crash
    const TDecodedPicture got = spi.Picture(part);
    if (GetParam().detectsCut) {
      EXPECT_NE(got.result, SPI_SUCCESS) << "cut at " << cut << " of " << file.size();
    }
  }
}

TEST_P(PluginFixture, CorruptedBytesNeverCrash) {
  // Results vary: a flipped pixel byte decodes fine, a flipped length fails.
  // Either way nothing is read or written out of bounds, and a success hands
  // back blocks that agree with their header (checked while unpacking).
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath(GetParam().fixture));
  std::mt19937 rng(1234);
  for (int round = 0; round < 60; ++round) {
    std::vector<uint8_t> bad = file;
    const int flips = 1 + round % 4;
    for (int i = 0; i < flips; ++i) {
      // Half the flips land in the first 64 bytes, where the headers are.
      const size_t span = round % 2 == 0 ? std::min<size_t>(bad.size(), 64) : bad.size();
      bad[rng() % span] = static_cast<uint8_t>(rng());
    }
    SusiePictureInfo info{};
    spi.Supports(bad);
    spi.PictureInfo(bad, info);
    const TDecodedPicture got = spi.Picture(bad);
    if (got.result == SPI_SUCCESS) {
      EXPECT_GT(got.width * got.height, 0);
    }
  }
}

TEST_P(PluginFixture, ReportsProgressAndStopsWhenAsked) {
  const TSpiModule spi(GetParam().spi);
  ASSERT_TRUE(spi.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath(GetParam().fixture));
  TProgressLog log;
  ASSERT_EQ(spi.Picture(file, LogProgress, reinterpret_cast<intptr_t>(&log)).result, SPI_SUCCESS);
  EXPECT_GE(log.calls, 2);
  EXPECT_TRUE(log.sane);
  // Stop at the first call, at the second, and at the last one: each time
  // the plug-in gives up and hands nothing back (checked in Picture).
  for (const int stopAt : {1, 2, log.calls}) {
    TProgressLog stopping;
    stopping.abortAt = stopAt;
    EXPECT_EQ(spi.Picture(file, LogProgress, reinterpret_cast<intptr_t>(&stopping)).result, SPI_ABORT)
        << stopAt;
    EXPECT_EQ(stopping.calls, stopAt);
  }
}

void ExpectDensities(const char* spi, const char* fixture, uint16_t xDpi, uint16_t yDpi, int32_t xPelsPerMeter,
                     int32_t yPelsPerMeter) {
  const TSpiModule module(spi);
  ASSERT_TRUE(module.Loaded());
  const std::vector<uint8_t> file = ReadFileBytes(FixturePath(fixture));
  SusiePictureInfo info{};
  ASSERT_EQ(module.PictureInfo(file, info), SPI_SUCCESS);
  const uint16_t x = info.x_density, y = info.y_density;
  EXPECT_EQ(x, xDpi);
  EXPECT_EQ(y, yDpi);
  const TDecodedPicture got = module.Picture(file);
  EXPECT_EQ(got.xPelsPerMeter, xPelsPerMeter);
  EXPECT_EQ(got.yPelsPerMeter, yPelsPerMeter);
}

}  // namespace pixkura::test
