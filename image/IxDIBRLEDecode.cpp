// Decoding of RLE8 and RLE4 storage into uncompressed storage of the same
// depth. The compressed data carry no length of their own; the decoder reads
// pairs until the end-of-picture code and treats the end of the data as one,
// keeping what was decoded so far. Every write is checked against the row and
// picture limits before it happens: pixels of a run or literal that pass the
// row's end are dropped (common encoders code the padding of odd widths as
// pixels), while a run on a row below the picture stops the decoding.
#include <algorithm>
#include <cstring>
#include <string>

#include "base/Exception.h"
#include "image/IxDIBRLE.h"

namespace pixkura {

namespace {

// What tells the two encodings apart.
struct TRLEKind {
  const char* Name;
  uint16_t BitCount;
  uint32_t Compression;
  // The numbers of the "Bad RLE Data" messages for the checks of an end of
  // line, a delta, an absolute run and a repeated run.
  int LineError, DeltaError, AbsoluteError, RunError;
};
constexpr TRLEKind kRLE8{"Convert8BitRLETo8BitRGB", 8, BI_RLE8, 1, 2, 3, 4};
constexpr TRLEKind kRLE4{"Convert4BitRLETo4BitRGB", 4, BI_RLE4, 5, 6, 7, 8};

// Pixels into one stored row: one byte per pixel, or two per byte with the
// left pixel in the high nibble (writing a high nibble clears the low one).
class TRowWriter {
 public:
  TRowWriter(uint8_t* row, bool fourBit) : row_(row), fourBit_(fourBit) {}

  void Put(int64_t x, uint8_t v) {
    if (!fourBit_) {
      row_[x] = v;
    } else if ((x & 1) == 0) {
      row_[x >> 1] = static_cast<uint8_t>(v << 4);
    } else {
      row_[x >> 1] = static_cast<uint8_t>((row_[x >> 1] & 0xF0) | (v & 0x0F));
    }
  }
  // n pixels from x repeating v: the byte itself, or its high and low nibble in turn.
  void Run(int64_t x, int64_t n, uint8_t v) {
    if (!fourBit_) {
      std::memset(row_ + x, v, static_cast<size_t>(n));
      return;
    }
    for (int64_t j = 0; j < n; ++j) Put(x + j, (j & 1) == 0 ? v >> 4 : v & 0x0F);
  }
  // n pixels from x taken from data in order.
  void Literal(int64_t x, int64_t n, const uint8_t* data) {
    if (!fourBit_) {
      std::memcpy(row_ + x, data, static_cast<size_t>(n));
      return;
    }
    for (int64_t j = 0; j < n; ++j) Put(x + j, (j & 1) == 0 ? data[j >> 1] >> 4 : data[j >> 1] & 0x0F);
  }

 private:
  uint8_t* row_;
  bool fourBit_;
};

class TRLEDecoder {
 public:
  TRLEDecoder(const TRLEKind& kind, const TIxInternalDIB& src, TIxInternalDIB& dst)
      : kind_(kind),
        in_(src.Data()),
        size_(src.BitsSize),
        bits_(dst.Data()),
        rowSize_(dst.RowSize()),
        height_(dst.Height),
        // An RLE4 row may fill the nibble that pads an odd width.
        limit_(kind.BitCount == 4 ? (int64_t{dst.Width} + 1) / 2 * 2 : dst.Width) {}

  void Run() {
    int64_t x = 0, y = 0;
    while (Available() >= 2) {
      const uint8_t n = in_[pos_];
      const uint8_t v = in_[pos_ + 1];
      pos_ += 2;
      if (n > 0) {
        if (y >= height_) Fail(kind_.RunError);
        Row(y).Run(x, InRow(x, n), v);
        x += n;
      } else if (v == 0) {  // end of line
        ++y;
        x = 0;
        if (y > height_) Fail(kind_.LineError);
      } else if (v == 1) {  // end of picture
        return;
      } else if (v == 2) {  // delta
        if (Available() < 2) return;
        x += in_[pos_];
        y += in_[pos_ + 1];
        pos_ += 2;
        if (x > limit_ || y > height_) Fail(kind_.DeltaError);
      } else {  // absolute run of v pixels, padded to 16-bit words
        if (y >= height_) Fail(kind_.AbsoluteError);
        const bool fourBit = kind_.BitCount == 4;
        const size_t dataBytes = fourBit ? (size_t{v} + 1) / 2 : v;
        const size_t padded = fourBit ? (size_t{v} + 3) / 4 * 2 : (size_t{v} + 1) / 2 * 2;
        if (Available() < dataBytes) {
          // Cut-off data: keep the pixels that are there.
          const auto pixels = static_cast<int64_t>(fourBit ? Available() * 2 : Available());
          Row(y).Literal(x, InRow(x, pixels), in_ + pos_);
          return;
        }
        Row(y).Literal(x, InRow(x, v), in_ + pos_);
        pos_ += std::min(padded, Available());
        x += v;
      }
    }
  }

 private:
  size_t Available() const { return size_ - pos_; }
  // How many of n pixels from x still lie in the row.
  int64_t InRow(int64_t x, int64_t n) const { return std::clamp<int64_t>(limit_ - x, 0, n); }
  TRowWriter Row(int64_t y) {
    return TRowWriter(bits_ + static_cast<size_t>(y) * rowSize_, kind_.BitCount == 4);
  }
  [[noreturn]] void Fail(int number) const {
    throw EIxDIBInvalidDIB(std::string(kind_.Name) + ": Bad RLE Data " + std::to_string(number));
  }

  const TRLEKind& kind_;
  const uint8_t* in_;
  size_t size_;
  size_t pos_ = 0;
  uint8_t* bits_;
  size_t rowSize_;
  int64_t height_;
  int64_t limit_;
};

std::unique_ptr<TIxInternalDIB> Decode(const TRLEKind& kind, const TIxInternalDIB& src) {
  const TBitmapInfoHeader& h = src.Header();
  if (h.biBitCount != kind.BitCount || h.biCompression != kind.Compression)
    throw EIxDIBBadDIBType(std::string(kind.Name) + ": Invalid Bitcount & Compression Combination");
  auto dst = TIxInternalDIB::CreateDIB(h.biWidth, h.biHeight, kind.BitCount,
                                       static_cast<int32_t>(std::min<uint32_t>(h.biClrUsed, 256)));
  TRLEDecoder(kind, src, *dst).Run();
  // Same header and colour table, now uncompressed.
  dst->Info = src.Info;
  dst->Header().biCompression = BI_RGB;
  dst->Header().biSizeImage = 0;
  return dst;
}

}  // namespace

std::unique_ptr<TIxInternalDIB> Convert8BitRLETo8BitRGB(const TIxInternalDIB& src) {
  return Decode(kRLE8, src);
}

std::unique_ptr<TIxInternalDIB> Convert4BitRLETo4BitRGB(const TIxInternalDIB& src) {
  return Decode(kRLE4, src);
}

}  // namespace pixkura
