// Size limits every plug-in applies before it allocates a picture: a header
// can claim any size, so the claim is checked against a fixed ceiling and
// against what the rest of the file could possibly decode to.
#pragma once

#include <cstdint>

namespace pixkura::spi {

// The largest picture a plug-in decodes: 64 Mpixel (192 MB as 24-bit rows).
inline constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;

// SPI_SUCCESS for a usable size; SPI_BROKEN_DATA for a width or height <= 0;
// SPI_NO_MEMORY for more than kMaxPixels.
int32_t CheckPictureSize(int64_t width, int64_t height);

// SPI_SUCCESS when `units` (pixels, or raw bytes, as the format counts them)
// can come out of `inputBytes` bytes of data at no more than `unitsPerByte`
// units per byte, the format's best possible compression ratio; otherwise
// SPI_BROKEN_DATA, since the file cannot hold what its header claims.
int32_t CheckInputCanDeliver(int64_t units, int64_t inputBytes, int64_t unitsPerByte);

// Pixels per metre to dots per inch, rounded, clamped to the 16-bit field of
// the picture-info record; 0 for an unknown or nonsensical density.
uint16_t PelsPerMeterToDpi(int64_t pelsPerMeter);

}  // namespace pixkura::spi
