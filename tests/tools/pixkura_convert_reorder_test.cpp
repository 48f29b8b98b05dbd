// pixkura-convert --reorder and --transparent-png: the operation list, the
// pictures it refuses, and the written files as Python's imaging library
// reads them (the same colours, the indices the operations say).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/ConvertTestSupport.h"

namespace pixkura {
namespace {

using testing::Convert;
using testing::Fixture;
using testing::TRun;

using TOps = std::vector<TReorderOperation>;
using K = TReorderKind;

TEST(ConvertReorderArguments, OperationLists) {
  const struct {
    const char* text;
    TOps operations;
  } good[] = {
      {"swap=0:255", {{K::Swap, 0, 255}}},
      {"move=255:0,transparent-to-0=7", {{K::Move, 255, 0}, {K::TransparentToZero, 7}}},
      {"sort-luminance=3-3,sort-hue=9-1,sort-use=0-255", {{K::SortLuminance, 3, 3}, {K::SortHue, 9, 1}, {K::SortUse, 0, 255}}},
      {"merge-duplicates,compact", {{K::MergeDuplicates}, {K::Compact}}},
  };
  std::string error;
  for (const auto& c : good) {
    const auto options = ParseConvertArguments({"--reorder", c.text, "in.bmp", "out.png"}, error);
    ASSERT_TRUE(options) << c.text << ": " << error;
    EXPECT_EQ(options->Reorder, c.operations) << c.text;
  }
  // Each list with the part named in the message.
  const std::pair<const char*, const char*> bad[] = {
      {"swap=0:256", "swap=0:256"}, {"swap=0-1", "swap=0-1"},   {"sort-hue=1:2", "sort-hue=1:2"},
      {"move=1", "move=1"},         {"compact=3", "compact=3"}, {"compact,,swap=1:2", ""},
      {"", ""},                     {"swap=1:2,", ""},          {"transparent-to-0=-1", "transparent-to-0=-1"},
      {"Swap=1:2", "Swap=1:2"},     {"swap=1:2x", "swap=1:2x"}, {"merge-duplicates,sort", "sort"}};
  for (const auto& [text, part] : bad) {
    const TRun r = Convert({"--reorder", text, Fixture("pal8.bmp"), "out.png"});
    EXPECT_EQ(r.Status, 2) << text;
    EXPECT_NE(r.Err.find("operation \"" + std::string(part) + "\""), std::string::npos) << r.Err;
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--reorder", "compact", "--depth", "8", "in.bmp", "out.bmp"},
           {"--reorder", "compact", "--palette", "in.bmp", "out.gpl"},
           {"--transparent-png", "256", "in.bmp", "out.png"},
           {"--transparent-png", "1", "in.bmp", "out.bmp"},
           {"--transparent-png", "1", "--palette", "in.gpl", "out.png"}})
    EXPECT_EQ(Convert(args).Status, 2) << args[1];
}

class ConvertReorder : public testing::ConvertFolder {
 protected:
  // 5 x 3 pixels over 8 entries: 3 and 7 repeat 0 and 2, 5 and 7 are unused.
  void SetUp() override {
    ConvertFolder::SetUp();
    const TColor palette[] = {RGB(200, 0, 0),   RGB(128, 128, 128), RGB(0, 0, 255),   RGB(200, 0, 0),
                              RGB(0, 255, 0),   RGB(10, 10, 10),    RGB(255, 255, 0), RGB(0, 0, 255)};
    TIxDIB sheet;
    sheet.SetWidth(5);
    sheet.SetHeight(3);
    sheet.SetBitCount(8);
    sheet.SetPaletteSize(8);
    for (int32_t i = 0; i < 8; ++i) sheet.SetColors(i, palette[i]);
    for (size_t i = 0; i < kPixels.size(); ++i) sheet.SetPixels(int32_t(i % 5), int32_t(i / 5), kPixels[i]);
    sheet.SaveToFile(Path("in.bmp"));
  }
  const std::vector<int> kPixels = {0, 0, 0, 1, 2, 2, 3, 4, 4, 4, 4, 6, 6, 1, 3};
};

TEST_F(ConvertReorder, PixelsFollowTheirEntriesAndKeepTheirColours) {
  const struct {
    const char* operations;
    std::vector<int> map;  // old index -> new index
  } cases[] = {
      {"swap=0:7", {7, 1, 2, 3, 4, 5, 6, 0}},
      {"move=0:7,transparent-to-0=5", {7, 5, 1, 2, 3, 4, 0, 6}},
      {"sort-luminance=7-0,merge-duplicates,compact", {1, 2, 0, 1, 3, 5, 4, 0}},
  };
  std::string script = "rgb = list(Image.open('in.bmp').convert('RGB').getdata())\n", expected;
  int n = 0;
  for (const auto& c : cases) {
    for (const char* extension : {".png", ".bmp"}) {
      const std::string name = "out" + std::to_string(n++) + extension;
      const TRun r = Convert({"--reorder", c.operations, Path("in.bmp"), Path(name)});
      ASSERT_EQ(r.Status, 0) << r.Err;
      script += "im = Image.open('" + name + "')\nprint(list(im.convert('RGB').getdata()) == rgb, *im.getdata())\n";
      expected += "True";
      for (const int p : kPixels) expected += " " + std::to_string(c.map[size_t(p)]);
      expected += "\n";
    }
  }
  std::string out;
  if (!Pil(script, out)) GTEST_SKIP() << "python3 with PIL is not installed";
  EXPECT_EQ(out, expected);
}

TEST_F(ConvertReorder, PicturesThatAreNot8BitPaletteOnesAndIndicesOutsideThePaletteAreRefused) {
  for (const auto& [input, operations] : {std::pair{Fixture("rgb24.bmp"), "compact"},
                                          {Fixture("pal4.bmp"), "compact"},
                                          {Path("in.bmp"), "swap=0:8"}}) {
    const TRun r = Convert({"--reorder", operations, input, Path("out.png")});
    EXPECT_EQ(r.Status, 1) << input;
    EXPECT_NE(r.Err, "");
    EXPECT_FALSE(std::filesystem::exists(Path("out.png")));
  }
  EXPECT_EQ(Convert({"--reorder", "swap=0:7", Path("in.bmp"), Path("out.png")}).Status, 0);
}

TEST_F(ConvertReorder, TransparentPngMakesOneEntryTransparent) {
  ASSERT_EQ(Convert({"--transparent-png", "3", Path("in.bmp"), Path("plain.png")}).Status, 0);
  ASSERT_EQ(Convert({"--reorder", "swap=1:2", "--transparent-png=0", Path("in.bmp"), Path("reordered.png")}).Status, 0);
  std::string out;
  if (!Pil("for n in ('plain.png', 'reordered.png'): print(Image.open(n).info['transparency'])\n", out))
    GTEST_SKIP() << "python3 with PIL is not installed";
  EXPECT_EQ(out, "3\n0\n");
}

TEST_F(ConvertReorder, APaletteOfMoreThan256ColoursIsReadForItsFirst256) {
  for (const int count : {256, 257}) {
    std::string gimp = "GIMP Palette\n";
    for (int i = 0; i < count; ++i) gimp += std::to_string(i % 256) + " 0 0\n";
    Write("many.gpl", gimp);
    const TRun r = Convert({"--palette", Path("many.gpl"), Path("out.hex")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Read("out.hex").size(), 256u * 7);
    EXPECT_EQ(r.Err.find("残りの 1 色は省きました") != std::string::npos, count == 257) << r.Err;
  }
}

}  // namespace
}  // namespace pixkura
