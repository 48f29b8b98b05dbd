// The editor's own clipboard format, application/x-pixkura-block: a block of
// palette indices with the 256 colours it was drawn in and its transparent
// index, so that a paste into another editor gives back exactly the indices.
//
// Layout, integers little-endian:
//   "PXKB"  u8 version (1)  u8 transparent index  u16 width  u16 height
//   256 x (red, green, blue)
//   width * height indices, row by row from the top
// Width and height are 1..256, the sheet's size; the length is exact.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/Color.h"

namespace pixkura {

inline constexpr std::string_view kBlockMimeType = "application/x-pixkura-block";
inline constexpr int32_t kMaxBlockSide = 256;

struct TIndexedBlock {
  int32_t Width = 0, Height = 0;
  std::array<TColor, 256> Colors{};
  uint8_t Transparent = 0;
  std::vector<uint8_t> Indices;  // Width * Height, rows from the top

  bool operator==(const TIndexedBlock&) const = default;
};

// The bytes of block; its size must be 1..256 on each side with
// Width * Height indices (the editor's blocks always are).
std::vector<uint8_t> EncodeIndexedBlock(const TIndexedBlock& block);

// The block in bytes from anyone on the desktop: nullopt unless they are
// exactly one block of this layout and version with a size of 1..256.
std::optional<TIndexedBlock> DecodeIndexedBlock(std::span<const uint8_t> bytes);

}  // namespace pixkura
