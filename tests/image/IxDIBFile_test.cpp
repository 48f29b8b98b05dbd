// Reading and writing BMP files.
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "image/IxDIB.h"
#include "tests/image/IxDIBFileTestSupport.h"

namespace pixkura {
namespace {

using testing::BuildBmp;
using testing::ExpectError;
using testing::GreyRamp;
using testing::LoadBytes;
using testing::PixelBytes;
using testing::SaveBytes;
using testing::TBmpSpec;

constexpr const char* kCannotAllocate = "GetFileMap: Cannot Make File Mapping Object";

// A bitmap of the given depth and size with every pixel and colour distinct
// enough that a misplaced byte shows.
void FillPattern(TIxDIB& dib, int32_t w, int32_t h, int32_t bits) {
  dib.SetBitCount(bits);
  dib.SetWidth(w);
  dib.SetHeight(h);
  for (int i = 0; i < 256; ++i) dib.SetColors(i, RGB(i, 255 - i, i * 3));
  const int32_t levels = bits == 24 ? 0 : 1 << bits;
  for (int32_t y = 0; y < dib.GetHeight(); ++y)
    for (int32_t x = 0; x < w; ++x)
      dib.SetPixels(x, y,
                    bits == 24 ? static_cast<int32_t>(RGB(x * 9, y * 13, x + y)) : (x * 3 + y * 5) % levels);
}

void ExpectSameStorage(const TIxInternalDIB& a, const TIxInternalDIB& b) {
  EXPECT_EQ(0, std::memcmp(&a.Header(), &b.Header(), sizeof(TBitmapInfoHeader)));
  EXPECT_EQ(0, std::memcmp(a.ColorTable(), b.ColorTable(), 4 * a.Header().biClrUsed));
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(PixelBytes(a), PixelBytes(b));
}

class BmpRoundTrip : public ::testing::TestWithParam<std::tuple<int32_t, int32_t>> {};

TEST_P(BmpRoundTrip, WriteThenReadGivesIdenticalStorage) {
  const auto [bits, height] = GetParam();
  TIxDIB dib;
  FillPattern(dib, 13, height, bits);
  TIxDIB back;
  LoadBytes(back, SaveBytes(dib));
  ExpectSameStorage(dib.InternalDIB(), back.InternalDIB());
  EXPECT_EQ(back.GetPixels(12, 0), dib.GetPixels(12, 0));
}

INSTANTIATE_TEST_SUITE_P(EveryDepthBothRowOrders, BmpRoundTrip,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24), ::testing::Values(5, -5)));

TEST(BmpRoundTripLarge, PictureInHugePagesReadsBack) {
  // Above 32 MiB the pixel memory is allocated differently; the bytes must not care.
  TIxDIB dib;
  dib.SetWidth(4100);
  dib.SetHeight(8200);
  TIxInternalDIB& d = dib.MutableInternalDIB();
  for (uint32_t i = 0; i < d.BitsSize; i += 4093) d.Data()[i] = static_cast<uint8_t>(i >> 12);
  d.Data()[d.BitsSize - 1] = 0x5A;
  TIxDIB back;
  LoadBytes(back, SaveBytes(dib));
  ASSERT_GE(back.InternalDIB().BitsSize, 32u << 20);
  EXPECT_EQ(0, std::memcmp(back.InternalDIB().Data(), d.Data(), d.BitsSize));
}

TEST(BmpWrite, FileSizeCountsTableAndPaddedRows) {
  TIxDIB dib;
  dib.SetWidth(3);
  dib.SetHeight(2);
  dib.SetPaletteSize(2);
  const std::vector<uint8_t> bytes = SaveBytes(dib);
  ASSERT_EQ(bytes.size(), 54u + 8 + 8);
  TBitmapFileHeader fh;
  std::memcpy(&fh, bytes.data(), sizeof fh);
  EXPECT_EQ(uint16_t{fh.bfType}, kBitmapFileType);
  EXPECT_EQ(uint32_t{fh.bfSize}, 70u);
  EXPECT_EQ(uint32_t{fh.bfOffBits}, 62u);
  EXPECT_EQ(fh.bfReserved1 | fh.bfReserved2, 0);

  dib.SetWidth(256);
  dib.SetHeight(256);
  dib.SetPaletteSize(256);
  EXPECT_EQ(SaveBytes(dib).size(), 54u + 1024 + 65536);
}

