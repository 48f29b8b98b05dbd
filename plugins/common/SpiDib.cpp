#include "plugins/common/SpiDib.h"

#include <algorithm>
#include <cstring>

#include "formats/SusiePlugin.h"
#include "image/IxDIBTypes.h"
#include "plugins/common/SpiLimits.h"

namespace pixkura::spi {

namespace {

TBitmapInfoHeader& HeaderOf(const TMallocBlock& info) {
  return *reinterpret_cast<TBitmapInfoHeader*>(info.get());
}

TRGBQuad* TableOf(const TMallocBlock& info) {
  return reinterpret_cast<TRGBQuad*>(info.get() + sizeof(TBitmapInfoHeader));
}

int64_t ClampToInt32(int64_t v) { return std::clamp<int64_t>(v, 0, INT32_MAX); }

}  // namespace

int32_t TDibBlocks::Allocate(int32_t width, int32_t height, int bitCount, int tableCapacity) {
  if (const int32_t sized = CheckPictureSize(width, height); sized != SPI_SUCCESS) return sized;
  if ((bitCount != 8 && bitCount != 24) || tableCapacity < 0 || tableCapacity > 256) return SPI_OTHER_ERROR;

  // At most 64 Mpixel, so every product below fits comfortably in 64 bits.
  const size_t rowSize = (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32 * 4;
  const size_t bitsSize = rowSize * static_cast<size_t>(height);
  const size_t infoSize = sizeof(TBitmapInfoHeader) + sizeof(TRGBQuad) * static_cast<size_t>(tableCapacity);

  TMallocBlock info(static_cast<uint8_t*>(std::calloc(1, infoSize)));
  TMallocBlock bits(static_cast<uint8_t*>(std::calloc(1, bitsSize)));
  if (!info || !bits) return SPI_NO_MEMORY;

  TBitmapInfoHeader& h = HeaderOf(info);
  h.biSize = sizeof(TBitmapInfoHeader);
  h.biWidth = width;
  h.biHeight = height;  // positive: rows stored bottom-up
  h.biPlanes = 1;
  h.biBitCount = static_cast<uint16_t>(bitCount);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<uint32_t>(std::min<size_t>(bitsSize, UINT32_MAX));
  h.biClrUsed = 0;

  info_ = std::move(info);
  bits_ = std::move(bits);
  width_ = width;
  height_ = height;
  bitCount_ = bitCount;
  tableCapacity_ = tableCapacity;
  rowSize_ = rowSize;
  return SPI_SUCCESS;
}

uint8_t* TDibBlocks::Row(int32_t y) { return bits_.get() + static_cast<size_t>(height_ - 1 - y) * rowSize_; }

void TDibBlocks::SetColor(int index, uint8_t red, uint8_t green, uint8_t blue) {
  if (index < 0 || index >= tableCapacity_) return;
  TableOf(info_)[index] = TRGBQuad{blue, green, red, 0};
}

void TDibBlocks::SetColorsUsed(int count) {
  HeaderOf(info_).biClrUsed = static_cast<uint32_t>(std::clamp(count, 0, tableCapacity_));
}

void TDibBlocks::SetPelsPerMeter(int64_t x, int64_t y) {
  HeaderOf(info_).biXPelsPerMeter = static_cast<int32_t>(ClampToInt32(x));
  HeaderOf(info_).biYPelsPerMeter = static_cast<int32_t>(ClampToInt32(y));
}

void TDibBlocks::CoverUsedIndices() {
  if (bitCount_ != 8) return;
  TBitmapInfoHeader& h = HeaderOf(info_);
  if (static_cast<int>(h.biClrUsed) >= tableCapacity_) return;  // no index can lie past the table
  uint8_t highest = 0;
  for (int32_t y = 0; y < height_; ++y) {
    const uint8_t* row = Row(y);
    for (int32_t x = 0; x < width_; ++x) highest = std::max(highest, row[x]);  // a plain loop vectorises
  }
  const int needed = std::min(int{highest} + 1, tableCapacity_);
  if (static_cast<int>(h.biClrUsed) < needed) h.biClrUsed = static_cast<uint32_t>(needed);
}

int32_t TDibBlocks::Release(void** hInfo, void** hBits) {
  if (!info_ || !bits_) return SPI_OTHER_ERROR;
  *hInfo = info_.release();
  *hBits = bits_.release();
  return SPI_SUCCESS;
}

}  // namespace pixkura::spi
