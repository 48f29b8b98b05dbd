// The PNG writer: file layout, chunk CRCs, the deflated rows, and a check by
// independent decoders (PIL and pngcheck) when they are installed.
#include "formats/png.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace pixkura {
namespace {

uint32_t BE32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

std::vector<uint8_t> Inflate(const uint8_t* data, size_t size, size_t expected) {
  std::vector<uint8_t> out(expected + 16);
  uLongf outSize = out.size();
  EXPECT_EQ(uncompress(out.data(), &outSize, data, size), Z_OK);
  out.resize(outSize);
  return out;
}

// An 8-bit sheet of w x h with pixel (x, y) = (x + 3y) mod 256 and colour i =
// (i, 255 - i, i * 5).
void MakeSheet(TIxDIB& dib, int32_t w, int32_t h) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetPaletteSize(256);
  for (int i = 0; i < 256; ++i) dib.SetColors(i, RGB(i, 255 - i, i * 5));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) dib.SetPixels(x, y, (x + 3 * y) % 256);
}

// A w x h picture of mixed content that deflate handles in different ways:
// flat runs, a repeating pattern, and random noise, in bands of rows.
void MakeMixedPicture(TIxDIB& dib, int32_t w, int32_t h) {
  MakeSheet(dib, w, h);
  std::mt19937 rng(17);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int band = y / 37 % 3;
      const int v = band == 0 ? 200 : band == 1 ? (x / 5 + y) % 7 : static_cast<int>(rng() & 255);
      dib.SetPixels(x, y, v);
    }
}

struct TChunk {
  std::string Type;
  size_t DataAt;
  uint32_t Length;
};

// Walks the chunks, checking every CRC against zlib's crc32.
std::vector<TChunk> Chunks(const std::vector<uint8_t>& png) {
  std::vector<TChunk> chunks;
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t len = BE32(png, at);
    EXPECT_LE(at + 12 + len, png.size());
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    const uint32_t crc = static_cast<uint32_t>(crc32(0, png.data() + at + 4, len + 4));
    EXPECT_EQ(BE32(png, at + 8 + len), crc) << type;
    chunks.push_back({type, at + 8, len});
    at += 12 + len;
  }
  EXPECT_EQ(at, png.size());
  return chunks;
}

TEST(PNG, OnePixelFileLayout) {
  TIxDIB dib;
  MakeSheet(dib, 1, 1);
  dib.SetPixels(0, 0, 0xA7);
  const std::vector<uint8_t> png = EncodePNG(dib);
  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  ASSERT_GT(png.size(), 845u);
  EXPECT_EQ(0, std::memcmp(png.data(), signature, 8));
  EXPECT_EQ(BE32(png, 8), 13u);
  EXPECT_EQ(BE32(png, 16), 1u);
  EXPECT_EQ(BE32(png, 20), 1u);
  EXPECT_EQ(std::vector<uint8_t>(png.begin() + 24, png.begin() + 29), (std::vector<uint8_t>{8, 3, 0, 0, 0}));
  EXPECT_EQ(BE32(png, 33), 768u);
  EXPECT_EQ(png[41 + 3 * 200], 200);       // red of entry 200
  EXPECT_EQ(png[41 + 3 * 200 + 1], 55);    // green
  EXPECT_EQ(png[41 + 3 * 200 + 2], 0xE8);  // blue, 1000 mod 256
  const uint32_t n = BE32(png, 813);
  EXPECT_EQ(std::string(png.begin() + 817, png.begin() + 821), "IDAT");
  EXPECT_EQ(Inflate(png.data() + 821, n, 2), (std::vector<uint8_t>{0, 0xA7}));
  EXPECT_EQ(png.size(), 837u + n);
  const uint8_t iend[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  EXPECT_EQ(0, std::memcmp(png.data() + png.size() - 12, iend, 12));

  const std::vector<TChunk> chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].Type + chunks[1].Type + chunks[2].Type + chunks[3].Type, "IHDRPLTEIDATIEND");
}

TEST(PNG, SheetInflatesToFilteredRows) {
  TIxDIB dib;
  MakeSheet(dib, 256, 256);
  const std::vector<uint8_t> png = EncodePNG(dib);
  const std::vector<TChunk> chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 4u);
  const std::vector<uint8_t> raw = Inflate(png.data() + chunks[2].DataAt, chunks[2].Length, 256 * 257);
  ASSERT_EQ(raw.size(), 256u * 257);
  for (int y = 0; y < 256; ++y) {
    ASSERT_EQ(raw[y * 257], 0);
    for (int x = 0; x < 256; ++x) ASSERT_EQ(raw[y * 257 + 1 + x], (x + 3 * y) % 256) << x << "," << y;
  }
}

TEST(PNG, PicturesOfEveryShapeInflateToTheirRows) {
  for (const auto& [w, h] : {std::pair{1, 300}, {1000, 3}, {333, 257}, {2, 2}, {1500, 1000}}) {
    TIxDIB dib;
    MakeMixedPicture(dib, w, h);
    const std::vector<uint8_t> png = EncodePNG(dib);
    const std::vector<TChunk> chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 4u);
    const size_t rowBytes = static_cast<size_t>(w) + 1;
    const std::vector<uint8_t> raw =
        Inflate(png.data() + chunks[2].DataAt, chunks[2].Length, rowBytes * static_cast<size_t>(h));
    ASSERT_EQ(raw.size(), rowBytes * static_cast<size_t>(h)) << w << "x" << h;
    for (int y = 0; y < h; ++y) {
      ASSERT_EQ(raw[y * rowBytes], 0);
      for (int x = 0; x < w; ++x) ASSERT_EQ(raw[y * rowBytes + 1 + x], dib.GetPixels(x, y)) << x << "," << y;
    }
  }
}

