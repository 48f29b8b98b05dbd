// The file commands: loading a picture into the sheet, saving the sheet (or a
// waiting copy block) under a chosen name or over the current file, and the
// close with its unsaved-changes question.
//
// Error rule: only EInOutError, a transfer to or from an opened file that
// failed (the atomic replace included), is this module's to report, with the
// command's own message. Everything else (a file that cannot be opened or
// created, a picture no reader understands, a reader's or writer's own error)
// goes on to the application's error report.
#include <algorithm>
#include <memory>
#include <string>

#include "app/core/Editor.h"
#include "base/Exception.h"
#include "base/Streams.h"
#include "formats/SPIIxDIB.h"
#include "formats/SaveDispatch.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

constexpr const char* kOpenTitle = "読み込む絵を選択して下さい";
constexpr const char* kSaveTitle = "絵に名前を付けて下さい";
constexpr const char* kLoadFailed = "無念、読み込めぬわ！";
constexpr const char* kSaveFailed = "不覚！保存できんとは・・・";
constexpr const char* kAskOverwrite = "同名のファイルが存在します、上書きしますか？";
constexpr const char* kAskSaveChanges = "データが変更されています、上書き保存しますか？";

constexpr int32_t kSheetSize = 256;

// A saved picture is the copy block while one waits to be placed, else the sheet.
TIxDIB& PictureToSave(TEditor& e) { return e.CopyReady ? *e.CopyDib : *e.AllDib; }

// The picture's colours become the master palette. A picture with fewer than
// 256 entries replaces only those; the master's other entries stay as they
// were, as when a short palette file is read, so sheet pixels outside the
// picture keep the colours the user chose for them.
void TakeOverPalette(TEditor& e, const TIxDIB& picture) {
  const int32_t entries = std::min(picture.GetPaletteSize(), 256);
  auto palette = std::make_shared<TLogPalette>();
  palette->entries.resize(256);
  for (int32_t i = 0; i < 256; ++i) {
    const TColor c = i < entries ? picture.GetColors(i) : e.PalDib->GetColors(i);
    palette->entries[static_cast<size_t>(i)] = TPaletteEntry{GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  e.PalDib->SetPalette(palette);
}

// Reads fileName and makes it the sheet: its palette the master palette, its
// top-left 256 x 256 pixels the sheet's. Nothing of the editor changes until
// the picture has been read and brought to 8 bits.
void LoadSheet(TEditor& e, const std::string& fileName) {
  TSPIIxDIB picture;
  picture.LoadFromFile(fileName);
  if (picture.GetPixelFormat() != ixPf8Bit) picture.SetPixelFormat(ixPf8Bit);
  const int32_t right = std::min(picture.GetWidth(), kSheetSize) - 1;
  const int32_t bottom = std::min(picture.GetHeight(), kSheetSize) - 1;

  TakeOverPalette(e, picture);
  CopyBlock(0, 0, right, bottom, picture, 0, 0, *e.AllDib);
  e.ApplyPaletteChange();
  e.AllView.Invalidate();

  e.FileName = fileName;
  e.UndoNum = 0;
  e.UndoPos = 0;
  e.SBar.SetText(0, e.FileName);
  e.RefreshChrDib();
  e.Modified = false;
}

// Writes picture in the format its name asks for. The sheet counts as saved
// only when the file is complete: a failed write leaves Modified as it was,
// so closing afterwards still asks.
void WritePicture(TEditor& e, const std::string& fileName, const TIxDIB& picture) {
  SavePicture(fileName, picture);
  e.Modified = false;
}

// Uwagaki is set for the length of one overwrite save, however it ends.
class TOverwriteSave {
 public:
  explicit TOverwriteSave(bool& uwagaki) : uwagaki_(uwagaki) { uwagaki_ = true; }
  ~TOverwriteSave() { uwagaki_ = false; }
  TOverwriteSave(const TOverwriteSave&) = delete;
  TOverwriteSave& operator=(const TOverwriteSave&) = delete;

 private:
  bool& uwagaki_;
};

}  // namespace

void TEditor::mLoadClick(TComponent*) {
  OpenD.Title = kOpenTitle;
  std::string chosen = FileName;
  if (!Host.ExecuteOpenDialog(OpenD, chosen)) return;
  try {
    LoadSheet(*this, chosen);
  } catch (const EInOutError&) {
    Host.MessageBox(kLoadFailed, TMsgDlgType::mtError);
  }
}

void TEditor::mSaveClick(TComponent*) {
  const TIxDIB& picture = PictureToSave(*this);
  SaveD.Title = kSaveTitle;
  std::string chosen = FileName;
  if (!Host.ExecuteSaveDialog(SaveD, chosen)) return;
  try {
    if (!Uwagaki && FileExists(chosen) &&
        Host.MessageBox(kAskOverwrite, TMsgDlgType::mtConfirmation) != TModalResult::mrYes)
      return;
    WritePicture(*this, chosen, picture);
    FileName = chosen;
    SBar.SetText(0, FileName);
    Uwagaki = false;
  } catch (const EInOutError&) {
    Host.MessageBox(kSaveFailed, TMsgDlgType::mtError);
  }
}

void TEditor::mSave2Click(TComponent* Sender) {
  const TIxDIB& picture = PictureToSave(*this);
  try {
    const TOverwriteSave overwriting(Uwagaki);
    if (FileName.empty()) {
      // Save As without its question: the user asked to overwrite.
      mSaveClick(Sender);
    } else {
      WritePicture(*this, FileName, picture);
    }
  } catch (const EInOutError&) {
    Host.MessageBox(kSaveFailed, TMsgDlgType::mtError);
  }
}

void TEditor::FormCloseQuery(TComponent* Sender, bool& CanClose) {
  // The question never keeps the window open: after No, a cancelled dialog
  // or a save that reported its own failure, the window closes. Only another
  // error escaping the save interrupts the close.
  CanClose = true;
  if (Modified && Host.MessageBox(kAskSaveChanges, TMsgDlgType::mtConfirmation) == TModalResult::mrYes)
    mSave2Click(Sender);
}

void TEditor::FormClose(TComponent*) { WriteSettings(); }

void TEditor::Exit1Click(TComponent*) { Host.Close(); }

}  // namespace pixkura
