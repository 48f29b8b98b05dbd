// Recovery of unsaved work in the editor: the keeper (recovery/) writes the
// document's copy on the window's timer; at start-up the copies editors that
// died left are offered back.
#include <ctime>

#include "app/core/Editor.h"
#include "app/core/EditorTexts.h"
#include "app/core/recovery/RecoveryCapture.h"

namespace pixkura {
namespace {

// "FILE、TIME" of each copy, newest first, one a line.
std::string CopyList(const std::vector<TRecoveryOffer>& offers) {
  std::string list;
  for (const TRecoveryOffer& offer : offers) {
    const std::time_t time = static_cast<std::time_t>(offer.Copy.Time);
    std::tm local{};
    char when[32] = "?";
    if (::localtime_r(&time, &local)) std::strftime(when, sizeof when, "%Y/%m/%d %H:%M:%S", &local);
    const std::string& name = offer.Copy.FileName;
    list += (list.empty() ? "" : "\n") + (name.empty() ? std::string(kUntitled) : name) + "、" + when;
  }
  return list;
}

std::string FilledIn(std::string_view templ, const std::string& filling) {
  std::string text(templ);
  return text.replace(text.find("%s"), 2, filling);
}

}  // namespace

void TEditor::StartRecovery(const std::string& root) { Recovery.Start(root); }

void TEditor::OfferRecovery() {
  std::vector<TRecoveryOffer> offers = FindRecoveryCopies(Recovery.Root());
  if (offers.empty()) return;
  switch (Host.MessageBox(FilledIn(kAskRecover, CopyList(offers)), TMsgDlgType::mtConfirmation,
                          TMsgDlgButtons::mbRecoverDiscardLater)) {
    case TModalResult::mrYes: {
      const TRecoveryCopy& copy = offers.front().Copy;
      RestoreDocument(copy, Doc);
      Doc.PalDib->SetPalette(Doc.AllDib->GetPalette());
      ApplyPaletteChange();
      SelectZoom(copy.Bairitu);
      View.SelectCell(copy.CellX, copy.CellY);
      View.Scroll(copy.LupeX, copy.LupeY, 128 / View.Bai);
      SelA.SetBounds(AllView.Left() + View.CellX, AllView.Top() + View.CellY, SelA.Width(), SelA.Height());
      SelC.SetBounds(AllView.Left() + View.CellX + View.LupeX, AllView.Top() + View.CellY + View.LupeY,
                     SelC.Width(), SelC.Height());
      SBar.SetText(0, Doc.FileName);
      RefreshChrDib();
      RedrawLoupe();
      AllView.Invalidate();
      // The old copy goes only once this editor's own holds the work.
      if (Recovery.WriteNow(Doc, {View.CellX, View.CellY, View.LupeX, View.LupeY, View.Bairitu}))
        RemoveRecoveryFolder(offers.front().Folder);
      break;
    }
    case TModalResult::mrNo:
      for (const TRecoveryOffer& offer : offers)
        DiscardRecoveryFolder(Recovery.Root(), offer.Folder, static_cast<int64_t>(std::time(nullptr)));
      break;
    default:  // Later: every copy stays for the next start
      break;
  }
}

void TEditor::RecoveryTimerTick(std::chrono::steady_clock::time_point now) {
  const TRecoveryPlace place{View.CellX, View.CellY, View.LupeX, View.LupeY, View.Bairitu};
  if (Recovery.Tick(Doc, place, Tools.Pen.PenDown, now) == TRecoveryKeeper::TOutcome::WriteFailed)
    SBar.SetText(4, std::string(kRecoveryWriteFailed));
}

}  // namespace pixkura
