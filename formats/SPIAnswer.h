// What an import plug-in hands back from GetPicture, checked before use: a
// header block (info header, masks, colour table) and a pixel block, both
// allocated by the plug-in with malloc. A plug-in is outside code; whatever
// it returns is treated as hostile input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/IxDIBTypes.h"

namespace pixkura {

struct TSPIAnswer {
  TBitmapInfoHeader Info{};         // copy of the plug-in's header
  std::span<const uint8_t> Header;  // header, masks and colour table: exactly what the header implies
  std::span<const uint8_t> Bits;    // exactly |height| x row size bytes
};

// Checks blocks of known sizes. Accepted: a 40-byte header, width > 0,
// height != 0, 1/4/8/16/24/32 bits, uncompressed (bit fields with three
// non-zero masks for 16 and 32 bits), at most 256 colours, both blocks long
// enough for what the header says. Any other answer: nullopt.
std::optional<TSPIAnswer> CheckSPIAnswer(const void* header, size_t headerSize, const void* bits,
                                         size_t bitsSize);
// The same for blocks straight from a plug-in: their sizes are the usable
// sizes of the malloc blocks. Null blocks or one block given twice: nullopt.
std::optional<TSPIAnswer> CheckSPIAnswerBlocks(const void* header, const void* bits);

// Colour entries the header implies: biClrUsed, or 2/16/256 for 1/4/8 bits
// when it is 0.
uint32_t SPIAnswerColors(const TBitmapInfoHeader& info);

// The answer as a packed DIB (header, masks, colour table, pixels in one block).
std::vector<uint8_t> BuildPackedDIB(const TSPIAnswer& answer);
// The answer as a complete BMP file.
std::vector<uint8_t> BuildBitmapFile(const TSPIAnswer& answer);

}  // namespace pixkura
