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

// One sheet row's ghost pixels over the cell's: where the cell is
// transparent and the ghost is not, its tinted entry, and 0xFF in shown.
void GhostRow(const uint8_t* cell, const uint8_t* ghost, const uint8_t* tint, int32_t width, uint8_t transparent,
              uint8_t* values, uint8_t* shown) {
  for (int32_t x = 0; x < width; ++x) {
    const bool show = cell[x] == transparent && ghost[x] != transparent;
    values[x] = show ? tint[ghost[x]] : values[x];
    shown[x] = show ? 0xFF : shown[x];
  }
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

void TOnionSkin::Overlay(const TIxDIB& sheet, const TLoupeViewport& view, int32_t step, uint8_t transparent,
                         TIxDIB& loupe) {
  if (!On) return;
  TGhosts ghosts;
  const int32_t count = GhostCells(view, step, ghosts);
  if (count == 0) return;
  const TIxInternalDIB& s = sheet.InternalDIB();
  UpdateTints(s.ColorTable(), transparent);
  const TRows d = Rows8(loupe, "OnionSkin");
  const TLoupeViewport::TWindow r = view.Window();
  const int32_t shift = view.Bairitu, bai = view.Bai;
  const int32_t width = std::min(r.w, d.Width), loupeWidth = std::min(r.w * bai, d.Width);
  std::array<uint8_t, 256> values{}, shown{}, wideValues{}, wideShown{};
  for (int32_t y = 0; y < r.h && y * bai < d.Height; ++y) {
    shown.fill(0);
    const uint8_t* cell = s.Row(r.sy + y) + r.sx;
    for (int32_t g = 0; g < count; ++g) {
      const TGhost& ghost = ghosts[static_cast<size_t>(g)];
      const uint8_t* from = s.Row(ghost.Y + (r.sy - view.CellY) + y) + ghost.X + (r.sx - view.CellX);
      GhostRow(cell, from, tints_[TableOf(ghost.Distance, ghost.IsBefore)].data(), width, transparent,
               values.data(), shown.data());
    }
    RepeatPixels(values.data(), wideValues.data(), width, shift);
    RepeatPixels(shown.data(), wideShown.data(), width, shift);
    for (int32_t k = 0; k < bai && y * bai + k < d.Height; ++k) {
      uint8_t* row = d.Row(y * bai + k);
      for (int32_t x = 0; x < loupeWidth; ++x) row[x] = wideShown[x] ? wideValues[x] : row[x];
    }
  }
}

}  // namespace pixkura
