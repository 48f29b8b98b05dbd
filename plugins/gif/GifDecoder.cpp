#include "plugins/gif/GifDecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "plugins/common/SpiLimits.h"

namespace pixkura::spi::gif {

namespace {

// An LZW string is at most as long as the 4096-entry table, and a code
// standing for a long string has grown to 12 bits: at most 4096 pixels per
// 12 bits of data.
constexpr int64_t kMaxPixelsPerByte = 4096 * 8 / 12 + 1;

struct TMemorySource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

int ReadFromMemory(GifFileType* file, GifByteType* out, int wanted) {
  auto* src = static_cast<TMemorySource*>(file->UserData);
  if (wanted <= 0) return 0;
  const size_t n = std::min(static_cast<size_t>(wanted), src->size - src->pos);
  std::memcpy(out, src->data + src->pos, n);
  src->pos += n;
  return static_cast<int>(n);  // short: giflib reports the read error
}

struct TGifCloser {
  void operator()(GifFileType* file) const noexcept {
    int error = 0;
    DGifCloseFile(file, &error);
  }
};
using TGifFile = std::unique_ptr<GifFileType, TGifCloser>;

// Reads up to and including the first image descriptor, skipping the
// extensions before it. False when the file has no image or is damaged.
bool SeekFirstImage(GifFileType* file) {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(file, &type) == GIF_ERROR) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(file) != GIF_ERROR;
    if (type != EXTENSION_RECORD_TYPE) return false;
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(file, &code, &block) == GIF_ERROR) return false;
    while (block != nullptr)
      if (DGifGetExtensionNext(file, &block) == GIF_ERROR) return false;
  }
}

// Opens the file and reads the first image's descriptor; null on failure.
TGifFile OpenFirstImage(TMemorySource& source) {
  int error = 0;
  TGifFile file(DGifOpen(&source, ReadFromMemory, &error));
  if (!file || !SeekFirstImage(file.get())) return nullptr;
  return file;
}

void CopyColorTable(const GifFileType* file, TDibBlocks& out) {
  const ColorMapObject* map = file->Image.ColorMap != nullptr ? file->Image.ColorMap : file->SColorMap;
  if (map == nullptr || map->Colors == nullptr || map->ColorCount <= 0) {
    // A file without any colour table: show the indices as a grey ramp.
    for (int i = 0; i < 256; ++i) out.SetColor(i, uint8_t(i), uint8_t(i), uint8_t(i));
    out.SetColorsUsed(256);
    return;
  }
  const int count = std::min(map->ColorCount, out.TableCapacity());
  for (int i = 0; i < count; ++i)
    out.SetColor(i, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
  out.SetColorsUsed(count);
}

// The order in which an interlaced image's rows are stored: every 8th row
// from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
int32_t StoredRow(int32_t n, int32_t height, bool interlaced) {
  if (!interlaced) return n;
  static constexpr int32_t kStart[] = {0, 4, 2, 1};
  static constexpr int32_t kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const int32_t rows = height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
    if (n < rows) return kStart[pass] + n * kStep[pass];
    n -= rows;
  }
  return -1;
}

}  // namespace

bool IsGif(const uint8_t* head) {
  return std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0;
}

int32_t ReadFacts(TBytes file, TPictureFacts& facts) {
  TMemorySource source{file.data(), file.size(), 0};
  const TGifFile gif = OpenFirstImage(source);
  if (!gif) return SPI_BROKEN_DATA;
  facts.width = gif->Image.Width;
  facts.height = gif->Image.Height;
  facts.colorDepth = 8;
  return CheckPictureSize(facts.width, facts.height);
}

int32_t Decode(TBytes file, TDibBlocks& out, TProgress& progress) {
  TMemorySource source{file.data(), file.size(), 0};
  const TGifFile gif = OpenFirstImage(source);
  if (!gif) return SPI_BROKEN_DATA;
  const int32_t width = gif->Image.Width;
  const int32_t height = gif->Image.Height;
  if (const int32_t sized = CheckPictureSize(width, height); sized != SPI_SUCCESS) return sized;
  if (const int32_t fits =
          CheckInputCanDeliver(int64_t{width} * height, static_cast<int64_t>(file.size()), kMaxPixelsPerByte);
      fits != SPI_SUCCESS)
    return fits;
  if (const int32_t made = out.Allocate(width, height, 8, 256); made != SPI_SUCCESS) return made;
  CopyColorTable(gif.get(), out);

  const bool interlaced = gif->Image.Interlace;
  for (int32_t n = 0; n < height; ++n) {
    if (DGifGetLine(gif.get(), out.Row(StoredRow(n, height, interlaced)), width) == GIF_ERROR)
      return SPI_BROKEN_DATA;
    if (!progress.Step(n + 1, height)) return SPI_ABORT;
  }
  out.CoverUsedIndices();
  return SPI_SUCCESS;
}

}  // namespace pixkura::spi::gif
