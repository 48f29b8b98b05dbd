// The one writer of Modified.
#include "app/core/document/SheetDocument.h"

#include "app/core/document/PictureCompare.h"

namespace pixkura {

void TSheetDocument::BeginChange() {
  Changed();
  History.Record(*AllDib);
}

void TSheetDocument::PixelsStored() { Changed(); }

void TSheetDocument::ShowUndoSlot(int32_t slot) {
  const TIxDIB& shown = History.Slot(slot);
  if (!SamePicture(*AllDib, shown)) Changed();
  AllDib->Assign(&shown);
}

void TSheetDocument::Loaded() { modified_ = false; }

void TSheetDocument::Saved() { modified_ = false; }

void TSheetDocument::Recovered() { Changed(); }

}  // namespace pixkura
