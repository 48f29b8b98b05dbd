// Undo and redo over whole-sheet snapshots. A snapshot is an assignment that
// shares the sheet's pixel store, so taking one copies no pixels. The store
// holds the colour table too: each slot keeps the palette the sheet had, and
// a palette change is undone with the pixels.
#include "app/core/Editor.h"
#include "app/core/PictureCompare.h"

namespace pixkura {

void TEditor::TakeSnapshot() {
  Modified = true;
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
  slot(1).Assign(AllDib);
  ++UndoNum;
  if (UndoNum == UndoMax) --UndoNum;
}

void TEditor::ShowUndoSlot(int32_t slot) {
  // A stroke under way ends here (an undo reached from the keyboard while the
  // pen is held): drawing on would change the sheet without a snapshot, and
  // the next undo would lose what it drew.
  PenDown = false;
  const TIxDIB& shown = *UndoDibs[static_cast<size_t>(slot)];
  // Stepping back or forward changes the sheet as drawing does: unless the
  // sheet shows the same afterwards, it differs from the file and closing
  // must ask, or the state undone to would be lost.
  if (!SamePicture(*AllDib, shown)) Modified = true;
  AllDib->Assign(&shown);
  RefreshChrDib();
  if (SameColors(*AllDib, *PalDib)) {
    RedrawLoupe();
  } else {
    // The slot's palette becomes the master palette again, and everything
    // that depends on it follows.
    PalDib->SetPalette(AllDib->GetPalette());
    ApplyPaletteChange();
  }
  AllView.Invalidate();
}

void TEditor::btUndoClick(TComponent* /*Sender*/) {
  if (UndoNum == 0 || UndoPos >= UndoNum) return;
  ++UndoPos;
  // The first undo after a change keeps the newest state for the last redo.
  if (UndoFresh) {
    UndoDibs[0]->Assign(AllDib);
    UndoFresh = false;
  }
  ShowUndoSlot(UndoPos);
}

void TEditor::btRedoClick(TComponent* /*Sender*/) {
  if (UndoNum == 0 || UndoPos <= 0) return;
  --UndoPos;
  ShowUndoSlot(UndoPos);
}

}  // namespace pixkura
