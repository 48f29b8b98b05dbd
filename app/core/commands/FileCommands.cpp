// The file commands: loading a picture into the sheet, saving the sheet (or a
// waiting copy block) under a chosen name or over the current file, and the
// unsaved-changes question that guards closing and opening.
//
// A change leaves the editor only through a completed save or the user's
// explicit "discard": the question has Yes (save), No (discard) and Cancel
// (keep editing), and whatever replaces the sheet or ends the editor asks it.
//
// Error rule: only EInOutError, a transfer to or from an opened file that
// failed (the atomic replace included), is this module's to report, with the
// command's own message. Everything else (a file that cannot be opened or
// created, a picture no reader understands, a reader's or writer's own error)
// goes on to the application's error report.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/core/Editor.h"
#include "app/core/EditorTexts.h"
#include "base/Exception.h"
#include "base/Streams.h"
#include "formats/PictureRegistry.h"
#include "formats/SPIIxDIB.h"
#include "formats/SaveDispatch.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

constexpr const char* kOpenTitle = "読み込む絵を選択して下さい";
constexpr const char* kSaveTitle = "絵に名前を付けて下さい";
constexpr const char* kSaveFailed = "不覚！保存できんとは・・・";

constexpr int32_t kSheetSize = 256;

// The formats the editor writes itself; their extensions lead the open filter.
constexpr const char* kSheetExtensions[] = {"bmp", "png", "dib"};

