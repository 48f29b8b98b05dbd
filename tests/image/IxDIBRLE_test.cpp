// Decoding RLE8 and RLE4 storage.
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "image/IxDIBRLE.h"
#include "tests/image/IxDIBFileTestSupport.h"

namespace pixkura {
namespace {

using testing::BuildBmp;
using testing::ExpectError;
using testing::GreyRamp;
using testing::LoadBytes;
using testing::PixelBytes;
using testing::TBmpSpec;

// RLE storage as the reader keeps it.
std::unique_ptr<TIxDIB> RLEPicture(uint16_t bits, int32_t w, int32_t h, std::vector<uint8_t> data) {
  auto dib = std::make_unique<TIxDIB>();
  LoadBytes(*dib, BuildBmp(TBmpSpec{.Width = w,
                                    .Height = h,
                                    .BitCount = bits,
                                    .Compression = bits == 8 ? BI_RLE8 : BI_RLE4,
                                    .Table = GreyRamp(bits == 8 ? 256 : 16),
                                    .Pixels = std::move(data)}));
  return dib;
}

std::vector<uint8_t> Decode8(uint16_t w, int32_t h, std::vector<uint8_t> data) {
  return PixelBytes(*Convert8BitRLETo8BitRGB(RLEPicture(8, w, h, std::move(data))->InternalDIB()));
}
std::vector<uint8_t> Decode4(uint16_t w, int32_t h, std::vector<uint8_t> data) {
  return PixelBytes(*Convert4BitRLETo4BitRGB(RLEPicture(4, w, h, std::move(data))->InternalDIB()));
}

const std::string k8 = "Convert8BitRLETo8BitRGB: ";
const std::string k4 = "Convert4BitRLETo4BitRGB: ";

TEST(RLE8, RunsLiteralsLinesAndDeltas) {
  // Row 0: run of 3 x 7, literal 1 2 3 (padded), end of line; delta (1, 1)
  // onto row 2, then a run of 2 x 9; end of picture.
  const std::vector<uint8_t> row0{7, 7, 7, 1, 2, 3, 0, 0}, row1(8, 0), row2{0, 9, 9, 0, 0, 0, 0, 0};
  std::vector<uint8_t> expected = row0;
  expected.insert(expected.end(), row1.begin(), row1.end());
  expected.insert(expected.end(), row2.begin(), row2.end());
  EXPECT_EQ(Decode8(6, 3, {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 2, 9, 0, 1}), expected);
}

TEST(RLE8, DecodedStorageKeepsHeaderAndTable) {
  const auto rle = RLEPicture(8, 4, -2, {4, 5, 0, 0, 2, 6, 0, 1});
  const auto out = Convert8BitRLETo8BitRGB(rle->InternalDIB());
  EXPECT_EQ(out->Header().biCompression, BI_RGB);
  EXPECT_EQ(out->Header().biSizeImage, 0u);
  EXPECT_EQ(out->Header().biHeight, -2);
  EXPECT_EQ(out->Header().biClrUsed, 256u);
  EXPECT_EQ(0, std::memcmp(out->ColorTable(), rle->InternalDIB().ColorTable(), 1024));
  // Output starts at stored row 0, whatever the row order.
  EXPECT_EQ(PixelBytes(*out), (std::vector<uint8_t>{5, 5, 5, 5, 6, 6, 0, 0}));
}

TEST(RLE8, PixelsPastTheRowsEndAreDroppedAndDecodingGoesOn) {
  EXPECT_EQ(Decode8(3, 1, {3, 4, 0, 1}), (std::vector<uint8_t>{4, 4, 4, 0}));
  // A run and a literal that pass the end keep their pixels up to it; the
  // padding byte stays 0 and the next line decodes as coded.
  EXPECT_EQ(Decode8(3, 2, {4, 4, 0, 0, 1, 1, 0, 3, 2, 3, 9, 0, 0, 1}),
            (std::vector<uint8_t>{4, 4, 4, 0, 1, 2, 3, 0}));
  EXPECT_EQ(Decode8(1, 2, {1, 6, 3, 0, 0, 0, 255, 7, 255, 7, 0, 1}),
            (std::vector<uint8_t>{6, 0, 0, 0, 7, 0, 0, 0}));
  // Rows below the picture are still refused.
  ExpectError<EIxDIBInvalidDIB>([] { Decode8(3, 1, {2, 4, 0, 0, 1, 4}); }, k8 + "Bad RLE Data 4");
  ExpectError<EIxDIBInvalidDIB>([] { Decode8(3, 1, {0, 0, 0, 3, 1, 2, 3, 0}); }, k8 + "Bad RLE Data 3");
}

TEST(RLE8, BadLinesAndDeltas) {
  ExpectError<EIxDIBInvalidDIB>([] { Decode8(3, 1, {0, 0, 0, 0}); }, k8 + "Bad RLE Data 1");
  ExpectError<EIxDIBInvalidDIB>([] { Decode8(3, 1, {0, 2, 4, 0}); }, k8 + "Bad RLE Data 2");
  ExpectError<EIxDIBInvalidDIB>([] { Decode8(3, 1, {0, 2, 0, 2}); }, k8 + "Bad RLE Data 2");
  // A delta to the very end is allowed; nothing may be written there.
  EXPECT_EQ(Decode8(3, 1, {0, 2, 3, 1, 0, 1}), std::vector<uint8_t>(4, 0));
}

TEST(RLE8, LiteralsSkipTheirPadByte) {
  EXPECT_EQ(Decode8(7, 1, {0, 3, 1, 2, 3, 0xEE, 0, 4, 4, 5, 6, 7}),
            (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 0}));
}

TEST(RLE8, DataEndingEarlyKeepWhatWasDecoded) {
  EXPECT_EQ(Decode8(4, 2, {2, 8}), (std::vector<uint8_t>{8, 8, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Decode8(4, 1, {2, 8, 0}), (std::vector<uint8_t>{8, 8, 0, 0}));     // half a pair
  EXPECT_EQ(Decode8(4, 1, {0, 2, 1}), (std::vector<uint8_t>{0, 0, 0, 0}));     // delta cut off
  EXPECT_EQ(Decode8(4, 1, {0, 4, 1, 2}), (std::vector<uint8_t>{1, 2, 0, 0}));  // literal cut off
  EXPECT_EQ(Decode8(4, 1, {}), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(RLE8, WrongStorageIsRefused) {
  TIxDIB plain;
  ExpectError<EIxDIBBadDIBType>([&] { Convert8BitRLETo8BitRGB(plain.InternalDIB()); },
                                k8 + "Invalid Bitcount & Compression Combination");
  const auto rle4 = RLEPicture(4, 2, 1, {0, 1});
  ExpectError<EIxDIBBadDIBType>([&] { Convert8BitRLETo8BitRGB(rle4->InternalDIB()); },
                                k8 + "Invalid Bitcount & Compression Combination");
  ExpectError<EIxDIBBadDIBType>([&] { Convert4BitRLETo4BitRGB(plain.InternalDIB()); },
                                k4 + "Invalid Bitcount & Compression Combination");
}

TEST(RLE4, RunsAlternateNibblesAndOddWidthsFillTheLastByte) {
  // Width 5: W' = 6, so a run of 6 fills the padding nibble too.
  EXPECT_EQ(Decode4(5, 1, {6, 0x12, 0, 1}), (std::vector<uint8_t>{0x12, 0x12, 0x12, 0}));
  // Past W' the pixels are dropped; a run below the picture is refused.
  EXPECT_EQ(Decode4(5, 2, {9, 0x12, 0, 0, 1, 0x30, 0, 1}),
            (std::vector<uint8_t>{0x12, 0x12, 0x12, 0, 0x30, 0, 0, 0}));
  ExpectError<EIxDIBInvalidDIB>([] { Decode4(5, 1, {0, 0, 1, 0x12}); }, k4 + "Bad RLE Data 8");
  // A run starting at an odd x writes low nibble, then high (clearing the low).
  EXPECT_EQ(Decode4(8, 1, {1, 0xA0, 3, 0x5F, 0, 1}), (std::vector<uint8_t>{0xA5, 0xF5, 0, 0}));
}

TEST(RLE4, LiteralsSkipWholeWords) {
  // 3 pixels: 2 data bytes, padded to one word; 5 pixels: 3 bytes, padded to two words.
  EXPECT_EQ(Decode4(8, 1, {0, 3, 0x12, 0x30, 0, 5, 0x45, 0x67, 0x80, 0xEE, 0, 1}),
            (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78}));
  // A literal past W' keeps its first pixels and still skips all its words.
  EXPECT_EQ(Decode4(3, 1, {0, 5, 0x12, 0x34, 0x50, 0, 1, 0xEE, 0, 1}),
            (std::vector<uint8_t>{0x12, 0x34, 0, 0}));
  ExpectError<EIxDIBInvalidDIB>([] { Decode4(3, 1, {0, 0, 0, 3, 0x12, 0x30}); }, k4 + "Bad RLE Data 7");
}

TEST(RLE4, BadLinesAndDeltas) {
  ExpectError<EIxDIBInvalidDIB>([] { Decode4(4, 1, {0, 0, 0, 0}); }, k4 + "Bad RLE Data 5");
  ExpectError<EIxDIBInvalidDIB>([] { Decode4(5, 1, {0, 2, 7, 0}); }, k4 + "Bad RLE Data 6");
  // Delta to x = W' is allowed.
  EXPECT_EQ(Decode4(5, 1, {0, 2, 6, 0, 0, 1}), std::vector<uint8_t>(4, 0));
  EXPECT_EQ(Decode4(4, 2, {0, 2, 1, 1, 1, 0xF0}), (std::vector<uint8_t>{0, 0, 0, 0, 0x0F, 0, 0, 0}));
}

TEST(RLE4, LiteralCutOffKeepsItsPixels) {
  EXPECT_EQ(Decode4(8, 1, {0, 6, 0x12, 0x34}), (std::vector<uint8_t>{0x12, 0x34, 0, 0}));
}

}  // namespace
}  // namespace pixkura
