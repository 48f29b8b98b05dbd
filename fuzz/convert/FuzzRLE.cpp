// RLE storage from hostile bytes. The first five bytes give the picture's
// shape (width, height with its sign for the row order, whether to reduce,
// palette size), capped to small sizes; the rest is the compressed stream.
// The bitmap is then asked for its uncompressed format, so the decoder runs;
// what it decodes must survive encoding and decoding again unchanged, and the
// colour reduction the editor uses must not fail on it.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/Exception.h"
#include "image/IxDIB.h"

#ifndef PIXKURA_FUZZ_RLE_BITS
#error "PIXKURA_FUZZ_RLE_BITS must be 8 or 4"
#endif

namespace pixkura {
namespace {

constexpr int32_t kBits = PIXKURA_FUZZ_RLE_BITS;
constexpr TIxPixelFormat kRLE = kBits == 8 ? ixPf8BitRLE : ixPf4BitRLE;
constexpr TIxPixelFormat kPlain = kBits == 8 ? ixPf8Bit : ixPf4Bit;

// Same pixels row by row; the nibble that pads an odd RLE4 width may differ.
bool SamePixels(const TIxDIB& a, const TIxDIB& b) {
  const TIxInternalDIB &da = a.InternalDIB(), &db = b.InternalDIB();
  const size_t whole = static_cast<size_t>(da.Width) * kBits / 8;
  for (int32_t y = 0; y < da.Height; ++y) {
    const uint8_t *ra = da.Row(y), *rb = db.Row(y);
    if (std::memcmp(ra, rb, whole) != 0) return false;
    if (kBits == 4 && (da.Width & 1) && (ra[whole] & 0xF0) != (rb[whole] & 0xF0)) return false;
  }
  return true;
}

void Run(const uint8_t* data, size_t size) {
  if (size < 5) return;
  const int32_t width = 1 + (data[0] | data[1] << 8) % 320;
  const int32_t height = 1 + (data[2] | (data[3] & 0x3F) << 8) % 96;
  const bool reduce = (data[3] & 0x40) != 0;  // the reduction costs more than the rest; only on request
  const bool topDown = (data[3] & 0x80) != 0;
  const int32_t colors = data[4] % (kBits == 8 ? 256 : 16) + 1;
  data += 5;
  size -= 5;

  auto storage = TIxInternalDIB::CreateDIB(width, topDown ? -height : height, kBits, colors);
  for (int32_t k = 0; k < colors; ++k)
    storage->ColorTable()[k] =
        TRGBQuad{static_cast<uint8_t>(k * 7), static_cast<uint8_t>(k * 13), static_cast<uint8_t>(k * 29), 0};
  storage->Bits = AllocatePixelMemory(size);
  if (size) std::memcpy(storage->Data(), data, size);
  storage->BitsSize = static_cast<uint32_t>(size);
  storage->Header().biCompression = kBits == 8 ? BI_RLE8 : BI_RLE4;
  storage->Header().biSizeImage = storage->BitsSize;
  TIxDIB dib;
  dib.MutableInternalDIB().TakeOver(std::move(*storage));

  try {
    dib.SetPixelFormat(kPlain);
  } catch (const Exception&) {
    return;  // bad RLE data is refused with a clear error; that is all it may do
  }
  TIxDIB again;
  again.Assign(&dib);
  again.SetPixelFormat(kRLE);
  again.SetPixelFormat(kPlain);
  if (!SamePixels(dib, again)) std::abort();

  if (!reduce) return;
  TIxDIB reduced;
  reduced.Assign(&dib);
  reduced.SetPixelFormat(ixPf24Bit);
  reduced.SetPixelFormat(kRLE);
}

}  // namespace
}  // namespace pixkura

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pixkura::Run(data, size);
  return 0;
}
