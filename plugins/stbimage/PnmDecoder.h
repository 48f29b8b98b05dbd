// Binary PGM and PPM as 24-bit pictures, every sample scaled from the
// file's maximum value to 0..255 (rounded), grey repeated in all channels.
#pragma once

#include "plugins/stbimage/MiscHeaders.h"

namespace pixkura::spi::misc {

// `header` comes from ReadMiscHeader(file) and passed CheckFileHolds.
int32_t DecodePnm(TBytes file, const TMiscHeader& header, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::misc
