// A true-colour picture brought to the palette: each pixel takes its nearest
// entry (no dither), a pixel with alpha below 128 the transparent index.
// No opaque pixel takes the transparent index, even when its colour is the
// nearest: it would become a hole when the block is placed.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/Color.h"

namespace pixkura {

// pixels hold 0xAARRGGBB each (the desktop's 32-bit layout); the result has
// one index per pixel, in the same order.
std::vector<uint8_t> MapToPalette(std::span<const uint32_t> pixels, const std::array<TColor, 256>& palette,
                                  uint8_t transparent);

}  // namespace pixkura
