// Reading packed DIBs (the form the import plug-ins hand their pictures over in).
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "image/IxDIB.h"
#include "tests/image/IxDIBFileTestSupport.h"

namespace pixkura {
namespace {

using testing::BuildPackedDib;
using testing::ExpectError;
using testing::GreyRamp;
using testing::PixelBytes;
using testing::TBmpSpec;

void LoadPacked(TIxDIB& dib, const std::vector<uint8_t>& block) {
  dib.LoadFromClipboardFormat(CF_DIB, TMemoryBlock(block), nullptr);
}

TEST(PackedDib, SavedBlockReadsBackIdentically) {
  for (int bits : {1, 4, 8, 24}) {
    TIxDIB dib;
    dib.SetBitCount(bits);
    dib.SetWidth(7);
    dib.SetHeight(-3);
    dib.SetColors(1, RGB(10, 20, 30));
    dib.SetPixels(6, 2, 1);
    uint16_t format = 0;
    std::vector<uint8_t> block;
    HPALETTE palette;
    dib.SaveToClipboardFormat(format, block, palette);
    TIxDIB back;
    back.LoadFromClipboardFormat(format, TMemoryBlock(block), palette);
    EXPECT_EQ(0, std::memcmp(&back.InternalDIB().Info, &dib.InternalDIB().Info,
                             40 + 4 * dib.InternalDIB().Header().biClrUsed))
        << bits;
    EXPECT_EQ(PixelBytes(back.InternalDIB()), PixelBytes(dib.InternalDIB())) << bits;
  }
}

TEST(PackedDib, ZeroClrUsedGivesTheFullTableAndSaysSo) {
  TIxDIB dib;
  LoadPacked(dib, BuildPackedDib(
                      TBmpSpec{.Width = 2, .Height = 1, .Table = GreyRamp(256), .Pixels = {9, 255, 0, 0}}));
  EXPECT_EQ(dib.GetPaletteSize(), 256);
  EXPECT_EQ(dib.GetPixels(1, 0), 255);
  EXPECT_EQ(dib.GetColors(255),
            RGB(GreyRamp(256)[255].rgbRed, GreyRamp(256)[255].rgbGreen, GreyRamp(256)[255].rgbBlue));
}

TEST(PackedDib, CoreHeaderAndBitFields) {
  TIxDIB dib;
  LoadPacked(dib, BuildPackedDib(TBmpSpec{.HeaderSize = 12,
                                          .Width = 2,
                                          .Height = 1,
                                          .BitCount = 1,
                                          .Table = GreyRamp(2),
                                          .Pixels = {0x40, 0, 0, 0}}));
  EXPECT_EQ(dib.GetPaletteSize(), 2);
  EXPECT_EQ(dib.GetPixels(1, 0), 1);

  LoadPacked(dib, BuildPackedDib(TBmpSpec{.Width = 2,
                                          .Height = 1,
                                          .BitCount = 16,
                                          .Compression = BI_BITFIELDS,
                                          .Masks = {0xF800, 0x07E0, 0x001F},
                                          .Pixels = {0x00, 0xF8, 0x1F, 0x00}}));
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(0xF8, 0, 0)));
  EXPECT_EQ(dib.GetPixels(1, 0), static_cast<int32_t>(RGB(0, 0, 0xF8)));

  ExpectError<EIxDIBInvalidDIB>(
      [&] {
        LoadPacked(dib, BuildPackedDib(TBmpSpec{.Width = 1,
                                                .Height = 1,
                                                .BitCount = 32,
                                                .Compression = BI_BITFIELDS,
                                                .Masks = {0, 1, 2},
                                                .Pixels = {0, 0, 0, 0}}));
      },
      "TIxInternalDIB.LoadFromClipboardFormat: Invalid Masks");
}

