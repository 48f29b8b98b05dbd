// pixkura-convert --sheet-data, read back with Python's json module and imaging library.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/JsonWriter.h"
#include "tests/support/SheetDataCheck.h"
#include "tests/tools/ConvertTestSupport.h"

namespace pixkura {
namespace {

using testing::CheckSheetData;
using testing::Convert;
using testing::TRun;

// A 64 x 40 sheet of 16 x 20 cells over transparent index 0: cell 0 holds
// two pixels, cell 1 is full, cell 2 empty, the others a scattered pattern.
class ConvertSheetData : public testing::ConvertFolder {
 protected:
  void SetUp() override {
    ConvertFolder::SetUp();
    if (!testing::HavePil()) GTEST_SKIP() << "no python3-pil";
    sheet_.SetWidth(64);
    sheet_.SetHeight(40);
    sheet_.SetBitCount(8);
    sheet_.SetPaletteSize(256);
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 64; ++x) {
        const bool scattered = x >= 48 || y >= 20 ? (x * 7 + y * 13) % 11 == 0 : false;
        sheet_.SetPixels(x, y, x >= 16 && x < 32 && y < 20 ? 7 : scattered ? 1 + (x + y) % 250 : 0);
      }
    sheet_.SetPixels(3, 5, 9);
    sheet_.SetPixels(10, 12, 9);
    std::filesystem::create_directory(Path("art"));
    sheet_.SaveToFile(Path("art/hero.bmp"));
  }
  TRun Run(std::vector<std::string> options, const std::string& out = "data.json") {
    options.insert(options.end(), {Path("art/hero.bmp"), Path(out)});
    return Convert(options);
  }
  std::string Check(int w, int h, int x = 0, int y = 0, int transparent = 0) {
    return CheckSheetData(Path("data.json"), Path("check.py"), w, h, x, y, transparent);
  }
  TIxDIB sheet_;
};

TEST(JsonText, StringsAreEscapedAndStayUtf8) {
  EXPECT_EQ(JsonQuoted("a\"\\\x01/\xe6\x97\xa5"), "\"a\\\"\\\\\\u0001/\xe6\x97\xa5\"");
  EXPECT_EQ(JsonQuoted("\xe9t\xc3"), "\"\xc3\xa9t\xc3\x83\"");  // Latin-1 bytes, a cut sequence
  EXPECT_EQ(JsonQuoted("\xed\xa0\x80"), "\"\xc3\xad\xc2\xa0\xc2\x80\"");  // no surrogates
}

TEST_F(ConvertSheetData, TrimmedFramesInAnArrayWithTags) {
  ASSERT_EQ(Run({"--sheet-data", "16x20", "--trim", "--delay", "120", "--tag", "walk:1-3:pingpong", "--tag",
                 "a:b:0-7"})
                .Status,
            0);
  const std::string out = Check(16, 20);
  EXPECT_EQ(out.find("bad"), std::string::npos) << out;
  EXPECT_EQ(out.substr(0, out.find("hero 3")),
            "frames 8\nhero 0 3,5 8x8 True 120\nhero 1 16,0 16x20 True 120\nhero 2 32,0 1x1 True 120\n");
  EXPECT_NE(out.find("tag walk 1 3 pingpong\ntag a:b 0 7 forward\n"), std::string::npos) << out;
}

TEST_F(ConvertSheetData, WholeCellsKeyedByNameFromAnOffset) {
  ASSERT_EQ(Run({"--sheet-data", "8x10+16+20", "--hash", "--frames", "7", "--transparent", "3"}).Status, 0);
  const std::string out = Check(8, 10, 16, 20, 3);
  EXPECT_EQ(out.find("bad"), std::string::npos) << out;
  EXPECT_EQ(out.substr(0, out.find("hero 1 ")), "frames 7\nhero 0 16,20 8x10 False 100\n");
  EXPECT_NE(out.find("hero 5 56,20 8x10 False 100\nhero 6 16,30 8x10 False 100\n"), std::string::npos) << out;  // the second row
}

TEST_F(ConvertSheetData, FaultsWriteNothing) {
  struct TBad {
    std::vector<std::string> options;
    int status;
  };
  const std::vector<TBad> cases = {
      {{"--sheet-data", "16x16"}, 1},  // 40 rows are no whole cells
      {{"--sheet-data", "16x20+64+0"}, 1},  // outside
      {{"--sheet-data", "16x20", "--frames", "9"}, 1},  // 8 cells
      {{"--sheet-data", "16x20", "--tag", "run:3-8"}, 1}, {{"--sheet-data", "16x20", "--tag", "run:4-3"}, 1},
      {{"--sheet-data", "16x20", "--transparent", "256"}, 2}, {{"--sheet-data", "16x20", "--tag", "run:3"}, 2},
      {{"--sheet-data", "16x20", "--tag", ":0-1"}, 2}, {{"--sheet-data", "16x20", "--tag", "run:0-1:back"}, 2},
      {{"--sheet-data", "16x20", "--hash=yes"}, 2}, {{"--sheet-data", "16x20", "--animate", "16x20"}, 2},
      {{"--trim", "16x20"}, 2},
  };
  for (const TBad& c : cases) {
    EXPECT_EQ(Run(c.options).Status, c.status) << c.options.back();
    EXPECT_FALSE(std::filesystem::exists(Path("data.json"))) << c.options.back();
  }
  EXPECT_EQ(Run({"--sheet-data", "16x20"}, "data.txt").Status, 2);
  ASSERT_EQ(Run({"--sheet-data", "16x20", "--frames", "8", "--tag", "run:0-7"}).Status, 0);
  EXPECT_NE(Check(16, 20).find("frames 8\n"), std::string::npos);
}

}  // namespace
}  // namespace pixkura