TEST(BmpWrite, RLEStorageIsWrittenCompressed) {
  TBmpSpec s{.Width = 4,
             .Height = 1,
             .Compression = BI_RLE8,
             .ClrUsed = 256,
             .Table = GreyRamp(256),
             .Pixels = {4, 9, 0, 1}};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPixelFormat(), ixPf8BitRLE);
  EXPECT_EQ(SaveBytes(dib), BuildBmp(s));
}

TEST(BmpRead, ZeroClrUsedMeansFullTable) {
  TBmpSpec s{.Width = 2, .Height = 1, .BitCount = 8, .Table = GreyRamp(256), .Pixels = {200, 3, 0, 0}};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPaletteSize(), 256);
  EXPECT_EQ(dib.GetPixels(0, 0), 200);  // the pixels follow 1024 table bytes
  EXPECT_EQ(dib.GetColors(255), RGB(s.Table[255].rgbRed, s.Table[255].rgbGreen, s.Table[255].rgbBlue));

  TBmpSpec one{.Width = 9, .Height = 1, .BitCount = 1, .Table = GreyRamp(2), .Pixels = {0x80, 0x80, 0, 0}};
  LoadBytes(dib, BuildBmp(one));
  EXPECT_EQ(dib.GetPaletteSize(), 2);
  EXPECT_EQ(dib.GetPixels(0, 0), 1);
  EXPECT_EQ(dib.GetPixels(8, 0), 1);
}

TEST(BmpRead, ClrUsedAbove256KeepsFirstEntriesAndSkipsTheRest) {
  std::vector<TRGBQuad> table = GreyRamp(256);
  table.resize(300, TRGBQuad{1, 2, 3, 0});
  TBmpSpec s{.Width = 1, .Height = 1, .ClrUsed = 300, .Table = table, .Pixels = {77, 0, 0, 0}};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPaletteSize(), 256);
  EXPECT_EQ(dib.GetPixels(0, 0), 77);
}

TEST(BmpRead, CoreHeaderBecomesInfoHeaderWithQuadTable) {
  // 5 x 2 at 4 bits: 3 bytes a row, padded to 4.
  TBmpSpec s{.HeaderSize = 12,
             .Width = 5,
             .Height = 2,
             .BitCount = 4,
             .Table = GreyRamp(16),
             .Pixels = {0x12, 0x34, 0x50, 0, 0xAB, 0xCD, 0xE0, 0}};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  const TBitmapInfoHeader& h = dib.InternalDIB().Header();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biClrUsed, 16u);
  EXPECT_EQ(h.biHeight, 2);
  EXPECT_EQ(dib.GetPixelFormat(), ixPf4Bit);
  EXPECT_EQ(dib.GetPixels(0, 1), 1);  // bottom-up: the first stored row is the bottom one
  EXPECT_EQ(dib.GetPixels(4, 0), 0xE);
  const TRGBQuad q = dib.InternalDIB().ColorTable()[15];
  EXPECT_EQ(q.rgbBlue, s.Table[15].rgbBlue);
  EXPECT_EQ(q.rgbRed, s.Table[15].rgbRed);
  EXPECT_EQ(q.rgbReserved, 0);
}

TEST(BmpRead, SixteenBitDefaultMasksAre555) {
  TBmpSpec s{.Width = 2, .Height = 1, .BitCount = 16, .Pixels = {0xFF, 0x7F, 0x1F, 0x00}};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetPixelFormat(), ixPf24Bit);
  const uint8_t* p = dib.InternalDIB().Data();
  EXPECT_EQ(p[0], 0xF8);
  EXPECT_EQ(p[1], 0xF8);
  EXPECT_EQ(p[2], 0xF8);
  EXPECT_EQ(dib.GetPixels(1, 0), static_cast<int32_t>(RGB(0, 0, 0xF8)));
  EXPECT_EQ(dib.InternalDIB().BitsSize, 8u);
  EXPECT_EQ(p[6] | p[7], 0);  // row padding cleared
}

