#include "formats/BlockPng.h"

#include <cstring>

#include "formats/png.h"
#include "image/IxDIB.h"

namespace pixkura {

std::vector<uint8_t> EncodeBlockPng(const TIndexedBlock& block) {
  TIxDIB bitmap;
  bitmap.SetWidth(block.Width);
  bitmap.SetHeight(block.Height);
  bitmap.SetBitCount(8);
  bitmap.SetPaletteSize(256);
  for (int32_t i = 0; i < 256; ++i) bitmap.SetColors(i, block.Colors[static_cast<size_t>(i)]);
  const size_t width = static_cast<size_t>(block.Width);
  for (int32_t y = 0; y < block.Height; ++y)
    std::memcpy(bitmap.GetScanLine(y), block.Indices.data() + width * static_cast<size_t>(y), width);
  return EncodePNG(bitmap, TPNGOptions{block.Transparent});
}

}  // namespace pixkura
