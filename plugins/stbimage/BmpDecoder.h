// BMPs with extended info headers. Palette pictures (1, 4, 8 bits, plain or
// run-length encoded) keep their table order and indices, widened to one
// byte per pixel; 16, 24 and
// 32-bit pictures arrive as 24-bit, channels taken through their masks and
// stretched to the full 0..255 range, alpha dropped.
#pragma once

#include "plugins/stbimage/MiscHeaders.h"

namespace pixkura::spi::misc {

// `header` comes from ReadMiscHeader(file) and passed CheckFileHolds.
int32_t DecodeBmp(TBytes file, const TMiscHeader& header, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::misc
