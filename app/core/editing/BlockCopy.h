// The block copy of the sheet view: a first click starts spanning a block
// from its corner, a second picks it into CopyDib, a third drops it at the
// grid point clicked (one undo step); the right button cancels. The span is
// measured in the copy grid (SelSize sheet pixels, or one with SFree).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "app/core/Controls.h"
#include "image/IxDIB.h"

namespace pixkura {

class TEditor;

class TBlockCopy {
 public:
  enum class TState : uint8_t {
    Idle,      // no copy under way
    Spanning,  // the corner is set; the block grows with the pointer
    Waiting,   // a block is picked and waits for its drop (the saves write it instead)
  };

  explicit TBlockCopy(TEditor& editor) : e_(editor) {}
  TBlockCopy(const TBlockCopy&) = delete;
  TBlockCopy& operator=(const TBlockCopy&) = delete;

  TState State = TState::Idle;
  TIxDIB* CopyDib = nullptr;  // the picked block while one waits to be dropped, else 1 x 1 of index 0
  uint8_t SelSize = 8;        // copy grid in sheet pixels (SelSizeBar)
  int32_t CopyX = 0, CopyY = 0;  // grid point of the block's corner (in the span's grid)
  int32_t CornerX = 0, CornerY = 0;  // the block's corner in sheet pixels
  bool FromSheet = false;            // the waiting block was picked from the sheet at the corner (not pasted)
  // A pasted block's own palette, taken with the drop in the same undo step.
  std::optional<std::array<TColor, 256>> PaletteWithDrop;

  bool CopyOn() const { return State == TState::Spanning; }
  bool CopyReady() const { return State == TState::Waiting; }
  bool AllDrag() const { return State != TState::Idle; }  // from the first click to the drop or a cancel

  // The sheet view's mouse (in sheet pixels; c the grid step).
  void MouseDown(TMouseButton button, int32_t x, int32_t y, int32_t c);
  void MouseMove(int32_t x, int32_t y, int32_t c);
  // The grid changed (its size, or the free start): a span under way starts
  // again in the new grid at the grid point of its corner.
  void RestartSpan();
  // A pasted block of width x height indices (rows from the top) waits for
  // its drop as a picked one does; a copy under way gives way to it.
  void Hold(int32_t width, int32_t height, const uint8_t* indices,
            const std::optional<std::array<TColor, 256>>& palette);
  // Ends a span or a waiting block; nothing changes in the sheet.
  void Cancel();

 private:
  void Start(int32_t x, int32_t y, int32_t c);
  void Pick();
  void Wait(int32_t w, int32_t h);
  void Drop(int32_t dx, int32_t dy);
  // Puts the frame (CopySel) at sheet pixel (x, y) with the given size.
  void PlaceFrame(int32_t x, int32_t y, int32_t w, int32_t h);

  TEditor& e_;
};

// The copy buffer's idle picture: one pixel of index 0.
void ResetCopyBuffer(TIxDIB& copy);

}  // namespace pixkura
