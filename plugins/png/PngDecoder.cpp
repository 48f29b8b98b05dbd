#include "plugins/png/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "plugins/common/SpiLimits.h"

namespace pixkura::spi::png {

namespace {

// Deflate cannot expand one input byte to more than 1032 output bytes.
constexpr int64_t kMaxInflateRatio = 1032;

struct TMemorySource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t n) {
  auto* src = static_cast<TMemorySource*>(png_get_io_ptr(png));
  if (n > src->size - src->pos) png_error(png, "unexpected end of file");
  std::memcpy(out, src->data + src->pos, n);
  src->pos += n;
}

// libpng reports errors by calling this; it must not return. It jumps back
// to the setjmp of the function that called into libpng.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Owns libpng's read state for one call.
class TPngReader {
 public:
  explicit TPngReader(TBytes file) : source_{file.data(), file.size(), 0} {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (png_ == nullptr) return;
    info_ = png_create_info_struct(png_);
    png_set_read_fn(png_, &source_, ReadFromMemory);
  }
  ~TPngReader() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
  TPngReader(const TPngReader&) = delete;
  TPngReader& operator=(const TPngReader&) = delete;

  bool Ready() const { return png_ != nullptr && info_ != nullptr; }
  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }
  size_t FileSize() const { return source_.size; }

 private:
  TMemorySource source_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// The functions below call into libpng and so may be left by longjmp: they
// hold no object with a destructor, and nothing they change between setjmp
// and the jump is read after it.

void FillFacts(png_structp png, png_infop info, TPictureFacts& facts) {
  facts.width = static_cast<int32_t>(png_get_image_width(png, info));
  facts.height = static_cast<int32_t>(png_get_image_height(png, info));
  facts.colorDepth = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE ? 8 : 24;
  png_uint_32 x = 0, y = 0;
  int unit = PNG_RESOLUTION_UNKNOWN;
  if (png_get_pHYs(png, info, &x, &y, &unit) != 0 && unit == PNG_RESOLUTION_METER) {
    facts.xDpi = PelsPerMeterToDpi(x);
    facts.yDpi = PelsPerMeterToDpi(y);
  }
}

int32_t ReadHeader(png_structp png, png_infop info, TPictureFacts& facts) {
  if (setjmp(png_jmpbuf(png))) return SPI_BROKEN_DATA;
  png_read_info(png, info);
  FillFacts(png, info, facts);
  return CheckPictureSize(facts.width, facts.height);
}

// Sets libpng's transformations so that each row comes out as the BMP row
// wants it: one index byte per pixel, or blue, green, red.
void RequestBmpRows(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    if (bitDepth < 8) png_set_packing(png);
    return;
  }
  if (bitDepth == 16) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) != 0) png_set_strip_alpha(png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  png_set_bgr(png);
}

// Bytes of filtered image data the file has to inflate to, at the least.
int64_t RawImageBytes(png_structp png, png_infop info) {
  const int64_t bitsPerPixel = int64_t{png_get_channels(png, info)} * png_get_bit_depth(png, info);
  const int64_t width = png_get_image_width(png, info);
  const int64_t height = png_get_image_height(png, info);
  return height * ((width * bitsPerPixel + 7) / 8 + 1);  // each row starts with a filter byte
}

void CopyPalette(png_structp png, png_infop info, TDibBlocks& out) {
  png_colorp palette = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &palette, &count) == 0) count = 0;
  if (count > out.TableCapacity()) count = out.TableCapacity();
  for (int i = 0; i < count; ++i) out.SetColor(i, palette[i].red, palette[i].green, palette[i].blue);
  out.SetColorsUsed(count);
}

int32_t DecodeInto(png_structp png, png_infop info, size_t fileSize, TDibBlocks& out, TProgress& progress) {
  if (setjmp(png_jmpbuf(png))) return SPI_BROKEN_DATA;
  png_read_info(png, info);
  TPictureFacts facts;
  FillFacts(png, info, facts);
  if (const int32_t sized = CheckPictureSize(facts.width, facts.height); sized != SPI_SUCCESS) return sized;
  if (const int32_t fits =
          CheckInputCanDeliver(RawImageBytes(png, info), static_cast<int64_t>(fileSize), kMaxInflateRatio);
      fits != SPI_SUCCESS)
    return fits;

  const bool indexed = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE;
  RequestBmpRows(png, info);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  // Every row is written straight into the BMP rows; make sure libpng agrees
  // on their length before handing it the memory.
  const size_t rowBytes = static_cast<size_t>(facts.width) * (indexed ? 1 : 3);
  if (png_get_rowbytes(png, info) != rowBytes) return SPI_BROKEN_DATA;

  const int tableCapacity = indexed ? 1 << png_get_bit_depth(png, info) : 0;
  if (const int32_t made = out.Allocate(facts.width, facts.height, indexed ? 8 : 24, tableCapacity);
      made != SPI_SUCCESS)
    return made;
  if (indexed) CopyPalette(png, info, out);
  png_uint_32 xppm = 0, yppm = 0;
  int unit = PNG_RESOLUTION_UNKNOWN;
  if (png_get_pHYs(png, info, &xppm, &yppm, &unit) != 0 && unit == PNG_RESOLUTION_METER)
    out.SetPelsPerMeter(xppm, yppm);

  const int64_t total = int64_t{passes} * facts.height;
  int64_t done = 0;
  for (int pass = 0; pass < passes; ++pass) {
    for (int32_t y = 0; y < facts.height; ++y) {
      png_read_row(png, out.Row(y), nullptr);
      if (!progress.Step(++done, total)) return SPI_ABORT;
    }
  }
  // Read on to IEND: that checks the last CRCs and the zlib checksum, so a
  // cut or damaged file fails instead of passing as a picture.
  png_read_end(png, nullptr);
  if (indexed) out.CoverUsedIndices();
  return SPI_SUCCESS;
}

}  // namespace

bool IsPng(const uint8_t* head) { return png_sig_cmp(head, 0, 8) == 0; }

int32_t ReadFacts(TBytes file, TPictureFacts& facts) {
  TPngReader reader(file);
  if (!reader.Ready()) return SPI_NO_MEMORY;
  return ReadHeader(reader.Png(), reader.Info(), facts);
}

int32_t Decode(TBytes file, TDibBlocks& out, TProgress& progress) {
  TPngReader reader(file);
  if (!reader.Ready()) return SPI_NO_MEMORY;
  return DecodeInto(reader.Png(), reader.Info(), reader.FileSize(), out, progress);
}

}  // namespace pixkura::spi::png
