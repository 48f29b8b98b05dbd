// The onion skin: while it is on, the loupe shows the animation's
// neighbouring frames, faint and tinted, where the selected cell has the
// transparent colour. It is a picture on the screen only: the sheet, the
// tools, the block copy, saving and undo never see a ghost pixel.
//
// The frames are the cells the preview plays: runs of StepBar cells along
// the selected cell's row, each run starting at a multiple of StepBar cells
// from the sheet's left edge, played left to right and looping at the run's
// ends as the preview loops. A ghost before the cell is tinted toward red,
// one after it toward blue, and fades into the transparent colour the further
// away it is. The loupe is 8-bit, so each tinted colour is the palette entry
// nearest to it: one 256-entry table per ghost distance and side, rebuilt
// when the palette or the transparent colour changes. The ghosts merged over
// the loupe's window are kept while the ghost frames' pixels, the window and
// the tints stay as they were, so that the redraw after each pen segment only
// lays the kept layer into the cell's holes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/core/view/LoupeViewport.h"
#include "image/IxDIB.h"

namespace pixkura {

class TOnionSkin {
 public:
  static constexpr int32_t kMaxFrames = 3;  // ghosts on each side at most
  bool On = false;
  int32_t Before = 1;  // frames before the cell shown, 1..kMaxFrames
  int32_t After = 0;   // frames after it, 0..kMaxFrames

  // One neighbouring frame: its cell's top-left in sheet pixels, how many
  // frames away and on which side it is.
  struct TGhost {
    int32_t X = 0, Y = 0;
    int32_t Distance = 0;
    bool IsBefore = true;
    friend bool operator==(const TGhost&, const TGhost&) = default;
  };
  using TGhosts = std::array<TGhost, 2 * kMaxFrames>;
  // The ghosts of the selected cell of view for runs of step cells, farthest
  // first; a frame that is the cell itself or lies beyond the sheet is left out.
  int32_t GhostCells(const TLoupeViewport& view, int32_t step, TGhosts& ghosts) const;

  // Lays the ghosts over loupe (rendered for view's window, Bai pixels per
  // sheet pixel) where sheet's pixels of the selected cell are transparent
  // and a ghost's are not; the nearer ghost wins. Nothing while off.
  void Overlay(const TIxDIB& sheet, const TLoupeViewport& view, int32_t step, uint8_t transparent, TIxDIB& loupe);

  // The palette entry a ghost pixel of entry index shows as.
  uint8_t Tint(int32_t distance, bool before, uint8_t index) const {
    return tints_[TableOf(distance, before)][index];
  }
  // Brings the tint tables up to the palette colors and its transparent entry.
  void UpdateTints(const TRGBQuad* colors, uint8_t transparent);

 private:
  static size_t TableOf(int32_t distance, bool before) {
    return static_cast<size_t>((before ? 0 : kMaxFrames) + distance - 1);
  }
  std::array<std::array<uint8_t, 256>, 2 * kMaxFrames> tints_{};
  std::array<TRGBQuad, 256> tintedFor_{};  // the palette the tables were made for
  int32_t tintedTransparent_ = -1;         // and its transparent entry; -1 none yet
  uint64_t tintsMade_ = 0;                 // counts the tables' rebuilds

  // The ghosts merged over a window of the sheet, nearest in front: per pixel
  // 0xFF where some ghost is not transparent, and the rows of tinted entries
  // magnified as the loupe shows them.
  struct TLayer {
    TGhosts Ghosts{};
    int32_t Count = 0;
    int32_t Dx = 0, Dy = 0, W = 0, H = 0;  // the window: w x h pixels from (Dx, Dy) of each ghost cell
    int32_t Shift = 0;                     // each pixel (1 shl Shift) loupe pixels wide
    uint64_t Tints = 0;
    std::vector<uint8_t> Sources;  // the ghost cells' pixels it was made from, ghost by ghost, row by row
    std::vector<uint8_t> Shown, Wide;
  } layer_;
  // Brings layer_ up to the ghosts' pixels in sheet s for the window, their pixels compared with Sources.
  void UpdateLayer(const TIxInternalDIB& s, const TGhosts& ghosts, int32_t count, int32_t dx, int32_t dy, int32_t w,
                   int32_t h, int32_t shift, uint8_t transparent);
};

}  // namespace pixkura
