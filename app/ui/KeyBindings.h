// The editor's keys. Every key runs an existing command the way the mouse
// does: a menu item's key triggers that item (and is shown beside it in the
// menu); the arrow keys click the loupe's and the sheet's scroll buttons.
// No key acts while a dialog or message box is open.
#pragma once

#include <QKeySequence>
#include <QList>
#include <span>
#include <string_view>

#include "app/core/Editor.h"

class QMenuBar;
class QWidget;

namespace pixkura {

struct TMenuKeys {
  std::string_view Item;     // the menu item's name
  QList<QKeySequence> Keys;  // the first is the one the menu shows
};

// The keys of the menu items, by item name.
std::span<const TMenuKeys> MenuKeyTable();

// The keys of the menu items: each action of bar whose object name is an
// item of the table gets its keys.
void AssignMenuKeys(QMenuBar& bar);

// Arrow keys scroll the loupe (LupeUp, LupeDown, LupeLeft, LupeRight);
// Shift+arrows step the selected cell (AllUp, AllDown, AllLeft, AllRight).
// The actions live in window and click the buttons' models.
void AddButtonKeys(QWidget& window, TEditor& editor);

// True when no modal dialog or message box is open, so a key may act.
bool KeysMayAct();

}  // namespace pixkura
