// The sheet document: the one picture that is loaded, saved and undone (the
// sheet, with the master palette as the colour table of the palette view),
// its file name, whether it changed since it was loaded or saved, its undo
// history and the tables derived from its palette. The bitmaps are lent by
// the views that show them; the document knows no control.
#pragma once

#include <cstdint>
#include <string>

#include "app/core/document/PaletteTables.h"
#include "app/core/document/UndoHistory.h"
#include "image/IxDIB.h"

namespace pixkura {

class TSheetDocument {
 public:
  TIxDIB* AllDib = nullptr;  // the sheet: the one picture loaded, saved and undone; always 256 x 256
  TIxDIB* PalDib = nullptr;  // the 32 x 8 palette swatches; its colour table is the master palette
  std::string FileName;      // the current picture file; empty until one is loaded or saved
  TUndoHistory History;
  TPaletteTables Tables;

  // The sheet changed since it was loaded or saved. Only the events below
  // change it; once set, only a load or a save clears it.
  bool Modified() const { return modified_; }
  // Counts the changes of the sheet (every event below that sets Modified):
  // recovery tells from it that the sheet changed since its last copy.
  uint64_t Changes() const { return changes_; }

  // A change begins: the sheet as it is becomes the next undo step.
  void BeginChange();
  // Pixels were stored into the sheet: a stroke that goes on after a save
  // made while it was under way is a change again.
  void PixelsStored();
  // Undo and redo: undo slot `slot` becomes the sheet. Stepping changes the
  // sheet as drawing does: unless the sheet shows the same afterwards, it
  // differs from the file and closing must ask, or the state undone to would
  // be lost.
  void ShowUndoSlot(int32_t slot);
  // A picture was loaded into the sheet, or the sheet was saved whole.
  void Loaded();
  void Saved();
  // The sheet came back from a recovery copy: it differs from its file.
  void Recovered();

 private:
  void Changed() {
    modified_ = true;
    ++changes_;
  }

  bool modified_ = false;
  uint64_t changes_ = 0;
};

}  // namespace pixkura
