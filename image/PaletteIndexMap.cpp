#include "image/PaletteIndexMap.h"

#include <numeric>

namespace pixkura {

TIndexMap IdentityIndexMap() {
  TIndexMap map;
  std::iota(map.begin(), map.end(), uint8_t{0});
  return map;
}

void ApplyIndexMap(TIxDIB& picture, const TIndexMap& map) {
  if (picture.GetPixelFormat() != ixPf8Bit) throw EIxDIBBadDIBType("ApplyIndexMap: Bad DIB Type");
  picture.UniqueDIB();
  TIxInternalDIB& d = picture.MutableInternalDIB();
  const size_t width = static_cast<size_t>(d.Width);
  for (int32_t y = 0; y < d.Height; ++y) {
    uint8_t* row = d.Row(y);
    for (size_t x = 0; x < width; ++x) row[x] = map[row[x]];
  }
  picture.Changed();
}

}  // namespace pixkura
