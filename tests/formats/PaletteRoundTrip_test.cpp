// Palettes written in every format and read back, through every other
// format, exactly; writing by the name's extension, atomically.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "formats/PaletteFile.h"
#include "formats/PaletteFileError.h"
#include "formats/PaletteFiles.h"

namespace pixkura {
namespace {

constexpr TPaletteFormat kWritable[] = {TPaletteFormat::pfGimp, TPaletteFormat::pfJascPal,
                                        TPaletteFormat::pfAdobeAct, TPaletteFormat::pfHex};

TPaletteColors RandomPalette(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<TColor> colors(count);
  for (TColor& c : colors) c = random() & 0xFFFFFF;
  // The extremes of every component, where formatting slips show.
  if (count >= 2) colors[0] = RGB(0, 0, 0), colors[count - 1] = RGB(255, 255, 255);
  return TPaletteColors(std::move(colors));
}

TEST(PaletteRoundTrip, EveryWritableFormatGivesBackExactlyWhatItWasGiven) {
  for (size_t count : {1u, 2u, 15u, 16u, 255u, 256u}) {
    const TPaletteColors palette = RandomPalette(count, static_cast<unsigned>(count));
    for (TPaletteFormat format : kWritable) {
      SCOPED_TRACE(std::to_string(count) + " colours, format " + std::to_string(static_cast<int>(format)));
      const std::vector<uint8_t> bytes = EncodePaletteColors(format, palette, "round trip");
      EXPECT_EQ(RecognisePaletteFormat(bytes), format);
      EXPECT_EQ(DecodePaletteColors(bytes, "round trip"), palette);
    }
  }
}

TEST(PaletteRoundTrip, ThroughAllFormatsInTurnAndBackToTheSameBytes) {
  const TPaletteColors palette = RandomPalette(256, 7);
  const std::vector<uint8_t> first = EncodePaletteColors(TPaletteFormat::pfGimp, palette, "chain");
  TPaletteColors current = DecodePaletteColors(first, "chain");
  for (int lap = 0; lap < 2; ++lap) {
    for (TPaletteFormat format : kWritable) {
      current = DecodePaletteColors(EncodePaletteColors(format, current, "chain"), "chain");
      ASSERT_EQ(current, palette);
    }
  }
  EXPECT_EQ(EncodePaletteColors(TPaletteFormat::pfGimp, current, "chain"), first);
}

TEST(PaletteRoundTrip, ReadOnlyFormatsConvertExactly) {
  // The program's own file: 1024 bytes of red, green, blue, 0.
  TPaletteValues values{};
  const TPaletteColors palette = RandomPalette(256, 3);
  for (size_t i = 0; i < 256; ++i) values[i] = palette[i];
  std::vector<uint8_t> raw;
  for (TColor v : values) raw.insert(raw.end(), {GetRValue(v), GetGValue(v), GetBValue(v), 0});
  const TPaletteColors fromRaw = DecodePaletteColors(raw, "Pixkura.pal");
  EXPECT_EQ(fromRaw, palette);
  for (TPaletteFormat format : kWritable)
    EXPECT_EQ(DecodePaletteColors(EncodePaletteColors(format, fromRaw, "x"), "x"), palette);
}

TEST(PaletteRoundTrip, EmptyPalettesAndReadOnlyFormatsAreNotWritten) {
  EXPECT_THROW(EncodePaletteColors(TPaletteFormat::pfHex, TPaletteColors(), "x"), ERangeError);
  EXPECT_THROW(EncodePaletteColors(TPaletteFormat::pfRiffPal, RandomPalette(4, 1), "x"), ERangeError);
  EXPECT_THROW(TPaletteColors(std::vector<TColor>(257)), ERangeError);
}

class PaletteFilesOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-palettes-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Text(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::filesystem::path dir_;
};

TEST_F(PaletteFilesOnDisk, TheExtensionChoosesTheFormatInAnyLetterCase) {
  const TPaletteColors palette = RandomPalette(16, 5);
  EXPECT_EQ(PaletteFormatForWriting("a.GPL"), TPaletteFormat::pfGimp);
  EXPECT_EQ(PaletteFormatForWriting("dir.act/a.Pal"), TPaletteFormat::pfJascPal);
  EXPECT_EQ(PaletteFormatForWriting("a.aCt"), TPaletteFormat::pfAdobeAct);
  EXPECT_EQ(PaletteFormatForWriting("a.hex"), TPaletteFormat::pfHex);
  EXPECT_EQ(PaletteFormatForWriting("a.gpl.txt"), std::nullopt);
  EXPECT_EQ(PaletteFormatForWriting("gpl"), std::nullopt);
  for (const char* name : {"walk.GPL", "walk.Pal", "walk.act", "walk.hex"}) {
    WritePaletteColors(Path(name), palette);
    EXPECT_EQ(ReadPaletteColors(Path(name)), palette) << name;
  }
  EXPECT_TRUE(Text("walk.GPL").starts_with("GIMP Palette\nName: walk\n"));
  EXPECT_TRUE(Text("walk.Pal").starts_with("JASC-PAL\r\n"));
  EXPECT_EQ(Text("walk.act").size(), 772u);
}

TEST_F(PaletteFilesOnDisk, AFailedWriteLeavesTheOldFileAndAnUnknownExtensionWritesNothing) {
  const TPaletteColors palette = RandomPalette(8, 9);
  WritePaletteColors(Path("keep.hex"), palette);
  const std::string before = Text("keep.hex");
  ::chmod(dir_.c_str(), 0500);
  if (::access(dir_.c_str(), W_OK) != 0) {  // not when running as root
    EXPECT_THROW(WritePaletteColors(Path("keep.hex"), RandomPalette(3, 1)), EStreamError);
    EXPECT_EQ(Text("keep.hex"), before);
  }
  ::chmod(dir_.c_str(), 0700);
  try {
    WritePaletteColors(Path("walk.txt"), palette);
    ADD_FAILURE() << "no error for .txt";
  } catch (const EPaletteFileError& e) {
    EXPECT_NE(std::string(e.what()).find(Path("walk.txt")), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(".gpl .pal .act .hex"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(Path("walk.txt")));
  EXPECT_THROW(WritePaletteColors(Path("none/walk.gpl"), palette), EFCreateError);
  EXPECT_THROW(ReadPaletteColors(Path("missing.gpl")), EFOpenError);
}

}  // namespace
}  // namespace pixkura