TEST(PackedDib, EightBitBitFieldBlockKeepsEveryPixelByteThroughASave) {
  // The masks of an indexed picture are neither colours nor pixels.
  std::vector<uint8_t> pixels(2 * 4);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(200 - i * 9);
  const TBmpSpec s{.Width = 3,
                   .Height = 2,
                   .Compression = BI_BITFIELDS,
                   .Masks = {0xE0, 0x1C, 0x03},
                   .Table = GreyRamp(256),
                   .Pixels = pixels};
  TIxDIB dib;
  LoadPacked(dib, BuildPackedDib(s));
  EXPECT_EQ(PixelBytes(dib.InternalDIB()), pixels);
  EXPECT_EQ(dib.GetColors(0), RGB(s.Table[0].rgbRed, s.Table[0].rgbGreen, s.Table[0].rgbBlue));

  uint16_t format = 0;
  std::vector<uint8_t> block;
  HPALETTE palette;
  dib.SaveToClipboardFormat(format, block, palette);
  TIxDIB back;
  LoadPacked(back, block);
  EXPECT_EQ(PixelBytes(back.InternalDIB()), pixels);
  EXPECT_EQ(back.GetPixels(2, 0), pixels[4 + 2]);
}

TEST(PackedDib, BadBlocksRaiseTheirErrors) {
  TIxDIB dib;
  const std::vector<uint8_t> good = BuildPackedDib(TBmpSpec{.Table = GreyRamp(256), .Pixels = {0, 0, 0, 0}});
  ExpectError<EInvalidGraphic>([&] { dib.LoadFromClipboardFormat(2, TMemoryBlock(good), nullptr); },
                               "TIxDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  ExpectError<EInvalidGraphic>([&] { dib.LoadFromClipboardFormat(CF_DIB, TMemoryBlock(), nullptr); },
                               "TIxDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  ExpectError<EIxDIBInvalidDIB>([&] { LoadPacked(dib, BuildPackedDib(TBmpSpec{.HeaderSize = 108})); },
                                "TIxDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
  ExpectError<EIxDIBInvalidDIB>([&] { LoadPacked(dib, BuildPackedDib(TBmpSpec{.BitCount = 2})); },
                                "TIxInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
  ExpectError<EIxDIBInvalidDIB>(
      [&] { LoadPacked(dib, BuildPackedDib(TBmpSpec{.HeaderSize = 12, .BitCount = 32})); },
      "TIxInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
  for (const auto& size : {std::pair{0, 1}, {-4, 1}, {1, 0}}) {
    const TBmpSpec bad{
        .Width = size.first, .Height = size.second, .Table = GreyRamp(256), .Pixels = {0, 0, 0, 0}};
    ExpectError<EIxDIBInvalidDIB>([&] { LoadPacked(dib, BuildPackedDib(bad)); },
                                  "TIxInternalDIB.LoadFromClipboardFormat: Invalid Width or Height");
  }
  // Blocks cut inside the header or the table.
  for (size_t cut : {size_t{2}, size_t{20}, size_t{500}}) {
    ExpectError<EIxDIBInvalidDIB>(
        [&] { LoadPacked(dib, std::vector<uint8_t>(good.begin(), good.begin() + cut)); },
        "TIxDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
  }
}

TEST(PackedDib, BlockShorterThanItsRowsIsRejected) {
  TIxDIB dib;
  // Two rows of 4 bytes needed, 6 given.
  TBmpSpec s{.Width = 3, .Height = 2, .Table = GreyRamp(256), .Pixels = std::vector<uint8_t>(6, 1)};
  ExpectError<EReadError>([&] { LoadPacked(dib, BuildPackedDib(s)); }, kStreamReadError);
  s.BitCount = 16;
  s.Table.clear();
  ExpectError<EReadError>([&] { LoadPacked(dib, BuildPackedDib(s)); }, kStreamReadError);
  // RLE data are as long as they are.
  TBmpSpec rle{.Width = 300, .Height = 300, .Compression = BI_RLE8, .Table = GreyRamp(256), .Pixels = {0, 1}};
  LoadPacked(dib, BuildPackedDib(rle));
  EXPECT_EQ(dib.GetPixelFormat(), ixPf8BitRLE);
  EXPECT_EQ(dib.InternalDIB().BitsSize, 2u);
}

TEST(PackedDib, TableLongerThanTheBlockCannotBeAllocated) {
  // 300 entries announced, the block ends after 260 of them: a negative
  // pixel-data size.
  TBmpSpec s{.Width = 1, .Height = 1, .ClrUsed = 300, .Table = GreyRamp(260)};
  TIxDIB dib;
  ExpectError<EOutOfResources>([&] { LoadPacked(dib, BuildPackedDib(s)); },
                               "GetFileMap: Cannot Make File Mapping Object");
}

}  // namespace
}  // namespace pixkura
