// The BMP run-length encoders (RLE8 and RLE4). Rows are coded in storage
// order, each ended by an end-of-line code, the last by the end-of-picture
// code. A row is cut greedily into runs (encoded mode: a count and one byte)
// and literal stretches (absolute mode: 0, a count of 3..255, the pixels,
// padded to a 16-bit word); a stretch shorter than 3 pixels, which absolute
// mode cannot hold, goes out as short runs.
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "image/ConvertRoutines.h"
#include "image/IxDIBRLE.h"

namespace pixkura {
namespace {

constexpr int32_t kMaxCount = 255;

// RLE8: a run repeats one byte.
struct TRLE8 {
  static constexpr uint16_t kBitCount = 8;
  static constexpr uint32_t kCompression = BI_RLE8;
  static constexpr int32_t kWorthARun = 3;  // shorter runs cost no less inside a literal stretch
  static constexpr const char* kBadType =
      "Convert8BitRGBTo8BitRLE: Invalid Bitcount & Compression Combination";
  static constexpr const char* kFailed = "Convert8BitRGBTo8BitRLE: Compression Failed";
  static constexpr const char* kWriteAbsolute = "Convert8BitRGBTo8BitRLE: WriteAbsolute Error";

  static uint8_t At(const uint8_t* row, int32_t x) { return row[x]; }
  // Length of the run starting at x (at most limit pixels) and its code byte.
  static int32_t Run(const uint8_t* row, int32_t x, int32_t limit, uint8_t& code) {
    code = row[x];
    int32_t n = 1;
    while (n < limit && row[x + n] == code) ++n;
    return n;
  }
  static void PutLiteral(std::vector<uint8_t>& out, const uint8_t* row, int32_t x, int32_t n) {
    out.insert(out.end(), row + x, row + x + n);
    if (n & 1) out.push_back(0);
  }
};

// RLE4: a run repeats a pair of pixels (high nibble, low nibble, high, ...).
struct TRLE4 {
  static constexpr uint16_t kBitCount = 4;
  static constexpr uint32_t kCompression = BI_RLE4;
  static constexpr int32_t kWorthARun = 4;
  static constexpr const char* kBadType =
      "Convert4BitRGBTo4BitRLE: Invalid Bitcount & Compression Combination";
  static constexpr const char* kFailed = "Convert4BitRGBTo4BitRLE: Compression Failed";
  static constexpr const char* kWriteAbsolute = "Convert4BitRGBTo4BitRLE: WriteAbsolute Error";

  static uint8_t At(const uint8_t* row, int32_t x) { return IndexAt<4>(row, x); }
  static int32_t Run(const uint8_t* row, int32_t x, int32_t limit, uint8_t& code) {
    const uint8_t pair[2] = {At(row, x), limit > 1 ? At(row, x + 1) : uint8_t{0}};
    code = static_cast<uint8_t>(pair[0] << 4 | pair[1]);
    int32_t n = 1;
    while (n < limit && At(row, x + n) == pair[n & 1]) ++n;
    return n;
  }
  static void PutLiteral(std::vector<uint8_t>& out, const uint8_t* row, int32_t x, int32_t n) {
    for (int32_t k = 0; k < n; k += 2) {
      const uint8_t low = k + 1 < n ? At(row, x + k + 1) : uint8_t{0};
      out.push_back(static_cast<uint8_t>(At(row, x + k) << 4 | low));
    }
    if ((n + 1) / 2 & 1) out.push_back(0);  // whole 16-bit words
  }
};

template <typename Codec>
void PutAbsolute(std::vector<uint8_t>& out, const uint8_t* row, int32_t x, int32_t n) {
  if (n < 3 || n > kMaxCount) throw EIxDIBAssert(Codec::kWriteAbsolute);
  out.push_back(0);
  out.push_back(static_cast<uint8_t>(n));
  Codec::PutLiteral(out, row, x, n);
}

template <typename Codec>
void EncodeRow(std::vector<uint8_t>& out, const uint8_t* row, int32_t width) {
  int32_t x = 0;
  uint8_t code = 0;
  while (x < width) {
    int32_t n = Codec::Run(row, x, std::min(kMaxCount, width - x), code);
    if (n >= Codec::kWorthARun) {
      out.push_back(static_cast<uint8_t>(n));
      out.push_back(code);
      x += n;
      continue;
    }
    // A literal stretch: up to the next run worth coding as one.
    int32_t end = x + n;
    while (end < width && end - x < kMaxCount) {
      const int32_t next = Codec::Run(row, end, std::min(kMaxCount, width - end), code);
      if (next >= Codec::kWorthARun) break;
      end = std::min(end + next, x + kMaxCount);
    }
    if (end - x >= 3) {
      PutAbsolute<Codec>(out, row, x, end - x);
      x = end;
      continue;
    }
    while (x < end) {
      n = Codec::Run(row, x, end - x, code);
      out.push_back(static_cast<uint8_t>(n));
      out.push_back(code);
      x += n;
    }
  }
}

template <typename Codec>
std::unique_ptr<TIxInternalDIB> Encode(const TIxInternalDIB& src) {
  RequireUncompressed(src, Codec::kBitCount, Codec::kBadType);
  std::vector<uint8_t> out;
  try {
    out.reserve(static_cast<size_t>(src.RowSize()) * static_cast<size_t>(src.Height) / 2 + 16);
    for (int32_t i = 0; i < src.Height; ++i) {
      EncodeRow<Codec>(out, StoredRowOf(src, i), src.Width);
      out.push_back(0);
      out.push_back(static_cast<uint8_t>(i + 1 < src.Height ? 0 : 1));  // end of line, or of the picture
    }
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
  }
  // The stream must fit the storage's 32-bit sizes.
  if (out.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EIxDIBCompressionFailed(Codec::kFailed);

  auto dst = std::make_unique<TIxInternalDIB>();
  dst->Width = src.Width;
  dst->Height = src.Height;
  dst->Info = src.Info;
  dst->Bits = AllocatePixelMemory(out.size());
  std::memcpy(dst->Data(), out.data(), out.size());
  dst->BitsSize = static_cast<uint32_t>(out.size());
  dst->Header().biCompression = Codec::kCompression;
  dst->Header().biSizeImage = dst->BitsSize;
  return dst;
}

}  // namespace

std::unique_ptr<TIxInternalDIB> Convert8BitRGBTo8BitRLE(const TIxInternalDIB& src) {
  return Encode<TRLE8>(src);
}
std::unique_ptr<TIxInternalDIB> Convert4BitRGBTo4BitRLE(const TIxInternalDIB& src) {
  return Encode<TRLE4>(src);
}

}  // namespace pixkura
