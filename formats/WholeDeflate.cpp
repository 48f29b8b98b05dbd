#include "formats/WholeDeflate.h"

#include <libdeflate.h>

#include <memory>

#include "formats/ZlibStream.h"

namespace pixkura {

namespace {

// libdeflate's level 7: on picture rows it is faster than zlib's default
// level and its output is smaller than zlib's default and about the size of
// zlib's level 9. Level 8 and 9 are slower and no smaller there; levels 10
// to 12 shrink a photo's rows by a tenth more but take several times as long.
constexpr int kLevel = 7;

struct TCompressorFree {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

int64_t WriteZlibStream(const uint8_t* data, size_t size, TMemoryStream& target) {
  const std::unique_ptr<libdeflate_compressor, TCompressorFree> compressor(
      libdeflate_alloc_compressor(kLevel));
  if (!compressor) throw ECompressionError("error");
  const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), size);
  const int64_t start = target.Position();
  target.SetSize(start + static_cast<int64_t>(bound));
  const size_t written =
      libdeflate_zlib_compress(compressor.get(), data, size, target.Memory() + start, bound);
  if (written == 0) throw ECompressionError("error");
  target.SetSize(start + static_cast<int64_t>(written));
  target.SetPosition(start + static_cast<int64_t>(written));
  return static_cast<int64_t>(written);
}

uint32_t Crc32(const uint8_t* data, size_t size) { return libdeflate_crc32(0, data, size); }

}  // namespace pixkura