TEST(BmpRead, BitFieldMasksAndTheirTableShift) {
  // 5-6-5: pure green 0x07E0 keeps its top six bits.
  TBmpSpec s{.Width = 1,
             .Height = 1,
             .BitCount = 16,
             .Compression = BI_BITFIELDS,
             .ClrUsed = 1,
             .Masks = {0xF800, 0x07E0, 0x001F},
             .Table = {TRGBQuad{9, 8, 7, 0}},
             .Pixels = {0xE0, 0x07, 0, 0}};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(0, 0xFC, 0)));
  EXPECT_EQ(dib.GetColors(0), RGB(7, 8, 9));  // the masks are not colours
  EXPECT_EQ(dib.InternalDIB().Header().biCompression, BI_RGB);

  TBmpSpec t{.Width = 1,
             .Height = 1,
             .BitCount = 32,
             .Compression = BI_BITFIELDS,
             .Masks = {0xFF0000, 0x00FF00, 0x0000FF},
             .Pixels = {0x56, 0x34, 0x12, 0x00}};
  LoadBytes(dib, BuildBmp(t));
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(0x12, 0x34, 0x56)));

  // A narrow mask low in the word is shifted up: 0x3 -> top bits 7 and 6.
  t.Masks = {0x3, 0x00FF00, 0xFF000000};
  t.Pixels = {0x03, 0x00, 0x00, 0x80};
  LoadBytes(dib, BuildBmp(t));
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(0xC0, 0, 0x80)));
}

TEST(BmpRead, ZeroMaskIsRejected) {
  TBmpSpec s{.Width = 1,
             .Height = 1,
             .BitCount = 16,
             .Compression = BI_BITFIELDS,
             .Masks = {0xF800, 0, 0x1F},
             .Pixels = {0, 0, 0, 0}};
  TIxDIB dib;
  ExpectError<EIxDIBInvalidDIB>([&] { LoadBytes(dib, BuildBmp(s)); },
                                "TIxInternalDIB.LoadFromStream: Invalid Masks");
  // Compression other than bit fields gives no masks at all.
  s.Compression = BI_RLE8;
  s.Masks.clear();
  ExpectError<EIxDIBInvalidDIB>([&] { LoadBytes(dib, BuildBmp(s)); },
                                "TIxInternalDIB.LoadFromStream: Invalid Masks");
}

TEST(BmpRead, TopDownKeepsRowOrder) {
  TBmpSpec s{.Width = 1, .Height = -2, .BitCount = 24, .Pixels = {1, 2, 3, 0, 4, 5, 6, 0}};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetHeight(), 2);
  EXPECT_EQ(dib.InternalDIB().Header().biHeight, -2);
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(3, 2, 1)));
  EXPECT_EQ(dib.GetPixels(0, 1), static_cast<int32_t>(RGB(6, 5, 4)));
}

