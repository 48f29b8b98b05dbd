// Lossless conversions to a deeper format: indices widened with the palette
// kept (1 -> 4, 1 -> 8, 4 -> 8), and indices replaced by their colours (-> 24).
#include <cstring>

#include "image/ConvertRoutines.h"

namespace pixkura {
namespace {

template <int SrcBits, int DstBits>
TDIBPtr WidenIndices(const TIxInternalDIB& src, const char* message) {
  static_assert(DstBits == 4 || DstBits == 8);
  RequireUncompressed(src, SrcBits, message);
  TDIBPtr dst = NewStorageLike(src, DstBits, static_cast<int32_t>(src.Header().biClrUsed));
  std::memcpy(dst->ColorTable(), src.ColorTable(), sizeof(src.Info.ColorTable));
  for (int32_t i = 0; i < src.Height; ++i) {
    const uint8_t* in = StoredRowOf(src, i);
    uint8_t* out = StoredRowOf(*dst, i);
    for (int32_t x = 0; x < src.Width; ++x) {
      const uint8_t v = IndexAt<SrcBits>(in, x);
      if constexpr (DstBits == 8) {
        out[x] = v;
      } else {
        out[x >> 1] |= static_cast<uint8_t>((x & 1) ? v : v << 4);  // the memory starts zeroed
      }
    }
  }
  return dst;
}

template <int SrcBits>
TDIBPtr IndicesToTrueColor(const TIxInternalDIB& src, const char* message) {
  RequireUncompressed(src, SrcBits, message);
  TDIBPtr dst = NewStorageLike(src, 24, 0);
  const TRGBQuad* table = src.ColorTable();
  for (int32_t i = 0; i < src.Height; ++i) {
    const uint8_t* in = StoredRowOf(src, i);
    uint8_t* out = StoredRowOf(*dst, i);
    for (int32_t x = 0; x < src.Width; ++x, out += 3) {
      const TRGBQuad& c = table[IndexAt<SrcBits>(in, x)];
      out[0] = c.rgbBlue;
      out[1] = c.rgbGreen;
      out[2] = c.rgbRed;
    }
  }
  return dst;
}

}  // namespace

TDIBPtr Convert1BitRGBTo4BitRGB(const TIxInternalDIB& src) {
  return WidenIndices<1, 4>(src, "Convert1BitRGBTo4BitRGB: Invalid Bitcount & Compression Combination");
}
TDIBPtr Convert1BitRGBTo8BitRGB(const TIxInternalDIB& src) {
  return WidenIndices<1, 8>(src, "Convert1BitRGBTo8BitRGB: Invalid Bitcount & Compression Combination");
}
TDIBPtr Convert4BitRGBTo8BitRGB(const TIxInternalDIB& src) {
  return WidenIndices<4, 8>(src, "Convert4BitRGBTo8BitRGB: Invalid Bitcount & Compression Combination");
}
TDIBPtr Convert1BitRGBToTrueColor(const TIxInternalDIB& src) {
  return IndicesToTrueColor<1>(src, "Convert1BitRGBToTrueColor: Invalid Bitcount & Compression Combination");
}
TDIBPtr Convert4BitRGBToTrueColor(const TIxInternalDIB& src) {
  return IndicesToTrueColor<4>(src, "Convert4BitRGBToTrueColor: Invalid Bitcount & Compression Combination");
}
TDIBPtr Convert8BitRGBToTrueColor(const TIxInternalDIB& src) {
  return IndicesToTrueColor<8>(src, "Convert8BitRGBToTrueColor: Invalid Bitcount & Compression Combination");
}

}  // namespace pixkura
