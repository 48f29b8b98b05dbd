// Changing the master palette by hand: one entry's colour in the colour
// dialog, a ramp between two entries, the colours of another program's
// palette file or of a picture; and the palette written in another
// program's format. Every change is one undo step (the undo slots keep the
// palette with the pixels) and counts as a change of the sheet, whose file
// keeps the palette.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/core/Editor.h"
#include "app/core/document/PaletteRamp.h"
#include "base/Exception.h"
#include "formats/PaletteFileError.h"
#include "formats/PaletteFiles.h"

namespace pixkura {
namespace {

constexpr const char* kSaveFailed = "不覚！パレットを書き出せんとは・・・";

}  // namespace

TPaletteColors TEditor::MasterPaletteColors() const {
  const std::array<TColor, 256> colors = ColorsOf(*Doc.PalDib);
  return TPaletteColors(std::vector<TColor>(colors.begin(), colors.end()));
}

void TEditor::ChangePalette(const std::array<TColor, 256>& colors) {
  bool changed = false;
  for (size_t i = 0; i < colors.size(); ++i)
    changed = changed || ColorToRGB(colors[i]) != Doc.PalDib->GetColors(static_cast<int32_t>(i));
  if (!changed) return;
  // The snapshot keeps the sheet with the palette it had; the sheet then
  // takes the new one in a store of its own.
  TakeSnapshot();
  SetMasterPalette(colors);
}

void TEditor::SetMasterPalette(const std::array<TColor, 256>& colors) {
  auto palette = std::make_shared<TLogPalette>();
  palette->entries.resize(colors.size());
  for (size_t i = 0; i < colors.size(); ++i) {
    // As an entry would store it: a system colour as its RGB value.
    const TColor c = ColorToRGB(colors[i]);
    palette->entries[i] = TPaletteEntry{GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  Doc.PalDib->SetPalette(palette);
  ApplyPaletteChange();
}

void TEditor::EditPaletteColor(uint8_t index) {
  TColor color = Doc.PalDib->GetColors(index);
  if (!Host.ExecuteColorDialog("色を選択して下さい", color)) return;
  std::array<TColor, 256> colors = ColorsOf(*Doc.PalDib);
  colors[index] = color & 0xFFFFFF;  // a colour, never a system-colour constant
  ChangePalette(colors);
}

void TEditor::PalDblClick(TComponent*) {
  // The double-click's press has picked the main colour like any press; the
  // dialog opens at its release (PalMouse), when no button is held that a
  // modal dialog could swallow the release of.
  PalOps.PalDblDown = PalOps.PalDown;
}

void TEditor::MnPalColorClick(TComponent*) { EditPaletteColor(MainColor); }

void TEditor::MnPalRampClick(TComponent*) {
  std::array<TColor, 256> colors = ColorsOf(*Doc.PalDib);
  FillRamp(colors, MainColor, Toumei);
  ChangePalette(colors);
}

void TEditor::MnPalOpenClick(TComponent*) {
  std::string chosen = Files.PaletteFileName;
  if (!Host.ExecuteOpenDialog(PalOpenD, chosen)) return;
  // Nothing is applied of a file that cannot be read whole. A file that
  // cannot be opened at all goes on to the error report, as in every file
  // command.
  TPaletteColors read;
  try {
    read = ReadPaletteColors(chosen);
  } catch (const EPaletteFileError& e) {
    Host.MessageBox(e.Message(), TMsgDlgType::mtError);
    return;
  }
  Files.PaletteFileName = chosen;
  ChangePalette(Overlaid(MasterColors(), read));
  // A file of more than 256 colours gave its first 256: the user learns how many were left out.
  if (const std::string leftOut = LeftOutColorsMessage(chosen, read); !leftOut.empty())
    Host.MessageBox(leftOut, TMsgDlgType::mtInformation);
}

void TEditor::MnPalExportClick(TComponent*) {
  // After a picture was read for its colours, the dialog offers its name as a GIMP palette.
  std::string chosen = Files.PaletteFileName;
  if (!chosen.empty() && !PaletteFormatForWriting(chosen))
    chosen = std::filesystem::path(chosen).replace_extension(".gpl").string();
  if (!Host.ExecuteSaveDialog(PalSaveD, chosen)) return;
  try {
    RequirePaletteFormatForWriting(chosen);
    if (!MayReplace(chosen)) return;
    WritePaletteColors(chosen, MasterPaletteColors());
    Files.PaletteFileName = chosen;
  } catch (const EPaletteFileError& e) {
    Host.MessageBox(e.Message(), TMsgDlgType::mtError);
  } catch (const EInOutError&) {
    Host.MessageBox(kSaveFailed, TMsgDlgType::mtError);
  }
}

}  // namespace pixkura