TEST(BmpRead, BadHeadersRaiseTheirErrors) {
  TIxDIB dib;
  std::vector<uint8_t> bytes = BuildBmp(TBmpSpec{.Pixels = {0, 0, 0, 0}});
  bytes[1] = 'A';
  ExpectError<EIxDIBInvalidDIBFile>([&] { LoadBytes(dib, bytes); },
                                    "TIxInternalDIB.LoadFromFile: File type is invalid");
  ExpectError<EIxDIBInvalidDIB>([&] { LoadBytes(dib, BuildBmp(TBmpSpec{.HeaderSize = 64})); },
                                "TIxInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
  ExpectError<EIxDIBInvalidDIB>([&] { LoadBytes(dib, BuildBmp(TBmpSpec{.BitCount = 2})); },
                                "TIxInternalDIB.LoadFromStream: Invalid BitCout");
  ExpectError<EIxDIBInvalidDIB>([&] { LoadBytes(dib, BuildBmp(TBmpSpec{.HeaderSize = 12, .BitCount = 16})); },
                                "TIxInternalDIB.LoadFromStream: Invalid BitCount");
  for (const auto& size : {std::pair{0, 1}, {-3, 1}, {1, 0}, {1, INT32_MIN}}) {
    const TBmpSpec bad{.Width = size.first, .Height = size.second, .Table = GreyRamp(256)};
    ExpectError<EIxDIBInvalidDIB>([&] { LoadBytes(dib, BuildBmp(bad)); },
                                  "TIxInternalDIB.LoadFromStream: Invalid Width or Height");
  }
  // A failed read leaves the bitmap with fresh default storage.
  EXPECT_EQ(dib.GetWidth(), 1);
  EXPECT_EQ(dib.GetPaletteSize(), 2);
}

TEST(BmpRead, ShortFilesRaiseTheStreamReadError) {
  const std::vector<uint8_t> whole = BuildBmp(
      TBmpSpec{.Width = 3, .Height = 2, .Table = GreyRamp(256), .Pixels = std::vector<uint8_t>(8, 1)});
  TIxDIB dib;
  // Cut inside the file header, the info header, the table and the pixels.
  for (size_t cut : {size_t{10}, size_t{30}, size_t{600}, whole.size() - 1}) {
    ExpectError<EReadError>([&] { LoadBytes(dib, std::vector<uint8_t>(whole.begin(), whole.begin() + cut)); },
                            kStreamReadError);
  }
  // A table size far beyond the file.
  ExpectError<EReadError>([&] { LoadBytes(dib, BuildBmp(TBmpSpec{.ClrUsed = 0xFFFFFFFF})); },
                          kStreamReadError);
}

TEST(BmpRead, NegativePixelDataSizeCannotBeAllocated) {
  TIxDIB dib;
  ExpectError<EOutOfResources>(
      [&] {
        LoadBytes(dib, BuildBmp(TBmpSpec{.Table = GreyRamp(256), .Pixels = {1, 0, 0, 0}, .BfSize = 0}));
      },
      kCannotAllocate);
}

TEST(BmpRead, HugeBfSizeFailsBeforeAllocating) {
  // About 1 KiB of file claiming 4 GiB of pixel data.
  TBmpSpec s{.Width = 16, .Height = 16, .Table = GreyRamp(256), .BfSize = 0xFFFFFFF0};
  TIxDIB dib;
  ExpectError<EReadError>([&] { LoadBytes(dib, BuildBmp(s)); }, kStreamReadError);
}

TEST(BmpRead, UncompressedDataShorterThanRowsAreRejected) {
  // bfSize says 4 bytes of pixel data; two rows of 4 are needed.
  TBmpSpec s{.Width = 3, .Height = 2, .Table = GreyRamp(256), .Pixels = std::vector<uint8_t>(8, 1)};
  s.BfSize = 54 + 1024 + 4;
  TIxDIB dib;
  ExpectError<EReadError>([&] { LoadBytes(dib, BuildBmp(s)); }, kStreamReadError);
  // Compressed data have no such minimum.
  s.Compression = BI_RLE8;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.InternalDIB().BitsSize, 4u);
  // More data than the rows need are kept as they are.
  s.Compression = BI_RGB;
  s.BfSize = 54 + 1024 + 8;
  s.Pixels.resize(12, 1);
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.InternalDIB().BitsSize, 8u);
}

TEST(BmpRead, OffBitsAfterTheTableSkipsTheGap) {
  TBmpSpec s{.Width = 2, .Height = 1, .Table = GreyRamp(256), .Pixels = {5, 6, 0, 0}, .Gap = 6};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPixels(0, 0), 5);
  EXPECT_EQ(dib.GetPixels(1, 0), 6);
  EXPECT_EQ(dib.InternalDIB().BitsSize, 4u);

  // Also for pictures converted while reading.
  TBmpSpec t{.Width = 1, .Height = 1, .BitCount = 32, .Pixels = {0x56, 0x34, 0x12, 0}, .Gap = 3};
  LoadBytes(dib, BuildBmp(t));
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(0x12, 0x34, 0x56)));
}

