// Between the sheet document and its recovery copy: what the copy keeps of
// the document (the sheet, its palette, its file name, the undo history) and
// how it comes back. The cell and the zoom are the viewport's; the editor
// fills and applies them.
#pragma once

#include "app/core/document/SheetDocument.h"
#include "app/core/recovery/RecoveryCopy.h"

namespace pixkura {

// A 256 x 256 8-bit bitmap's pixels and colour table.
TRecoveryPicture PictureOf(const TIxDIB& dib);
// Shapes dib as the editor's 256 x 256 8-bit bitmaps and gives it picture.
void RestorePicture(const TRecoveryPicture& picture, TIxDIB& dib);

// The document's part of a copy (place and time left as they are).
void CaptureDocument(const TSheetDocument& document, TRecoveryCopy& copy);
// The sheet, its file name and the undo history (as many slots as the copy
// has) come back; the document is marked changed.
void RestoreDocument(const TRecoveryCopy& copy, TSheetDocument& document);

}  // namespace pixkura
