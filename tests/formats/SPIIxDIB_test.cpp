// Loading through the built-in reader and the import plug-ins: which reader
// is asked first, what a plug-in is shown, and what happens when none reads.
#include "formats/SPIIxDIB.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/Streams.h"
#include "tests/formats/support/TestPlugins.h"

namespace pixkura {
namespace {

using testing::SmallTpix;
using testing::StatsOf;
using testing::TpixFile;
using testing::TTempFolder;
using testing::WriteBytes;

const char* const kUnrecognised = "認識できない画像形式です";

// An 8-bit BMP file of 3 x 2 pixels with a four-colour table.
std::vector<uint8_t> SmallBmp() {
  const uint32_t colors = 4, row = 4, bits = row * 2;
  const uint32_t offset = 14 + 40 + 4 * colors;
  std::vector<uint8_t> f(offset + bits);
  const TBitmapFileHeader fh{kBitmapFileType, offset + bits, 0, 0, offset};
  const TBitmapInfoHeader ih{40, 3, 2, 1, 8, BI_RGB, bits, 0, 0, colors, 0};
  std::memcpy(f.data(), &fh, sizeof fh);
  std::memcpy(f.data() + 14, &ih, sizeof ih);
  const uint8_t table[16] = {0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0};
  std::memcpy(f.data() + 54, table, sizeof table);
  const uint8_t pixels[8] = {3, 2, 1, 0, 0, 1, 2, 0};  // bottom row first
  std::memcpy(f.data() + offset, pixels, sizeof pixels);
  return f;
}

// The plug-ins of a test, loaded from copies in a folder of their own.
class SPIIxDIBLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!PackedReaderReadsPlugins()) GTEST_SKIP() << "the packed DIB reader is not in this build";
  }
  // Whether the packed DIB reader, through which plug-ins hand pictures over, is in this build.
  static bool PackedReaderReadsPlugins() {
    const TBitmapInfoHeader h{40, 1, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> block(sizeof h + 4);
    std::memcpy(block.data(), &h, sizeof h);
    TIxDIB probe;
    try {
      probe.LoadFromClipboardFormat(CF_DIB, TMemoryBlock(block.data(), block.size()), HPALETTE());
      return true;
    } catch (const EIxDIBInvalidDIB&) {
      return false;
    }
  }
  TSPI& Load(const std::string& plugin) {
    spis_.Add(CreateSPI(folder_.AddPlugin(plugin, std::to_string(spis_.Count()) + "_" + plugin + ".spi")));
    return spis_.Items(spis_.Count() - 1);
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteBytes(folder_.File(name), bytes);
    return folder_.File(name);
  }
  static void ExpectUnrecognised(TSPIIxDIB& dib, const std::string& fileName) {
    try {
      dib.LoadFromFile(fileName);
      FAIL() << fileName << " was read";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), kUnrecognised);
    }
  }
  // Whether the built-in reader reads BMP files in this build.
  static bool BuiltInReaderReadsBmp() {
    TIxDIB probe;
    TMemoryStream s(SmallBmp());
    try {
      probe.LoadFromStream(s);
      return probe.GetWidth() == 3;
    } catch (const std::exception&) {
      return false;
    }
  }
  static void ExpectSmallTpix(const TSPIIxDIB& dib) {
    ASSERT_EQ(dib.GetWidth(), 4);
    ASSERT_EQ(dib.GetHeight(), 2);
    EXPECT_EQ(dib.GetBitCount(), 8);
    EXPECT_EQ(dib.GetPaletteSize(), 4);
    EXPECT_EQ(dib.GetColors(0), RGB(10, 20, 30));
    EXPECT_EQ(dib.GetColors(3), RGB(250, 251, 252));
    const int expected[2][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}};
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(dib.GetPixels(x, y), expected[y][x]) << x << "," << y;
  }

  TTempFolder folder_;
  TSPIs spis_;
};

TEST_F(SPIIxDIBLoad, PluginReadsItsFormatAndNamedLoadStateIsCleared) {
  TSPI& plugin = Load("valid_in");
  TSPIIxDIB dib;
  dib.LoadFromFile(Write("pic.tpx", SmallTpix()));
  ExpectSmallTpix(dib);
  EXPECT_EQ(StatsOf(plugin).isSupportedCalls, 1);
  EXPECT_EQ(StatsOf(plugin).pictureInfoCalls, 1);
  EXPECT_EQ(StatsOf(plugin).pictureCalls, 1);
  // A bare stream from a file (no memory stream) goes the same way.
  TFileStream file(folder_.File("pic.tpx"), TFileMode::fmOpenRead);
  TSPIIxDIB again;
  again.LoadFromStream(file);
  ExpectSmallTpix(again);
}

TEST_F(SPIIxDIBLoad, BmpNamedBmpIsReadWithoutAskingAnyPlugin) {
  if (!BuiltInReaderReadsBmp()) GTEST_SKIP() << "the built-in BMP reader is not in this build";
  TSPI& plugin = Load("valid_in");
  TSPIIxDIB dib;
  dib.LoadFromFile(Write("x.BMP", SmallBmp()));
  EXPECT_EQ(dib.GetWidth(), 3);
  EXPECT_EQ(dib.GetPixels(0, 0), 0);
  EXPECT_EQ(dib.GetPixels(1, 1), 2);
  EXPECT_EQ(StatsOf(plugin).isSupportedCalls, 0);
}

