#include "image/qt/IxDIBQt.h"

#include <gtest/gtest.h>

namespace pixkura {
namespace {

void Shape(TIxDIB& dib, int32_t w, int32_t h, int32_t bits, int32_t paletteSize) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(bits);
  if (paletteSize) dib.SetPaletteSize(paletteSize);
}

// Pixel (x, y) of a test picture: a different value per pixel and depth.
int32_t Value(int x, int y, int bits) {
  const int v = x * 7 + y * 13 + 1;
  return bits == 24 ? static_cast<int32_t>(RGB(static_cast<uint8_t>(v), static_cast<uint8_t>(v * 3),
                                               static_cast<uint8_t>(255 - v)))
                    : v % (1 << bits);
}

void Fill(TIxDIB& dib) {
  for (int y = 0; y < dib.GetHeight(); ++y)
    for (int x = 0; x < dib.GetWidth(); ++x) dib.SetPixels(x, y, Value(x, y, dib.GetBitCount()));
  for (int i = 0; i < dib.GetPaletteSize(); ++i)
    dib.SetColors(i,
                  RGB(static_cast<uint8_t>(i * 5), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i)));
}

TEST(IxDIBQt, WrapSharesThePixelMemory) {
  TIxDIB dib;
  Shape(dib, 5, 3, 8, 256);
  Fill(dib);
  const QImage image = WrapIndexed8(dib);
  EXPECT_EQ(image.constBits(), dib.InternalDIB().Data());
  EXPECT_EQ(image.format(), QImage::Format_Indexed8);
  EXPECT_EQ(image.bytesPerLine(), 8);
  EXPECT_EQ(image.colorCount(), 256);
  // Bottom-up storage: the picture's top row is the last stored one.
  EXPECT_EQ(image.pixelIndex(2, 2), dib.GetPixels(2, 0));
  TIxDIB four;
  Shape(four, 2, 2, 4, 16);
  EXPECT_THROW(WrapIndexed8(four), EIxDIBBadDIBType);
}

QImage Painted(const TIxDIB& dib, int w, int h) {
  QImage target(w, h, QImage::Format_RGB32);
  target.fill(Qt::black);
  QPainter painter(&target);
  Draw(painter, QRect(0, 0, w, h), dib);
  painter.end();
  return target;
}

TEST(IxDIBQt, DrawStretchesUprightWithNearestNeighbour) {
  for (const int32_t height : {2, -2}) {  // bottom-up and top-down storage
    TIxDIB dib;
    dib.SetWidth(2);
    dib.SetHeight(height);
    dib.SetBitCount(8);
    dib.SetPaletteSize(256);
    dib.SetColors(1, RGB(255, 0, 0));
    dib.SetColors(2, RGB(0, 255, 0));
    dib.SetColors(3, RGB(0, 0, 255));
    dib.SetPixels(1, 0, 1);
    dib.SetPixels(0, 1, 2);
    dib.SetPixels(1, 1, 3);
    const QImage out = Painted(dib, 8, 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const int v = dib.GetPixels(x / 4, y / 4);
        const TColor c = dib.GetColors(v);
        ASSERT_EQ(out.pixel(x, y), qRgb(GetRValue(c), GetGValue(c), GetBValue(c)))
            << x << "," << y << " height " << height;
      }
  }
}

TEST(IxDIBQt, DrawOtherFormats) {
  TIxDIB dib;
  Shape(dib, 3, 2, 24, 0);
  Fill(dib);
  const QImage out = Painted(dib, 3, 2);
  const auto c = static_cast<TColor>(dib.GetPixels(2, 1));
  EXPECT_EQ(out.pixel(2, 1), qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
  TIxDIB rle;
  Shape(rle, 4, 4, 8, 256);
  Fill(rle);
  const QImage plain = Painted(rle, 4, 4);
  rle.SetPixelFormat(ixPf8BitRLE);
  EXPECT_EQ(Painted(rle, 4, 4), plain);
  // Black-and-white half-tone: only black and white reach the target, and
  // the bitmap itself is not changed.
  rle.HalftoneMode = 2;
  const QImage bw = Painted(rle, 8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const QRgb p = bw.pixel(x, y);
      ASSERT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255)) << x << "," << y;
    }
  EXPECT_EQ(rle.GetPixelFormat(), ixPf8BitRLE);
}

