#include "app/ui/KeyBindings.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "app/ui/ErrorReport.h"

namespace pixkura {
namespace {

QList<QKeySequence> Keys(std::initializer_list<QKeySequence> keys) { return QList<QKeySequence>(keys); }

const std::vector<TMenuKeys>& Table() {
  static const std::vector<TMenuKeys> table{
      {"mLoad", Keys({QKeySequence(Qt::CTRL | Qt::Key_O)})},
      {"mSave", Keys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)})},
      {"mSave2", Keys({QKeySequence(Qt::CTRL | Qt::Key_S)})},
      {"mExit", Keys({QKeySequence(Qt::CTRL | Qt::Key_Q)})},
      {"MnUndo", Keys({QKeySequence(Qt::CTRL | Qt::Key_Z)})},
      {"MnRedo", Keys({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})},
      {"MnCut", Keys({QKeySequence(Qt::CTRL | Qt::Key_X)})},
      {"MnCopy", Keys({QKeySequence(Qt::CTRL | Qt::Key_C)})},
      {"MnPaste", Keys({QKeySequence(Qt::CTRL | Qt::Key_V)})},
      // One letter per tool: Pen, Fill, Box, Ellipse, Line, blend Mix.
      {"MnPen", Keys({QKeySequence(Qt::Key_P)})},
      {"MnPaint", Keys({QKeySequence(Qt::Key_F)})},
      {"MnBox", Keys({QKeySequence(Qt::Key_B)})},
      {"MnCircle", Keys({QKeySequence(Qt::Key_E)})},
      {"MnLine", Keys({QKeySequence(Qt::Key_L)})},
      {"MnMarge", Keys({QKeySequence(Qt::Key_M)})},
      {"MnP1", Keys({QKeySequence(Qt::Key_1)})},
      {"MnP2", Keys({QKeySequence(Qt::Key_2)})},
      {"MnP3", Keys({QKeySequence(Qt::Key_3)})},
      {"MnP4", Keys({QKeySequence(Qt::Key_4)})},
      {"MnP5", Keys({QKeySequence(Qt::Key_5)})},
      // "+" needs Shift on most layouts, so "=" on the same key counts too; Qt
      // matches the keypad's keys to these by itself.
      {"MnZoomIn", Keys({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)})},
      {"MnZoomOut", Keys({QKeySequence(Qt::Key_Minus)})},
      {"MnGrid", Keys({QKeySequence(Qt::Key_G)})},
      {"MnGrid2", Keys({QKeySequence(Qt::Key_C)})},
      {"MnOnion", Keys({QKeySequence(Qt::Key_O)})},
  };
  return table;
}

}  // namespace

std::span<const TMenuKeys> MenuKeyTable() { return Table(); }

void AssignMenuKeys(QMenuBar& bar) {
  for (const TMenuKeys& entry : Table()) {
    const QString name = QString::fromUtf8(entry.Item.data(), static_cast<qsizetype>(entry.Item.size()));
    for (QAction* action : bar.findChildren<QAction*>(name)) {
      action->setShortcuts(entry.Keys);
      action->setShortcutContext(Qt::WindowShortcut);
    }
  }
}

void AddButtonKeys(QWidget& window, TEditor& editor) {
  const std::pair<TSpeedButton*, QKeySequence> keys[] = {
      {&editor.LupeUp, QKeySequence(Qt::Key_Up)},
      {&editor.LupeDown, QKeySequence(Qt::Key_Down)},
      {&editor.LupeLeft, QKeySequence(Qt::Key_Left)},
      {&editor.LupeRight, QKeySequence(Qt::Key_Right)},
      {&editor.AllUp, QKeySequence(Qt::SHIFT | Qt::Key_Up)},
      {&editor.AllDown, QKeySequence(Qt::SHIFT | Qt::Key_Down)},
      {&editor.AllLeft, QKeySequence(Qt::SHIFT | Qt::Key_Left)},
      {&editor.AllRight, QKeySequence(Qt::SHIFT | Qt::Key_Right)},
  };
  for (const auto& [button, key] : keys) {
    auto* action = new QAction(&window);
    action->setObjectName(QString::fromStdString(button->Name) + QStringLiteral("Key"));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    TSpeedButton* model = button;
    QObject::connect(action, &QAction::triggered, &window, [model, &window] {
      if (KeysMayAct()) ReportErrors(&window, [model] { model->Click(); });
    });
    window.addAction(action);
  }
  // Escape cancels a block being spanned or waiting, as the right button does.
  auto* cancel = new QAction(&window);
  cancel->setObjectName(QStringLiteral("BlockCancelKey"));
  cancel->setShortcut(QKeySequence(Qt::Key_Escape));
  cancel->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(cancel, &QAction::triggered, &window, [&editor, &window] {
    if (KeysMayAct()) ReportErrors(&window, [&editor] { editor.BlockCancelKey(nullptr); });
  });
  window.addAction(cancel);
}

bool KeysMayAct() { return QApplication::activeModalWidget() == nullptr && !IsReportingError(); }

}  // namespace pixkura
