// pixkura-convert --palette: the palette of a palette file or a picture
// written in the format of the output's extension.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "formats/PaletteFiles.h"
#include "formats/png.h"
#include "tests/tools/ConvertTestSupport.h"

namespace pixkura {
namespace {

using testing::Convert;
using testing::Fixture;
using testing::RunExecutable;
using testing::TRun;

class ConvertPalette : public testing::ConvertFolder {};

const char kGimp[] =
    "GIMP Palette\nName: three\nColumns: 3\n# from a palette site\n"
    "255   0   0\tred\n  0 128   7\tgreen\n  1   2   3\n";
const TPaletteColors kThree({RGB(255, 0, 0), RGB(0, 128, 7), RGB(1, 2, 3)});

TEST(ConvertPaletteArguments, UsageErrors) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--palette", "in.gpl"},
                                             {"--palette", "in.gpl", "out.txt"},
                                             {"--palette", "in.gpl", "out.bmp"},
                                             {"--palette", "--depth", "4", "in.gpl", "out.gpl"},
                                             {"--palette", "--info", "in.gpl", "out.gpl"},
                                             {"--palette", "--animate", "8x8", "in.bmp", "out.gif"},
                                             {"--palette=1", "in.gpl", "out.gpl"},
                                             {"--palette", "in.gpl", "out.gpl", "more.gpl"}}) {
    const TRun r = Convert(args);
    EXPECT_EQ(r.Status, 2) << args.back();
    EXPECT_NE(r.Err.find(kConvertUsage), std::string::npos) << r.Err;
  }
  EXPECT_NE(Convert({"--palette", "in.gpl", "out.txt"}).Err.find("must end in .gpl .pal .act .hex"),
            std::string::npos);
}

TEST_F(ConvertPalette, EveryFormatToEveryWritableFormat) {
  Write("in.gpl", kGimp);
  // In a chain through every written format and back: each step exact.
  std::string from = Path("in.gpl");
  for (const char* name : {"a.pal", "b.act", "c.hex", "d.gpl", "e.PAL"}) {
    const TRun r = Convert({"--palette", from, Path(name)});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(ReadPaletteColors(Path(name)), kThree) << name;
    from = Path(name);
  }
  EXPECT_EQ(Read("c.hex"), "ff0000\n008007\n010203\n");
  EXPECT_TRUE(Read("e.PAL").starts_with("JASC-PAL\r\n0100\r\n3\r\n"));
}

TEST_F(ConvertPalette, ThePaletteOfAPicture) {
  ASSERT_EQ(Convert({"--palette", Fixture("pal4_clr6.bmp"), Path("six.hex")}).Status, 0);
  TIxDIB picture;
  picture.LoadFromFile(Fixture("pal4_clr6.bmp"));
  std::string expected;
  for (int32_t i = 0; i < 6; ++i) {
    char line[8];
    const TColor c = picture.GetColors(i);
    std::snprintf(line, sizeof line, "%02x%02x%02x\n", unsigned{GetRValue(c)}, unsigned{GetGValue(c)},
                  unsigned{GetBValue(c)});
    expected += line;
  }
  EXPECT_EQ(Read("six.hex"), expected);
}

TEST_F(ConvertPalette, APngThroughThePlugInBesideTheExecutable) {
  if (!std::filesystem::exists(std::string(PIXKURA_BIN_DIR) + "/pixkura-png.spi"))
    GTEST_SKIP() << "no PNG plug-in";
  TIxDIB sheet;
  sheet.SetWidth(8);
  sheet.SetHeight(8);
  sheet.SetBitCount(8);
  sheet.SetPaletteSize(256);
  for (int32_t i = 0; i < 256; ++i) sheet.SetColors(i, RGB(uint8_t(255 - i), uint8_t(i * 3), uint8_t(i * 7)));
  SavePNG(Path("sheet.png"), sheet);
  const auto [status, out] = RunExecutable({"--palette", Path("sheet.png"), Path("sheet.act")});
  ASSERT_EQ(status, 0) << out;
  const TPaletteColors colors = ReadPaletteColors(Path("sheet.act"));
  ASSERT_EQ(colors.Count(), 256u);
  for (size_t i = 0; i < 256; ++i) ASSERT_EQ(colors[i], sheet.GetColors(int32_t(i))) << i;
}

TEST_F(ConvertPalette, ADamagedFileGivesStatus1AMessageAndNoOutput) {
  Write("bad.gpl", "GIMP Palette\n1 2 3\n4 5\n");
  TRun r = Convert({"--palette", Path("bad.gpl"), Path("out.hex")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "pixkura-convert: パレットファイル " + Path("bad.gpl") +
                       " の 3 行目: 赤・緑・青の三つの値 (0〜255) が必要です\n");
  EXPECT_FALSE(std::filesystem::exists(Path("out.hex")));

  r = Convert({"--palette", Path("missing.gpl"), Path("out.hex")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "pixkura-convert: " + FileOpenErrorMessage(Path("missing.gpl")) + "\n");

  Write("good.gpl", kGimp);
  r = Convert({"--palette", Path("good.gpl"), Path("no/such/folder/out.hex")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find(FileCreateErrorMessage(Path("no/such/folder/out.hex"))), std::string::npos) << r.Err;

  // The executable says the same with the same status.
  const auto [status, out] = RunExecutable({"--palette", Path("bad.gpl"), Path("out.gpl")});
  EXPECT_EQ(status, 1);
  EXPECT_NE(out.find(" の 3 行目: "), std::string::npos) << out;
  EXPECT_FALSE(std::filesystem::exists(Path("out.gpl")));
}

}  // namespace
}  // namespace pixkura
