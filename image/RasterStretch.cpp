#include "image/RasterStretch.h"

#include <algorithm>
#include <cstring>

namespace pixkura {

namespace {
__extension__ typedef unsigned __int128 TUInt128;
}

bool TStretchAxis::OneToOne() const {
  for (size_t i = 1; i < Source.size(); ++i)
    if (Source[i] != Source[0] + static_cast<int32_t>(i)) return false;
  return true;
}

TStretchAxis MapStretchAxis(TAxisSpan dest, int32_t destSize, TAxisSpan src, int32_t srcSize) {
  TStretchAxis axis;
  if (dest.Extent == 0 || src.Extent == 0 || destSize <= 0 || srcSize <= 0) return axis;
  const int64_t n = dest.Extent < 0 ? -dest.Extent : dest.Extent;
  const int64_t m = src.Extent < 0 ? -src.Extent : src.Extent;
  const int64_t destStep = dest.Extent < 0 ? -1 : 1;
  const int64_t srcStep = src.Extent < 0 ? -1 : 1;
  // Destination indices whose coordinate lies inside the destination.
  const int64_t first =
      destStep > 0 ? std::max<int64_t>(0, -dest.Origin) : std::max<int64_t>(0, dest.Origin - (destSize - 1));
  const int64_t last = std::min<int64_t>(n - 1, destStep > 0 ? destSize - 1 - dest.Origin : dest.Origin);
  if (last < first) return axis;

  // k = floor((2i + 1) m / 2n), stepped incrementally from the first index.
  const int64_t den = 2 * n;
  const TUInt128 start = (2 * static_cast<TUInt128>(first) + 1) * static_cast<TUInt128>(m);
  auto k = static_cast<int64_t>(start / static_cast<TUInt128>(den));
  auto rem = static_cast<int64_t>(start % static_cast<TUInt128>(den));
  const int64_t kStep = (2 * m) / den, remStep = (2 * m) % den;
  std::vector<int32_t>& out = axis.Source;
  int64_t firstKept = -1;
  for (int64_t i = first; i <= last; ++i) {
    const int64_t s = src.Origin + srcStep * k;
    if (s >= 0 && s < srcSize) {
      if (out.empty()) firstKept = i;
      out.push_back(static_cast<int32_t>(s));
    } else if (!out.empty()) {
      break;  // the map is monotonic: once it leaves the source it stays out
    }
    k += kStep;
    rem += remStep;
    if (rem >= den) {
      rem -= den;
      ++k;
    }
  }
  if (out.empty()) return axis;
  const int64_t lastKept = firstKept + static_cast<int64_t>(out.size()) - 1;
  if (destStep > 0) {
    axis.DestFirst = static_cast<int32_t>(dest.Origin + firstKept);
  } else {
    axis.DestFirst = static_cast<int32_t>(dest.Origin - lastKept);
    std::reverse(out.begin(), out.end());
  }
  return axis;
}

namespace {

// Consecutive destination pixels reading the same source pixel.
struct TRun {
  int32_t Source;
  int32_t Length;
};

std::vector<TRun> RunsOf(const std::vector<int32_t>& source) {
  std::vector<TRun> runs;
  for (const int32_t s : source) {
    if (!runs.empty() && runs.back().Source == s)
      ++runs.back().Length;
    else
      runs.push_back({s, 1});
  }
  return runs;
}

// Writes n copies of v, eight at a time.
inline void Repeat(uint8_t* d, uint8_t v, int32_t n) {
  const uint64_t word = v * 0x0101010101010101ull;
  for (; n >= 8; n -= 8, d += 8) std::memcpy(d, &word, 8);
  for (; n > 0; --n) *d++ = v;
}

}  // namespace

void StretchTransfer(const TRows& src, const TRows& dst, int bytesPerPixel, const TStretchAxis& columns,
                     const TStretchAxis& rows) {
  if (columns.Empty() || rows.Empty()) return;
  const size_t count = columns.Source.size();
  const size_t bytes = count * static_cast<size_t>(bytesPerPixel);
  const ptrdiff_t destOffset = static_cast<ptrdiff_t>(columns.DestFirst) * bytesPerPixel;
  const bool oneToOne = columns.OneToOne();
  // An enlargement of 8-bit rows writes each source pixel as a run; other
  // maps gather pixel by pixel through byte offsets.
  std::vector<TRun> runs;
  std::vector<int32_t> offsets;
  if (!oneToOne && bytesPerPixel == 1) runs = RunsOf(columns.Source);
  const bool byRuns = !runs.empty() && count >= 4 * runs.size();
  if (!oneToOne && !byRuns) {
    offsets.resize(count);
    for (size_t i = 0; i < count; ++i) offsets[i] = columns.Source[i] * bytesPerPixel;
  }
  for (size_t r = 0; r < rows.Source.size(); ++r) {
    uint8_t* d = dst.Row(rows.DestFirst + static_cast<int64_t>(r)) + destOffset;
    if (r > 0 && rows.Source[r] == rows.Source[r - 1]) {
      // An enlarged row repeats the one just written.
      std::memcpy(d, d - dst.Stride, bytes);
      continue;
    }
    const uint8_t* s = src.Row(rows.Source[r]);
    if (oneToOne) {
      std::memcpy(d, s + static_cast<ptrdiff_t>(columns.Source[0]) * bytesPerPixel, bytes);
    } else if (byRuns) {
      for (const TRun& run : runs) {
        Repeat(d, s[run.Source], run.Length);
        d += run.Length;
      }
    } else if (bytesPerPixel == 1) {
      for (size_t i = 0; i < count; ++i) d[i] = s[offsets[i]];
    } else {
      for (size_t i = 0; i < count; ++i) std::memcpy(d + 3 * i, s + offsets[i], 3);
    }
  }
}

}  // namespace pixkura
