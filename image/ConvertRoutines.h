// The pixel-format conversion routines behind TIxDIB::SetPixelFormat. Each one
// reads one storage record and returns a new one; the source is never touched,
// so a failure leaves the bitmap as it was. Every routine first checks that its
// source has the bit count and compression it converts, raising
// EIxDIBBadDIBType with its own message otherwise. The RLE coders are declared
// in image/IxDIBRLE.h.
#pragma once

#include <cstdint>
#include <memory>

#include "image/IxDIB.h"

namespace pixkura {

using TDIBPtr = std::unique_ptr<TIxInternalDIB>;

// Checks that src holds uncompressed pixels of bitCount bits and that its
// pixel memory holds every row; raises EIxDIBBadDIBType(message) otherwise.
void RequireUncompressed(const TIxInternalDIB& src, uint16_t bitCount, const char* message);

// New blank storage of src's size and row order with another depth and
// palette size; the resolution fields are kept.
TDIBPtr NewStorageLike(const TIxInternalDIB& src, int32_t bitCount, int32_t paletteSize);

// Stored row i of an uncompressed record. A conversion keeps the row order,
// so stored row i of its source becomes stored row i of its result.
inline const uint8_t* StoredRowOf(const TIxInternalDIB& d, int32_t i) {
  return d.Data() + static_cast<size_t>(i) * static_cast<size_t>(d.RowSize());
}
inline uint8_t* StoredRowOf(TIxInternalDIB& d, int32_t i) {
  return d.Data() + static_cast<size_t>(i) * static_cast<size_t>(d.RowSize());
}

// Index of the pixel at x in an uncompressed row of 1, 4 or 8 bits.
template <int Bits>
inline uint8_t IndexAt(const uint8_t* row, int32_t x) {
  if constexpr (Bits == 1) {
    return static_cast<uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
  } else if constexpr (Bits == 4) {
    return static_cast<uint8_t>((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
  } else {
    static_assert(Bits == 8);
    return row[x];
  }
}

// Fills the uncompressed DstBits-bit storage dst, of src's size and row order,
// with indexOf(stored source row, x) for every pixel, packed as the depth
// requires (left pixel in the high bits).
template <int DstBits, typename IndexOf>
void WriteIndices(const TIxInternalDIB& src, TIxInternalDIB& dst, IndexOf indexOf) {
  static_assert(DstBits == 1 || DstBits == 4 || DstBits == 8);
  const int32_t width = src.Width;
  for (int32_t i = 0; i < src.Height; ++i) {
    const uint8_t* in = StoredRowOf(src, i);
    uint8_t* out = StoredRowOf(dst, i);
    if constexpr (DstBits == 8) {
      for (int32_t x = 0; x < width; ++x) out[x] = indexOf(in, x);
    } else if constexpr (DstBits == 4) {
      int32_t x = 0;
      for (; x + 1 < width; x += 2)
        *out++ = static_cast<uint8_t>(indexOf(in, x) << 4 | (indexOf(in, x + 1) & 15));
      if (x < width) *out = static_cast<uint8_t>(indexOf(in, x) << 4);
    } else {
      uint32_t bits = 0;
      int32_t x = 0;
      for (; x < width; ++x) {
        bits = bits << 1 | (indexOf(in, x) & 1);
        if ((x & 7) == 7) *out++ = static_cast<uint8_t>(bits), bits = 0;
      }
      if (x & 7) *out = static_cast<uint8_t>(bits << (8 - (x & 7)));
    }
  }
}

// Expansions: indices widened, palette kept.
TDIBPtr Convert1BitRGBTo4BitRGB(const TIxInternalDIB& src);
TDIBPtr Convert1BitRGBTo8BitRGB(const TIxInternalDIB& src);
TDIBPtr Convert4BitRGBTo8BitRGB(const TIxInternalDIB& src);
// Expansions to 24 bits: every pixel becomes its colour-table entry.
TDIBPtr Convert1BitRGBToTrueColor(const TIxInternalDIB& src);
TDIBPtr Convert4BitRGBToTrueColor(const TIxInternalDIB& src);
TDIBPtr Convert8BitRGBToTrueColor(const TIxInternalDIB& src);

// Colour reductions of 24-bit pictures. "Low" works on a 5-6-5 histogram,
// "High" on the pixels themselves; step is called once per leaf of the split
// (256 or 16 times in all).
TDIBPtr ConvertTrueColorTo8BitRGBLow(const TIxInternalDIB& src, const TProgressStep& step);
TDIBPtr ConvertTrueColorTo4BitRGBLow(const TIxInternalDIB& src, const TProgressStep& step);
TDIBPtr ConvertTrueColorTo8BitRGBHigh(const TIxInternalDIB& src, const TProgressStep& step);
TDIBPtr ConvertTrueColorTo4BitRGBHigh(const TIxInternalDIB& src, const TProgressStep& step);

// The palette the 8-bit reductions would build, without mapping the pixels:
// returns the number of colours (at most 256) written into table.
int32_t TrueColorPaletteLow(const TIxInternalDIB& src, TRGBQuad* table, const TProgressStep& step);
int32_t TrueColorPaletteHigh(const TIxInternalDIB& src, TRGBQuad* table, const TProgressStep& step);

// 8 bits to 4 bits: a 16-colour palette chosen from the colours the picture
// uses; step is called 16 times.
TDIBPtr Convert8BitRGBTo4BitRGB(const TIxInternalDIB& src, const TProgressStep& step);

// Reductions to 1 bit: a pixel of exactly bkColor becomes 1 (white), every
// other pixel 0 (black). bkColor is an RGB value (ColorToRGB already applied).
TDIBPtr ConvertTrueColorTo1BitRGB(const TIxInternalDIB& src, TColor bkColor);
TDIBPtr Convert8BitTo1BitRGB(const TIxInternalDIB& src, TColor bkColor);
TDIBPtr Convert4BitRGBTo1BitRGB(const TIxInternalDIB& src, TColor bkColor);

// Half-tones of an uncompressed 1, 4, 8 or 24-bit picture: 8 bits on
// HalftonePalette(), or 1 bit on HalftonePaletteBW(); every pixel takes the
// nearest palette colour.
TDIBPtr ConvertToHalfTone(const TIxInternalDIB& src);
TDIBPtr ConvertToHalfToneBW(const TIxInternalDIB& src);

}  // namespace pixkura