TEST_F(SPIIxDIBLoad, BmpWithAPluginExtensionFallsBackToTheBuiltInReader) {
  if (!BuiltInReaderReadsBmp()) GTEST_SKIP() << "the built-in BMP reader is not in this build";
  TSPI& jpeg = Load("claims_jpeg");
  TSPIIxDIB dib;
  dib.LoadFromFile(Write("x.jpg", SmallBmp()));
  EXPECT_EQ(dib.GetWidth(), 3);
  // Offered to the plug-in first; too short for a MacBinary header, so once.
  EXPECT_EQ(StatsOf(jpeg).isSupportedCalls, 1);
}

TEST_F(SPIIxDIBLoad, OtherExtensionsGoToPluginsFirst) {
  TSPI& png = Load("claims_png");
  TSPIIxDIB dib;
  dib.LoadFromFile(Write("x.png", SmallTpix()));
  ExpectSmallTpix(dib);
  EXPECT_EQ(StatsOf(png).pictureCalls, 1);
}

TEST_F(SPIIxDIBLoad, NothingReadsTheFile) {
  Load("valid_in");
  TSPIIxDIB dib;
  ExpectUnrecognised(dib, Write("x.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}));
  ExpectUnrecognised(dib, Write("noext", {'B', 'M', 1, 2, 3}));
  try {
    dib.LoadFromFile(folder_.File("missing.png"));
    FAIL() << "a missing file was read";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), FileOpenErrorMessage(folder_.File("missing.png")));
  }
}

TEST_F(SPIIxDIBLoad, MacBinaryHeaderIsSkippedOnTheSecondTry) {
  TSPI& plugin = Load("valid_in");
  std::vector<uint8_t> file(128, 'M');
  const std::vector<uint8_t> tpix = SmallTpix();
  file.insert(file.end(), tpix.begin(), tpix.end());
  TSPIIxDIB dib;
  dib.LoadFromFile(Write("mac.tpx", file));
  ExpectSmallTpix(dib);
  EXPECT_EQ(StatsOf(plugin).isSupportedCalls, 2);
  EXPECT_EQ(StatsOf(plugin).lastLength, static_cast<int32_t>(tpix.size()));

  TSPIIxDIB plain;
  plain.MacBinary = false;
  ExpectUnrecognised(plain, folder_.File("mac.tpx"));
  EXPECT_EQ(StatsOf(plugin).isSupportedCalls, 3);
}

TEST_F(SPIIxDIBLoad, ShortFileIsShownZeroPaddedWithItsTrueLength) {
  TSPI& plugin = Load("valid_in");
  std::vector<uint8_t> file = SmallTpix();
  file.resize(100, 0xAB);  // trailing bytes the format ignores
  TSPIIxDIB dib;
  dib.LoadFromFile(Write("short.tpx", file));
  const auto& stats = StatsOf(plugin);
  EXPECT_EQ(std::memcmp(stats.seen, file.data(), 100), 0);
  for (size_t i = 100; i < SPI_HEADER_BYTES; ++i) ASSERT_EQ(stats.seen[i], 0) << i;
  EXPECT_EQ(stats.lastLength, 100);
}

TEST_F(SPIIxDIBLoad, ChosenPluginIsTheOnlyOneAsked) {
  TSPI& first = Load("claims_png");
  TSPI& chosen = Load("valid_in");
  TSPIIxDIB dib;
  dib.SPI = &dynamic_cast<TInSPI&>(chosen);
  dib.LoadFromFile(Write("x.png", SmallTpix()));
  ExpectSmallTpix(dib);
  EXPECT_EQ(StatsOf(first).isSupportedCalls, 0);
  EXPECT_EQ(StatsOf(chosen).pictureCalls, 1);
  // A copy keeps the choice.
  TSPIIxDIB copy;
  copy.Assign(&dib);
  EXPECT_EQ(copy.SPI, dib.SPI);
}

TEST_F(SPIIxDIBLoad, StreamWithoutNameTriesBuiltInReaderThenPlugins) {
  TSPI& plugin = Load("valid_in");
  TSPIIxDIB dib;
  TMemoryStream stream(SmallTpix());
  dib.LoadFromStream(stream);
  ExpectSmallTpix(dib);
  TMemoryStream named(SmallTpix());
  dib.OnLoadFromStreamWithName()(named, "/somewhere/pic.tpx");
  ExpectSmallTpix(dib);
  EXPECT_EQ(StatsOf(plugin).pictureCalls, 2);
}

// Every malformed answer of the faulty plug-in counts as that plug-in failing;
// the same plug-in's honest answer is taken.
TEST_F(SPIIxDIBLoad, MalformedAnswersAreRefused) {
  TSPI& bad = Load("bad_answer");
  TSPIIxDIB dib;
  dib.LoadFromFile(Write("ok.bad", SmallTpix(0)));
  ExpectSmallTpix(dib);
  for (uint8_t mode = 1; mode <= 12; ++mode) {
    SCOPED_TRACE(static_cast<int>(mode));
    TSPIIxDIB other;
    ExpectUnrecognised(other, Write("m.bad", SmallTpix(mode)));
  }
  EXPECT_EQ(StatsOf(bad).pictureCalls, 13);
}

