// Reductions to 1 bit: the background colour becomes white (1), everything
// else black (0). A pixel matches only when its colour equals the background
// exactly.
#include <array>

#include "image/ConvertRoutines.h"

namespace pixkura {
namespace {

TDIBPtr NewBlackAndWhite(const TIxInternalDIB& src) {
  TDIBPtr dst = NewStorageLike(src, 1, 2);
  dst->ColorTable()[0] = TRGBQuad{0, 0, 0, 0};
  dst->ColorTable()[1] = TRGBQuad{255, 255, 255, 0};
  return dst;
}

template <int SrcBits>
TDIBPtr IndexedTo1Bit(const TIxInternalDIB& src, TColor bkColor, const char* message) {
  RequireUncompressed(src, SrcBits, message);
  std::array<uint8_t, 256> isBackground{};
  for (int index = 0; index < 256; ++index) {
    const TRGBQuad& c = src.ColorTable()[index];
    isBackground[index] = RGB(c.rgbRed, c.rgbGreen, c.rgbBlue) == bkColor;
  }
  TDIBPtr dst = NewBlackAndWhite(src);
  WriteIndices<1>(src, *dst, [&isBackground](const uint8_t* row, int32_t x) {
    return isBackground[IndexAt<SrcBits>(row, x)];
  });
  return dst;
}

}  // namespace

TDIBPtr ConvertTrueColorTo1BitRGB(const TIxInternalDIB& src, TColor bkColor) {
  RequireUncompressed(src, 24, "ConvertTrueColorTo1BitRGB: Invalid Bitcount");
  const uint8_t r = GetRValue(bkColor), g = GetGValue(bkColor), b = GetBValue(bkColor);
  TDIBPtr dst = NewBlackAndWhite(src);
  WriteIndices<1>(src, *dst, [r, g, b](const uint8_t* row, int32_t x) {
    const uint8_t* p = row + 3 * static_cast<size_t>(x);
    return static_cast<uint8_t>(p[0] == b && p[1] == g && p[2] == r);
  });
  return dst;
}

TDIBPtr Convert8BitTo1BitRGB(const TIxInternalDIB& src, TColor bkColor) {
  return IndexedTo1Bit<8>(src, bkColor, "Convert8BitTo1BitRGB: Invalid Bitcount or Compression");
}

TDIBPtr Convert4BitRGBTo1BitRGB(const TIxInternalDIB& src, TColor bkColor) {
  return IndexedTo1Bit<4>(src, bkColor, "Convert4BitRGBTo1BitRGB: Invalid Bitcount");
}

}  // namespace pixkura
