// "ファイル / スプライトシート情報書き出し": the JSON description game engines'
// importers read, of the sheet's saved picture file cut by the editor's cell
// grid, with one tag, named by the user, for the run the animation preview
// plays (StepBar cells from the selected cell on, in the preview's row) and
// the preview's frame time as every frame's duration.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "formats/SheetData.h"

namespace pixkura {

class TEditor;

class TSheetDataExport {
 public:
  explicit TSheetDataExport(TEditor& editor) : e_(editor) {}
  // The menu item's command: nothing is written unless every step succeeds.
  void Run();

 private:
  bool PictureSaved();  // the picture file is the sheet as shown, after asking to save
  // The preview's run as frames of a width x height picture's grid; a message when it lies outside.
  std::optional<TSheetTag> PreviewRun(int32_t width, int32_t height);
  bool AskTagName(std::string& name);  // offers the last name, else the preview's row

  TEditor& e_;
};

}  // namespace pixkura
