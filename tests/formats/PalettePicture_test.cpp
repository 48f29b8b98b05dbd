// The palette of a picture: its colour table, or the distinct colours of a
// true-colour picture in reading order, read through the picture loader.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/PaletteFileError.h"
#include "formats/PaletteFiles.h"
#include "formats/PalettePicture.h"

namespace pixkura {
namespace {

std::string Fixture(const char* name) {
  return (std::filesystem::path(PIXKURA_TEST_DATA) / "bmp" / name).string();
}

void MakeTrueColour(TIxDIB& dib, int32_t width, int32_t height) {
  dib.SetWidth(width);
  dib.SetHeight(height);
  dib.SetBitCount(24);
}

TEST(PalettePicture, AColourTableGivesAsManyEntriesAsItHolds) {
  for (const char* name : {"pal4_clr6.bmp", "os2_1.bmp", "pal8.bmp", "rle4.bmp", "rle8.bmp"}) {
    SCOPED_TRACE(name);
    TIxDIB picture;
    picture.LoadFromFile(Fixture(name));
    const TPaletteColors colors = ReadPaletteColors(Fixture(name));
    ASSERT_EQ(colors.Count(), static_cast<size_t>(picture.GetPaletteSize()));
    for (size_t i = 0; i < colors.Count(); ++i)
      EXPECT_EQ(colors[i], picture.GetColors(static_cast<int32_t>(i)));
  }
  EXPECT_EQ(ReadPaletteColors(Fixture("pal4_clr6.bmp")).Count(), 6u);
}

TEST(PalettePicture, TrueColourGivesItsDistinctColoursInReadingOrder) {
  TIxDIB dib;
  MakeTrueColour(dib, 3, 2);
  const TColor a = RGB(10, 20, 30), b = RGB(200, 0, 1), c = RGB(0, 0, 0), d = RGB(255, 255, 255);
  const TColor rows[2][3] = {{a, b, a}, {c, b, d}};
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) dib.SetPixels(x, y, static_cast<int32_t>(rows[y][x]));
  const TPaletteColors expected({a, b, c, d});
  EXPECT_EQ(PaletteOfPicture(dib, "x.bmp"), expected);

  // The same picture as a file, through the loader.
  std::string dir = (std::filesystem::temp_directory_path() / "pixkura-palpic-XXXXXX").string();
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  dib.SaveToFile(dir + "/rgb.bmp");
  EXPECT_EQ(ReadPaletteColors(dir + "/rgb.bmp"), expected);
  std::filesystem::remove_all(dir);
}

TEST(PalettePicture, TrueColourOfMoreThan256ColoursIsRefused) {
  TIxDIB dib;
  MakeTrueColour(dib, 16, 16);
  for (int32_t i = 0; i < 256; ++i)
    dib.SetPixels(i % 16, i / 16, static_cast<int32_t>(RGB(uint8_t(i), 7, 7)));
  EXPECT_EQ(PaletteOfPicture(dib, "full.bmp").Count(), 256u);
  dib.SetPixels(15, 15, static_cast<int32_t>(RGB(1, 2, 3)));  // replaces one colour: still 256
  EXPECT_EQ(PaletteOfPicture(dib, "full.bmp").Count(), 256u);
  TIxDIB wide;
  MakeTrueColour(wide, 257, 1);
  for (int32_t x = 0; x < 257; ++x)
    wide.SetPixels(x, 0, static_cast<int32_t>(RGB(uint8_t(x), uint8_t(x >> 8), 0)));
  try {
    PaletteOfPicture(wide, "photo.png");
    ADD_FAILURE() << "257 colours read";
  } catch (const EPaletteFileError& e) {
    EXPECT_STREQ(e.what(),
                 "パレットファイル photo.png: 256 色を超えるフルカラー画像にはパレットがありません "
                 "(先に 256 色に減色してください)");
  }
}

TEST(PalettePicture, TrueColourTheLoaderCannotDecodeIsRefused) {
  // The loader keeps an unknown compression of a 24-bit picture as it read it.
  std::ifstream in(Fixture("rgb24.bmp"), std::ios::binary);
  std::vector<uint8_t> bmp{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(bmp.size(), 34u);
  bmp[32] = 0x20;  // biCompression 0x200000
  try {
    DecodePaletteColors(bmp, "odd.bmp");
    ADD_FAILURE() << "colours read";
  } catch (const EPaletteFileError& e) {
    EXPECT_STREQ(e.what(), "パレットファイル odd.bmp: 色を読み取れない画素の形式です");
  }
}

}  // namespace
}  // namespace pixkura
