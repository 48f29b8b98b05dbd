// One zlib stream (header, deflate data, Adler-32 trailer) made from a whole
// buffer in one call, for writers that hold all their data in memory. It
// uses libdeflate, which compresses picture rows faster than zlib and about
// as tightly as zlib's highest level; any inflater reads the result.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Streams.h"

namespace pixkura {

// Writes the zlib stream of data[0 .. size) at target's position and leaves
// the position behind it; returns the number of bytes written. A failure
// raises ECompressionError "error" (formats/ZlibStream.h).
int64_t WriteZlibStream(const uint8_t* data, size_t size, TMemoryStream& target);

// The CRC-32 of zlib and PNG (reflected polynomial EDB88320, initial value
// all ones, result complemented).
uint32_t Crc32(const uint8_t* data, size_t size);

}  // namespace pixkura
