#include "app/core/view/OnionSkin.h"

#include <algorithm>
#include <cstring>

#include "app/core/view/LoupeMagnify.h"
#include "image/RasterRows.h"

namespace pixkura {

namespace {

struct TRgb {
  int32_t R, G, B;
};
constexpr TRgb kBeforeTint{255, 40, 40};
constexpr TRgb kAfterTint{40, 100, 255};
// How much of a ghost shows over the transparent colour, in 256ths, by distance.
constexpr std::array<int32_t, TOnionSkin::kMaxFrames> kStrength{160, 104, 64};

int32_t Mix(int32_t a, int32_t b, int32_t weightOfB) { return (a * (256 - weightOfB) + b * weightOfB + 128) / 256; }

// The entry of colors nearest to c, the transparent entry left out so that
// a ghost never vanishes into the holes it fills.
uint8_t Nearest(const TRGBQuad* colors, TRgb c, uint8_t transparent) {
  int32_t best = -1, bestDistance = 0;
  for (int32_t i = 0; i < 256; ++i) {
    if (i == transparent) continue;
    const int32_t dr = colors[i].rgbRed - c.R, dg = colors[i].rgbGreen - c.G, db = colors[i].rgbBlue - c.B;
    const int32_t distance = dr * dr + dg * dg + db * db;
    if (best < 0 || distance < bestDistance) best = i, bestDistance = distance;
  }
  return static_cast<uint8_t>(best);
}

}  // namespace

int32_t TOnionSkin::GhostCells(const TLoupeViewport& view, int32_t step, TGhosts& ghosts) const {
  if (step < 1) return 0;
  const int32_t column = view.CellX / view.ChrX, frame = column % step, runStart = column - frame;
  int32_t count = 0;
  for (int32_t distance = kMaxFrames; distance >= 1; --distance) {
    for (const bool before : {false, true}) {
      if (distance > (before ? Before : After)) continue;
      const int32_t offset = before ? step - distance % step : distance;
      const int32_t other = runStart + (frame + offset) % step;
      const int32_t x = other * view.ChrX;
      if (other == column || x + view.ChrX > 256) continue;
      ghosts[static_cast<size_t>(count++)] = {x, view.CellY, distance, before};
    }
  }
  return count;
}

void TOnionSkin::UpdateTints(const TRGBQuad* colors, uint8_t transparent) {
  if (tintedTransparent_ == transparent && std::memcmp(tintedFor_.data(), colors, sizeof tintedFor_) == 0) return;
  std::memcpy(tintedFor_.data(), colors, sizeof tintedFor_);
  tintedTransparent_ = transparent;
  ++tintsMade_;
  const TRGBQuad back = colors[transparent];
  for (int32_t distance = 1; distance <= kMaxFrames; ++distance) {
    for (const bool before : {true, false}) {
      const TRgb tint = before ? kBeforeTint : kAfterTint;
      const int32_t strength = kStrength[static_cast<size_t>(distance - 1)];
      std::array<uint8_t, 256>& table = tints_[TableOf(distance, before)];
      for (int32_t i = 0; i < 256; ++i) {
        const TRgb tinted{Mix(colors[i].rgbRed, tint.R, 128), Mix(colors[i].rgbGreen, tint.G, 128),
                          Mix(colors[i].rgbBlue, tint.B, 128)};
        const TRgb shown{Mix(back.rgbRed, tinted.R, strength), Mix(back.rgbGreen, tinted.G, strength),
                         Mix(back.rgbBlue, tinted.B, strength)};
        table[static_cast<size_t>(i)] = Nearest(colors, shown, transparent);
      }
    }
  }
}

void TOnionSkin::UpdateLayer(const TIxInternalDIB& s, const TGhosts& ghosts, int32_t count, int32_t dx, int32_t dy,
                             int32_t w, int32_t h, int32_t shift, uint8_t transparent) {
  TLayer& l = layer_;
  const auto source = [&](int32_t g, int32_t y) {
    const TGhost& ghost = ghosts[static_cast<size_t>(g)];
    return s.Row(ghost.Y + dy + y) + ghost.X + dx;
  };
  bool current = l.Count == count && l.Dx == dx && l.Dy == dy && l.W == w && l.H == h && l.Shift == shift &&
                 l.Tints == tintsMade_ && std::equal(ghosts.begin(), ghosts.begin() + count, l.Ghosts.begin());
  const uint8_t* kept = l.Sources.data();
  for (int32_t g = 0; g < count && current; ++g)
    for (int32_t y = 0; y < h && current; ++y, kept += w) current = std::memcmp(source(g, y), kept, size_t(w)) == 0;
  if (current) return;

  l.Ghosts = ghosts, l.Count = count, l.Dx = dx, l.Dy = dy, l.W = w, l.H = h, l.Shift = shift, l.Tints = tintsMade_;
  const auto size = static_cast<size_t>(w) * static_cast<size_t>(h);
  l.Sources.resize(static_cast<size_t>(count) * size);
  l.Shown.assign(size, 0);
  l.Wide.resize(size << shift);
  std::array<uint8_t, 256> values{};
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* shown = l.Shown.data() + size_t(y) * size_t(w);
    for (int32_t g = 0; g < count; ++g) {  // farthest first: the nearer ghost is laid over it
      const uint8_t* tint = tints_[TableOf(ghosts[size_t(g)].Distance, ghosts[size_t(g)].IsBefore)].data();
      const uint8_t* from = source(g, y);
      std::memcpy(l.Sources.data() + (size_t(g) * size_t(h) + size_t(y)) * size_t(w), from, size_t(w));
      for (int32_t x = 0; x < w; ++x) {
        if (from[x] == transparent) continue;
        values[size_t(x)] = tint[from[x]];
        shown[x] = 0xFF;
      }
    }
    RepeatPixels(values.data(), l.Wide.data() + ((size_t(y) * size_t(w)) << shift), w, shift);
  }
}

