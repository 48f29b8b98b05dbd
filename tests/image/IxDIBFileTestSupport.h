// Builders of BMP files and packed DIBs for the reader's tests: every header
// field can be set, so that broken and unusual files are easy to state.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Streams.h"
#include "image/IxDIB.h"

namespace pixkura::testing {

struct TBmpSpec {
  uint32_t HeaderSize = 40;  // 40 or 12 (or anything, to test rejection)
  int32_t Width = 1;
  int32_t Height = 1;
  uint16_t BitCount = 8;
  uint32_t Compression = BI_RGB;
  uint32_t ClrUsed = 0;                 // the header field
  std::vector<uint32_t> Masks{};        // written before the table when not empty
  std::vector<TRGBQuad> Table{};        // written as quads (40) or triples (12)
  std::vector<uint8_t> Pixels{};        // the pixel data as stored
  std::optional<uint32_t> BfSize{};     // default: the true file size
  std::optional<uint32_t> BfOffBits{};  // default: the offset of the pixel data
  size_t Gap = 0;                       // bytes of 0xEE between table and pixels
};

template <typename T>
void Append(std::vector<uint8_t>& out, const T& v) {
  const auto* p = reinterpret_cast<const uint8_t*>(&v);
  out.insert(out.end(), p, p + sizeof v);
}

// Info header, masks and table (a packed DIB's head).
inline std::vector<uint8_t> BuildDibHead(const TBmpSpec& s) {
  std::vector<uint8_t> out;
  if (s.HeaderSize == 12) {
    const TBitmapCoreHeader core{12, static_cast<uint16_t>(s.Width), static_cast<uint16_t>(s.Height), 1,
                                 s.BitCount};
    Append(out, core);
    for (const TRGBQuad& q : s.Table) Append(out, TRGBTriple{q.rgbBlue, q.rgbGreen, q.rgbRed});
    return out;
  }
  TBitmapInfoHeader h{};
  h.biSize = s.HeaderSize;
  h.biWidth = s.Width;
  h.biHeight = s.Height;
  h.biPlanes = 1;
  h.biBitCount = s.BitCount;
  h.biCompression = s.Compression;
  h.biClrUsed = s.ClrUsed;
  Append(out, h);
  for (uint32_t m : s.Masks) Append(out, m);
  for (const TRGBQuad& q : s.Table) Append(out, q);
  return out;
}

inline std::vector<uint8_t> BuildPackedDib(const TBmpSpec& s) {
  std::vector<uint8_t> out = BuildDibHead(s);
  out.insert(out.end(), s.Pixels.begin(), s.Pixels.end());
  return out;
}

inline std::vector<uint8_t> BuildBmp(const TBmpSpec& s) {
  const std::vector<uint8_t> head = BuildDibHead(s);
  const auto offBits = static_cast<uint32_t>(14 + head.size() + s.Gap);
  const auto size = static_cast<uint32_t>(offBits + s.Pixels.size());
  std::vector<uint8_t> out;
  Append(out,
         TBitmapFileHeader{kBitmapFileType, s.BfSize.value_or(size), 0, 0, s.BfOffBits.value_or(offBits)});
  out.insert(out.end(), head.begin(), head.end());
  out.insert(out.end(), s.Gap, 0xEE);
  out.insert(out.end(), s.Pixels.begin(), s.Pixels.end());
  return out;
}

// A table of n distinct, recognisable colours.
inline std::vector<TRGBQuad> GreyRamp(size_t n) {
  std::vector<TRGBQuad> t(n);
  for (size_t i = 0; i < n; ++i) {
    const auto v = static_cast<uint8_t>(i * 7 + 1);
    t[i] = TRGBQuad{v, static_cast<uint8_t>(v + 1), static_cast<uint8_t>(v + 2), 0};
  }
  return t;
}

inline void LoadBytes(TIxDIB& dib, std::vector<uint8_t> bytes) {
  TMemoryStream stream(std::move(bytes));
  dib.LoadFromStream(stream);
}

inline std::vector<uint8_t> SaveBytes(const TIxDIB& dib) {
  TMemoryStream stream;
  dib.SaveToStream(stream);
  return stream.TakeBytes();
}

inline std::vector<uint8_t> PixelBytes(const TIxInternalDIB& d) {
  return std::vector<uint8_t>(d.Data(), d.Data() + d.BitsSize);
}

// Runs f and checks that it raises E with exactly message.
template <typename E>
void ExpectError(const std::function<void()>& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no exception, expected: " << message;
  } catch (const E& e) {
    EXPECT_EQ(std::string(e.what()), message);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "other exception: " << e.what() << ", expected: " << message;
  }
}

}  // namespace pixkura::testing
