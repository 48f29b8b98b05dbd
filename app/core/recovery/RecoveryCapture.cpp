#include "app/core/recovery/RecoveryCapture.h"

#include <cstring>

#include "app/core/document/BitmapShape.h"
#include "base/Color.h"

namespace pixkura {

TRecoveryPicture PictureOf(const TIxDIB& dib) {
  const TIxInternalDIB& d = dib.InternalDIB();
  TRecoveryPicture picture(kRecoveryPictureSize);
  for (int32_t y = 0; y < 256; ++y) std::memcpy(picture.data() + y * 256, d.Row(y), 256);
  uint8_t* entry = picture.data() + kRecoveryPixels;
  for (int32_t i = 0; i < 256; ++i, entry += 4) {
    const TRGBQuad& q = d.ColorTable()[i];
    entry[0] = q.rgbRed, entry[1] = q.rgbGreen, entry[2] = q.rgbBlue, entry[3] = 0;
  }
  return picture;
}

void RestorePicture(const TRecoveryPicture& picture, TIxDIB& dib) {
  ShapeBitmap(dib, 256, 256);
  for (int32_t y = 0; y < 256; ++y) std::memcpy(dib.GetScanLine(y), picture.data() + y * 256, 256);
  const uint8_t* entry = picture.data() + kRecoveryPixels;
  for (int32_t i = 0; i < 256; ++i, entry += 4) dib.SetColors(i, RGB(entry[0], entry[1], entry[2]));
}

void CaptureDocument(const TSheetDocument& document, TRecoveryCopy& copy) {
  const TUndoHistory& history = document.History;
  copy.FileName = document.FileName;
  copy.Sheet = PictureOf(*document.AllDib);
  copy.UndoSlots.clear();
  for (const auto& slot : history.UndoDibs) copy.UndoSlots.push_back(PictureOf(*slot));
  copy.UndoNum = history.UndoNum;
  copy.UndoPos = history.UndoPos;
  copy.UndoFresh = history.UndoFresh;
}

void RestoreDocument(const TRecoveryCopy& copy, TSheetDocument& document) {
  TUndoHistory& history = document.History;
  history.UndoMax = static_cast<uint8_t>(copy.UndoSlots.size());
  history.CreateSlots();
  for (size_t i = 0; i < copy.UndoSlots.size(); ++i) RestorePicture(copy.UndoSlots[i], *history.UndoDibs[i]);
  history.UndoNum = copy.UndoNum;
  history.UndoPos = copy.UndoPos;
  history.UndoFresh = copy.UndoFresh;
  RestorePicture(copy.Sheet, *document.AllDib);
  document.FileName = copy.FileName;
  document.Recovered();
}

}  // namespace pixkura