void TOnionSkin::Overlay(const TIxDIB& sheet, const TLoupeViewport& view, int32_t step, uint8_t transparent,
                         TIxDIB& loupe) {
  if (!On) return;
  TGhosts ghosts;
  const int32_t count = GhostCells(view, step, ghosts);
  if (count == 0) return;
  const TIxInternalDIB& s = sheet.InternalDIB();
  UpdateTints(s.ColorTable(), transparent);
  const TLoupeViewport::TWindow r = view.Window();
  UpdateLayer(s, ghosts, count, r.sx - view.CellX, r.sy - view.CellY, r.w, r.h, view.Bairitu, transparent);
  const TRows d = Rows8(loupe, "OnionSkin");
  const int32_t shift = view.Bairitu, bai = view.Bai;
  const int32_t width = std::min(r.w, d.Width), loupeWidth = std::min(r.w * bai, d.Width);
  std::array<uint8_t, 256> shownRow{}, wideShown{};
  for (int32_t y = 0; y < r.h && y * bai < d.Height; ++y) {
    // The layer shows where the cell is transparent (branch-free, so that it runs in vector steps).
    const uint8_t* cell = s.Row(r.sy + y) + r.sx;
    const uint8_t* ghost = layer_.Shown.data() + size_t(y) * size_t(r.w);
    uint8_t* shown = shownRow.data();
    uint8_t any = 0;
    for (int32_t x = 0; x < width; ++x) {
      shown[x] = static_cast<uint8_t>(ghost[x] & -static_cast<int32_t>(cell[x] == transparent));
      any |= shown[x];
    }
    if (any == 0) continue;
    const uint8_t* wide = layer_.Wide.data() + ((size_t(y) * size_t(r.w)) << shift);
    // One run of ghost pixels (a whole row of holes, the common case) is copied into each of
    // the row's bai loupe rows; scattered ones are blended in, leaving the loupe's other pixels
    // (a half-density pattern among them) as rendered.
    const auto* first = static_cast<const uint8_t*>(std::memchr(shown, 0xFF, size_t(width)));
    const auto* stop = static_cast<const uint8_t*>(std::memchr(first, 0, size_t(shown + width - first)));
    const bool oneRun = !stop || !std::memchr(stop, 0xFF, size_t(shown + width - stop));
    const int32_t left = oneRun ? static_cast<int32_t>(first - shown) * bai : 0;
    const int32_t right = oneRun && stop ? std::min(static_cast<int32_t>(stop - shown) * bai, loupeWidth) : loupeWidth;
    if (!oneRun) RepeatPixels(shown, wideShown.data(), width, shift);
    for (int32_t k = 0; k < bai && y * bai + k < d.Height; ++k) {
      uint8_t* __restrict row = d.Row(y * bai + k);
      if (oneRun) {
        std::memcpy(row + left, wide + left, static_cast<size_t>(right - left));
        continue;
      }
      const uint8_t* __restrict m = wideShown.data();
      for (int32_t x = 0; x < loupeWidth; ++x) row[x] = static_cast<uint8_t>((row[x] & ~m[x]) | (wide[x] & m[x]));
    }
  }
}

}  // namespace pixkura
