// The values of the editor's settings as start-up applies them and the close
// writes them: one field per used setting, named after the setting, holding
// the setting's default. Numbers are the 32-bit values the store delivers;
// the editor checks what its byte-sized state cannot hold when it applies them.
#pragma once

#include "app/core/document/UndoHistory.h"  // kMinUndoSlots

#include <climits>
#include <cstdint>

namespace pixkura {

struct TEditorSettings {
  // In the order start-up reads them and the close writes them.
  int32_t Top = 0;
  int32_t Left = 0;
  int32_t Undo = 15;
  int32_t CHRX = 32;
  int32_t CHRY = 32;
  int32_t Toumei = 255;
  int32_t SelSize = 8;
  int32_t PenSize = 1;
  int32_t Bairitu = 3;
  bool Grid = true;
  int32_t Speed = 40;
  int32_t Maisuu = 2;
  bool SentakuFree = false;
  bool View1 = false;
  bool View2 = false;
  bool View3 = false;
  bool CLine = true;
  bool Hamidasi = false;
  int32_t LupeLay = 1;
  int32_t ViewLay = 2;
  bool Narabe = false;
  int32_t NarabeMAX = 3;
  int32_t LeftPanel = 1;
  int32_t CenterPanel = 2;
  int32_t RightPanel = 3;
  int32_t Recovery = 5;  // seconds from the last change to the recovery copy, 1..600
  bool Onion = false;
  int32_t OnionBefore = 1;
  int32_t OnionAfter = 0;
  bool PngTransparent = false;  // the transparent colour saved as a PNG's transparency

  friend bool operator==(const TEditorSettings&, const TEditorSettings&) = default;
};

// A stored number for byte-sized state: the value when it lies in 0..max,
// else the fallback (the setting's default). The one place where start-up
// decides what the state cannot hold.
constexpr uint8_t StoredByteOr(int32_t value, int32_t max, uint8_t fallback) {
  return value >= 0 && value <= max ? static_cast<uint8_t>(value) : fallback;
}

// Largest zoom exponent a byte-sized zoom factor can hold (2^7 = 128).
inline constexpr int32_t kMaxStoredBairitu = 7;
// Cell sizes the editor can work with; a stored size outside keeps the default.
inline constexpr int32_t kMinCellSize = 1;
inline constexpr int32_t kMaxCellSize = 256;
// Largest pen size the drawing can take: the pen argument is a byte. Sizes
// above 5 press no button but draw squares of their side, as stored.
inline constexpr int32_t kMaxStoredPenSize = 255;
// Largest side-by-side count kept as stored: the views count one copy more.
// Views never hold more than 128 copies, so any larger count shows the same.
inline constexpr int32_t kMaxStoredNarabe = INT32_MAX - 1;

}  // namespace pixkura
