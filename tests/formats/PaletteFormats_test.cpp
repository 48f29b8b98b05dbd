// Reading each palette format as other programs write it, and telling the
// formats apart by content.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "formats/PaletteAct.h"
#include "formats/PaletteFileError.h"
#include "formats/PaletteFiles.h"
#include "formats/PaletteGimp.h"
#include "formats/PaletteHex.h"
#include "formats/PaletteJasc.h"
#include "formats/PaletteRecognition.h"
#include "formats/PaletteRiff.h"

namespace pixkura {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

void PutLE(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutId(std::vector<uint8_t>& b, std::string_view id) { b.insert(b.end(), id.begin(), id.end()); }

// A RIFF palette with a chunk of odd length before the data chunk and one after it.
std::vector<uint8_t> RiffPalette(const std::vector<TColor>& colors) {
  std::vector<uint8_t> body;
  PutId(body, "PAL ");
  PutId(body, "note");
  PutLE(body, 3, 4);
  PutId(body, "abc");
  body.push_back(0);  // padding to an even length
  PutId(body, "data");
  PutLE(body, static_cast<uint32_t>(4 + 4 * colors.size()), 4);
  PutLE(body, 0x0300, 2);
  PutLE(body, static_cast<uint32_t>(colors.size()), 2);
  for (TColor c : colors) {
    body.push_back(GetRValue(c));
    body.push_back(GetGValue(c));
    body.push_back(GetBValue(c));
    body.push_back(0);
  }
  PutId(body, "LIST");
  PutLE(body, 0, 4);
  std::vector<uint8_t> file;
  PutId(file, "RIFF");
  PutLE(file, static_cast<uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

TPaletteColors Decode(const std::vector<uint8_t>& bytes) { return DecodePaletteColors(bytes, "test"); }

const TPaletteColors kThree({RGB(255, 0, 0), RGB(0, 128, 7), RGB(1, 2, 3)});

TEST(PaletteGimp, CommentsNamesColumnsAndOddSpacing) {
  const std::vector<uint8_t> file = Bytes(
      "\xEF\xBB\xBFGIMP Palette  \r\n"
      "Name: Warm  tones # not a comment\r\n"
      "Columns:\t4\r\n"
      "#\r\n"
      "# a comment with numbers 1 2 3\r\n"
      "\r\n"
      "255   0\t 0\tRed 2\r\n"
      "  0 128   7 \r\n"
      "\t1 2 3 Untitled\r\n"
      "   # indented comment\r\n");
  EXPECT_EQ(DecodeGimpPalette(file, "warm.gpl"), kThree);
  EXPECT_EQ(Decode(file), kThree);
}

TEST(PaletteGimp, AnyLineEndAndNoLastLineEnd) {
  EXPECT_EQ(Decode(Bytes("GIMP Palette\rName: x\r255 0 0\r0 128 7\r1 2 3")), kThree);
  EXPECT_EQ(Decode(Bytes("GIMP Palette\n255 0 0 a\n0 128 7 b\n1 2 3 c\n")), kThree);
  // Alpha after red, green and blue is dropped: a fully transparent entry is still a colour.
  EXPECT_EQ(Decode(Bytes("GIMP Palette\nChannels: RGBA\n255 0 0 255 Red\n0 128 7 0\n1 2 3 128\n")), kThree);
  EXPECT_EQ(Decode(Bytes("GIMP Palette\nChannels: RGB\n255 0 0 255\n0 128 7\n1 2 3\n")), kThree);
}

TEST(PaletteGimp, WritesTheHeaderTheNameAndOneColourPerLine) {
  const std::vector<uint8_t> bytes = EncodeGimpPalette(kThree, "My\nsprites");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "GIMP Palette\nName: My sprites\nColumns: 16\n#\n"
            "255   0   0\tIndex 0\n  0 128   7\tIndex 1\n  1   2   3\tIndex 2\n");
}

TEST(PaletteJasc, ReadsCountedColoursWithAnyLineEnds) {
  EXPECT_EQ(Decode(Bytes("JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 7\r\n1 2 3\r\n")), kThree);
  EXPECT_EQ(Decode(Bytes("JASC-PAL\n0100\n3\n255  0 0\n\n0 128 7\n1 2 3\n\n")), kThree);
  EXPECT_EQ(Decode(Bytes("JASC-PAL\n0100\n3\n255 0 0 255\n0 128 7 0\n1 2 3\n")), kThree);  // alpha dropped
  const std::vector<uint8_t> written = EncodeJascPalette(kThree);
  EXPECT_EQ(std::string(written.begin(), written.end()),
            "JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 7\r\n1 2 3\r\n");
}

TEST(PaletteHex, HashBlankLinesAndCase) {
  const std::vector<uint8_t> file = Bytes("FF0000\n\n#00807f\n  010203  \n");
  const TPaletteColors expected({RGB(255, 0, 0), RGB(0, 128, 127), RGB(1, 2, 3)});
  EXPECT_EQ(Decode(file), expected);
  const std::vector<uint8_t> written = EncodeHexPalette(expected);
  EXPECT_EQ(std::string(written.begin(), written.end()), "ff0000\n00807f\n010203\n");
}

TEST(PaletteAct, PlainAndCountedTables) {
  std::vector<uint8_t> table(768, 0);
  table[0] = 255;
  table[4] = 128;
  table[5] = 7;
  table[765] = 9;
  const TPaletteColors all = Decode(table);
  ASSERT_EQ(all.Count(), 256u);
  EXPECT_EQ(all[0], RGB(255, 0, 0));
  EXPECT_EQ(all[1], RGB(0, 128, 7));
  EXPECT_EQ(all[255], RGB(9, 0, 0));
  table[6] = 1, table[7] = 2, table[8] = 3;
  table.insert(table.end(), {0, 3, 0xFF, 0xFF});
  EXPECT_EQ(Decode(table), kThree);
  // Written back: fewer than 256 colours need the count; the rest of the table is black.
  std::vector<uint8_t> expected(772, 0);
  std::copy(table.begin(), table.begin() + 9, expected.begin());
  expected[769] = 3, expected[770] = 0xFF, expected[771] = 0xFF;
  EXPECT_EQ(EncodeActPalette(kThree), expected);
}

TEST(PaletteRiff, SkipsOtherChunksAndReadsTheDataChunk) {
  EXPECT_EQ(Decode(RiffPalette(kThree.Colors())), kThree);
  // Bytes after the RIFF form are not part of it.
  std::vector<uint8_t> trailing = RiffPalette(kThree.Colors());
  trailing.insert(trailing.end(), {1, 2, 3});
  EXPECT_EQ(Decode(trailing), kThree);
}

TEST(PaletteRaw, TheProgramsOwnFileGivesAll256EntriesWithSystemColoursResolved) {
  std::vector<uint8_t> file;
  for (int i = 0; i < 256; ++i) file.insert(file.end(), {uint8_t(i), uint8_t(255 - i), 7, 0});
  file[4 * 9 + 0] = 15, file[4 * 9 + 1] = 0, file[4 * 9 + 2] = 0, file[4 * 9 + 3] = 0x80;  // clBtnFace
  const TPaletteColors colors = Decode(file);
  ASSERT_EQ(colors.Count(), 256u);
  EXPECT_EQ(colors[0], RGB(0, 255, 7));
  EXPECT_EQ(colors[255], RGB(255, 0, 7));
  EXPECT_EQ(colors[9], ColorToRGB(clBtnFace));
}

TEST(PaletteRecognition, EachFormatByContent) {
  EXPECT_EQ(RecognisePaletteFormat(Bytes("GIMP Palette\n")), TPaletteFormat::pfGimp);
  EXPECT_EQ(RecognisePaletteFormat(Bytes("\xEF\xBB\xBFJASC-PAL\n")), TPaletteFormat::pfJascPal);
  EXPECT_EQ(RecognisePaletteFormat(RiffPalette(kThree.Colors())), TPaletteFormat::pfRiffPal);
  EXPECT_EQ(RecognisePaletteFormat(std::vector<uint8_t>(768, 0)), TPaletteFormat::pfAdobeAct);
  EXPECT_EQ(RecognisePaletteFormat(std::vector<uint8_t>(772, 0)), TPaletteFormat::pfAdobeAct);
  EXPECT_EQ(RecognisePaletteFormat(std::vector<uint8_t>(1024, 0)), TPaletteFormat::pfRaw);
  EXPECT_EQ(RecognisePaletteFormat(Bytes("\n#a0B1c2\n")), TPaletteFormat::pfHex);
  EXPECT_EQ(RecognisePaletteFormat(Bytes("")), TPaletteFormat::pfPicture);
  EXPECT_EQ(RecognisePaletteFormat(Bytes("RIFF\x04\0\0\0WEBP")), TPaletteFormat::pfPicture);
}

TEST(PaletteRecognition, SizesAloneDoNotDecide) {
  // 96 colours with CR LF line ends are exactly 768 bytes of hex palette.
  std::string hex;
  for (int i = 0; i < 96; ++i) hex += "a0b1c2\r\n";
  ASSERT_EQ(hex.size(), 768u);
  EXPECT_EQ(RecognisePaletteFormat(Bytes(hex)), TPaletteFormat::pfHex);
  EXPECT_EQ(Decode(Bytes(hex)).Count(), 96u);
  // A table whose first colour reads as a hex line is still a table: it holds more than text.
  std::vector<uint8_t> table(768, 0);
  const std::string_view start = "abcdef\n";
  std::copy(start.begin(), start.end(), table.begin());
  EXPECT_EQ(RecognisePaletteFormat(table), TPaletteFormat::pfAdobeAct);
  // Pictures of a table's size are pictures; "BM" alone is only a colour.
  std::vector<uint8_t> gif = Bytes("GIF89a");
  gif.resize(1024);
  EXPECT_EQ(RecognisePaletteFormat(gif), TPaletteFormat::pfPicture);
  std::vector<uint8_t> bmp = Bytes("BM");
  bmp.resize(1024);
  bmp[14] = 40;
  EXPECT_EQ(RecognisePaletteFormat(bmp), TPaletteFormat::pfPicture);
  bmp[14] = 41;
  EXPECT_EQ(RecognisePaletteFormat(bmp), TPaletteFormat::pfRaw);
  EXPECT_EQ(TableFormatOfSize(768), TPaletteFormat::pfAdobeAct);
  EXPECT_EQ(TableFormatOfSize(772), TPaletteFormat::pfAdobeAct);
  EXPECT_EQ(TableFormatOfSize(1024), TPaletteFormat::pfRaw);
  EXPECT_EQ(TableFormatOfSize(1023), std::nullopt);
}

// A GIMP file padded with a comment to the size of a table.
std::vector<uint8_t> GimpOfSize(const std::string& colourLine, size_t size) {
  std::string text = "GIMP Palette\n" + colourLine + "\n#";
  text.resize(size - 1, '-');
  return Bytes(text + "\n");
}

TEST(PaletteRecognition, ATextPaletteOfATablesSizeIsText) {
  // A table spelling "GIMP Palette" is far less likely than a GIMP file of
  // 768 bytes: the text wins, and a damaged one is reported as text.
  EXPECT_EQ(Decode(GimpOfSize("1 2 3", 768)), TPaletteColors({RGB(1, 2, 3)}));
  EXPECT_EQ(Decode(GimpOfSize("1 2 3", 1024)), TPaletteColors({RGB(1, 2, 3)}));
  EXPECT_THROW(Decode(GimpOfSize("1 2", 772)), EPaletteFileError);
}

TEST(PaletteRecognition, ATableThatBeginsLikeAPictureIsStillReadAsATable) {
  // First colour 255, 216, 255: the start of a JPEG file.
  std::vector<uint8_t> act(768, 0);
  act[0] = 255, act[1] = 216, act[2] = 255, act[3] = 0xE0, act[767] = 7;
  ASSERT_EQ(RecognisePaletteFormat(act), TPaletteFormat::pfPicture);
  const TPaletteColors colors = Decode(act);
  ASSERT_EQ(colors.Count(), 256u);
  EXPECT_EQ(colors[0], RGB(255, 216, 255));
  EXPECT_EQ(colors[255], RGB(0, 0, 7));
  // The first two colours spell "GIF89a" in the program's own file.
  std::vector<uint8_t> own(1024, 0);
  const std::string_view gif = "GIF89a";
  std::copy(gif.begin(), gif.end(), own.begin());
  EXPECT_EQ(Decode(own)[0], RGB('G', 'I', 'F'));
}

}  // namespace
}  // namespace pixkura
