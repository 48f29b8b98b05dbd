// Source checks and result storage shared by every conversion routine.
#include <cstdint>

#include "image/ConvertRoutines.h"

namespace pixkura {

void RequireUncompressed(const TIxInternalDIB& src, uint16_t bitCount, const char* message) {
  const TBitmapInfoHeader& h = src.Header();
  if (h.biBitCount != bitCount || h.biCompression != BI_RGB) throw EIxDIBBadDIBType(message);
  // Storage read from a file may claim more rows than its memory holds; such a
  // source is no picture of this type, and reading it would leave the block.
  const int32_t row = src.RowSize();
  const int64_t absHeight = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
  if (row <= 0 || src.Width != h.biWidth || src.Height <= 0 || src.Height != absHeight || !src.Data() ||
      uint64_t(row) * uint64_t(src.Height) > src.BitsSize)
    throw EIxDIBBadDIBType(message);
}

TDIBPtr NewStorageLike(const TIxInternalDIB& src, int32_t bitCount, int32_t paletteSize) {
  TDIBPtr dib = TIxInternalDIB::CreateDIB(src.Width, src.Header().biHeight, bitCount, paletteSize);
  dib->Header().biXPelsPerMeter = src.Header().biXPelsPerMeter;
  dib->Header().biYPelsPerMeter = src.Header().biYPelsPerMeter;
  return dib;
}

}  // namespace pixkura
