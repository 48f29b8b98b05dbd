#include "image/PaletteEntryUse.h"

namespace pixkura {

TEntryUse CountEntryUse(const TIxDIB& picture) {
  if (picture.GetPixelFormat() != ixPf8Bit) throw EIxDIBBadDIBType("CountEntryUse: Bad DIB Type");
  const TIxInternalDIB& d = picture.InternalDIB();
  // Four tables counted side by side so that runs of one index do not wait
  // on the same counter.
  std::array<TEntryUse, 4> partial{};
  const size_t width = static_cast<size_t>(d.Width);
  for (int32_t y = 0; y < d.Height; ++y) {
    const uint8_t* row = d.Row(y);
    size_t x = 0;
    for (; x + 4 <= width; x += 4) {
      ++partial[0][row[x]];
      ++partial[1][row[x + 1]];
      ++partial[2][row[x + 2]];
      ++partial[3][row[x + 3]];
    }
    for (; x < width; ++x) ++partial[0][row[x]];
  }
  TEntryUse use{};
  for (size_t i = 0; i < use.size(); ++i)
    use[i] = partial[0][i] + partial[1][i] + partial[2][i] + partial[3][i];
  return use;
}

}  // namespace pixkura
