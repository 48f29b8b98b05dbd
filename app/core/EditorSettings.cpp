// The settings as start-up applies them and the close collects them, and
// their way into and out of the settings store RegM: the INI file beside the
// program, read once by FormCreate and written once when the window closes.
#include <array>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

#include "app/core/Editor.h"
#include "app/core/EditorSettingsTable.h"
#include "base/Exception.h"
#include "base/UserFolders.h"
#include "settings/RegMng.h"

namespace pixkura {
namespace {

const TEditorSettings kDefaults{};

// Where each used setting lives in TEditorSettings; the field's type is the
// kind the filer reads and writes it as.
using TSettingField = std::variant<int32_t TEditorSettings::*, bool TEditorSettings::*>;
struct TSettingBinding {
  std::string_view Name;
  TSettingField Field;
};
constexpr std::array<TSettingBinding, 30> kBindings{{
    {"Top", &TEditorSettings::Top},
    {"Left", &TEditorSettings::Left},
    {"Undo", &TEditorSettings::Undo},
    {"CHRX", &TEditorSettings::CHRX},
    {"CHRY", &TEditorSettings::CHRY},
    {"Toumei", &TEditorSettings::Toumei},
    {"SelSize", &TEditorSettings::SelSize},
    {"PenSize", &TEditorSettings::PenSize},
    {"Bairitu", &TEditorSettings::Bairitu},
    {"Grid", &TEditorSettings::Grid},
    {"Speed", &TEditorSettings::Speed},
    {"Maisuu", &TEditorSettings::Maisuu},
    {"SentakuFree", &TEditorSettings::SentakuFree},
    {"View1", &TEditorSettings::View1},
    {"View2", &TEditorSettings::View2},
    {"View3", &TEditorSettings::View3},
    {"CLine", &TEditorSettings::CLine},
    {"Hamidasi", &TEditorSettings::Hamidasi},
    {"LupeLay", &TEditorSettings::LupeLay},
    {"ViewLay", &TEditorSettings::ViewLay},
    {"Narabe", &TEditorSettings::Narabe},
    {"NarabeMAX", &TEditorSettings::NarabeMAX},
    {"LeftPanel", &TEditorSettings::LeftPanel},
    {"CenterPanel", &TEditorSettings::CenterPanel},
    {"RightPanel", &TEditorSettings::RightPanel},
    {"Recovery", &TEditorSettings::Recovery},
    {"Onion", &TEditorSettings::Onion},
    {"OnionBefore", &TEditorSettings::OnionBefore},
    {"OnionAfter", &TEditorSettings::OnionAfter},
    {"PngTransparent", &TEditorSettings::PngTransparent},
}};

const TSettingField& FieldOf(std::string_view name) {
  for (const TSettingBinding& b : kBindings)
    if (b.Name == name) return b.Field;
  throw EInvalidOperation("no editor setting called " + std::string(name));
}

template <typename T>
constexpr bool IsBooleanField = std::is_same_v<T, bool TEditorSettings::*>;

// Calls visit(filer, field) for each setting of order, the filer already on
// the setting's item: one lookup, then one read or write at once.
template <typename F>
void ForEachSetting(TRegManager& store, std::span<const std::string_view> order, F visit) {
  for (const std::string_view name : order)
    std::visit([&](auto field) { visit(store.Filer(name), field); }, FieldOf(name));
}

// The editor's store, made on first use: the declared items, the INI file
// beside the program, and its messages shown as error boxes.
TRegManager& SettingsStore(TEditor& e) {
  if (!e.RegM) {
    auto store = std::make_shared<TRegManager>();
    DeclareEditorSettings(*store);
    store->SetOnMessage(
        [&host = e.Host](const std::string& text) { host.MessageBox(text, TMsgDlgType::mtError); });
    e.RegM = std::move(store);
  }
  return *e.RegM;
}

}  // namespace

TEditorSettings TEditor::ReadStoredSettings() {
  TEditorSettings s;
  if (SettingsFolder().empty()) return s;  // no folder: the defaults (the palette step says so)
  TRegManager& store = SettingsStore(*this);
  ForEachSetting(store, EditorSettingsReadOrder(), [&s](TRegFiler& filer, auto field) {
    if constexpr (IsBooleanField<decltype(field)>)
      s.*field = filer.AsBoolean();
    else
      s.*field = filer.AsInteger();
  });
  return s;
}

void TEditor::ReadSettings() { ReadSettings(ReadStoredSettings()); }

void TEditor::ReadSettings(const TEditorSettings& s) {
  // Applied one by one in the read order: a check box or radio group that
  // changes runs its click handler here, which redraws the loupe with the
  // values applied before it.
  MainForm.SetTop(s.Top);
  MainForm.SetLeft(s.Left);
  Doc.History.UndoMax = StoredByteOr(s.Undo, 255, static_cast<uint8_t>(kDefaults.Undo));
  View.ChrX = s.CHRX >= kMinCellSize && s.CHRX <= kMaxCellSize ? s.CHRX : kDefaults.CHRX;
  View.ChrY = s.CHRY >= kMinCellSize && s.CHRY <= kMaxCellSize ? s.CHRY : kDefaults.CHRY;
  Toumei = StoredByteOr(s.Toumei, 255, static_cast<uint8_t>(kDefaults.Toumei));
  SelSizeBar.SetPosition(s.SelSize);
  Tools.PenSize = s.PenSize >= 1 && s.PenSize <= kMaxStoredPenSize ? s.PenSize : kDefaults.PenSize;
  const std::array<TSpeedButton*, 5> penButtons{&p1, &p2, &p3, &p4, &p5};
  if (Tools.PenSize >= 1 && Tools.PenSize <= 5) penButtons[static_cast<size_t>(Tools.PenSize - 1)]->SetDown(true);
  View.Bairitu = StoredByteOr(s.Bairitu, kMaxStoredBairitu, static_cast<uint8_t>(kDefaults.Bairitu));
  View.Bai = static_cast<uint8_t>(1u << View.Bairitu);
  View.LupeSpan = static_cast<uint16_t>(256 / View.Bai);
  const std::array<TSpeedButton*, 6> zoomButtons{&x1, &x2, &x4, &x8, &x16, &x32};
  if (View.Bairitu < zoomButtons.size()) zoomButtons[View.Bairitu]->SetDown(true);
  Views.GridOn = s.Grid;
  WaitBar.SetPosition(s.Speed);
  StepBar.SetPosition(s.Maisuu);
  SFree.SetChecked(s.SentakuFree);
  NomChk.SetChecked(s.View1);
  RevChk.SetChecked(s.View2);
  MovChk.SetChecked(s.View3);
  Views.CLineOn = s.CLine;
  Hamidasi.SetChecked(s.Hamidasi);
  LupeLay.SetItemIndex(s.LupeLay);
  ViewLay.SetItemIndex(s.ViewLay);
  NARABE.SetChecked(s.Narabe);
  Views.NarabeMax = s.NarabeMAX >= 0 && s.NarabeMAX <= kMaxStoredNarabe ? s.NarabeMAX : kDefaults.NarabeMAX;
  LeftPanelPos = s.LeftPanel;
  CenterPanelPos = s.CenterPanel;
  RightPanelPos = s.RightPanel;
  const bool recoveryInRange = s.Recovery >= TRecoverySchedule::kMinInterval.count() &&
                               s.Recovery <= TRecoverySchedule::kMaxInterval.count();
  Recovery.Schedule.SetInterval(std::chrono::seconds(recoveryInRange ? s.Recovery : kDefaults.Recovery));
  Onion.Before = s.OnionBefore >= 1 && s.OnionBefore <= TOnionSkin::kMaxFrames ? s.OnionBefore : kDefaults.OnionBefore;
  Onion.After = s.OnionAfter >= 0 && s.OnionAfter <= TOnionSkin::kMaxFrames ? s.OnionAfter : kDefaults.OnionAfter;
  OnionChk.SetChecked(s.Onion);
  PalOps.PngTransparent = s.PngTransparent;

  // Run once even when a bar did not move, so its view shows the value.
  SelSizeBarChange(&SelSizeBar);
  StepBarChange(&StepBar);
}

TEditorSettings TEditor::CurrentSettings() const {
  TEditorSettings s;
  s.Top = MainForm.Top();
  s.Left = MainForm.Left();
  s.Undo = Doc.History.UndoMax;
  s.CHRX = View.ChrX;
  s.CHRY = View.ChrY;
  s.Toumei = Toumei;
  s.SelSize = Copy.SelSize;
  s.PenSize = Tools.PenSize;
  s.Bairitu = View.Bairitu;
  s.Grid = Views.GridOn;
  s.Speed = WaitBar.Position();
  s.Maisuu = StepBar.Position();
  s.SentakuFree = SFree.Checked();
  s.View1 = NomChk.Checked();
  s.View2 = RevChk.Checked();
  s.View3 = MovChk.Checked();
  s.CLine = Views.CLineOn;
  s.Hamidasi = Hamidasi.Checked();
  s.LupeLay = LupeLay.ItemIndex();
  s.ViewLay = ViewLay.ItemIndex();
  s.Narabe = NARABE.Checked();
  s.NarabeMAX = Views.NarabeMax;
  s.LeftPanel = LeftPanelPos;
  s.CenterPanel = CenterPanelPos;
  s.RightPanel = RightPanelPos;
  s.Recovery = static_cast<int32_t>(Recovery.Schedule.Interval().count());
  s.Onion = Onion.On;
  s.OnionBefore = Onion.Before;
  s.OnionAfter = Onion.After;
  s.PngTransparent = PalOps.PngTransparent;
  return s;
}

void TEditor::WriteSettings() {
  if (SettingsFolder().empty()) return;
  TRegManager& store = SettingsStore(*this);
  const TEditorSettings s = CurrentSettings();
  try {
    // One replacement of the whole file, none when nothing changed: a kill
    // during the close leaves the old settings or the new, never a mix.
    store.WriteTogether([&] {
      ForEachSetting(store, EditorSettingsWriteOrder(), [&s](TRegFiler& filer, auto field) {
        if constexpr (IsBooleanField<decltype(field)>)
          filer.SetAsBoolean(s.*field);
        else
          filer.SetAsInteger(s.*field);
      });
    });
  } catch (const EFWriteError& e) {
    // The file cannot be written: say so once, naming the file, and let the
    // window close; the settings of the last orderly close stay in the file.
    Host.MessageBox(e.Message(), TMsgDlgType::mtError);
  }
}

}  // namespace pixkura