TEST_F(SPIIxDIBLoad, ProgressRunsFromStartToEnd) {
  Load("valid_in");
  TSPIIxDIB dib;
  std::vector<std::pair<TProgressStage, int>> reports;
  dib.OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t percent, bool, const TRect&,
                       const std::string& msg) {
    EXPECT_EQ(msg, "");
    reports.emplace_back(stage, percent);
  };
  dib.LoadFromFile(Write("p.tpx", SmallTpix()));
  using P = std::vector<std::pair<TProgressStage, int>>;
  // Count 0 of 0 first, then rows 1 and 2 of 2.
  EXPECT_EQ(reports, (P{{TProgressStage::psStarting, 0},
                        {TProgressStage::psRunning, 1},
                        {TProgressStage::psRunning, 50},
                        {TProgressStage::psRunning, 99},
                        {TProgressStage::psEnding, 100}}));
}

TEST_F(SPIIxDIBLoad, AbortFromProgressStopsThePluginOtherErrorsPassOn) {
  TSPI& plugin = Load("valid_in");
  TSPIIxDIB dib;
  dib.OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&, const std::string&) {
    if (stage == TProgressStage::psRunning) throw EAbort();
  };
  ExpectUnrecognised(dib, Write("a.tpx", SmallTpix()));
  EXPECT_EQ(StatsOf(plugin).lastProgressResult, 1);

  bool ended = false;
  dib.OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&, const std::string&) {
    if (stage == TProgressStage::psEnding) ended = true;
    if (stage == TProgressStage::psRunning) throw EOutOfResources("no room to show progress");
  };
  EXPECT_THROW(dib.LoadFromFile(folder_.File("a.tpx")), EOutOfResources);
  EXPECT_TRUE(ended);
  EXPECT_EQ(StatsOf(plugin).lastProgressResult, 1);
}

TEST(SPIIxDIBProgress, PercentIsRoundedShareOf98PlusOne) {
  EXPECT_EQ(SPIProgressPercent(0, 0), 1);
  EXPECT_EQ(SPIProgressPercent(5, 0), 1);
  EXPECT_EQ(SPIProgressPercent(0, 10), 1);
  EXPECT_EQ(SPIProgressPercent(1, 3), 34);  // 32.67 -> 33
  EXPECT_EQ(SPIProgressPercent(3, 4), 75);  // 73.5 -> 74 (ties to even)
  EXPECT_EQ(SPIProgressPercent(1, 4), 25);  // 24.5 -> 24
  EXPECT_EQ(SPIProgressPercent(10, 10), 99);
  // 32-bit products would overflow here.
  EXPECT_EQ(SPIProgressPercent(2000000000, 2000000000), 99);
  EXPECT_EQ(SPIProgressPercent(1000000000, 2000000000), 50);
  // Counts outside 0..total stay within the bar.
  EXPECT_EQ(SPIProgressPercent(30, 10), 99);
  EXPECT_EQ(SPIProgressPercent(-5, 10), 1);
  EXPECT_EQ(SPIProgressPercent(5, -10), 1);
  EXPECT_EQ(TInSPIAble::ProgressCallback(1, 2, 0), 0);
}

TEST(SPIIxDIBPalette, TrueColourPictureGetsADisplayPaletteOnlyWhenAsked) {
  const auto paletteRuns = [](uint8_t autoPalette) {
    TSPIIxDIB dib;
    dib.AutoPalette = autoPalette;
    int runs = 0;
    dib.OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&,
                         const std::string& msg) {
      if (stage == TProgressStage::psStarting && msg == "Create True Color Palette") ++runs;
    };
    dib.SetBitCount(24);
    return runs;
  };
  ASSERT_FALSE(PaletteDisplay);
  EXPECT_EQ(paletteRuns(0), 0);
  EXPECT_EQ(paletteRuns(1), 0);
  EXPECT_EQ(paletteRuns(2), 1);
  PaletteDisplay = true;
  EXPECT_EQ(paletteRuns(1), 1);
  PaletteDisplay = false;
}

TEST(SPIIxDIBAssign, CopiesLoadingChoicesAndSharesPixels) {
  TSPIIxDIB a, b;
  a.AutoPalette = 2;
  a.MacBinary = false;
  a.SetWidth(7);
  b.Assign(&a);
  EXPECT_EQ(b.AutoPalette, 2);
  EXPECT_FALSE(b.MacBinary);
  EXPECT_EQ(b.GetWidth(), 7);
  EXPECT_EQ(&b.InternalDIB(), &a.InternalDIB());
  TIxDIB plain;
  b.Assign(&plain);
  EXPECT_EQ(b.AutoPalette, 2);
  EXPECT_EQ(b.GetWidth(), 1);
}

}  // namespace
}  // namespace pixkura
