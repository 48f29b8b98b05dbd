// Loading palette pictures through the shipped plug-ins: the palette order
// and the indices must arrive exactly as stored, whoever wrote the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "formats/SPIIxDIB.h"
#include "formats/png.h"
#include "tests/formats/support/TestPlugins.h"

namespace pixkura {
namespace {

using testing::TTempFolder;

// A palette of 256 distinct entries in no sorted order, and a picture that
// uses each entry.
TColor PaletteEntry(int i) {
  return RGB(static_cast<uint8_t>(i * 37 + 11), static_cast<uint8_t>(255 - i),
             static_cast<uint8_t>(i * 11 + 3));
}
int IndexAt(int x, int y, int width) { return ((y * width + x) * 73 + 5) % 256; }

class SPIIxDIBShipped : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"pixkura-png.spi", "pixkura-gif.spi"}) {
      const std::string path = std::string(PIXKURA_BIN_DIR) + "/" + name;
      if (!std::filesystem::exists(path)) continue;
      if (auto spi = CreateSPI(path)) spis_.Add(std::move(spi));
    }
  }
  // Whether a shipped plug-in names ext (".png") in its filters.
  bool Have(const std::string& ext) const {
    for (int32_t i = 0; i < spis_.Count(); ++i)
      for (const std::string& filter : spis_.Items(i).Filters)
        if (AsciiLower(filter).find(ext) != std::string::npos) return true;
    return false;
  }
  static void ExpectPicture(const TSPIIxDIB& dib, int width, int height) {
    ASSERT_EQ(dib.GetWidth(), width);
    ASSERT_EQ(dib.GetHeight(), height);
    ASSERT_EQ(dib.GetBitCount(), 8);
    ASSERT_EQ(dib.GetPaletteSize(), 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(dib.GetColors(i), PaletteEntry(i)) << "entry " << i;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) ASSERT_EQ(dib.GetPixels(x, y), IndexAt(x, y, width)) << x << "," << y;
  }

  TTempFolder folder_;
  TSPIs spis_;
};

TEST_F(SPIIxDIBShipped, OwnPngComesBackWithTheSamePaletteAndIndices) {
  if (!Have(".png")) GTEST_SKIP() << "no PNG plug-in in " << PIXKURA_BIN_DIR;
  TIxDIB sheet;
  sheet.SetWidth(256);
  sheet.SetHeight(256);
  sheet.SetBitCount(8);
  sheet.SetPaletteSize(256);
  for (int i = 0; i < 256; ++i) sheet.SetColors(i, PaletteEntry(i));
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) sheet.SetPixels(x, y, IndexAt(x, y, 256));
  const std::string file = folder_.File("sheet.png");
  SavePNG(file, sheet);
  TSPIIxDIB dib;
  dib.LoadFromFile(file);
  ExpectPicture(dib, 256, 256);
}

// Files made by another tool (Python's imaging library) with the same palette.
class SPIIxDIBForeign : public SPIIxDIBShipped {
 protected:
  bool MakeWithPil(const std::string& file, const std::string& format) {
    const std::string script = folder_.File("make.py");
    std::FILE* f = std::fopen(script.c_str(), "w");
    if (!f) return false;
    std::fprintf(f,
                 "import sys\nfrom PIL import Image\nw, h = 40, 24\nim = Image.new('P', (w, h))\n"
                 "pal = []\nfor i in range(256):\n"
                 "    pal += [(i * 37 + 11) %% 256, 255 - i, (i * 11 + 3) %% 256]\n"
                 "im.putpalette(pal)\n"
                 "im.putdata([((y * w + x) * 73 + 5) %% 256 for y in range(h) for x in range(w)])\n"
                 "im.save(sys.argv[1], sys.argv[2], optimize=False)\n");
    std::fclose(f);
    const std::string command = "/usr/bin/python3 '" + script + "' '" + file + "' " + format + " 2>/dev/null";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(file);
  }
};

TEST_F(SPIIxDIBForeign, IndexedPngKeepsItsPaletteOrder) {
  if (!Have(".png")) GTEST_SKIP() << "no PNG plug-in in " << PIXKURA_BIN_DIR;
  const std::string file = folder_.File("pil.png");
  if (!MakeWithPil(file, "PNG")) GTEST_SKIP() << "python3 with PIL is not installed";
  TSPIIxDIB dib;
  dib.LoadFromFile(file);
  ExpectPicture(dib, 40, 24);
}

TEST_F(SPIIxDIBForeign, GifKeepsItsPaletteOrder) {
  if (!Have(".gif")) GTEST_SKIP() << "no GIF plug-in in " << PIXKURA_BIN_DIR;
  const std::string file = folder_.File("pil.gif");
  if (!MakeWithPil(file, "GIF")) GTEST_SKIP() << "python3 with PIL is not installed";
  TSPIIxDIB dib;
  dib.LoadFromFile(file);
  ExpectPicture(dib, 40, 24);
}

}  // namespace
}  // namespace pixkura
