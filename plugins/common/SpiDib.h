// The picture a plug-in hands back: a BITMAPINFO block (40-byte header and
// colour table) and a block of pixel rows in BMP layout, both from malloc()
// because the host releases them with free().
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace pixkura::spi {

struct TFreeDeleter {
  void operator()(void* p) const noexcept { std::free(p); }
};
using TMallocBlock = std::unique_ptr<uint8_t[], TFreeDeleter>;

class TDibBlocks {
 public:
  // Allocates the header with room for `tableCapacity` colour entries (all
  // black, none counted as used yet) and zero-filled rows, bottom-up,
  // padded to 4 bytes. bitCount is 8 (palette indices) or 24 (blue, green,
  // red). Returns SPI_SUCCESS, or an SPI error code with nothing allocated.
  // The caller has checked the size with CheckPictureSize.
  int32_t Allocate(int32_t width, int32_t height, int bitCount, int tableCapacity);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  size_t RowSize() const { return rowSize_; }
  // Row y counted from the top of the picture.
  uint8_t* Row(int32_t y);

  // Colour entry `index` < tableCapacity; the table is stored blue, green, red, 0.
  void SetColor(int index, uint8_t red, uint8_t green, uint8_t blue);
  // Records how many table entries are in use (biClrUsed), at most the capacity.
  void SetColorsUsed(int count);
  int TableCapacity() const { return tableCapacity_; }
  void SetPelsPerMeter(int64_t x, int64_t y);

  // For palette pictures: the colours used must cover every index in the
  // rows. Files may hold indices past the end of their palette; the table
  // then grows with black entries up to the highest index found, so the
  // header never promises fewer colours than the pixels use.
  void CoverUsedIndices();

  // Gives both blocks to the host; this object is empty afterwards.
  int32_t Release(void** hInfo, void** hBits);

 private:
  TMallocBlock info_;
  TMallocBlock bits_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int bitCount_ = 0;
  int tableCapacity_ = 0;
  size_t rowSize_ = 0;
};

}  // namespace pixkura::spi
