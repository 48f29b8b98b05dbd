#include "formats/png.h"

#include <cstring>

#include "base/Streams.h"
#include "formats/WholeDeflate.h"

namespace pixkura {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int kPaletteEntries = 256;

void WriteU32BE(TStream& s, uint32_t v) {
  const uint8_t b[4] = {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                        static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  s.WriteBuffer(b, 4);
}

// Starts a chunk; returns where its type begins, the start of its CRC range.
int64_t BeginChunk(TMemoryStream& file, uint32_t length, const char (&type)[5]) {
  WriteU32BE(file, length);
  const int64_t typeStart = file.Position();
  file.WriteBuffer(type, 4);
  return typeStart;
}

// Appends the CRC of the type and data written since typeStart, read back
// from the file being built.
void EndChunk(TMemoryStream& file, int64_t typeStart) {
  const int64_t end = file.Position();
  WriteU32BE(file, Crc32(file.Memory() + typeStart, static_cast<size_t>(end - typeStart)));
}

// Row y unfiltered: filter byte 0, then one palette index per pixel.
void RawRow(const TIxInternalDIB& d, int32_t y, uint8_t* out) {
  const size_t width = static_cast<size_t>(d.Width);
  const int bits = d.Header().biBitCount;
  const uint8_t* row = d.Row(y);
  *out++ = 0;
  if (bits == 8) {
    std::memcpy(out, row, width);
    return;
  }
  const int perByte = 8 / bits;
  const int mask = (1 << bits) - 1;
  for (size_t x = 0; x < width; ++x) {
    const int shift = bits * (perByte - 1 - static_cast<int>(x % perByte));
    out[x] = static_cast<uint8_t>((row[x / perByte] >> shift) & mask);
  }
}

}  // namespace

uint32_t PNGCrc32(const uint8_t* data, size_t size) { return Crc32(data, size); }

std::vector<uint8_t> EncodePNG(const TIxDIB& bitmap, const TPNGOptions& options) {
  const TIxInternalDIB& d = bitmap.InternalDIB();
  const int bits = d.Header().biBitCount;
  if (d.Header().biCompression != BI_RGB || (bits != 1 && bits != 4 && bits != 8))
    throw EIxDIBBadDIBType("SavePNG: Bad DIB Type");

  TMemoryStream file;
  file.WriteBuffer(kSignature, sizeof kSignature);

  int64_t chunk = BeginChunk(file, 13, "IHDR");
  WriteU32BE(file, static_cast<uint32_t>(d.Width));
  WriteU32BE(file, static_cast<uint32_t>(d.Height));
  const uint8_t format[5] = {8, 3, 0, 0, 0};  // depth 8, palette, deflate, no filter, no interlace
  file.WriteBuffer(format, sizeof format);
  EndChunk(file, chunk);

  chunk = BeginChunk(file, 3 * kPaletteEntries, "PLTE");
  uint8_t palette[3 * kPaletteEntries];
  for (int i = 0; i < kPaletteEntries; ++i) {
    const TColor c = bitmap.GetColors(i);
    palette[3 * i] = GetRValue(c);
    palette[3 * i + 1] = GetGValue(c);
    palette[3 * i + 2] = GetBValue(c);
  }
  file.WriteBuffer(palette, sizeof palette);
  EndChunk(file, chunk);

  if (options.TransparentIndex) {
    const uint32_t entries = uint32_t{*options.TransparentIndex} + 1;
    uint8_t alpha[kPaletteEntries];
    std::memset(alpha, 255, entries - 1);
    alpha[entries - 1] = 0;
    chunk = BeginChunk(file, entries, "tRNS");
    file.WriteBuffer(alpha, entries);
    EndChunk(file, chunk);
  }

  // The length is known only once the data are compressed.
  const int64_t lengthField = file.Position();
  chunk = BeginChunk(file, 0, "IDAT");
  // All rows in one buffer, deflated in one call straight behind the chunk
  // type.
  const size_t rowBytes = static_cast<size_t>(d.Width) + 1;
  std::vector<uint8_t> raw(rowBytes * static_cast<size_t>(d.Height));
  for (int32_t y = 0; y < d.Height; ++y) RawRow(d, y, raw.data() + rowBytes * static_cast<size_t>(y));
  const int64_t dataStart = file.Position();
  WriteZlibStream(raw.data(), raw.size(), file);
  const int64_t n = file.Position() - dataStart;
  if (n > 0x7FFFFFFF) throw EIntOverflow("Arithmetic overflow");  // a chunk length is 31 bits
  EndChunk(file, chunk);
  const int64_t end = file.Position();
  file.SetPosition(lengthField);
  WriteU32BE(file, static_cast<uint32_t>(n));
  file.SetPosition(end);

  chunk = BeginChunk(file, 0, "IEND");
  EndChunk(file, chunk);
  return file.TakeBytes();
}

void SavePNG(const std::string& fileName, const TIxDIB& bitmap, const TPNGOptions& options) {
  const std::vector<uint8_t> bytes = EncodePNG(bitmap, options);
  WriteFileAtomically(fileName, bytes.data(), bytes.size());
}

}  // namespace pixkura
