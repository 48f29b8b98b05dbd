// Undo and redo: the document steps through its history (document/UndoHistory.h);
// the editor shows what it stepped to.
#include "app/core/Editor.h"
#include "app/core/document/PictureCompare.h"

namespace pixkura {

void TEditor::TakeSnapshot() { Doc.BeginChange(); }

void TEditor::ShowUndoSlot(int32_t slot) {
  // A stroke under way ends here (an undo reached from the keyboard while the
  // pen is held): drawing on would change the sheet without a snapshot, and
  // the next undo would lose what it drew.
  Tools.Pen.PenDown = false;
  Doc.ShowUndoSlot(slot);
  RefreshChrDib();
  if (SameColors(*Doc.AllDib, *Doc.PalDib)) {
    RedrawLoupe();
  } else {
    // The slot's palette becomes the master palette again, and everything
    // that depends on it follows.
    Doc.PalDib->SetPalette(Doc.AllDib->GetPalette());
    ApplyPaletteChange();
  }
  AllView.Invalidate();
}

void TEditor::btUndoClick(TComponent* /*Sender*/) {
  const int32_t slot = Doc.History.StepBack(*Doc.AllDib);
  if (slot >= 0) ShowUndoSlot(slot);
}

void TEditor::btRedoClick(TComponent* /*Sender*/) {
  const int32_t slot = Doc.History.StepForward();
  if (slot >= 0) ShowUndoSlot(slot);
}

}  // namespace pixkura
