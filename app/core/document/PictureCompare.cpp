#include "app/core/document/PictureCompare.h"

#include <algorithm>
#include <cstring>

namespace pixkura {

bool SameColors(const TIxDIB& a, const TIxDIB& b) {
  const TIxInternalDIB &da = a.InternalDIB(), &db = b.InternalDIB();
  if (&da == &db) return true;
  const uint32_t entries = da.Header().biClrUsed;
  if (entries != db.Header().biClrUsed) return false;
  const TRGBQuad *ca = da.ColorTable(), *cb = db.ColorTable();
  return std::equal(ca, ca + std::min<uint32_t>(entries, 256), cb, [](const TRGBQuad& x, const TRGBQuad& y) {
    return x.rgbRed == y.rgbRed && x.rgbGreen == y.rgbGreen && x.rgbBlue == y.rgbBlue;
  });
}

bool SamePicture(const TIxDIB& a, const TIxDIB& b) {
  const TIxInternalDIB &da = a.InternalDIB(), &db = b.InternalDIB();
  if (&da == &db) return true;
  if (da.Width != db.Width || da.Height != db.Height || da.Header().biBitCount != db.Header().biBitCount ||
      da.Header().biCompression != BI_RGB || db.Header().biCompression != BI_RGB || !SameColors(a, b))
    return false;
  // The padding at the end of a stored row is no part of the picture.
  const auto rowBytes = (static_cast<size_t>(da.Width) * da.Header().biBitCount + 7) / 8;
  for (int32_t y = 0; y < da.Height; ++y)
    if (std::memcmp(da.Row(y), db.Row(y), rowBytes) != 0) return false;
  return true;
}

}  // namespace pixkura
