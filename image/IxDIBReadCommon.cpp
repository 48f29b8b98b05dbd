#include "image/IxDIBReadCommon.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "base/Checked.h"
#include "base/Exception.h"

namespace pixkura {

uint32_t DefaultPaletteSize(uint32_t bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

bool IsCoreBitCount(uint16_t bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

TBitmapInfoHeader InfoHeaderFromCore(const TBitmapCoreHeader& core, uint32_t entries) {
  TBitmapInfoHeader h{};
  h.biSize = sizeof(TBitmapInfoHeader);
  h.biWidth = core.bcWidth;
  h.biHeight = core.bcHeight;
  h.biPlanes = core.bcPlanes;
  h.biBitCount = core.bcBitCount;
  h.biCompression = BI_RGB;
  h.biClrUsed = entries;
  return h;
}

void QuadsFromTriples(const uint8_t* triples, uint32_t count, TRGBQuad* quads) {
  for (uint32_t i = 0; i < count; ++i, triples += 3)
    quads[i] = TRGBQuad{triples[0], triples[1], triples[2], 0};
}

bool ValidDimensions(const TBitmapInfoHeader& h) {
  return h.biWidth > 0 && h.biHeight != 0 && h.biHeight != std::numeric_limits<int32_t>::min();
}

int32_t AbsHeight(const TBitmapInfoHeader& h) { return h.biHeight < 0 ? -h.biHeight : h.biHeight; }

int64_t UncompressedBitsSize(const TBitmapInfoHeader& h) {
  const int64_t row = BmpRowSize(h.biBitCount, h.biWidth);
  int64_t size = 0;
  if (row < 0 || !CheckedMul<int64_t>(row, AbsHeight(h), size)) return -1;
  return size;
}

TPixelMemory AllocateUnfilledPixelMemory(size_t size) {
  // Blocks this large come from fresh mappings every time, and a picture in
  // 4 KiB pages spends more time in page faults than in copying its bytes;
  // asking for huge pages makes the faults 512 times fewer. Smaller blocks
  // are usually reused from the heap without faults.
  constexpr size_t kHugePage = size_t{2} << 20;
  constexpr size_t kFreshMappingSize = size_t{32} << 20;
  void* p = nullptr;
  if (size >= kFreshMappingSize) {
    const size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    p = std::aligned_alloc(kHugePage, rounded);
    if (p) ::madvise(p, rounded, MADV_HUGEPAGE);  // only advice: failure changes nothing
  } else {
    p = std::malloc(size == 0 ? 1 : size);
  }
  if (!p) throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
  return TPixelMemory(static_cast<uint8_t*>(p));
}

int64_t BitFieldSourceRowSize(uint32_t bitCount, int32_t width) {
  return (int64_t{bitCount / 8} * width + 3) / 4 * 4;
}

int64_t TrueColorRowSize(int32_t width) { return (int64_t{3} * width + 3) / 4 * 4; }

namespace {
// The shift that lands the mask's highest set bit on bit 7 (negative: left).
int ShiftToBit7(uint32_t mask) {
  int s = 0;
  uint32_t v = mask;
  while (v >= 256) {
    v >>= 1;
    ++s;
  }
  while (v < 128) {
    v <<= 1;
    --s;
  }
  return s;
}

// The default masks: 5-5-5 for 16 bits, 8-8-8 for 32 bits.
constexpr uint32_t kDefault16[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kDefault32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
}  // namespace

TChannelMasks::TChannelMasks(uint32_t bitCount, uint32_t compression, const uint32_t fileMasks[3],
                             const char* invalidMasksMessage)
    : bitCount_(bitCount) {
  const uint32_t* masks = compression != BI_RGB ? fileMasks : bitCount == 16 ? kDefault16 : kDefault32;
  for (int c = 0; c < 3; ++c) {
    if (masks[c] == 0) throw EIxDIBInvalidDIB(invalidMasksMessage);
    mask_[c] = masks[c];
    shift_[c] = ShiftToBit7(masks[c]);
  }
}

void TChannelMasks::ConvertRow(const uint8_t* src, uint8_t* dst, int32_t width, int32_t dstRowSize) const {
  // Clearing the last four bytes first covers the row's padding (at most 3).
  std::memset(dst + dstRowSize - 4, 0, 4);
  const size_t step = bitCount_ / 8;
  for (int32_t x = 0; x < width; ++x, src += step, dst += 3) {
    const uint32_t p = step == 2 ? uint32_t{src[0]} | uint32_t{src[1]} << 8
                                 : uint32_t{src[0]} | uint32_t{src[1]} << 8 | uint32_t{src[2]} << 16 |
                                       uint32_t{src[3]} << 24;
    uint8_t rgb[3];
    for (int c = 0; c < 3; ++c) {
      const uint32_t v = p & mask_[c];
      rgb[c] = static_cast<uint8_t>(shift_[c] >= 0 ? v >> shift_[c] : (v << -shift_[c]) & 0xFF);
    }
    dst[0] = rgb[2];
    dst[1] = rgb[1];
    dst[2] = rgb[0];
  }
}

namespace {
[[noreturn]] void ThrowReadError() { throw EReadError(kStreamReadError); }
[[noreturn]] void ThrowCannotAllocate() {
  throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
}
}  // namespace

TPixelBlock ReadStoredPixels(const TBitmapInfoHeader& h, int64_t dataSize, int64_t available,
                             const TByteReader& read) {
  if (dataSize < 0 || dataSize > std::numeric_limits<uint32_t>::max()) ThrowCannotAllocate();
  if (h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS) {
    // Storage whose memory ends before its last row would let every pixel
    // access run past it; such data are as unusable as a cut-off file.
    // (Bit-field data of these depths are stored plainly, see below.)
    const int64_t rows = UncompressedBitsSize(h);
    if (rows < 0 || dataSize < rows) ThrowReadError();
  }
  if (dataSize > available) ThrowReadError();
  TPixelBlock block{AllocateUnfilledPixelMemory(static_cast<size_t>(dataSize)),
                    static_cast<uint32_t>(dataSize)};
  read(block.Bits.get(), static_cast<size_t>(dataSize));
  return block;
}

TPixelBlock ReadBitFieldPixels(const TBitmapInfoHeader& h, const TChannelMasks& masks, int64_t available,
                               const TByteReader& read) {
  const int64_t srcRow = BitFieldSourceRowSize(h.biBitCount, h.biWidth);
  const int64_t dstRow = TrueColorRowSize(h.biWidth);
  const int32_t height = AbsHeight(h);
  int64_t srcSize = 0, dstSize = 0;
  if (!CheckedMul<int64_t>(srcRow, height, srcSize) || srcSize > available) ThrowReadError();
  if (!CheckedMul<int64_t>(dstRow, height, dstSize) || dstSize > std::numeric_limits<uint32_t>::max())
    ThrowCannotAllocate();
  TPixelBlock block{AllocateUnfilledPixelMemory(static_cast<size_t>(dstSize)),
                    static_cast<uint32_t>(dstSize)};
  std::vector<uint8_t> row(static_cast<size_t>(srcRow));
  uint8_t* dst = block.Bits.get();
  for (int32_t y = 0; y < height; ++y, dst += dstRow) {
    read(row.data(), row.size());
    masks.ConvertRow(row.data(), dst, h.biWidth, static_cast<int32_t>(dstRow));
  }
  return block;
}

void TakeOverReadPicture(TIxInternalDIB& dib, const TBitmapInfo256& info, TPixelBlock pixels) {
  TIxInternalDIB read;
  read.Info = info;
  TBitmapInfoHeader& h = read.Header();
  if (h.biBitCount == 16 || h.biBitCount == 32) {
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = 0;
  }
  // Masks mean nothing to indices or 24-bit pixels and were left out of the
  // table; the storage is plain, so that it is written back as it was read.
  if (h.biCompression == BI_BITFIELDS) h.biCompression = BI_RGB;
  if (h.biClrUsed > 256) h.biClrUsed = 256;
  read.Width = h.biWidth;
  read.Height = AbsHeight(h);
  read.BitsSize = pixels.Size;
  read.Bits = std::move(pixels.Bits);
  dib.TakeOver(std::move(read));
}

}  // namespace pixkura
