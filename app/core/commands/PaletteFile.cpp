// The palette file in the settings folder (beside a program run from its
// build, in the user's folder when installed): read into and written from the
// master palette, the colour table of PalDib.
#include "app/core/Editor.h"
#include "app/core/EditorTexts.h"
#include "base/Exception.h"
#include "base/UserFolders.h"
#include "formats/PaletteFile.h"
#include "formats/PaletteFiles.h"

namespace pixkura {

std::string TEditor::PaletteFilePath() const {
  // Without a folder of its own the program writes nothing: at start-up this
  // is the one report of it, and the grey ramp is used.
  const std::string folder = SettingsFolder();
  if (folder.empty()) throw Exception(std::string(kNoSettingsFolder));
  return folder + "/Pixkura.pal";
}

void TEditor::PalLoad(TComponent* Sender) {
  // Read by content: the 1024-byte table パレット保存 writes, or a palette of
  // another program saved under this name (外部パレット書き出し writes JASC
  // text for ".pal"). A file that is neither raises EPaletteFileError naming
  // it, one that cannot be opened EFOpenError, before anything changes.
  const TPaletteValues values = Overlaid(MasterColors(), ReadPaletteColors(PaletteFilePath()));
  if (Sender) {
    // From the menu: one undo step, as every palette change the user makes.
    ChangePalette(values);
    return;
  }
  for (size_t i = 0; i < values.size(); ++i) Doc.PalDib->SetColors(static_cast<int32_t>(i), values[i]);
  ApplyPaletteChange();
}

void TEditor::PalSave(TComponent*) {
  TPaletteValues values{};
  for (size_t i = 0; i < values.size(); ++i) values[i] = Doc.PalDib->GetColors(static_cast<int32_t>(i));
  WritePaletteFile(PaletteFilePath(), values);
}

}  // namespace pixkura
