// Recognising the files the misc plug-in reads, from their headers alone:
// BMPs with an info header the built-in reader refuses (52, 56, 64, 108 or
// 124 bytes), Truevision TGA, and binary PGM/PPM (P5, P6). TGA has no signature, so
// its header fields are checked strictly before a file counts as TGA.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugins/common/SpiEntry.h"

namespace pixkura::spi::misc {

enum class TMiscKind { kNone, kBmp, kTga, kPnm };

// Where a BMP's parts lie and how its pixels are stored.
struct TBmpLayout {
  bool bottomUp = true;
  int bitCount = 0;
  uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  uint32_t masks[4] = {};    // red, green, blue, alpha for 16 and 32 bits
  size_t tableOffset = 0;
  int tableEntries = 0;  // colours read from the table (1, 4 and 8 bits)
  uint64_t pixelOffset = 0;
  uint64_t rowSize = 0;
};

// Binary PGM / PPM samples.
struct TPnmLayout {
  int channels = 0;       // 1 grey, 3 red, green, blue
  uint32_t maxValue = 0;  // above 255: two bytes per sample, most significant first
  size_t dataOffset = 0;
};

struct TMiscHeader {
  TMiscKind kind = TMiscKind::kNone;
  int32_t width = 0;
  int32_t height = 0;
  bool indexed = false;  // decoded with its palette and indices
  int64_t xPelsPerMeter = 0;
  int64_t yPelsPerMeter = 0;
  TBmpLayout bmp;
  TPnmLayout pnm;
  // The least file size that holds every pixel (uncompressed kinds) or the
  // start of the data (run-length kinds).
  uint64_t leastFileSize = 0;
  // Run-length kinds: `units` pixels may come from no more than
  // `unitsPerByte` per byte of data.
  int64_t compressedUnits = 0;
  int64_t unitsPerByte = 0;
};

// Reads and validates the header. `bytes` is the file, or for IsSupported
// its first SPI_HEADER_BYTES bytes. kind is kNone for anything else.
TMiscHeader ReadMiscHeader(TBytes bytes);

// SPI_SUCCESS when a file of `fileSize` bytes can hold the pixels the header
// promises and the size is within the plug-in's ceiling; otherwise the code
// to report.
int32_t CheckFileHolds(const TMiscHeader& header, size_t fileSize);

}  // namespace pixkura::spi::misc
