// An even RGB ramp between two palette entries, the colours in between
// worked out per channel from the two ends.
#pragma once

#include <array>
#include <cstdint>

#include "base/Color.h"

namespace pixkura {

// Fills the entries strictly between a and b (in either order) with an even
// ramp from the colour of the lower entry, lo, to that of the higher, hi:
// with n = hi - lo, each channel of entry lo + k is
//   (channel of lo * (n - k) + channel of hi * k) / n
// rounded to the nearest whole value, halves up. The two ends keep their
// colours; entries next to each other (or one entry) leave nothing to fill.
// The result depends on the two entries only, not on which of them is a.
void FillRamp(std::array<TColor, 256>& colors, uint8_t a, uint8_t b);

}  // namespace pixkura