TEST(BmpRead, OffBitsIntoTheHeadersOrPastTheFileIsIgnored) {
  TBmpSpec s{.Width = 2, .Height = 1, .Table = GreyRamp(256), .Pixels = {5, 6, 0, 0}, .BfOffBits = 20};
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPixels(1, 0), 6);
  s.BfOffBits = 1u << 20;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPixels(1, 0), 6);
}

TEST(BmpRead, OffBitsAtTheFilesEndReadsAsIfThereWereNoOffset) {
  // An offset pointing exactly at the end leaves nothing behind it to read:
  // the pixels are the bytes right after the table.
  TBmpSpec s{.Width = 2, .Height = 1, .Table = GreyRamp(256), .Pixels = {5, 6, 0, 0}};
  s.BfOffBits = static_cast<uint32_t>(BuildBmp(s).size());
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(dib.GetPixels(0, 0), 5);
  EXPECT_EQ(dib.GetPixels(1, 0), 6);
  EXPECT_EQ(dib.InternalDIB().BitsSize, 4u);

  // Also for pictures converted while reading.
  TBmpSpec t{.Width = 1, .Height = 1, .BitCount = 32, .Pixels = {0x56, 0x34, 0x12, 0}};
  t.BfOffBits = static_cast<uint32_t>(BuildBmp(t).size());
  LoadBytes(dib, BuildBmp(t));
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(0x12, 0x34, 0x56)));
}

// An indexed picture whose header says bit fields: three masks, which mean
// nothing to indices, stand between the header and the colour table.
TBmpSpec EightBitWithBitFields() {
  std::vector<uint8_t> pixels(3 * 8);  // 7 x 3, rows padded to 8 bytes
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 11 + 3);
  return TBmpSpec{.Width = 7,
                  .Height = 3,
                  .Compression = BI_BITFIELDS,
                  .Masks = {0xE0, 0x1C, 0x03},
                  .Table = GreyRamp(256),
                  .Pixels = pixels};
}

TEST(BmpRoundTripBitFields, EightBitPictureKeepsEveryPixelByteAndColour) {
  const TBmpSpec s = EightBitWithBitFields();
  TIxDIB dib;
  LoadBytes(dib, BuildBmp(s));
  EXPECT_EQ(PixelBytes(dib.InternalDIB()), s.Pixels);
  EXPECT_EQ(dib.GetPixels(0, 2), s.Pixels[0]);  // bottom-up: the first stored row is the last
  EXPECT_EQ(dib.GetPixels(6, 0), s.Pixels[16 + 6]);
  ASSERT_EQ(dib.GetPaletteSize(), 256);
  for (int i : {0, 2, 3, 255})  // the masks are not colours
    EXPECT_EQ(dib.GetColors(i), RGB(s.Table[i].rgbRed, s.Table[i].rgbGreen, s.Table[i].rgbBlue)) << i;

  TIxDIB back;
  LoadBytes(back, SaveBytes(dib));
  EXPECT_EQ(PixelBytes(back.InternalDIB()), s.Pixels);
  EXPECT_EQ(back.GetPixels(6, 0), s.Pixels[16 + 6]);
  EXPECT_EQ(back.GetColors(255), dib.GetColors(255));
}

TEST(BmpRead, StartsAtTheStreamPosition) {
  std::vector<uint8_t> bytes(7, 0xAA);
  const std::vector<uint8_t> bmp =
      BuildBmp(TBmpSpec{.Width = 1, .Height = 1, .Table = GreyRamp(256), .Pixels = {42, 0, 0, 0}, .Gap = 2});
  bytes.insert(bytes.end(), bmp.begin(), bmp.end());
  TMemoryStream stream(bytes);
  stream.SetPosition(7);
  TIxDIB dib;
  dib.LoadFromStream(stream);
  EXPECT_EQ(dib.GetPixels(0, 0), 42);
}

TEST(BmpRead, LoadReportsChange) {
  TIxDIB dib;
  int changes = 0;
  dib.OnChange = [&](TGraphic&) { ++changes; };
  LoadBytes(dib, BuildBmp(TBmpSpec{.Table = GreyRamp(256), .Pixels = {0, 0, 0, 0}}));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(dib.PaletteModified);
}

}  // namespace
}  // namespace pixkura
