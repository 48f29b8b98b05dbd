// The Windows bitmap records, laid out byte for byte as in BMP files and
// packed DIBs, and the pixel formats an indexed bitmap can hold.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace pixkura {

#pragma pack(push, 1)
struct TBitmapFileHeader {
  uint16_t bfType;
  uint32_t bfSize;
  uint16_t bfReserved1;
  uint16_t bfReserved2;
  uint32_t bfOffBits;
};
struct TBitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // positive: rows stored bottom-up; negative: top-down
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
struct TBitmapCoreHeader {
  uint32_t bcSize;
  uint16_t bcWidth;
  uint16_t bcHeight;
  uint16_t bcPlanes;
  uint16_t bcBitCount;
};
struct TRGBQuad {
  uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct TRGBTriple {
  uint8_t rgbtBlue, rgbtGreen, rgbtRed;
};
#pragma pack(pop)
static_assert(sizeof(TBitmapFileHeader) == 14);
static_assert(sizeof(TBitmapInfoHeader) == 40);
static_assert(sizeof(TBitmapCoreHeader) == 12);

constexpr uint16_t kBitmapFileType = 0x4D42;  // "BM"
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint16_t CF_DIB = 8;

// Pixel formats, in this order. 6 and 7 are conversion requests only.
enum TIxPixelFormat : uint8_t {
  ixPf1Bit = 0,
  ixPf4Bit = 1,
  ixPf4BitRLE = 2,
  ixPf8Bit = 3,
  ixPf8BitRLE = 4,
  ixPf24Bit = 5,
  ixPfHalftone = 6,
  ixPfHalftoneBW = 7,
};

// A logical palette, the stand-in for a platform palette handle. Immutable
// once made, so bitmaps can share one without copying.
struct TPaletteEntry {
  uint8_t peRed, peGreen, peBlue, peFlags;
};
struct TLogPalette {
  uint16_t palVersion = 0x300;
  std::vector<TPaletteEntry> entries;
};
using HPALETTE = std::shared_ptr<const TLogPalette>;

}  // namespace pixkura
