// Damaged palette files of every kind: a clear message naming the file and
// the line (text) or the byte offset (binary) at fault, and no colours.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "formats/PaletteAct.h"
#include "formats/PaletteFileError.h"
#include "formats/PaletteFiles.h"
#include "formats/PaletteHex.h"
#include "formats/PaletteRaw.h"

namespace pixkura {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The message DecodePaletteColors raises for bytes; a failure when it raises none.
std::string FaultOf(const std::vector<uint8_t>& bytes, const std::string& fileName = "/tmp/damaged.pal") {
  try {
    const TPaletteColors colors = DecodePaletteColors(bytes, fileName);
    return "read " + std::to_string(colors.Count()) + " colours";
  } catch (const EPaletteFileError& e) {
    return e.what();
  }
}

struct TCase {
  const char* what;
  std::string text;
  std::string fault;  // the whole message after "パレットファイル /tmp/damaged.pal"
};

TEST(PaletteDamaged, TextFormatsNameTheLine) {
  const std::vector<TCase> cases = {
      {"gimp signature", "GIMP Palette 2\n1 2 3\n", " の 1 行目: 最初の行が \"GIMP Palette\" ではありません"},
      {"gimp two values", "GIMP Palette\n# c\n\n1 2\n",
       " の 4 行目: 赤・緑・青の三つの値 (0〜255) が必要です"},
      {"gimp over 255", "GIMP Palette\r\n1 2 3\r\n4 256 6 Name\r\n",
       " の 3 行目: 色の値 256 が 0〜255 の範囲にありません"},
      {"gimp negative", "GIMP Palette\n-1 2 3\n", " の 2 行目: \"-1\" は 0〜255 の数ではありません"},
      {"gimp word", "GIMP Palette\nName: x\nred 2 3\n", " の 3 行目: \"red\" は 0〜255 の数ではありません"},
      {"gimp binary word", std::string("GIMP Palette\n1 2 \x01\xFF\n"),
       " の 2 行目: \"??\" は 0〜255 の数ではありません"},
      {"gimp no colours", "GIMP Palette\nName: empty\n# nothing\n", ": 色が一つもありません"},
      {"jasc version", "JASC-PAL\n0200\n1\n1 2 3\n", " の 2 行目: 版が \"0100\" ではありません"},
      {"jasc no version", "JASC-PAL\n", " の 2 行目: 版 \"0100\" がありません"},
      {"jasc no count", "JASC-PAL\r\n0100\r\n", " の 3 行目: 色の数がありません"},
      {"jasc count 0", "JASC-PAL\n0100\n0\n", " の 3 行目: 色の数 \"0\" が 1〜65536 の数ではありません"},
      {"jasc count 65537", "JASC-PAL\n0100\n65537\n", " の 3 行目: 色の数 \"65537\" が 1〜65536 の数ではありません"},
      {"jasc count 65536 short", "JASC-PAL\n0100\n65536\n", " の 4 行目: 色の数 65536 に対して色が 0 しかありません"},
      {"jasc count huge", "JASC-PAL\n0100\n99999999999999999999999\n",
       " の 3 行目: 色の数 \"9999999999999999...\" が 1〜65536 の数ではありません"},
      {"jasc short", "JASC-PAL\n0100\n3\n1 2 3\n4 5 6\n",
       " の 6 行目: 色の数 3 に対して色が 2 しかありません"},
      {"jasc long", "JASC-PAL\n0100\n1\n1 2 3\n4 5 6\n", " の 5 行目: 色の数 1 より多くの行があります"},
      {"jasc five values", "JASC-PAL\n0100\n1\n1 2 3 4 5\n",
       " の 4 行目: 色の行に赤・緑・青とアルファのほかの値があります"},
      {"gimp rgba without alpha", "GIMP Palette\nChannels: RGBA\n1 2 3 255 a\n4 5 6\n",
       " の 4 行目: 赤・緑・青とアルファの四つの値 (0〜255) が必要です"},
      {"gimp channels", "GIMP Palette\nChannels: CMYK\n1 2 3\n",
       " の 2 行目: チャンネル \"CMYK\" は RGB でも RGBA でもありません"},
      {"jasc over 255", "JASC-PAL\n0100\n1\n1 2 1000\n",
       " の 4 行目: 色の値 1000 が 0〜255 の範囲にありません"},
      {"hex bad line", "ff00ff\n\nzz00ff\n", " の 3 行目: \"zz00ff\" は RRGGBB の形の色ではありません"},
      {"hex short line", "#ff00ff\n#ff00f\n", " の 2 行目: \"#ff00f\" は RRGGBB の形の色ではありません"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(FaultOf(Bytes(c.text)), "パレットファイル /tmp/damaged.pal" + c.fault) << c.what;
}

std::vector<uint8_t> Riff(uint32_t formSize, const std::vector<uint8_t>& chunks) {
  std::vector<uint8_t> f = Bytes("RIFF");
  for (int i = 0; i < 4; ++i) f.push_back(static_cast<uint8_t>(formSize >> (8 * i)));
  const std::vector<uint8_t> type = Bytes("PAL ");
  f.insert(f.end(), type.begin(), type.end());
  f.insert(f.end(), chunks.begin(), chunks.end());
  return f;
}

std::vector<uint8_t> DataChunk(uint32_t size, uint16_t count, size_t entries) {
  std::vector<uint8_t> c = Bytes("data");
  for (int i = 0; i < 4; ++i) c.push_back(static_cast<uint8_t>(size >> (8 * i)));
  c.insert(c.end(), {0x00, 0x03, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)});
  c.resize(c.size() + 4 * entries, 0x11);
  return c;
}

TEST(PaletteDamaged, BinaryFormatsNameTheOffsetOrTheFault) {
  const std::string file = "パレットファイル /tmp/damaged.pal";
  EXPECT_EQ(FaultOf(Riff(100, DataChunk(8, 1, 1))),
            file + " のオフセット 4: RIFF の大きさ 100 がファイルの残りを超えています");
  EXPECT_EQ(FaultOf(Riff(4 + 16, DataChunk(40, 1, 1))),
            file + " のオフセット 12: チャンクが途中で切れています");
  EXPECT_EQ(FaultOf(Riff(4 + 12, DataChunk(4, 0, 0))),
            file + " のオフセット 22: 色の数 0 が 1〜256 ではありません");
  EXPECT_EQ(FaultOf(Riff(4 + 16, DataChunk(8, 300, 1))),
            file + " のオフセット 22: 色の数 300 が 1〜256 ではありません");
  EXPECT_EQ(FaultOf(Riff(4 + 16, DataChunk(8, 2, 1))),
            file + " のオフセット 20: data チャンクに 2 色が収まっていません");
  EXPECT_EQ(FaultOf(Riff(4 + 10, DataChunk(2, 1, 0))), file + " のオフセット 20: data チャンクが短すぎます");
  EXPECT_EQ(FaultOf(Riff(4, {})), file + ": RIFF パレットに data チャンクがありません");
  // A chunk size that would wrap a 32-bit sum.
  EXPECT_EQ(FaultOf(Riff(4 + 16, DataChunk(0xFFFFFFFF, 1, 1))),
            file + " のオフセット 12: チャンクが途中で切れています");

  std::vector<uint8_t> act(772, 0);
  EXPECT_EQ(FaultOf(act), file + " のオフセット 768: 色の数 0 が 1〜256 ではありません");
  act[768] = 1, act[769] = 1;
  EXPECT_EQ(FaultOf(act), file + " のオフセット 768: 色の数 257 が 1〜256 ではありません");
  // The readers of fixed sizes, called directly on other sizes.
  EXPECT_THROW(DecodeActPalette(std::vector<uint8_t>(700), "x.act"), EPaletteFileError);
  EXPECT_THROW(DecodeRawPalette(std::vector<uint8_t>(1020), "x.pal"), EPaletteFileError);
  try {
    DecodeHexPalette(Bytes("ff00f\n"), "x.hex");
    ADD_FAILURE();
  } catch (const EPaletteFileError& e) {
    EXPECT_STREQ(e.what(), "パレットファイル x.hex の 1 行目: \"ff00f\" は RRGGBB の形の色ではありません");
  }
}

TEST(PaletteDamaged, DataOfNoKnownFormat) {
  const std::string unknown =
      "パレットファイル /tmp/damaged.pal: パレットファイルとしても画像としても読めない形式です";
  EXPECT_EQ(FaultOf({}), unknown);
  EXPECT_EQ(FaultOf(Bytes("just some text\n")), unknown);
  EXPECT_EQ(FaultOf(std::vector<uint8_t>(500, 0xAB)), unknown);
  // A damaged BMP file is a damaged picture.
  std::vector<uint8_t> bmp = Bytes("BM");
  bmp.resize(60);
  bmp[14] = 40;
  EXPECT_EQ(FaultOf(bmp), unknown);
}

}  // namespace
}  // namespace pixkura