TEST(IxDIBQt, RoundTripsThroughQImage) {
  for (const int bits : {1, 4, 8, 24}) {
    TIxDIB dib;
    Shape(dib, 13, 5, bits, bits == 24 ? 0 : (bits == 8 ? 200 : 0));
    Fill(dib);
    const QImage image = AssignToQImage(dib);
    TIxDIB back;
    int changes = 0;
    back.OnChange = [&](TGraphic&) { ++changes; };
    back.BkColor = 0x123456;
    AssignFromQImage(back, image);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(back.BkColor, 0x123456u);  // the bitmap's own settings stay
    EXPECT_TRUE(back.PaletteModified);
    // Qt has no 4-bit format: those come back with 8 bits.
    EXPECT_EQ(back.GetBitCount(), bits == 4 ? 8 : bits) << bits;
    EXPECT_EQ(back.GetPaletteSize(), dib.GetPaletteSize()) << bits;
    for (int i = 0; i < dib.GetPaletteSize(); ++i) EXPECT_EQ(back.GetColors(i), dib.GetColors(i));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 13; ++x) ASSERT_EQ(back.GetPixels(x, y), dib.GetPixels(x, y)) << bits;
  }
}

TEST(IxDIBQt, RLEStorageIsDecoded) {
  TIxDIB dib;
  Shape(dib, 6, 3, 4, 16);
  Fill(dib);
  TIxDIB rle;
  rle.Assign(&dib);
  rle.SetPixelFormat(ixPf4BitRLE);
  ASSERT_EQ(rle.GetPixelFormat(), ixPf4BitRLE);
  EXPECT_EQ(AssignToQImage(rle), AssignToQImage(dib));
}

TEST(IxDIBQt, AssignFromQImageDepthsAndPalettes) {
  TIxDIB dib;
  QImage argb(4, 2, QImage::Format_ARGB32);
  argb.fill(qRgba(10, 20, 30, 128));
  AssignFromQImage(dib, argb);
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetPaletteSize(), 0);
  EXPECT_EQ(static_cast<TColor>(dib.GetPixels(3, 1)), RGB(10, 20, 30));

  QImage grey(3, 1, QImage::Format_Grayscale8);
  grey.fill(77);
  AssignFromQImage(dib, grey);
  EXPECT_EQ(dib.GetBitCount(), 8);
  EXPECT_EQ(dib.GetPaletteSize(), 256);
  EXPECT_EQ(dib.GetPixels(2, 0), 77);
  EXPECT_EQ(dib.GetColors(77), RGB(77, 77, 77));

  QImage bare(9, 2, QImage::Format_Indexed8);  // no colour table
  bare.fill(3);
  AssignFromQImage(dib, bare);
  EXPECT_EQ(dib.GetPaletteSize(), 256);
  EXPECT_EQ(dib.GetPixels(8, 1), 3);

  QImage mono(10, 3, QImage::Format_MonoLSB);
  mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  mono.fill(0);
  mono.setPixel(9, 2, 1);
  AssignFromQImage(dib, mono);
  EXPECT_EQ(dib.GetBitCount(), 1);
  EXPECT_EQ(dib.GetPaletteSize(), 2);
  EXPECT_EQ(dib.GetPixels(9, 2), 1);
  EXPECT_EQ(dib.GetPixels(8, 2), 0);
  EXPECT_EQ(dib.GetColors(1), clWhite);
}

TEST(IxDIBQt, AFailedAssignKeepsTheOldPicture) {
  TIxDIB dib;
  Shape(dib, 3, 3, 8, 256);
  dib.SetPixels(1, 1, 42);
  TIxDIB sharer;
  sharer.Assign(&dib);
  int changes = 0;
  dib.OnChange = [&](TGraphic&) { ++changes; };
  EXPECT_THROW(AssignFromQImage(dib, QImage()), EIxDIBInvalidDIBPara);
  EXPECT_EQ(dib.GetPixels(1, 1), 42);
  EXPECT_EQ(&dib.InternalDIB(), &sharer.InternalDIB());
  EXPECT_EQ(changes, 0);
  // A successful one leaves the former sharer alone.
  AssignFromQImage(dib, QImage(2, 2, QImage::Format_RGB32));
  EXPECT_EQ(sharer.GetPixels(1, 1), 42);
  EXPECT_EQ(sharer.GetWidth(), 3);
}

}  // namespace
}  // namespace pixkura
