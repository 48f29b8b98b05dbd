// The PNG writer: an 8-bit palette picture as one IHDR, a 256-entry PLTE, one
// IDAT of unfiltered rows in one zlib stream, and IEND; with a transparent
// entry, a tRNS chunk between PLTE and IDAT.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/IxDIB.h"

namespace pixkura {

struct TPNGOptions {
  // The entry that viewers and game engines show fully transparent: tRNS gives
  // it alpha 0 and every earlier entry 255, and leaves out the later ones
  // (opaque, as PNG reads a short tRNS). None: no tRNS, every entry opaque.
  std::optional<uint8_t> TransparentIndex;
};

// The whole PNG file of bitmap, built in memory. The bitmap must hold palette
// indices (1, 4 or 8 bits, uncompressed; the editor gives 8 bits); other
// storage raises EIxDIBBadDIBType "SavePNG: Bad DIB Type".
std::vector<uint8_t> EncodePNG(const TIxDIB& bitmap, const TPNGOptions& options = {});

// Encodes bitmap and then replaces fileName with the file in one piece, so a
// failure leaves an existing file untouched.
void SavePNG(const std::string& fileName, const TIxDIB& bitmap, const TPNGOptions& options = {});

// The CRC-32 of PNG chunks (reflected polynomial EDB88320, initial value all
// ones, result complemented) over data.
uint32_t PNGCrc32(const uint8_t* data, size_t size);

}  // namespace pixkura
