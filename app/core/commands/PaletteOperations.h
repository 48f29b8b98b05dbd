// Palette operations in which every pixel follows its index: a swatch
// dragged onto another (swapped with it, or moved there with Shift, the
// entries between shifting by one), and the palette menu's sorts over the
// entries between the main and the transparent pick, merging duplicate
// colours, moving the unused entries to the end and the transparent colour to
// entry 0. Each is one undo step holding the pixels and the palette together,
// and no colour on the sheet changes. Also the marks on unused swatches and
// the transparent colour written as PNG transparency.
#pragma once

#include <cstdint>
#include <optional>

#include "app/core/Controls.h"
#include "app/core/view/UnusedMarks.h"
#include "formats/png.h"
#include "image/PaletteReorder.h"

namespace pixkura {

class TEditor;

class TPaletteOperations {
 public:
  explicit TPaletteOperations(TEditor& editor) : e_(editor) {}
  TPaletteOperations(const TPaletteOperations&) = delete;
  TPaletteOperations& operator=(const TPaletteOperations&) = delete;

  // ---- The left button on the palette view (view/PaletteSwatches.cpp) ---------------------
  bool PalDown = false;     // the left button is held on the palette: the main colour follows the pointer
  bool PalDblDown = false;  // a double-click's press is held on the palette: its release edits the colour
  // A drag moves an entry only when released on another swatch than the
  // press's, the pointer more than this many view pixels from the press in
  // either direction: a click that slips over a swatch's edge only picks.
  static constexpr int32_t kDragThreshold = 3;
  // The press at view point (x, y), on the swatch of entry index (none outside the swatches).
  void Pressed(int32_t x, int32_t y, std::optional<uint8_t> index);
  // The release at (x, y) over entry index: swaps the pressed entry with it
  // or, with shift, moves it there. True when the release counted as such a
  // drag (a double-click's colour edit then does not follow).
  bool Released(int32_t x, int32_t y, std::optional<uint8_t> index, bool shift);

  // ---- The palette menu ------------------------------------------------------------------
  void SortByLuminance();
  void SortByHue();
  void SortByUse();  // the most used entry first
  void MergeDuplicates();
  void Compact();  // the transparent pick's entry counts as used
  void TransparentToZero();
  // Applies reorder to the sheet and the palette as one undo step (none when
  // no pixel and no colour would change); the picks follow their entries.
  void Apply(const TPaletteReorder& reorder);

  // ---- Unused entries marked on the swatches ----------------------------------------------
  TUnusedMarks Marks;
  void ShowUnusedMarks();  // after every change of the sheet or the palette
  void UnusedMarksClick();

  // ---- The transparent pick as PNG transparency (a setting, off by default) ---------------
  bool PngTransparent = false;
  TPNGOptions PngOptions() const;

 private:
  TEditor& e_;
  std::optional<uint8_t> pressed_;  // the entry the left press went to
  int32_t pressX_ = 0, pressY_ = 0;
};

}  // namespace pixkura
