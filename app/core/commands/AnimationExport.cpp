// The animation the preview plays, written as an animated GIF file: the row
// the user chooses, StepBar frames from the selected cell on, each composed
// as the preview composes it and shown as long as the preview shows it,
// looping forever, in the master palette's indices.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/core/Editor.h"
#include "app/core/commands/FrameSource.h"
#include "base/Exception.h"
#include "formats/AnimatedGif.h"
#include "formats/GifDelays.h"

namespace pixkura {
namespace {

constexpr const char* kDoesNotFit =
    "アニメーションがシートに収まりません。選択しているキャラクタから右へアニメ枚数分、下へ４方向分のキャラク"
    "タが必要です";
constexpr const char* kSaveFailed = "不覚！アニメを書き出せんとは・・・";

// The preview's frame time in the whole milliseconds a GIF frame is given
// (halves up). GIF viewers show delays under 20 ms as 100 ms, so the
// fastest speeds of the preview (under 20 ms) are written as 20 ms.
int32_t GifFrameMs(std::chrono::microseconds frameTime) {
  const auto ms = static_cast<int32_t>((frameTime.count() + 500) / 1000);
  return std::max(ms, kGifMinDelayMs);
}

// The name the save dialog offers: the last animation's, else the sheet's
// file with the extension .gif.
std::string OfferedName(const TEditor& e) {
  if (!e.Files.GifFileName.empty() || e.Doc.FileName.empty()) return e.Files.GifFileName;
  return std::filesystem::path(e.Doc.FileName).replace_extension(".gif").string();
}

}  // namespace

void TEditor::mGifExportClick(TComponent*) {
  const int32_t frames = StepBar.Position();
  if (!AnimationFits(frames)) {
    Host.MessageBox(kDoesNotFit, TMsgDlgType::mtError);
    return;
  }
  TAnimationChoice choice{Views.MovDir, Files.GifToumei};
  if (!Host.ExecuteAnimationDialog(GifD, choice)) return;
  choice.Direction = static_cast<uint8_t>(std::min<int32_t>(choice.Direction, 3));
  std::string chosen = OfferedName(*this);
  if (!Host.ExecuteSaveDialog(GifSaveD, chosen)) return;
  // The choice stays for the next export; the preview's row is the one chosen.
  Views.MovDir = choice.Direction;
  Files.GifToumei = choice.Transparent;

  try {
    if (!MayReplace(chosen)) return;
    std::vector<TFramePixels> pixels;
    {
      // The frames are composed in LayAllDib, as the preview's are: the
      // selected cell gets its own composites back, however composing ends.
      struct TCellComposites {
        TEditor& e;
        ~TCellComposites() {
          if (e.kasane.Checked()) e.BuildCellComposites();
        }
      } restore{*this};
      const TEditorFrameSource source(*this);
      pixels = ExtractFrameRow(source, TFrameRow{View.ChrX, View.ChrY, View.CellX, View.CellY + Views.MovDir * View.ChrY, frames});
    }
    const TGifAnimation animation =
        AnimationOfFrames(std::move(pixels), MasterPaletteColors(), GifFrameMs(AnimationFrameTime()),
                          Files.GifToumei ? std::optional<uint8_t>(Toumei) : std::nullopt);
    WriteAnimatedGif(chosen, animation);
    Files.GifFileName = chosen;
  } catch (const EInOutError&) {
    Host.MessageBox(kSaveFailed, TMsgDlgType::mtError);
  }
}

}  // namespace pixkura
