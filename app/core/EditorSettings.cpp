// The settings as start-up applies them and the close collects them. Reading
// the values from the settings store is one function, ReadStoredSettings;
// everything else here is the store-independent part.
#include <array>

#include "app/core/Editor.h"

namespace pixkura {
namespace {

const TEditorSettings kDefaults{};

}  // namespace

TEditorSettings TEditor::ReadStoredSettings() {
  // The settings store is not attached yet: every setting is at its default.
  return kDefaults;
}

void TEditor::ReadSettings() { ReadSettings(ReadStoredSettings()); }

void TEditor::ReadSettings(const TEditorSettings& s) {
  // Applied one by one in the read order: a check box or radio group that
  // changes runs its click handler here, which redraws the loupe with the
  // values applied before it.
  MainForm.SetTop(s.Top);
  MainForm.SetLeft(s.Left);
  UndoMax = StoredByteOr(s.Undo, 255, static_cast<uint8_t>(kDefaults.Undo));
  ChrX = s.CHRX >= kMinCellSize && s.CHRX <= kMaxCellSize ? s.CHRX : kDefaults.CHRX;
  ChrY = s.CHRY >= kMinCellSize && s.CHRY <= kMaxCellSize ? s.CHRY : kDefaults.CHRY;
  Toumei = StoredByteOr(s.Toumei, 255, static_cast<uint8_t>(kDefaults.Toumei));
  SelSizeBar.SetPosition(s.SelSize);
  PenSize = s.PenSize;
  const std::array<TSpeedButton*, 5> penButtons{&p1, &p2, &p3, &p4, &p5};
  if (PenSize >= 1 && PenSize <= 5) penButtons[static_cast<size_t>(PenSize - 1)]->SetDown(true);
  Bairitu = StoredByteOr(s.Bairitu, kMaxStoredBairitu, static_cast<uint8_t>(kDefaults.Bairitu));
  Bai = static_cast<uint8_t>(1u << Bairitu);
  LupeSpan = static_cast<uint16_t>(256 / Bai);
  const std::array<TSpeedButton*, 6> zoomButtons{&x1, &x2, &x4, &x8, &x16, &x32};
  if (Bairitu < zoomButtons.size()) zoomButtons[Bairitu]->SetDown(true);
  GridOn = s.Grid;
  WaitBar.SetPosition(s.Speed);
  StepBar.SetPosition(s.Maisuu);
  SFree.SetChecked(s.SentakuFree);
  NomChk.SetChecked(s.View1);
  RevChk.SetChecked(s.View2);
  MovChk.SetChecked(s.View3);
  CLineOn = s.CLine;
  Hamidasi.SetChecked(s.Hamidasi);
  LupeLay.SetItemIndex(s.LupeLay);
  ViewLay.SetItemIndex(s.ViewLay);
  NARABE.SetChecked(s.Narabe);
  NarabeMax = s.NarabeMAX;
  LeftPanelPos = s.LeftPanel;
  CenterPanelPos = s.CenterPanel;
  RightPanelPos = s.RightPanel;

  // Run once even when a bar did not move, so its view shows the value.
  SelSizeBarChange(&SelSizeBar);
  StepBarChange(&StepBar);
}

TEditorSettings TEditor::CurrentSettings() const {
  TEditorSettings s;
  s.Top = MainForm.Top();
  s.Left = MainForm.Left();
  s.Undo = UndoMax;
  s.CHRX = ChrX;
  s.CHRY = ChrY;
  s.Toumei = Toumei;
  s.SelSize = SelSize;
  s.PenSize = PenSize;
  s.Bairitu = Bairitu;
  s.Grid = GridOn;
  s.Speed = WaitBar.Position();
  s.Maisuu = StepBar.Position();
  s.SentakuFree = SFree.Checked();
  s.View1 = NomChk.Checked();
  s.View2 = RevChk.Checked();
  s.View3 = MovChk.Checked();
  s.CLine = CLineOn;
  s.Hamidasi = Hamidasi.Checked();
  s.LupeLay = LupeLay.ItemIndex();
  s.ViewLay = ViewLay.ItemIndex();
  s.Narabe = NARABE.Checked();
  s.NarabeMAX = NarabeMax;
  s.LeftPanel = LeftPanelPos;
  s.CenterPanel = CenterPanelPos;
  s.RightPanel = RightPanelPos;
  return s;
}

void TEditor::WriteSettings() {
  // The settings store is not attached yet: nothing is written. It will write
  // CurrentSettings() in the write order.
}

}  // namespace pixkura
