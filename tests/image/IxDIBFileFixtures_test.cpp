// Every BMP fixture decodes to the pixels an independent decoder (PIL) read
// from it (tests/data/bmp/make_fixtures.py wrote both).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "image/IxDIB.h"
#include "image/IxDIBRLE.h"

namespace pixkura {
namespace {

namespace fs = std::filesystem;

struct TExpected {
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0xRRGGBB, top row first
};

TExpected ReadExpected(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // comment
  TExpected e;
  in >> e.Width >> e.Height;
  std::string hex;
  while (in >> hex) e.Pixels.push_back(static_cast<uint32_t>(std::stoul(hex, nullptr, 16)));
  return e;
}

// The picture's colours as 0xRRGGBB, through the colour table for indexed
// storage; RLE storage is decoded first.
std::vector<uint32_t> DecodedColours(const TIxInternalDIB& stored) {
  std::unique_ptr<TIxInternalDIB> decoded;
  const TIxInternalDIB* d = &stored;
  if (stored.Header().biCompression == BI_RLE8) d = (decoded = Convert8BitRLETo8BitRGB(stored)).get();
  if (stored.Header().biCompression == BI_RLE4) d = (decoded = Convert4BitRLETo4BitRGB(stored)).get();
  std::vector<uint32_t> out;
  const int bits = d->Header().biBitCount;
  for (int32_t y = 0; y < d->Height; ++y) {
    const uint8_t* row = d->Row(y);
    for (int32_t x = 0; x < d->Width; ++x) {
      if (bits == 24) {
        const uint8_t* p = row + 3 * x;
        out.push_back(uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]);
        continue;
      }
      const int perByte = 8 / bits;
      const int index = (row[x / perByte] >> (bits * (perByte - 1 - x % perByte))) & ((1 << bits) - 1);
      EXPECT_LT(static_cast<uint32_t>(index), d->Header().biClrUsed);
      const TRGBQuad& q = d->ColorTable()[index];
      out.push_back(uint32_t{q.rgbRed} << 16 | uint32_t{q.rgbGreen} << 8 | q.rgbBlue);
    }
  }
  return out;
}

TEST(BmpFixtures, DecodeAsAnIndependentDecoderDoes) {
  const fs::path dir = fs::path(PIXKURA_TEST_DATA) / "bmp";
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".txt") continue;
    const fs::path bmp = fs::path(entry.path()).replace_extension(".bmp");
    SCOPED_TRACE(bmp.filename().string());
    const TExpected expected = ReadExpected(entry.path());
    TIxDIB dib;
    dib.LoadFromFile(bmp.string());
    ASSERT_EQ(dib.GetWidth(), expected.Width);
    ASSERT_EQ(dib.GetHeight(), expected.Height);
    EXPECT_EQ(DecodedColours(dib.InternalDIB()), expected.Pixels);
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

TEST(BmpFixtures, HeaderVariantsGiveTheirDepthAndPaletteSize) {
  const fs::path dir = fs::path(PIXKURA_TEST_DATA) / "bmp";
  const struct {
    const char* name;
    TIxPixelFormat format;
    int32_t paletteSize;
  } cases[] = {
      {"pal1_clr0", ixPf1Bit, 2},   {"pal4_clr0", ixPf4Bit, 16},  {"pal4_clr6", ixPf4Bit, 6},
      {"pal8_clr0", ixPf8Bit, 256}, {"pal8_clr40", ixPf8Bit, 40}, {"rle8", ixPf8BitRLE, 256},
      {"rle4", ixPf4BitRLE, 16},    {"os2_4", ixPf4Bit, 16},      {"os2_24", ixPf24Bit, 0},
      {"bf16_565", ixPf24Bit, 0},   {"rgb32", ixPf24Bit, 0},      {"rle8_imagemagick", ixPf8BitRLE, 256}};
  for (const auto& c : cases) {
    TIxDIB dib;
    dib.LoadFromFile((dir / (std::string(c.name) + ".bmp")).string());
    EXPECT_EQ(dib.GetPixelFormat(), c.format) << c.name;
    EXPECT_EQ(dib.GetPaletteSize(), c.paletteSize) << c.name;
  }
}

}  // namespace
}  // namespace pixkura
