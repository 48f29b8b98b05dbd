// The packed-DIB reader: an info header, masks and colour table, and pixel
// data in one memory block with no file header (how the import plug-ins hand
// their pictures over).
#include <algorithm>
#include <cstring>

#include "base/Exception.h"
#include "image/IxDIB.h"
#include "image/IxDIBReadCommon.h"

namespace pixkura {

namespace {

constexpr size_t kInfoHeaderSize = sizeof(TBitmapInfoHeader);
constexpr size_t kCoreHeaderSize = sizeof(TBitmapCoreHeader);
constexpr size_t kMaskBytes = 12;
constexpr size_t kTableBytes = 256 * sizeof(TRGBQuad);

[[noreturn]] void ThrowInvalidData() {
  throw EIxDIBInvalidDIB("TIxDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
}
[[noreturn]] void ThrowInvalidBitCount() {
  throw EIxDIBInvalidDIB("TIxInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
}

struct TPackedLayout {
  TBitmapInfo256 Info{};
  uint32_t Masks[3] = {};
  int64_t PixelOffset = 0;  // where the pixel data begin in the block
};

TPackedLayout ParseInfoHeader(TMemoryBlock block) {
  TPackedLayout layout;
  if (block.size() < kInfoHeaderSize) ThrowInvalidData();
  TBitmapInfoHeader& h = layout.Info.Header;
  std::memcpy(&h, block.data(), kInfoHeaderSize);
  // A table left at 0 entries holds the depth's full table; the header says
  // so, or an 8-bit picture would lose its palette when written back.
  if (h.biClrUsed == 0) h.biClrUsed = DefaultPaletteSize(h.biBitCount);
  const bool bitFields = h.biCompression == BI_BITFIELDS;
  const int64_t tableBytes = int64_t{h.biClrUsed} * 4 + (bitFields ? kMaskBytes : 0);
  const size_t kept = static_cast<size_t>(std::min<int64_t>(tableBytes, kMaskBytes + kTableBytes));
  if (block.size() - kInfoHeaderSize < kept) ThrowInvalidData();

  uint8_t table[kMaskBytes + kTableBytes] = {};
  std::memcpy(table, block.data() + kInfoHeaderSize, kept);
  // The masks are no colours: the table proper begins behind them.
  if (bitFields) std::memcpy(layout.Masks, table, kMaskBytes);
  std::memcpy(layout.Info.ColorTable, table + (bitFields ? kMaskBytes : 0), kTableBytes);
  layout.PixelOffset = static_cast<int64_t>(kInfoHeaderSize) + tableBytes;
  return layout;
}

TPackedLayout ParseCoreHeader(TMemoryBlock block) {
  TPackedLayout layout;
  if (block.size() < kCoreHeaderSize) ThrowInvalidData();
  TBitmapCoreHeader core{};
  std::memcpy(&core, block.data(), kCoreHeaderSize);
  // Only the OS/2 depths have a defined table; any other count would make
  // the table size meaningless.
  if (!IsCoreBitCount(core.bcBitCount)) ThrowInvalidBitCount();
  const uint32_t entries = core.bcBitCount == 24 ? 0 : 1u << core.bcBitCount;
  if (block.size() - kCoreHeaderSize < 3 * size_t{entries}) ThrowInvalidData();
  layout.Info.Header = InfoHeaderFromCore(core, entries);
  QuadsFromTriples(block.data() + kCoreHeaderSize, entries, layout.Info.ColorTable);
  layout.PixelOffset = static_cast<int64_t>(kCoreHeaderSize + 3 * size_t{entries});
  return layout;
}

}  // namespace

void TIxInternalDIB::LoadFromClipboardFormat(TMemoryBlock block) {
  if (block.size() < sizeof(uint32_t)) ThrowInvalidData();
  uint32_t headerSize = 0;
  std::memcpy(&headerSize, block.data(), sizeof headerSize);
  TPackedLayout layout;
  if (headerSize == kInfoHeaderSize) {
    layout = ParseInfoHeader(block);
  } else if (headerSize == kCoreHeaderSize) {
    layout = ParseCoreHeader(block);
  } else {
    ThrowInvalidData();
  }
  const TBitmapInfoHeader& h = layout.Info.Header;
  if (!ValidDimensions(h))
    throw EIxDIBInvalidDIB("TIxInternalDIB.LoadFromClipboardFormat: Invalid Width or Height");

  const int64_t dataSize = static_cast<int64_t>(block.size()) - layout.PixelOffset;
  size_t pos = static_cast<size_t>(std::min<int64_t>(layout.PixelOffset, static_cast<int64_t>(block.size())));
  const TByteReader read = [block, &pos](uint8_t* dst, size_t count) {
    if (count > block.size() - pos) throw EReadError(kStreamReadError);
    std::memcpy(dst, block.data() + pos, count);
    pos += count;
  };
  TPixelBlock pixels;
  switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      pixels = ReadStoredPixels(h, dataSize, std::max<int64_t>(dataSize, 0), read);
      break;
    case 16:
    case 32: {
      const TChannelMasks masks(h.biBitCount, h.biCompression, layout.Masks,
                                "TIxInternalDIB.LoadFromClipboardFormat: Invalid Masks");
      pixels = ReadBitFieldPixels(h, masks, std::max<int64_t>(dataSize, 0), read);
      break;
    }
    default:
      ThrowInvalidBitCount();
  }
  TakeOverReadPicture(*this, layout.Info, std::move(pixels));
}

}  // namespace pixkura
