// Pictures for the pixel-format conversion tests, built and read through the
// bitmap's public interface only.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "image/IxDIB.h"

namespace pixkura::test {

inline int32_t BitsOf(TIxPixelFormat f) {
  switch (f) {
    case ixPf1Bit:
      return 1;
    case ixPf4Bit:
    case ixPf4BitRLE:
      return 4;
    case ixPf8Bit:
    case ixPf8BitRLE:
      return 8;
    default:
      return 24;
  }
}

inline bool IsRLE(TIxPixelFormat f) { return f == ixPf4BitRLE || f == ixPf8BitRLE; }

// A w x h picture (top-down storage when topDown) in format f whose pixel
// (x, y) shows colors[indexOf(x, y)]. Indexed pictures get colors as their
// palette; RLE pictures are made uncompressed and then encoded.
inline void MakePicture(TIxDIB& dib, TIxPixelFormat f, int32_t w, int32_t h, bool topDown,
                        const std::vector<TColor>& colors,
                        const std::function<int(int32_t, int32_t)>& indexOf) {
  const int32_t bits = BitsOf(f);
  dib.SetBitCount(bits);
  dib.SetWidth(w);
  dib.SetHeight(topDown ? -h : h);
  if (bits != 24) {
    dib.SetPaletteSize(static_cast<int32_t>(colors.size()));
    for (size_t i = 0; i < colors.size(); ++i) dib.SetColors(static_cast<int32_t>(i), colors[i]);
  }
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int i = indexOf(x, y);
      dib.SetPixels(x, y, bits == 24 ? static_cast<int32_t>(colors[static_cast<size_t>(i)]) : i);
    }
  if (IsRLE(f)) dib.SetPixelFormat(f);
}

// The colour a viewer sees at (x, y): the pixel itself (24 bits) or its
// palette entry. RLE pictures are read through an uncompressed copy.
class TColorReader {
 public:
  explicit TColorReader(const TIxDIB& dib) {
    copy_.Assign(&dib);
    const TIxPixelFormat f = copy_.GetPixelFormat();
    if (f == ixPf4BitRLE) copy_.SetPixelFormat(ixPf4Bit);
    if (f == ixPf8BitRLE) copy_.SetPixelFormat(ixPf8Bit);
  }
  TColor operator()(int32_t x, int32_t y) const {
    const int32_t v = copy_.GetPixels(x, y);
    return copy_.GetBitCount() == 24 ? static_cast<TColor>(v) : copy_.GetColors(v);
  }
  const TIxDIB& Uncompressed() const { return copy_; }

 private:
  TIxDIB copy_;
};

template <typename E>
void ExpectThrowWithMessage(const std::function<void()>& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no exception, expected: " << message;
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

}  // namespace pixkura::test
