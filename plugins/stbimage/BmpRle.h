// Run-length encoded BMP rows (RLE8, RLE4) to one index byte per pixel.
#pragma once

#include "plugins/common/SpiEntry.h"

namespace pixkura::spi::misc {

// Decodes `data` (from the start of the pixel data to the end of the file)
// into `out`, already allocated at the picture's size with 8 bits per pixel
// and zero-filled: pixels the codes skip stay index 0. Fails on a code that
// would leave the picture (its rows padded to 4 bytes) and on data that end
// before the picture does.
int32_t DecodeBmpRle(TBytes data, int bitCount, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::misc
