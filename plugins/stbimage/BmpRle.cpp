#include "plugins/stbimage/BmpRle.h"

#include <algorithm>

namespace pixkura::spi::misc {

namespace {

// Where the decoder writes: x across the row, y counted from the bottom
// row, as the codes count them.
class TRleCursor {
 public:
  TRleCursor(TDibBlocks& out, int bitCount)
      : out_(out),
        // Encoders code the stored rows, padding to 4 bytes included, so a
        // row may run on past the picture's width up to that padding; those
        // pixels are dropped.
        limit_((int64_t{out.Width()} * bitCount + 31) / 32 * 32 / bitCount) {}

  // Room for n more pixels on the current row.
  bool Fits(int64_t n) const { return y_ < out_.Height() && x_ + n <= limit_; }
  void Put(int64_t i, uint8_t index) {
    if (x_ + i < out_.Width()) out_.Row(static_cast<int32_t>(out_.Height() - 1 - y_))[x_ + i] = index;
  }
  void Advance(int64_t n) { x_ += n; }
  bool NextLine() {
    x_ = 0;
    return ++y_ <= out_.Height();
  }
  bool Move(int64_t dx, int64_t dy) {
    x_ += dx;
    y_ += dy;
    return x_ <= limit_ && y_ <= out_.Height();
  }
  int64_t Line() const { return y_; }
  bool PastLastLine() const { return y_ >= out_.Height(); }

 private:
  TDibBlocks& out_;
  int64_t limit_;
  int64_t x_ = 0;
  int64_t y_ = 0;
};

// Pixel i of a run or literal: RLE8 takes whole bytes, RLE4 takes the high
// nibble first.
uint8_t Nibble(uint8_t byte, int64_t i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; }

}  // namespace

int32_t DecodeBmpRle(TBytes data, int bitCount, TDibBlocks& out, TProgress& progress) {
  TRleCursor cursor(out, bitCount);
  auto finished = [&]() -> int32_t {
    return progress.Step(out.Height(), out.Height()) ? SPI_SUCCESS : SPI_ABORT;
  };
  size_t at = 0;
  for (;;) {
    // Data that end without an end-of-picture code are accepted only once
    // every row has been written.
    if (data.size() - at < 2) return cursor.PastLastLine() ? finished() : SPI_BROKEN_DATA;
    const uint8_t count = data[at];
    const uint8_t value = data[at + 1];
    at += 2;
    if (count > 0) {  // a run: count pixels of one byte
      if (!cursor.Fits(count)) return SPI_BROKEN_DATA;
      for (int64_t i = 0; i < count; ++i) cursor.Put(i, bitCount == 8 ? value : Nibble(value, i));
      cursor.Advance(count);
    } else if (value == 0) {  // end of line
      if (!cursor.NextLine()) return SPI_BROKEN_DATA;
      if (cursor.Line() < out.Height() && !progress.Step(cursor.Line(), out.Height())) return SPI_ABORT;
    } else if (value == 1) {  // end of picture
      return finished();
    } else if (value == 2) {  // delta: right and up by the next two bytes
      if (data.size() - at < 2 || !cursor.Move(data[at], data[at + 1])) return SPI_BROKEN_DATA;
      at += 2;
    } else {  // literal: `value` pixels, padded to a whole number of 16-bit words
      const size_t bytes = bitCount == 8 ? value : (value + 1u) / 2;
      if (!cursor.Fits(value) || data.size() - at < bytes) return SPI_BROKEN_DATA;
      for (int64_t i = 0; i < value; ++i)
        cursor.Put(i, bitCount == 8 ? data[at + static_cast<size_t>(i)]
                                    : Nibble(data[at + static_cast<size_t>(i / 2)], i));
      cursor.Advance(value);
      at += std::min(data.size() - at, (bytes + 1) / 2 * 2);
    }
  }
}

}  // namespace pixkura::spi::misc