TEST(PNG, PaletteAlwaysHas256EntriesAndLowDepthsGiveIndices) {
  TIxDIB dib;
  dib.SetBitCount(4);
  dib.SetWidth(3);
  dib.SetHeight(2);
  dib.SetColors(15, RGB(1, 2, 3));
  dib.SetPixels(2, 1, 15);
  const std::vector<uint8_t> png = EncodePNG(dib);
  EXPECT_EQ(BE32(png, 33), 768u);
  EXPECT_EQ(png[41 + 45], 1);
  const uint32_t n = BE32(png, 813);
  EXPECT_EQ(Inflate(png.data() + 821, n, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 15}));
}

TEST(PNG, CrcMatchesTheStandardCheckValue) {
  const char* text = "123456789";
  EXPECT_EQ(PNGCrc32(reinterpret_cast<const uint8_t*>(text), 9), 0xCBF43926u);
  EXPECT_EQ(PNGCrc32(reinterpret_cast<const uint8_t*>("IEND"), 4), 0xAE426082u);
}

TEST(PNG, StorageWithoutIndicesIsRefused) {
  TIxDIB dib;
  dib.SetBitCount(24);
  EXPECT_THROW(EncodePNG(dib), EIxDIBBadDIBType);
}

TEST(PNG, ATransparentEntryGivesTRNSUpToItAndWithoutOneTheBytesStayAsBefore) {
  TIxDIB dib;
  MakeMixedPicture(dib, 333, 257);
  const std::vector<uint8_t> plain = EncodePNG(dib);
  EXPECT_EQ(plain.size(), 26503u);  // the file as the writer made it before it took options
  EXPECT_EQ(PNGCrc32(plain.data(), plain.size()), 3918058332u);
  for (const int transparent : {0, 1, 255}) {
    std::vector<uint8_t> png = EncodePNG(dib, {.TransparentIndex = uint8_t(transparent)});
    const TChunk tRNS = Chunks(png)[2];  // between PLTE and IDAT
    EXPECT_EQ(tRNS.Type, "tRNS");
    std::vector<uint8_t> alpha(size_t(transparent) + 1, 255);
    alpha.back() = 0;
    EXPECT_EQ(std::vector<uint8_t>(png.begin() + tRNS.DataAt, png.begin() + tRNS.DataAt + tRNS.Length),
              alpha);
    png.erase(png.begin() + tRNS.DataAt - 8, png.begin() + tRNS.DataAt + tRNS.Length + 4);
    EXPECT_EQ(png, plain) << transparent;  // apart from the chunk, the plain file
  }
}

// Runs a command; returns its exit status and output.
std::pair<int, std::string> RunCommand(const std::string& command) {
  std::string out;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return {-1, out};
  std::array<char, 4096> buf;
  while (size_t n = fread(buf.data(), 1, buf.size(), p)) out.append(buf.data(), n);
  return {pclose(p), out};
}

// Independent decoders on two files: the 256 x 256 sheet, and a picture of
// odd size and mixed content.
class PNGFile : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    path_ =
        (std::filesystem::temp_directory_path() / ("pixkura_png_test_" + std::to_string(getpid()) + ".png"))
            .string();
    if (GetParam()) {
      MakeMixedPicture(dib_, 333, 257);
    } else {
      MakeSheet(dib_, 256, 256);
    }
    dib_.SetColors(0, RGB(0x12, 0x34, 0x56));
    SavePNG(path_, dib_);
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::string path_;
  TIxDIB dib_;
};

TEST_P(PNGFile, PILReadsTheSamePaletteAndIndices) {
  const char* python = "/usr/bin/python3";
  if (access(python, X_OK) != 0 || RunCommand(std::string(python) + " -c 'import PIL'").first != 0)
    GTEST_SKIP() << "python3 with PIL is not installed";
  // PIL prints mode, size, palette length, a checksum of the palette and
  // one of the indices; the same figures are computed here.
  const std::string script =
      "from PIL import Image\n"
      "im = Image.open('" +
      path_ +
      "'); im.load()\n"
      "pal = im.palette.tobytes() if hasattr(im.palette, 'tobytes') else im.palette.getdata()[1]\n"
      "px = im.tobytes()\n"
      "print(im.mode, im.size[0], im.size[1], len(pal), sum(i * b for i, b in enumerate(pal)),"
      " sum(i * b for i, b in enumerate(px)))\n";
  const auto [status, out] = RunCommand(std::string(python) + " -c \"" + script + "\"");
  ASSERT_EQ(status, 0) << out;
  uint64_t palSum = 0, pxSum = 0;
  for (int i = 0; i < 256; ++i) {
    const TColor c = dib_.GetColors(i);
    palSum += uint64_t(3 * i) * GetRValue(c) + uint64_t(3 * i + 1) * GetGValue(c) +
              uint64_t(3 * i + 2) * GetBValue(c);
  }
  const int32_t w = dib_.GetWidth(), h = dib_.GetHeight();
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) pxSum += uint64_t(y * w + x) * dib_.GetPixels(x, y);
  EXPECT_EQ(out, "P " + std::to_string(w) + " " + std::to_string(h) + " 768 " + std::to_string(palSum) + " " +
                     std::to_string(pxSum) + "\n");
}

TEST_P(PNGFile, PngcheckPasses) {
  if (RunCommand("command -v pngcheck").first != 0) GTEST_SKIP() << "pngcheck is not installed";
  const auto [status, out] = RunCommand("pngcheck -v '" + path_ + "'");
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("256 palette entries"), std::string::npos) << out;
  EXPECT_NE(out.find("No errors"), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(SheetAndMixedPicture, PNGFile, ::testing::Bool());

}  // namespace
}  // namespace pixkura
