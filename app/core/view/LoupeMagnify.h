// The loupe's magnification: a block of 8-bit bitmaps enlarged by a power of
// two, each pixel a square block. The same pixels as the scaled copy
// StretchCopy and the layer draw ZoomLayerDraw make for such a factor, written
// straight through rows with no canvas, no allocation and no change events,
// because the loupe redraws after every pen segment. Source pixels x1 <= x < x2,
// y1 <= y < y2 land at (0, 0) of dst; source pixels outside the sources and
// blocks beyond dst are left out; a shift outside 0..8 draws nothing.
#pragma once

#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

// n pixels of s each repeated (1 shl shift) times into d, for shift 0..8.
void RepeatPixels(const uint8_t* s, uint8_t* d, int64_t n, int32_t shift);

// Each source pixel as a (1 shl shift) square of its index.
void MagnifyBlock(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIxDIB& src, int32_t shift, TIxDIB& dst);

// Each pixel of colors as a solid square where mask is not transparentColor,
// and where it is, as the two-colour pattern of ZoomLayerDraw (the colour and
// ditherColor: itself at 1 x 1, a checkerboard at 2 x 2, pairs from 4 x 4 up).
void MagnifyLayerBlock(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIxDIB& colors, TIxDIB& mask,
                       int32_t shift, uint8_t transparentColor, uint8_t ditherColor, TIxDIB& dst);

}  // namespace pixkura
