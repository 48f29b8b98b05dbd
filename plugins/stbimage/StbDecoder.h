// TGA through stb_image, as 24-bit pictures (grey repeated, alpha dropped,
// colour-mapped files expanded through their map).
#pragma once

#include "plugins/stbimage/MiscHeaders.h"

namespace pixkura::spi::misc {

// `header` comes from ReadMiscHeader(file) and passed CheckFileHolds.
int32_t DecodeWithStb(TBytes file, const TMiscHeader& header, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::misc
