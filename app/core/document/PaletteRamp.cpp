#include "app/core/document/PaletteRamp.h"

#include <algorithm>

namespace pixkura {
namespace {

// (from * (n - k) + to * k) / n to the nearest whole value, halves up.
uint8_t RampChannel(uint8_t from, uint8_t to, int32_t k, int32_t n) {
  const int32_t twice = 2 * (from * (n - k) + to * k);
  return static_cast<uint8_t>((twice + n) / (2 * n));
}

}  // namespace

void FillRamp(std::array<TColor, 256>& colors, uint8_t a, uint8_t b) {
  const int32_t lo = std::min(a, b), hi = std::max(a, b), n = hi - lo;
  const TColor from = colors[static_cast<size_t>(lo)], to = colors[static_cast<size_t>(hi)];
  for (int32_t k = 1; k < n; ++k)
    colors[static_cast<size_t>(lo + k)] = RGB(RampChannel(GetRValue(from), GetRValue(to), k, n),
                                              RampChannel(GetGValue(from), GetGValue(to), k, n),
                                              RampChannel(GetBValue(from), GetBValue(to), k, n));
}

}  // namespace pixkura
