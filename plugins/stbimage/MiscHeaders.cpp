#include "plugins/stbimage/MiscHeaders.h"

#include <algorithm>
#include <cctype>

#include "plugins/common/SpiBytes.h"
#include "plugins/common/SpiLimits.h"

namespace pixkura::spi::misc {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

// A run-length TGA packet of at least two bytes gives at most 128 pixels.
constexpr int64_t kTgaRlePixelsPerByte = 64;
// BMP RLE: encoders end every row with a 2-byte code (or a run of at most
// 255 pixels), so a row of up to 4096 pixels costs 2 bytes at the least.
// Deltas can skip more, but only in pictures that are mostly empty; those
// beyond this ratio are refused rather than allocated from a few bytes.
constexpr int64_t kBmpRlePixelsPerByte = 2048;

bool IsExtendedInfoHeader(uint32_t size) {
  return size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// Which bit counts and compressions are read: palette pictures uncompressed
// or run-length encoded (8 and 4 bits); 24 bits uncompressed; 16 and 32 bits
// uncompressed or with bit-field masks (the OS/2 header knows no masks).
bool IsReadableBmp(uint32_t headerSize, int bitCount, uint32_t compression) {
  switch (bitCount) {
    case 8:
      return compression == kBiRgb || compression == kBiRle8;
    case 4:
      return compression == kBiRgb || compression == kBiRle4;
    case 1:
    case 24:
      return compression == kBiRgb;
    case 16:
    case 32:
      return compression == kBiRgb || (compression == kBiBitfields && headerSize != 64);
    default:
      return false;
  }
}

void SetDefaultMasks(TBmpLayout& bmp) {
  if (bmp.bitCount == 16) {
    bmp.masks[0] = 0x7C00, bmp.masks[1] = 0x03E0, bmp.masks[2] = 0x001F;  // 5-5-5
  } else if (bmp.bitCount == 32) {
    bmp.masks[0] = 0xFF0000, bmp.masks[1] = 0x00FF00, bmp.masks[2] = 0x0000FF;
  }
  bmp.masks[3] = 0;
}

TMiscHeader ReadBmp(TBytes bytes) {
  TByteReader r(bytes);
  TMiscHeader h;
  const uint32_t headerSize = r.U32(14);
  if (r.U8(0) != 'B' || r.U8(1) != 'M' || !IsExtendedInfoHeader(headerSize)) return {};
  const int64_t width = r.I32(18);
  const int64_t height = r.I32(22);
  TBmpLayout& bmp = h.bmp;
  bmp.bitCount = r.U16(28);
  bmp.compression = r.U32(30);
  if (!r.Ok() || width <= 0 || height == 0 || height == INT32_MIN) return {};
  if (!IsReadableBmp(headerSize, bmp.bitCount, bmp.compression)) return {};
  const bool runLength = bmp.compression == kBiRle8 || bmp.compression == kBiRle4;
  if (runLength && height < 0) return {};  // run-length pictures are always stored bottom-up
  h.kind = TMiscKind::kBmp;
  h.width = static_cast<int32_t>(width);
  h.height = static_cast<int32_t>(height < 0 ? -height : height);
  bmp.bottomUp = height > 0;
  h.xPelsPerMeter = r.I32(38);
  h.yPelsPerMeter = r.I32(42);
  h.indexed = bmp.bitCount <= 8;

  bmp.tableOffset = kFileHeaderSize + headerSize;
  if (h.indexed) {
    const uint32_t used = r.U32(46);
    const int full = 1 << bmp.bitCount;
    bmp.tableEntries = used == 0 || used > static_cast<uint32_t>(full) ? full : static_cast<int>(used);
  }
  if (bmp.compression == kBiBitfields) {
    // Masks live inside these headers, right after the 40 classic bytes.
    for (int i = 0; i < (headerSize >= 56 ? 4 : 3); ++i) bmp.masks[i] = r.U32(kFileHeaderSize + 40 + 4 * i);
    if (bmp.masks[0] == 0 || bmp.masks[1] == 0 || bmp.masks[2] == 0) return {};
  } else {
    SetDefaultMasks(bmp);
  }
  const uint32_t offBits = r.U32(10);
  const uint64_t afterTable = bmp.tableOffset + 4 * static_cast<uint64_t>(bmp.tableEntries);
  // Some writers leave the pixel offset 0; the rows then follow the table.
  bmp.pixelOffset = offBits == 0 ? afterTable : offBits;
  if (bmp.pixelOffset < (h.indexed ? afterTable : bmp.tableOffset)) return {};
  bmp.rowSize = (static_cast<uint64_t>(h.width) * static_cast<uint64_t>(bmp.bitCount) + 31) / 32 * 4;
  if (runLength) {
    h.leastFileSize = bmp.pixelOffset;
    h.compressedUnits = int64_t{h.width} * h.height;
    h.unitsPerByte = kBmpRlePixelsPerByte;
  } else {
    h.leastFileSize = bmp.pixelOffset + bmp.rowSize * static_cast<uint64_t>(h.height);
  }
  return r.Ok() ? h : TMiscHeader{};
}

// TGA: 18-byte header, then an image ID, an optional colour map, the pixels.
TMiscHeader ReadTga(TBytes bytes) {
  TByteReader r(bytes);
  const uint8_t idLength = r.U8(0);
  const uint8_t mapType = r.U8(1);
  const uint8_t imageType = r.U8(2);
  const uint16_t mapFirst = r.U16(3);
  const uint16_t mapLength = r.U16(5);
  const uint8_t mapEntryBits = r.U8(7);
  const uint16_t width = r.U16(12);
  const uint16_t height = r.U16(14);
  const uint8_t pixelBits = r.U8(16);
  const uint8_t descriptor = r.U8(17);
  if (!r.Ok() || mapType > 1 || width == 0 || height == 0) return {};
  const bool mapped = imageType == 1 || imageType == 9;
  const bool trueColor = imageType == 2 || imageType == 10;
  const bool grey = imageType == 3 || imageType == 11;
  // stb_image reads a colour map only for colour-mapped files, and only
  // from its first entry; anything else would shift the pixels.
  if (mapped) {
    const bool validMapEntry =
        mapEntryBits == 15 || mapEntryBits == 16 || mapEntryBits == 24 || mapEntryBits == 32;
    if (mapType != 1 || pixelBits != 8 || mapFirst != 0 || mapLength == 0 || mapLength > 256 ||
        !validMapEntry)
      return {};
  } else if (trueColor || grey) {
    if (mapType != 0 || mapFirst != 0 || mapLength != 0 || mapEntryBits != 0) return {};
    if (trueColor && pixelBits != 15 && pixelBits != 16 && pixelBits != 24 && pixelBits != 32) return {};
    if (grey && pixelBits != 8 && pixelBits != 16) return {};
  } else {
    return {};
  }
  // Bits 6-7 (interleaving) are obsolete and bit 4 (right to left) is not
  // read; bits 0-3 count attribute (alpha) bits.
  if ((descriptor & 0xD0) != 0 || (descriptor & 0x0F) > 8) return {};

  TMiscHeader h;
  h.kind = TMiscKind::kTga;
  h.width = width;
  h.height = height;
  const uint64_t mapBytes = mapType == 1 ? uint64_t{mapLength} * ((mapEntryBits + 7) / 8) : 0;
  const uint64_t dataOffset = 18 + uint64_t{idLength} + mapBytes;
  if (imageType >= 9) {
    h.leastFileSize = dataOffset;
    h.compressedUnits = int64_t{width} * height;
    h.unitsPerByte = kTgaRlePixelsPerByte;
  } else {
    h.leastFileSize = dataOffset + uint64_t{width} * height * ((pixelBits + 7) / 8);
  }
  return h;
}

// Binary PGM (P5) and PPM (P6): "P5", whitespace, width, height, maxval,
// separated by whitespace and "#" comments, then one whitespace character.
bool ReadPnmNumber(TBytes bytes, size_t& at, uint32_t& value) {
  for (;;) {
    while (at < bytes.size() && std::isspace(bytes[at])) ++at;
    if (at < bytes.size() && bytes[at] == '#') {
      while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') ++at;
      continue;
    }
    break;
  }
  uint64_t v = 0;
  const size_t start = at;
  while (at < bytes.size() && std::isdigit(bytes[at]) && v <= UINT32_MAX) v = v * 10 + (bytes[at++] - '0');
  if (at == start || v > UINT32_MAX) return false;
  value = static_cast<uint32_t>(v);
  return true;
}

TMiscHeader ReadPnm(TBytes bytes) {
  if (bytes.size() < 3 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6') || !std::isspace(bytes[2]))
    return {};
  size_t at = 2;
  uint32_t width = 0, height = 0, maxValue = 0;
  if (!ReadPnmNumber(bytes, at, width) || !ReadPnmNumber(bytes, at, height) ||
      !ReadPnmNumber(bytes, at, maxValue))
    return {};
  if (at >= bytes.size() || !std::isspace(bytes[at])) return {};
  if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX || maxValue == 0 ||
      maxValue > 65535)
    return {};
  TMiscHeader h;
  h.kind = TMiscKind::kPnm;
  h.width = static_cast<int32_t>(width);
  h.height = static_cast<int32_t>(height);
  h.pnm.channels = bytes[1] == '6' ? 3 : 1;
  h.pnm.maxValue = maxValue;
  h.pnm.dataOffset = at + 1;
  const uint64_t sampleBytes = maxValue > 255 ? 2 : 1;
  h.leastFileSize = h.pnm.dataOffset + uint64_t{width} * height * h.pnm.channels * sampleBytes;
  return h;
}

}  // namespace

TMiscHeader ReadMiscHeader(TBytes bytes) {
  for (TMiscHeader (*read)(TBytes) : {ReadBmp, ReadPnm, ReadTga}) {
    const TMiscHeader h = read(bytes);
    if (h.kind != TMiscKind::kNone) return h;
  }
  return {};
}

int32_t CheckFileHolds(const TMiscHeader& header, size_t fileSize) {
  if (header.kind == TMiscKind::kNone) return SPI_UNKNOWN_FORMAT;
  if (const int32_t sized = CheckPictureSize(header.width, header.height); sized != SPI_SUCCESS) return sized;
  if (header.leastFileSize > fileSize) return SPI_BROKEN_DATA;
  if (header.unitsPerByte == 0) return SPI_SUCCESS;
  return CheckInputCanDeliver(header.compressedUnits, static_cast<int64_t>(fileSize - header.leastFileSize),
                              header.unitsPerByte);
}

}  // namespace pixkura::spi::misc
