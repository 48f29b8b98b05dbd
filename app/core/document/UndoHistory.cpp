#include "app/core/document/UndoHistory.h"

#include <algorithm>

#include "app/core/document/BitmapShape.h"

namespace pixkura {

void TUndoHistory::CreateSlots() {
  UndoMax = std::max(UndoMax, kMinUndoSlots);
  UndoDibs.clear();
  UndoDibs.reserve(UndoMax);
  for (int32_t i = 0; i < UndoMax; ++i) {
    auto slot = std::make_unique<TIxDIB>();
    ShapeBitmap(*slot, 256, 256);
    UndoDibs.push_back(std::move(slot));
  }
}

void TUndoHistory::Record(const TIxDIB& sheet) {
  // Start-up guarantees two slots; with fewer nothing could be recorded.
  if (UndoDibs.size() < 2) return;
  auto slot = [this](int32_t i) -> TIxDIB& { return *UndoDibs[static_cast<size_t>(i)]; };
  // A change after undoing drops the undone steps.
  if (UndoPos > 0) {
    for (int32_t i = 1; i <= UndoNum - UndoPos; ++i) slot(i).Assign(&slot(i + UndoPos));
    UndoNum = static_cast<uint8_t>(UndoNum - UndoPos);
  }
  UndoPos = 0;
  UndoFresh = true;
  // Shift the history towards the old end; when it is full the oldest falls off.
  for (int32_t i = UndoNum; i >= 1; --i)
    if (i + 1 <= UndoMax - 1) slot(i + 1).Assign(&slot(i));
  slot(1).Assign(&sheet);
  ++UndoNum;
  if (UndoNum == UndoMax) --UndoNum;
}

void TUndoHistory::Forget() {
  UndoNum = 0;
  UndoPos = 0;
}

int32_t TUndoHistory::StepBack(const TIxDIB& sheet) {
  if (UndoNum == 0 || UndoPos >= UndoNum) return -1;
  ++UndoPos;
  // The first undo after a change keeps the newest state for the last redo.
  if (UndoFresh) {
    UndoDibs[0]->Assign(&sheet);
    UndoFresh = false;
  }
  return UndoPos;
}

int32_t TUndoHistory::StepForward() {
  if (UndoNum == 0 || UndoPos <= 0) return -1;
  --UndoPos;
  return UndoPos;
}

}  // namespace pixkura
