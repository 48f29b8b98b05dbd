// The editor's declared settings: the 27 items of its settings store RegM,
// all in section "Pixkura" of "Pixkura.ini" in the settings folder, and the
// orders in which the editor reads them at start-up and writes them at close.
//
// This file only declares; applying the values to the editor's state and
// controls is the editor's business.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "settings/RegMng.h"

namespace pixkura {

inline constexpr std::string_view kEditorSettingsSection = "Pixkura";
inline constexpr std::string_view kEditorSettingsFileName = "Pixkura.ini";

// How the editor reads and writes an item through the filer.
enum class TEditorSettingKind { skInteger, skBoolean };

struct TEditorSettingDecl {
  std::string_view Name;
  std::string_view Ident;  // the Japanese key stored in the file
  std::string_view DefaultValue;
  TEditorSettingKind Kind;
};

// All 27 items in their declaration order.
std::span<const TEditorSettingDecl> EditorSettingDecls();

// The 25 items the editor uses ("Lay" and "Lay4" are declared only), in the
// order it reads them at start-up and the order it writes them at close.
std::span<const std::string_view> EditorSettingsReadOrder();
std::span<const std::string_view> EditorSettingsWriteOrder();

// Declares the 27 items in RegM (which should hold none yet) and points it
// at the INI file: RegType rtIni, IniFileName SettingsFolder() + "/Pixkura.ini"
// (beside the program unless it is installed or its folder is read-only).
void DeclareEditorSettings(TRegManager& RegM);

}  // namespace pixkura
