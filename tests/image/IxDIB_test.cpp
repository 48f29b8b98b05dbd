#include "image/IxDIB.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/Exception.h"

namespace pixkura {
namespace {

// The editor's way of making its buffers.
void Shape(TIxDIB& dib, int32_t w, int32_t h) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(8);
  dib.SetPixelFormat(ixPf8Bit);
  dib.SetPaletteSize(256);
}

template <typename E>
void ExpectMessage(const std::function<void()>& f, const std::string& message) {
  try {
    f();
    FAIL() << "no exception, expected: " << message;
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

TEST(IxDIB, NewBitmapIsOneBlackPixelWithTwoColours) {
  TIxDIB dib;
  EXPECT_EQ(dib.GetWidth(), 1);
  EXPECT_EQ(dib.GetHeight(), 1);
  EXPECT_EQ(dib.GetBitCount(), 8);
  EXPECT_EQ(dib.GetPaletteSize(), 2);
  EXPECT_EQ(dib.GetPixels(0, 0), 0);
  EXPECT_EQ(dib.GetColors(0), 0u);
  EXPECT_EQ(dib.GetColors(1), 0u);
  EXPECT_FALSE(dib.GetEmpty());
  EXPECT_EQ(dib.GetPixelFormat(), ixPf8Bit);
}

TEST(IxDIB, EditorShapingGivesBlankSheet) {
  TIxDIB dib;
  int changes = 0;
  dib.OnChange = [&](TGraphic&) { ++changes; };
  Shape(dib, 256, 256);
  EXPECT_EQ(dib.GetWidth(), 256);
  EXPECT_EQ(dib.GetHeight(), 256);
  EXPECT_EQ(dib.GetPaletteSize(), 256);
  EXPECT_EQ(dib.GetPixels(255, 255), 0);
  EXPECT_EQ(dib.GetColors(255), 0u);
  EXPECT_EQ(dib.InternalDIB().BitsSize, 65536u);
  EXPECT_EQ(changes, 3);  // width, height, palette size; bit count and format were equal
}

TEST(IxDIB, SetWidthKeepsOrDropsPixels) {
  TIxDIB dib;
  Shape(dib, 4, 4);
  dib.SetColors(3, RGB(1, 2, 3));
  dib.SetPixels(1, 1, 3);
  dib.SetWidth(4);
  EXPECT_EQ(dib.GetPixels(1, 1), 3);
  dib.SetWidth(5);
  EXPECT_EQ(dib.GetPixels(1, 1), 0);
  EXPECT_EQ(dib.GetColors(3), 0u);
  EXPECT_EQ(dib.GetPaletteSize(), 256);
}

TEST(IxDIB, SetBitCountMakesBlankStorageOfDefaultPaletteSize) {
  TIxDIB dib;
  dib.SetBitCount(24);
  EXPECT_EQ(dib.GetPaletteSize(), 0);
  dib.SetPixels(0, 0, static_cast<int32_t>(RGB(10, 20, 30)));
  dib.SetBitCount(8);
  EXPECT_EQ(dib.GetPaletteSize(), 256);
  EXPECT_EQ(dib.GetPixels(0, 0), 0);
  dib.SetBitCount(4);
  EXPECT_EQ(dib.GetPaletteSize(), 16);
  dib.SetBitCount(1);
  EXPECT_EQ(dib.GetPaletteSize(), 2);
}

TEST(IxDIB, BadSizesAndDepthsRaiseParameterErrors) {
  TIxDIB dib;
  ExpectMessage<EIxDIBInvalidDIBPara>([&] { dib.SetWidth(0); }, "TIxDIB.SetWidth: Invalid Width");
  ExpectMessage<EIxDIBInvalidDIBPara>([&] { dib.SetWidth(-3); }, "TIxDIB.SetWidth: Invalid Width");
  EXPECT_THROW(dib.SetHeight(0), EIxDIBInvalidDIBPara);
  ExpectMessage<EIxDIBInvalidDIBPara>([&] { dib.SetBitCount(16); }, "TIxDIB.SetBitCount: Invalid BitCount");
  // Sizes whose arithmetic would overflow are refused, not wrapped.
  dib.SetBitCount(24);
  ExpectMessage<EIxDIBInvalidDIBPara>([&] { dib.SetWidth(0x7FFFFFFF); },
                                      "TIxInternalDIB.CreateDIB: Invalid Parameters");
  dib.SetWidth(70000);
  ExpectMessage<EIxDIBInvalidDIBPara>([&] { dib.SetHeight(70000); },
                                      "TIxInternalDIB.CreateDIB: Invalid Parameters");
  EXPECT_EQ(dib.GetWidth(), 70000);  // a failed operation keeps the old storage
  EXPECT_EQ(dib.GetHeight(), 1);
}

TEST(IxDIB, AssignSharesUntilWrittenThenCopies) {
  TIxDIB a, b;
  Shape(a, 8, 8);
  a.SetPixels(0, 0, 7);
  b.Assign(&a);
  EXPECT_EQ(&a.InternalDIB(), &b.InternalDIB());
  EXPECT_EQ(a.InternalDIB().RefCount, 2);
  b.SetPixels(0, 0, 5);
  EXPECT_NE(&a.InternalDIB(), &b.InternalDIB());
  EXPECT_EQ(a.GetPixels(0, 0), 7);
  EXPECT_EQ(b.GetPixels(0, 0), 5);
  EXPECT_EQ(a.InternalDIB().RefCount, 1);
}

TEST(IxDIB, ScanLineAndColoursAlsoCopyOnWrite) {
  TIxDIB a, b, c;
  Shape(a, 8, 8);
  b.Assign(&a);
  c.Assign(&a);
  b.GetScanLine(2)[3] = 9;
  EXPECT_EQ(a.GetPixels(3, 2), 0);
  EXPECT_EQ(b.GetPixels(3, 2), 9);
  c.SetColors(1, RGB(255, 0, 0));
  EXPECT_EQ(a.GetColors(1), 0u);
  EXPECT_EQ(c.GetColors(1), RGB(255, 0, 0));
  EXPECT_EQ(c.GetPixels(3, 2), 0);
}

TEST(IxDIB, AssignItselfAndNull) {
  TIxDIB a;
  Shape(a, 8, 8);
  a.Assign(&a);
  EXPECT_EQ(a.GetWidth(), 8);
  a.Assign(nullptr);
  EXPECT_EQ(a.GetWidth(), 1);
  EXPECT_EQ(a.GetPaletteSize(), 2);
}

TEST(IxDIB, BottomUpAndTopDownAddressing) {
  TIxDIB up, down;
  Shape(up, 4, 3);
  down.SetBitCount(8);
  down.SetWidth(4);
  down.SetHeight(-3);
  EXPECT_EQ(down.GetHeight(), 3);
  up.SetPixels(0, 2, 11);
  down.SetPixels(0, 2, 11);
  // Row y = Height-1 is the first stored row bottom-up, the last top-down.
  EXPECT_EQ(up.InternalDIB().Data()[0], 11);
  EXPECT_EQ(down.InternalDIB().Data()[2 * 4], 11);
  EXPECT_EQ(up.GetScanLine(2), up.MutableInternalDIB().Data());
}

TEST(IxDIB, FourAndOneBitAddressing) {
  TIxDIB dib;
  dib.SetBitCount(4);
  dib.SetWidth(9);
  dib.SetPixels(3, 0, 0xA);
  EXPECT_EQ(dib.InternalDIB().Data()[1], 0x0A);  // low nibble of byte 1
  dib.SetPixels(2, 0, 0x15);                       // only the low 4 bits count
  EXPECT_EQ(dib.InternalDIB().Data()[1], 0x5A);
  EXPECT_EQ(dib.GetPixels(2, 0), 5);
  EXPECT_EQ(dib.GetPixels(3, 0), 10);
  dib.SetBitCount(1);
  dib.SetPixels(0, 0, 7);
  dib.SetPixels(9 - 1, 0, 1);
  EXPECT_EQ(dib.InternalDIB().Data()[0], 0x80);
  EXPECT_EQ(dib.InternalDIB().Data()[1], 0x80);
  EXPECT_EQ(dib.GetPixels(0, 0), 1);
  dib.SetPixels(0, 0, 0);
  EXPECT_EQ(dib.GetPixels(0, 0), 0);
}

TEST(IxDIB, TrueColourPixelsAreColourValues) {
  TIxDIB dib;
  dib.SetBitCount(24);
  dib.SetWidth(2);
  dib.SetPixels(1, 0, static_cast<int32_t>(RGB(0x12, 0x34, 0x56)));
  const uint8_t* p = dib.InternalDIB().Data() + 3;
  EXPECT_EQ(p[0], 0x56);
  EXPECT_EQ(p[1], 0x34);
  EXPECT_EQ(p[2], 0x12);
  EXPECT_EQ(dib.GetPixels(1, 0), static_cast<int32_t>(RGB(0x12, 0x34, 0x56)));
  EXPECT_THROW(dib.SetPixels(0, 0, -1), ERangeError);
}

TEST(IxDIB, PixelAndRowRangeErrors) {
  TIxDIB dib;
  Shape(dib, 4, 4);
  ExpectMessage<EIxDIBPixelPositionRange>([&] { dib.GetPixels(4, 0); },
                                          "TIxDIB.GetPixels: Pixel Position is Out of Range");
  ExpectMessage<EIxDIBPixelPositionRange>([&] { dib.SetPixels(0, -1, 0); },
                                          "TIxDIB.SetPixels: Pixel Position is Out of Range");
  ExpectMessage<EIxDIBPixelPositionRange>([&] { dib.GetScanLine(-1); }, "TIxDIB.GetScanLine: y is Out of Range");
  EXPECT_THROW(dib.SetPixels(0, 0, 256), ERangeError);
  // Compressed storage refuses pixel access; the row check comes first.
  dib.MutableInternalDIB().Header().biCompression = BI_RLE8;
  ExpectMessage<EIxDIBBadDIBType>([&] { dib.GetPixels(0, 0); }, "TIxDIB.GetPixels: Bad DIB Type");
  ExpectMessage<EIxDIBBadDIBType>([&] { dib.GetScanLine(0); }, "TIxDIB.GetScanLine: Bad DIB Type");
  ExpectMessage<EIxDIBPixelPositionRange>([&] { dib.GetScanLine(4); }, "TIxDIB.GetScanLine: y is Out of Range");
  EXPECT_EQ(dib.GetPixelFormat(), ixPf8BitRLE);
}

TEST(IxDIB, ColourIndexLimitsIgnorePaletteSize) {
  TIxDIB dib;
  dib.SetBitCount(4);
  EXPECT_EQ(dib.GetColors(200), 0u);
  ExpectMessage<EIxDIBPaletteIndexRange>([&] { dib.GetColors(256); },
                                         "TIxDIB.GetColors: Palette Index is Out of Range");
  EXPECT_THROW(dib.SetColors(-1, 0), EIxDIBPaletteIndexRange);
  dib.SetColors(5, clBtnFace);  // system colours resolve to RGB
  EXPECT_EQ(dib.GetColors(5), RGB(192, 192, 192));
}

TEST(IxDIB, PaletteSizeRules) {
  TIxDIB dib;
  Shape(dib, 2, 2);
  ExpectMessage<EIxDIBPaletteIndexRange>([&] { dib.SetPaletteSize(0); },
                                         "TIxDIB.SetPaletteSize: Palette Index is Out of Range 2");
  EXPECT_THROW(dib.SetPaletteSize(257), EIxDIBPaletteIndexRange);
  dib.SetColors(20, RGB(1, 1, 1));
  dib.SetPaletteSize(16);
  dib.SetPaletteSize(256);
  EXPECT_EQ(dib.GetColors(20), RGB(1, 1, 1));  // entries beyond the size are kept
  dib.SetBitCount(24);
  dib.SetPaletteSize(0);
  EXPECT_EQ(dib.GetPaletteSize(), 0);
  ExpectMessage<EIxDIBPaletteIndexRange>([&] { dib.SetPaletteSize(300); },
                                         "TIxDIB.SetPaletteSize: Palette Index is Out of Range 1");
}

TEST(IxDIB, PaletteHandleIsBuiltAdoptedAndShared) {
  TIxDIB a, b;
  Shape(a, 2, 2);
  Shape(b, 2, 2);
  a.SetColors(1, RGB(9, 8, 7));
  const HPALETTE pal = a.GetPalette();
  ASSERT_TRUE(pal);
  EXPECT_EQ(pal->entries.size(), 256u);
  EXPECT_EQ(pal->entries[1].peRed, 9);
  EXPECT_EQ(a.GetPalette(), pal);  // cached
  b.SetPixels(0, 0, 1);
  b.SetPalette(pal);
  EXPECT_EQ(b.GetColors(1), RGB(9, 8, 7));
  EXPECT_EQ(b.GetPixels(0, 0), 1);  // indices stay
  EXPECT_EQ(b.GetPalette(), pal);   // adopted
  b.SetPalette(nullptr);
  EXPECT_EQ(b.GetPaletteSize(), 0);
  EXPECT_FALSE(b.GetPalette());
  ExpectMessage<EIxDIBInvalidPalette>([&] { b.SetPalette(std::make_shared<TLogPalette>()); },
                                      "TIxDIB.SetPalette: Invalid Palette");
  a.HalftoneMode = 1;
  EXPECT_EQ(a.GetPalette()->entries.size(), 215u);
  a.HalftoneMode = 2;
  EXPECT_EQ(a.GetPalette()->entries.size(), 2u);
}

TEST(IxDIB, PaletteModifiedFollowsColourTableChanges) {
  TIxDIB dib;
  dib.PaletteModified = false;
  dib.SetColors(0, RGB(1, 2, 3));
  EXPECT_TRUE(dib.PaletteModified);
  dib.PaletteModified = false;
  dib.SetPixels(0, 0, 1);
  EXPECT_FALSE(dib.PaletteModified);
  TIxDIB other;
  other.Assign(&dib);
  ExpectMessage<EIxDIBAssert>([&] { other.UpdatePaletteModified(); },
                              "TIxDIB.UpdatePaletteModified RefCount Must be 1");
}

TEST(IxDIB, PixelFormatReporting) {
  TIxDIB dib;
  dib.SetBitCount(1);
  EXPECT_EQ(dib.GetPixelFormat(), ixPf1Bit);
  dib.MutableInternalDIB().Header().biCompression = BI_RLE4;
  ExpectMessage<EIxDIBInvalidDIB>([&] { dib.GetPixelFormat(); }, "TIxInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
  dib.SetBitCount(4);
  dib.MutableInternalDIB().Header().biCompression = BI_RLE4;
  EXPECT_EQ(dib.GetPixelFormat(), ixPf4BitRLE);
  dib.SetBitCount(24);
  EXPECT_EQ(dib.GetPixelFormat(), ixPf24Bit);
  dib.MutableInternalDIB().Header().biBitCount = 16;
  ExpectMessage<EIxDIBInvalidDIB>([&] { dib.GetPixelFormat(); },
                                  "TIxInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
}

TEST(IxDIB, PackedDIBHoldsHeaderTableAndPixels) {
  TIxDIB dib;
  Shape(dib, 3, 2);
  dib.SetPaletteSize(2);
  dib.SetColors(1, RGB(0xAA, 0xBB, 0xCC));
  dib.SetPixels(2, 0, 1);
  uint16_t format = 0;
  std::vector<uint8_t> data;
  HPALETTE pal = dib.GetPalette();
  dib.SaveToClipboardFormat(format, data, pal);
  EXPECT_EQ(format, CF_DIB);
  EXPECT_FALSE(pal);
  ASSERT_EQ(data.size(), 40u + 8 + 8);
  EXPECT_EQ(data[40 + 4], 0xCC);  // blue first
  EXPECT_EQ(data[48 + 4 + 2], 1);  // top row is the second stored row
}

TEST(IxDIB, ChangeAndProgressNotifications) {
  TIxDIB dib;
  std::vector<std::pair<TProgressStage, int>> seen;
  dib.OnProgress = [&](TGraphic&, TProgressStage s, uint8_t p, bool, const TRect&, const std::string& m) {
    seen.emplace_back(s, p);
    EXPECT_EQ(m, "test");
  };
  dib.ProgressStart(4, "test");
  for (int i = 0; i < 4; ++i) dib.ProgressStep();
  dib.ProgressEnd();
  ASSERT_EQ(seen.size(), 5u);  // start, 25, 50, 75, end: no report at the maximum
  EXPECT_EQ(seen[1].second, 25);
  EXPECT_EQ(seen[3].second, 75);
  EXPECT_EQ(seen[4].first, TProgressStage::psEnding);
}

}  // namespace
}  // namespace pixkura
