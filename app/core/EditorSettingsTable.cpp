#include "app/core/EditorSettingsTable.h"

#include "base/UserFolders.h"

namespace pixkura {
namespace {

constexpr auto kInt = TEditorSettingKind::skInteger;
constexpr auto kBool = TEditorSettingKind::skBoolean;

constexpr std::array<TEditorSettingDecl, 32> kDecls{{
    {"Top", "縦", "0", kInt},
    {"Left", "横", "0", kInt},
    {"SelSize", "選択用セルサイズ", "8", kInt},
    {"PenSize", "筆幅", "1", kInt},
    {"Bairitu", "倍率", "3", kInt},
    {"Grid", "グリッド", "True", kBool},
    {"Undo", "アンドゥ回数", "15", kInt},
    {"Speed", "アニメスピード", "40", kInt},
    {"Maisuu", "アニメ枚数", "2", kInt},
    {"CHRY", "キャラ縦サイズ", "32", kInt},
    {"CHRX", "キャラ横サイズ", "32", kInt},
    {"View1", "通常表示枠", "False", kBool},
    {"View2", "反転表示枠", "False", kBool},
    {"View3", "コピー表示枠", "False", kBool},
    {"Toumei", "透明色", "255", kInt},
    {"SentakuFree", "選択枠フリー移動", "False", kBool},
    {"Lay", "レイヤー有効", "False", kBool},
    {"Lay4", "四分割レイヤー", "False", kBool},
    {"Hamidasi", "はみ出しチェック", "False", kBool},
    {"CLine", "中央線", "True", kBool},
    {"Narabe", "並べて表示", "False", kBool},
    {"LupeLay", "ルーペ用レイヤー設定", "1", kInt},
    {"ViewLay", "特殊表示用レイヤー", "2", kInt},
    {"NarabeMAX", "並べて表示最大数", "3", kInt},
    {"LeftPanel", "左パネル設定", "1", kInt},
    {"CenterPanel", "中央パネル設定", "2", kInt},
    {"RightPanel", "右パネル設定", "3", kInt},
    {"Recovery", "復元用の保存間隔", "5", kInt},
    {"Onion", "オニオンスキン", "False", kBool},
    {"OnionBefore", "オニオンスキン前コマ数", "1", kInt},
    {"OnionAfter", "オニオンスキン後コマ数", "0", kInt},
    {"PngTransparent", "透明色をPNGの透明にする", "False", kBool},
}};

// Start-up and close use the same order.
constexpr std::array<std::string_view, 30> kUsedOrder{
    "Top",         "Left",     "Undo",    "CHRX",        "CHRY",       "Toumei",
    "SelSize",     "PenSize",  "Bairitu", "Grid",        "Speed",      "Maisuu",
    "SentakuFree", "View1",    "View2",   "View3",       "CLine",      "Hamidasi",
    "LupeLay",     "ViewLay",  "Narabe",  "NarabeMAX",   "LeftPanel",  "CenterPanel",
    "RightPanel",  "Recovery", "Onion",   "OnionBefore", "OnionAfter",
    "PngTransparent",
};

}  // namespace

std::span<const TEditorSettingDecl> EditorSettingDecls() { return kDecls; }

std::span<const std::string_view> EditorSettingsReadOrder() { return kUsedOrder; }

std::span<const std::string_view> EditorSettingsWriteOrder() { return kUsedOrder; }

void DeclareEditorSettings(TRegManager& RegM) {
  for (const TEditorSettingDecl& decl : kDecls) {
    RegM.RegItems().Add(std::string(decl.Name), std::string(kEditorSettingsSection), std::string(decl.Ident),
                        std::string(decl.DefaultValue));
  }
  RegM.SetRegType(TRegType::rtIni);
  RegM.SetIniFileName(SettingsFolder() + "/" + std::string(kEditorSettingsFileName));
}

}  // namespace pixkura
