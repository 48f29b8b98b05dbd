#include "formats/SPIAnswer.h"

#include "image/IxDIBReadCommon.h"

#include <malloc.h>

#include <cstring>
#include <limits>

#include "base/Checked.h"

namespace pixkura {
namespace {

constexpr size_t kInfoHeaderSize = sizeof(TBitmapInfoHeader);
constexpr size_t kMaskBytes = 12;

bool AcceptableFormat(const TBitmapInfoHeader& h) {
  switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      return h.biCompression == BI_RGB;
    case 16:
    case 32:
      return h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS;
    default:
      return false;
  }
}

bool MasksNonZero(const uint8_t* masks) {
  for (size_t i = 0; i < 3; ++i) {
    uint32_t m = 0;
    std::memcpy(&m, masks + 4 * i, sizeof m);
    if (m == 0) return false;
  }
  return true;
}

}  // namespace

uint32_t SPIAnswerColors(const TBitmapInfoHeader& info) {
  return info.biClrUsed != 0 ? info.biClrUsed : DefaultPaletteSize(info.biBitCount);
}

std::optional<TSPIAnswer> CheckSPIAnswer(const void* header, size_t headerSize, const void* bits,
                                         size_t bitsSize) {
  if (!header || !bits || headerSize < kInfoHeaderSize) return std::nullopt;
  TSPIAnswer answer;
  std::memcpy(&answer.Info, header, kInfoHeaderSize);
  const TBitmapInfoHeader& h = answer.Info;
  if (h.biSize != kInfoHeaderSize || h.biWidth <= 0 || h.biHeight == 0 ||
      h.biHeight == std::numeric_limits<int32_t>::min() || !AcceptableFormat(h))
    return std::nullopt;
  const uint32_t colors = SPIAnswerColors(h);
  if (colors > 256) return std::nullopt;
  const bool bitFields = h.biCompression == BI_BITFIELDS;
  const size_t tableSize = (bitFields ? kMaskBytes : 0) + size_t{colors} * sizeof(TRGBQuad);
  const size_t needHeader = kInfoHeaderSize + tableSize;
  if (headerSize < needHeader) return std::nullopt;
  const auto* headerBytes = static_cast<const uint8_t*>(header);
  if (bitFields && !MasksNonZero(headerBytes + kInfoHeaderSize)) return std::nullopt;

  const int64_t row = BmpRowSize(h.biBitCount, h.biWidth);
  const int64_t height = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
  int64_t image = 0;
  // The bitmap's pixel memory is counted in 32 bits; nothing larger can be held.
  if (row <= 0 || !CheckedMul(row, height, image) || image > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  if (bitsSize < static_cast<uint64_t>(image)) return std::nullopt;
  answer.Header = std::span<const uint8_t>(headerBytes, needHeader);
  answer.Bits = std::span<const uint8_t>(static_cast<const uint8_t*>(bits), static_cast<size_t>(image));
  return answer;
}

std::optional<TSPIAnswer> CheckSPIAnswerBlocks(const void* header, const void* bits) {
  if (!header || !bits || header == bits) return std::nullopt;
  // malloc_usable_size may exceed what was asked for, never fall short of it:
  // reading up to it stays inside the block.
  return CheckSPIAnswer(header, ::malloc_usable_size(const_cast<void*>(header)), bits,
                        ::malloc_usable_size(const_cast<void*>(bits)));
}

std::vector<uint8_t> BuildPackedDIB(const TSPIAnswer& answer) {
  std::vector<uint8_t> block(answer.Header.size() + answer.Bits.size());
  std::memcpy(block.data(), answer.Header.data(), answer.Header.size());
  if (!answer.Bits.empty())
    std::memcpy(block.data() + answer.Header.size(), answer.Bits.data(), answer.Bits.size());
  return block;
}

std::vector<uint8_t> BuildBitmapFile(const TSPIAnswer& answer) {
  // Checked answers stay below 2 GiB of pixels plus a 1 KiB table, so the
  // 32-bit file size and offset cannot overflow.
  const size_t offset = sizeof(TBitmapFileHeader) + answer.Header.size();
  const size_t total = offset + answer.Bits.size();
  TBitmapFileHeader fh{kBitmapFileType, static_cast<uint32_t>(total), 0, 0, static_cast<uint32_t>(offset)};
  std::vector<uint8_t> file(total);
  std::memcpy(file.data(), &fh, sizeof fh);
  std::memcpy(file.data() + sizeof fh, answer.Header.data(), answer.Header.size());
  if (!answer.Bits.empty()) std::memcpy(file.data() + offset, answer.Bits.data(), answer.Bits.size());
  return file;
}

}  // namespace pixkura
