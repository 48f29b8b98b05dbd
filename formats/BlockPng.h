// A block as other programs take it from the clipboard (image/png): an 8-bit
// indexed PNG with the whole palette, its transparent index given alpha 0 in
// tRNS, so that they show the holes and a later paste can keep the indices.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/ClipboardBlock.h"

namespace pixkura {

std::vector<uint8_t> EncodeBlockPng(const TIndexedBlock& block);

}  // namespace pixkura
