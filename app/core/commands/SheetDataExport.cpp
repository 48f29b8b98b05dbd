#include "app/core/commands/SheetDataExport.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "app/core/Editor.h"
#include "app/core/EditorTexts.h"
#include "base/Exception.h"
#include "formats/SPIIxDIB.h"

#ifndef PIXKURA_VERSION
#define PIXKURA_VERSION "unknown"
#endif

namespace pixkura {
namespace {

constexpr const char* kAskSaveFirst = "スプライトシート情報は保存された絵を指します。先に絵を保存しますか？";
constexpr const char* kGridDoesNotDivide = "キャラクタの大きさで絵を割り切れません";
constexpr const char* kRunOutside =
    "アニメーションのコマが絵に収まりません。選択しているキャラクタから右へアニメ枚数分のキャラクタが"
    "必要です";
constexpr const char* kTagTitle = "スプライトシート情報の書き出し";
constexpr const char* kTagLabel = "アニメーションのタグ名";
constexpr const char* kNoTagName = "タグ名がありません";
constexpr const char* kSaveTitle = "スプライトシート情報に名前を付けて下さい";
constexpr const char* kFilter = "スプライトシート情報 (*.json)|*.json";
constexpr const char* kOverPicture = "絵のファイルにスプライトシート情報は書き出せません";
constexpr const char* kWriteFailed = "不覚！スプライトシート情報を書き出せんとは・・・";
// The tag's name until the user has given one: the preview's row.
constexpr const char* kRowNames[4] = {"up", "right", "down", "left"};

// The preview's frame time in whole milliseconds, halves up.
int32_t FrameMs(std::chrono::microseconds frameTime) {
  return static_cast<int32_t>((frameTime.count() + 500) / 1000);
}

// The last description's name, else the picture's with the extension .json.
std::string OfferedName(const TEditor& e) {
  if (!e.Files.SheetDataFileName.empty()) return e.Files.SheetDataFileName;
  return std::filesystem::path(e.Doc.FileName).replace_extension(".json").string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

void TSheetDataExport::Run() {
  if (!PictureSaved()) return;
  // The description tells of the file as it is on disk, whose size may differ from the sheet's.
  TSPIIxDIB picture;
  try {
    picture.LoadFromFile(e_.Doc.FileName);
  } catch (const EInOutError&) {
    e_.Host.MessageBox(std::string(kLoadFailed), TMsgDlgType::mtError);
    return;
  }
  if (picture.GetPixelFormat() != ixPf8Bit) picture.SetPixelFormat(ixPf8Bit);
  TSheetDataOptions options;
  options.Grid = {e_.View.ChrX, e_.View.ChrY, 0, 0, 0};
  try {
    SheetCells(picture.GetWidth(), picture.GetHeight(), options.Grid);
  } catch (const ERangeError&) {
    e_.Host.MessageBox(kGridDoesNotDivide, TMsgDlgType::mtError);
    return;
  }
  std::optional<TSheetTag> run = PreviewRun(picture.GetWidth(), picture.GetHeight());
  if (!run || !AskTagName(run->Name)) return;
  std::string chosen = OfferedName(e_);
  if (!e_.Host.ExecuteSaveDialog({kSaveTitle, kFilter, "json"}, chosen)) return;
  if (SameFile(chosen, e_.Doc.FileName)) {
    e_.Host.MessageBox(kOverPicture, TMsgDlgType::mtError);
    return;
  }
  options.DurationMs = FrameMs(e_.AnimationFrameTime());
  options.Tags = {*run};
  try {
    if (!e_.MayReplace(chosen)) return;
    WriteSheetData(chosen, DescribeSheet(picture, ImageNameRelativeTo(e_.Doc.FileName, chosen), options),
                   PIXKURA_VERSION);
  } catch (const EInOutError&) {
    e_.Host.MessageBox(kWriteFailed, TMsgDlgType::mtError);
    return;
  }
  e_.Files.SheetDataFileName = chosen;
  e_.Files.SheetTagName = run->Name;
}

bool TSheetDataExport::PictureSaved() {
  if (!e_.Doc.FileName.empty() && !e_.Doc.Modified()) return true;
  if (e_.Host.MessageBox(kAskSaveFirst, TMsgDlgType::mtConfirmation) != TModalResult::mrYes) return false;
  e_.mSave2Click(nullptr);  // the overwrite save; an untitled sheet is named first
  return !e_.Doc.FileName.empty() && !e_.Doc.Modified();
}

std::optional<TSheetTag> TSheetDataExport::PreviewRun(int32_t width, int32_t height) {
  const TLoupeViewport& v = e_.View;
  const int32_t frames = e_.StepBar.Position(), x = v.CellX, y = v.CellY + e_.Views.MovDir * v.ChrY;
  const int64_t first = int64_t{y / v.ChrY} * (width / v.ChrX) + x / v.ChrX;
  // Whole cells of one row of the grid, inside the sheet the preview plays from and the picture.
  const bool inside = x % v.ChrX == 0 && y % v.ChrY == 0 && x + frames * v.ChrX <= std::min(width, 256) &&
                      y + v.ChrY <= std::min(height, 256) &&
                      first + frames <= std::numeric_limits<int32_t>::max();
  if (!inside) {
    e_.Host.MessageBox(kRunOutside, TMsgDlgType::mtError);
    return std::nullopt;
  }
  return TSheetTag{"", static_cast<int32_t>(first), static_cast<int32_t>(first + frames - 1),
                   TTagDirection::tdForward};
}

bool TSheetDataExport::AskTagName(std::string& name) {
  name = e_.Files.SheetTagName.empty() ? kRowNames[std::min<int32_t>(e_.Views.MovDir, 3)]
                                       : e_.Files.SheetTagName;
  if (!e_.Host.ExecuteTextDialog(kTagTitle, kTagLabel, name)) return false;
  if (!name.empty()) return true;
  e_.Host.MessageBox(kNoTagName, TMsgDlgType::mtError);
  return false;
}

}  // namespace pixkura
