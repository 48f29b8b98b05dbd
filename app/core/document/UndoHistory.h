// The undo history: whole-sheet snapshots in slots and their bookkeeping. A
// snapshot is an assignment that shares the sheet's pixel store, so taking
// one copies no pixels. The store holds the colour table too: each slot keeps
// the palette the sheet had, and a palette change is undone with the pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "image/IxDIB.h"

namespace pixkura {

// A snapshot needs one slot beside the state it may return to; with fewer
// the bookkeeping would reach past its slots.
inline constexpr uint8_t kMinUndoSlots = 2;

class TUndoHistory {
 public:
  std::vector<std::unique_ptr<TIxDIB>> UndoDibs;  // whole-sheet snapshots; slot k: the sheet k changes back
  uint8_t UndoMax = 15;                           // undo slots; UndoMax - 1 changes can be undone
  uint8_t UndoNum = 0;                            // filled slots among 1..UndoMax - 1
  int32_t UndoPos = 0;                            // steps currently undone; the sheet shows slot UndoPos
  bool UndoFresh = false;  // a snapshot since the last undo: the next undo first keeps the sheet in slot 0

  // UndoMax slots (at least kMinUndoSlots), each a blank 256 x 256 sheet.
  void CreateSlots();
  // Records sheet as the state the next undo returns to.
  void Record(const TIxDIB& sheet);
  // Forgets every step (a new picture was loaded); the slots stay.
  void Forget();
  // One step back or forward: the slot to show, or -1 when there is none.
  // Stepping back first keeps sheet in slot 0 after a change.
  int32_t StepBack(const TIxDIB& sheet);
  int32_t StepForward();
  const TIxDIB& Slot(int32_t i) const { return *UndoDibs[static_cast<size_t>(i)]; }
};

}  // namespace pixkura
