// The PNG writer: an 8-bit palette picture as one IHDR, a 256-entry PLTE, one
// IDAT of unfiltered rows in one zlib stream, and IEND.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/IxDIB.h"

namespace pixkura {

// The whole PNG file of bitmap, built in memory. The bitmap must hold palette
// indices (1, 4 or 8 bits, uncompressed; the editor gives 8 bits); other
// storage raises EIxDIBBadDIBType "SavePNG: Bad DIB Type".
std::vector<uint8_t> EncodePNG(const TIxDIB& bitmap);

// Encodes bitmap and then replaces fileName with the file in one piece, so a
// failure leaves an existing file untouched.
void SavePNG(const std::string& fileName, const TIxDIB& bitmap);

// The CRC-32 of PNG chunks (reflected polynomial EDB88320, initial value all
// ones, result complemented) over data.
uint32_t PNGCrc32(const uint8_t* data, size_t size);

}  // namespace pixkura
