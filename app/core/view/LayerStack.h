// The sheet read as a stack of layers: its two halves, or its four quadrants,
// lying on top of each other; a pixel of the transparent index is a hole
// through which the layers beneath show. Composites of a region are written at
// the region's own sheet position.
#pragma once

#include <array>
#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

inline constexpr int32_t kLayerSpan = 128;  // a half or a quadrant is 128 pixels across

struct TLayerStack {
  // Top-left sheet pixel of each layer, bottom to top.
  std::array<int32_t, 4> Left{}, Top{};
  int32_t Count = 0;
  // The layer the region belongs to.
  int32_t Own = 0;
};

// The layers and the one a width x height region at (left, top) belongs to,
// decided by the region's right and bottom edges. Two-way: bottom half, top
// half. Four-way: bottom-right, bottom-left, top-right, top-left.
TLayerStack LayerStackOf(int32_t left, int32_t top, int32_t width, int32_t height, bool fourWay);

// Writes into target at (x, y) the w x h block of the lowest layer as it is
// (holes included), then the blocks of every higher layer up to the region's
// own, each leaving its transparent pixels out.
void LayLayersBelow(const TLayerStack& stack, int32_t x, int32_t y, int32_t w, int32_t h, TIxDIB& sheet,
                    TIxDIB& target, uint8_t transparent);

// Copies the w x h block at (x, y) of from into to at the same place, as it is.
void CopyLayerBlock(int32_t x, int32_t y, int32_t w, int32_t h, TIxDIB& from, TIxDIB& to);

// Lays the blocks of every layer above the region's own over target at (x, y),
// leaving their transparent pixels out.
void LayLayersAbove(const TLayerStack& stack, int32_t x, int32_t y, int32_t w, int32_t h, TIxDIB& sheet,
                    TIxDIB& target, uint8_t transparent);

}  // namespace pixkura
