// The BMP file reader and writer of the storage.
#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "base/Exception.h"
#include "base/Streams.h"
#include "image/IxDIB.h"
#include "image/IxDIBReadCommon.h"

namespace pixkura {

static_assert(std::endian::native == std::endian::little, "the BMP records are read and written in place");

namespace {

constexpr int64_t kFileHeaderSize = sizeof(TBitmapFileHeader);
constexpr int64_t kInfoHeaderSize = sizeof(TBitmapInfoHeader);
constexpr int64_t kCoreHeaderSize = sizeof(TBitmapCoreHeader);
constexpr int64_t kMaskBytes = 12;
constexpr int64_t kTableBytes = 256 * sizeof(TRGBQuad);

// What the headers and the colour table say, before any pixel is read.
struct TFileLayout {
  TBitmapInfo256 Info{};
  uint32_t Masks[3] = {};
  int64_t PixelDataSize = 0;  // from bfSize
  int64_t TableEnd = 0;       // offset just past the colour table, from the file's start
};

void SkipBytes(TStream& stream, int64_t count) {
  if (count > stream.Remaining()) throw EReadError(kStreamReadError);
  stream.Seek(count, TSeekOrigin::soCurrent);
}

// The 40-byte header, the masks of bit-field data and the colour table.
void ReadInfoHeaderAndTable(TStream& stream, const TBitmapFileHeader& fh, TFileLayout& layout) {
  TBitmapInfoHeader& h = layout.Info.Header;
  h.biSize = kInfoHeaderSize;
  stream.ReadBuffer(reinterpret_cast<uint8_t*>(&h) + 4, kInfoHeaderSize - 4);
  switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      throw EIxDIBInvalidDIB("TIxInternalDIB.LoadFromStream: Invalid BitCout");
  }
  if (h.biClrUsed == 0) h.biClrUsed = DefaultPaletteSize(h.biBitCount);

  const bool bitFields = h.biCompression == BI_BITFIELDS;
  const int64_t tableBytes = int64_t{h.biClrUsed} * 4 + (bitFields ? kMaskBytes : 0);
  // At most the masks and 256 entries are kept; further entries are skipped.
  uint8_t table[kMaskBytes + kTableBytes] = {};
  const int64_t kept = std::min<int64_t>(tableBytes, bitFields ? kMaskBytes + kTableBytes : kTableBytes);
  stream.ReadBuffer(table, kept);
  SkipBytes(stream, tableBytes - kept);

  // The masks are no colours: the table proper begins behind them.
  if (bitFields) std::memcpy(layout.Masks, table, kMaskBytes);
  std::memcpy(layout.Info.ColorTable, table + (bitFields ? kMaskBytes : 0), kTableBytes);

  // The pixel data follow the masks and the table, so the masks count too:
  // otherwise an indexed picture marked with bit fields would claim 12 bytes
  // more than its file holds.
  layout.TableEnd = kFileHeaderSize + kInfoHeaderSize + tableBytes;
  layout.PixelDataSize = int64_t{fh.bfSize} - layout.TableEnd;
}

// The OS/2 12-byte header and its three-byte table, widened to the 40-byte form.
void ReadCoreHeaderAndTable(TStream& stream, const TBitmapFileHeader& fh, TFileLayout& layout) {
  TBitmapCoreHeader core{};
  core.bcSize = kCoreHeaderSize;
  stream.ReadBuffer(reinterpret_cast<uint8_t*>(&core) + 4, kCoreHeaderSize - 4);
  if (!IsCoreBitCount(core.bcBitCount))
    throw EIxDIBInvalidDIB("TIxInternalDIB.LoadFromStream: Invalid BitCount");
  const uint32_t entries = core.bcBitCount == 24 ? 0 : 1u << core.bcBitCount;
  uint8_t triples[3 * 256];
  stream.ReadBuffer(triples, 3 * int64_t{entries});
  layout.Info.Header = InfoHeaderFromCore(core, entries);
  QuadsFromTriples(triples, entries, layout.Info.ColorTable);
  layout.PixelDataSize = int64_t{fh.bfSize} - kFileHeaderSize - kCoreHeaderSize - 3 * int64_t{entries};
  layout.TableEnd = kFileHeaderSize + kCoreHeaderSize + 3 * int64_t{entries};
}

}  // namespace

void TIxInternalDIB::LoadFromStream(TStream& stream) {
  TBitmapFileHeader fh{};
  stream.ReadBuffer(&fh, kFileHeaderSize);
  if (fh.bfType != kBitmapFileType)
    throw EIxDIBInvalidDIBFile("TIxInternalDIB.LoadFromFile: File type is invalid");
  uint32_t headerSize = 0;
  stream.ReadBuffer(&headerSize, sizeof headerSize);

  TFileLayout layout;
  if (headerSize == kInfoHeaderSize) {
    ReadInfoHeaderAndTable(stream, fh, layout);
  } else if (headerSize == kCoreHeaderSize) {
    ReadCoreHeaderAndTable(stream, fh, layout);
  } else {
    throw EIxDIBInvalidDIB("TIxInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
  }
  const TBitmapInfoHeader& h = layout.Info.Header;
  if (!ValidDimensions(h)) throw EIxDIBInvalidDIB("TIxInternalDIB.LoadFromStream: Invalid Width or Height");

  // Pixel data that bfOffBits places after a gap behind the colour table are
  // read from there; an offset into the headers or past the file is ignored.
  const int64_t gap = int64_t{fh.bfOffBits} - layout.TableEnd;
  if (gap > 0 && gap < stream.Remaining()) {
    stream.Seek(gap, TSeekOrigin::soCurrent);
    layout.PixelDataSize -= gap;
  }

  const TByteReader read = [&stream](uint8_t* dst, size_t count) {
    stream.ReadBuffer(dst, static_cast<int64_t>(count));
  };
  TPixelBlock pixels;
  if (h.biBitCount == 16 || h.biBitCount == 32) {
    const TChannelMasks masks(h.biBitCount, h.biCompression, layout.Masks,
                              "TIxInternalDIB.LoadFromStream: Invalid Masks");
    pixels = ReadBitFieldPixels(h, masks, stream.Remaining(), read);
  } else {
    pixels = ReadStoredPixels(h, layout.PixelDataSize, stream.Remaining(), read);
  }
  TakeOverReadPicture(*this, layout.Info, std::move(pixels));
}

void TIxInternalDIB::SaveToStream(TStream& stream) const {
  const uint32_t colors = std::min<uint32_t>(Header().biClrUsed, 256);
  const uint32_t offBits = static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize) + 4 * colors;
  const uint64_t fileSize = uint64_t{offBits} + BitsSize;
  if (fileSize > std::numeric_limits<uint32_t>::max()) throw EIntOverflow("Arithmetic overflow");
  const TBitmapFileHeader fh{kBitmapFileType, static_cast<uint32_t>(fileSize), 0, 0, offBits};
  stream.WriteBuffer(&fh, kFileHeaderSize);
  // Header and colour table lie together in Info.
  stream.WriteBuffer(&Info, kInfoHeaderSize + 4 * int64_t{colors});
  stream.WriteBuffer(Data(), BitsSize);
}

}  // namespace pixkura
