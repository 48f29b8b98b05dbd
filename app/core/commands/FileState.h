// What the file, palette and export commands remember between commands.
#pragma once

#include <string>

namespace pixkura {

struct TFileState {
  bool Uwagaki = false;         // an overwrite save of the sheet's own file is under way
  std::string PaletteFileName;  // the palette file last opened or exported: the palette dialogs start there
  std::string GifFileName;      // the animation file last exported
  bool GifToumei = false;       // the animation export leaves out the transparent colour (its tick box)
  std::string SheetDataFileName, SheetTagName;  // the sprite-sheet data last exported, its tag's name
};

}  // namespace pixkura
