// How a picture from the clipboard becomes a block of the sheet's indices:
// the same palette keeps its indices; other colours are the user's choice
// (nearest colours, the indices as they are, or the indices with their
// palette); true colour always takes the nearest colours.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/core/editing/ClipboardContent.h"
#include "base/Color.h"
#include "formats/ClipboardBlock.h"

namespace pixkura {

enum class TPasteAnswer { Nearest, KeepIndices, TakePalette };

// A block ready to wait for its drop; Palette is taken with the drop.
struct TPastedBlock {
  int32_t Width = 0, Height = 0;
  std::vector<uint8_t> Indices;
  std::optional<std::array<TColor, 256>> Palette;
};

// The editor's own block as a picture: its palette, its transparent entry
// see-through, so that nearest colours leave its holes as holes.
TClipboardPicture PictureOfBlock(const TIndexedBlock& block);

// Cuts a larger picture at its top-left to the sheet's 256 x 256; true when it did.
bool CutToSheet(TClipboardPicture& picture);

// True when the indices cannot simply be kept: an indexed picture with an
// entry whose colour differs from the sheet's entry of that index.
bool NeedsAnswer(const TClipboardPicture& picture, const std::array<TColor, 256>& sheet);

// The block for an answer (KeepIndices when no answer was needed; true
// colour maps to the nearest colours whatever the answer). A palette taken
// replaces the sheet's first entries, the rest stay.
TPastedBlock ConvertPaste(const TClipboardPicture& picture, const std::array<TColor, 256>& sheet,
                          uint8_t transparent, TPasteAnswer answer);

}  // namespace pixkura
