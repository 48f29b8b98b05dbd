// The one writer of Modified.
#include "app/core/document/SheetDocument.h"

#include "app/core/document/PictureCompare.h"

namespace pixkura {

void TSheetDocument::BeginChange() {
  modified_ = true;
  History.Record(*AllDib);
}

void TSheetDocument::PixelsStored() { modified_ = true; }

void TSheetDocument::ShowUndoSlot(int32_t slot) {
  const TIxDIB& shown = History.Slot(slot);
  if (!SamePicture(*AllDib, shown)) modified_ = true;
  AllDib->Assign(&shown);
}

void TSheetDocument::Loaded() { modified_ = false; }

void TSheetDocument::Saved() { modified_ = false; }

void TSheetDocument::Recovered() { modified_ = true; }

}  // namespace pixkura