// The picture's colours become the master palette. A picture with fewer than
// 256 entries replaces only those; the master's other entries stay as they
// were, as when a short palette file is read, so sheet pixels outside the
// picture keep the colours the user chose for them.
void TakeOverPalette(TEditor& e, const TIxDIB& picture) {
  const int32_t entries = std::min(picture.GetPaletteSize(), 256);
  auto palette = std::make_shared<TLogPalette>();
  palette->entries.resize(256);
  for (int32_t i = 0; i < 256; ++i) {
    const TColor c = i < entries ? picture.GetColors(i) : e.Doc.PalDib->GetColors(i);
    palette->entries[static_cast<size_t>(i)] = TPaletteEntry{GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  e.Doc.PalDib->SetPalette(palette);
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
  CopyBlock(0, 0, right, bottom, picture, 0, 0, *e.Doc.AllDib);
  e.ApplyPaletteChange();
  e.AllView.Invalidate();

  e.Doc.FileName = fileName;
  e.Doc.History.Forget();
  e.SBar.SetText(0, e.Doc.FileName);
  e.RefreshChrDib();
  e.Doc.Loaded();
}

// An extension fit for the open filter: letters, digits and the few marks
// real extensions use. A plug-in's claim is outside data; a wildcard or a
// filter's own separators would break the list.
bool IsPlainExtension(const std::string& ext) {
  return !ext.empty() && std::all_of(ext.begin(), ext.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '+';
  });
}

// "対応しているファイル" lists the editor's own formats and then every
// extension the picture registry knows, which holds what the loaded
// plug-ins claim.
std::string OpenDialogFilter() {
  std::vector<std::string> extensions(std::begin(kSheetExtensions), std::end(kSheetExtensions));
  for (const TPictureFormat& f : GlobalPictureRegistry().Formats()) {
    const bool known = std::any_of(extensions.begin(), extensions.end(),
                                   [&](const std::string& e) { return SameTextAscii(e, f.Extension); });
    if (!known && IsPlainExtension(f.Extension)) extensions.push_back(f.Extension);
  }
  std::string patterns;
  for (const std::string& e : extensions) patterns += (patterns.empty() ? "*." : ";*.") + e;
  return "対応しているファイル (" + patterns + ")|" + patterns + "|全てのファイル (*.*)|*.*";
}

// True for the names the save dispatch writes in their own format.
bool IsSheetFormatName(const std::string& fileName) {
  const std::string ext = FileExtension(fileName);
  return std::any_of(std::begin(kSheetExtensions), std::end(kSheetExtensions),
                     [&](const char* e) { return SameTextAscii(ext, std::string(".") + e); });
}

// fileName with its extension replaced by ".bmp".
std::string WithBmpExtension(const std::string& fileName) {
  return fileName.substr(0, fileName.size() - FileExtension(fileName).size()) + ".bmp";
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
  OpenD.Filter = OpenDialogFilter();
  std::string chosen = Doc.FileName;
  if (!Host.ExecuteOpenDialog(OpenD, chosen)) return;
  OpenPicture(chosen);
}

bool TEditor::OpenPicture(const std::string& fileName) {
  if (!SettleUnsavedChanges()) return false;
  try {
    LoadSheet(*this, fileName);
    return true;
  } catch (const EInOutError&) {
    Host.MessageBox(std::string(kLoadFailed), TMsgDlgType::mtError);
    return false;
  }
}

void TEditor::mSaveClick(TComponent*) {
  // A waiting copy block is exported; the sheet stays what it was.
  SaveAs(Copy.CopyReady() ? TSavedPicture::CopyBlock : TSavedPicture::Sheet, Doc.FileName);
}

void TEditor::mSave2Click(TComponent*) { SaveSheet(); }

bool TEditor::MayReplace(const std::string& fileName) {
  return !FileExists(fileName) ||
         Host.MessageBox(std::string(kAskOverwrite), TMsgDlgType::mtConfirmation) == TModalResult::mrYes;
}

bool TEditor::SaveAs(TSavedPicture what, const std::string& proposal) {
  const bool sheet = what == TSavedPicture::Sheet;
  const TIxDIB& picture = sheet ? *Doc.AllDib : *Copy.CopyDib;
  SaveD.Title = kSaveTitle;
  std::string chosen = proposal;
  if (!Host.ExecuteSaveDialog(SaveD, chosen)) return false;
  try {
    // Whatever led to the dialog (Save As, an overwrite save of an untitled
    // sheet, Yes to the close question), the chosen name is the user's new
    // pick: an existing file there is replaced only after asking.
    if (!MayReplace(chosen)) return false;
    SavePicture(chosen, picture, PalOps.PngOptions());
    // The sheet counts as saved only when its file is complete: a failed
    // write leaves Modified as it was, so closing afterwards still asks.
    if (sheet) {
      Doc.Saved();
      Doc.FileName = chosen;
      SBar.SetText(0, Doc.FileName);
    }
    return true;
  } catch (const EInOutError&) {
    Host.MessageBox(kSaveFailed, TMsgDlgType::mtError);
    return false;
  }
}

bool TEditor::SaveSheet() {
  // An untitled sheet has no file of its own to overwrite: Save As, which
  // asks before it replaces another one.
  if (Doc.FileName.empty()) return SaveAs(TSavedPicture::Sheet, Doc.FileName);
  if (!IsSheetFormatName(Doc.FileName)) {
    // A picture read through a plug-in (.gif, .jpg, ...): writing BMP bytes
    // under its name would pass them off as that format. Save As proposes
    // the same name as a BMP file instead.
    return SaveAs(TSavedPicture::Sheet, WithBmpExtension(Doc.FileName));
  }
  try {
    const TOverwriteSave overwriting(Files.Uwagaki);
    SavePicture(Doc.FileName, *Doc.AllDib, PalOps.PngOptions());
    Doc.Saved();
    return true;
  } catch (const EInOutError&) {
    Host.MessageBox(kSaveFailed, TMsgDlgType::mtError);
    return false;
  }
}

bool TEditor::SettleUnsavedChanges() {
  if (!Doc.Modified()) return true;
  switch (Host.MessageBox(std::string(kAskSaveChanges), TMsgDlgType::mtConfirmation,
                          TMsgDlgButtons::mbYesNoCancel)) {
    case TModalResult::mrYes:
      return SaveSheet();
    case TModalResult::mrNo:
      return true;
    default:  // Cancel, Escape, the box closed: keep editing
      return false;
  }
}

void TEditor::FormCloseQuery(TComponent*, bool& CanClose) {
  // The window closes only when nothing unsaved is lost: no change, a
  // completed save, or the user's "No". An error escaping the save also
  // keeps it open (the error report shows it).
  CanClose = SettleUnsavedChanges();
}

void TEditor::FormClose(TComponent*) {
  // The window closes only when nothing unsaved is lost (see above): the
  // recovery copy has nothing left to keep.
  Recovery.Stop();
  WriteSettings();
}

void TEditor::Exit1Click(TComponent*) { Host.Close(); }

}  // namespace pixkura
