// What both reader targets check on a picture that was read: the stored
// form reads back identically, and RLE storage decodes without faults.
#pragma once

#include <cstdlib>
#include <cstring>

#include "base/Exception.h"
#include "image/IxDIB.h"
#include "image/IxDIBRLE.h"

namespace pixkura::fuzz {

// Decoding allocates the whole picture whatever the data's length; beyond
// this the run would only measure the allocator.
constexpr int64_t kMaxDecodedBytes = 16 << 20;

inline bool SameStorage(const TIxInternalDIB& a, const TIxInternalDIB& b) {
  return std::memcmp(&a.Header(), &b.Header(), sizeof(TBitmapInfoHeader)) == 0 &&
         std::memcmp(a.ColorTable(), b.ColorTable(), 4 * a.Header().biClrUsed) == 0 &&
         a.BitsSize == b.BitsSize && std::memcmp(a.Data(), b.Data(), a.BitsSize) == 0;
}

// Storage whose depth and compression make a pixel format; only that form
// is written back as it was read (bit-field compression on a palette depth,
// for one, reads its table differently from how it is written).
inline bool HasPixelFormat(const TIxDIB& dib) {
  try {
    (void)dib.GetPixelFormat();
    return true;
  } catch (const Exception&) {
    return false;
  }
}

inline void CheckReadPicture(const TIxDIB& dib) {
  const TIxInternalDIB& d = dib.InternalDIB();
  if (d.Header().biClrUsed > 256 || d.Width <= 0 || d.Height <= 0) std::abort();
  const uint32_t c = d.Header().biCompression;
  if (c == BI_RGB) {
    // Every row must lie inside the pixel memory.
    if (int64_t{d.RowSize()} * d.Height > d.BitsSize) std::abort();
    (void)dib.GetPixels(d.Width - 1, 0);
    (void)dib.GetPixels(0, d.Height - 1);
  } else if ((c == BI_RLE8 && d.Header().biBitCount == 8) || (c == BI_RLE4 && d.Header().biBitCount == 4)) {
    if (int64_t{d.RowSize()} * d.Height > kMaxDecodedBytes) return;
    try {
      auto decoded = c == BI_RLE8 ? Convert8BitRLETo8BitRGB(d) : Convert4BitRLETo4BitRGB(d);
      if (decoded->BitsSize !=
          static_cast<uint32_t>(decoded->RowSize()) * static_cast<uint32_t>(decoded->Height))
        std::abort();
    } catch (const Exception&) {
    }
  }
}

}  // namespace pixkura::fuzz
