#include "app/core/document/PaletteTables.h"

#include <algorithm>

namespace pixkura {
namespace {

TBlendTableCache recentBlendTables;

}  // namespace

TBlendTableCache& TBlendTableCache::Recent() { return recentBlendTables; }

std::array<TColor, 256> ColorsOf(const TIxDIB& dib) {
  std::array<TColor, 256> colors{};
  for (int32_t i = 0; i < 256; ++i) colors[static_cast<size_t>(i)] = dib.GetColors(i);
  return colors;
}

const TBlendTable& TBlendTableCache::TableFor(const TIxDIB& master) {
  const std::array<TColor, 256> colors = ColorsOf(master);
  const int32_t size = master.GetPaletteSize();
  auto found = std::find_if(kept_.begin(), kept_.end(),
                            [&](const TBuilt& t) { return t.PaletteSize == size && t.Colors == colors; });
  if (found == kept_.end()) {
    // Built aside first: a build that fails half-way leaves nothing to reuse.
    TBuilt built{colors, size, {}};
    MakeMixTable(master, built.Table);
    kept_.push_front(std::move(built));
    if (kept_.size() > kKept) kept_.pop_back();
  } else {
    kept_.splice(kept_.begin(), kept_, found);
  }
  return kept_.front().Table;
}

void TPaletteTables::PaletteChanged(const TIxDIB& master) {
  FindDarkAndLight(master, blend_);
  mixTableCurrent_ = false;
}

const TBlendTable& TPaletteTables::Blend(const TIxDIB& master) {
  if (mixTableCurrent_) return blend_;
  blend_ = TBlendTableCache::Recent().TableFor(master);
  mixTableCurrent_ = true;
  return blend_;
}

}  // namespace pixkura
