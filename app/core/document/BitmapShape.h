// Every bitmap of the editor is 8 bits per pixel in the uncompressed 8-bit
// format with a 256-entry colour table; this is the one place that gives a
// bitmap that shape.
#pragma once

#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

// Width, height, 8 bits, the 8-bit format and 256 palette entries, in that
// order. Sizing gives blank storage, so every pixel starts as index 0.
void ShapeBitmap(TIxDIB& dib, int32_t width, int32_t height);

// ShapeBitmap, then the colours of master copied entry by entry.
void ShapeBitmapWithColors(TIxDIB& dib, int32_t width, int32_t height, const TIxDIB& master);

}  // namespace pixkura
