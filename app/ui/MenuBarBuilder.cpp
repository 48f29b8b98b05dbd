#include "app/ui/MenuBarBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/ui/ErrorReport.h"
#include "app/ui/Glyphs.h"
#include "app/ui/KeyBindings.h"
#include "app/ui/Translation.h"

namespace pixkura {
namespace {

// Captions are plain text: a literal '&' must not become a mnemonic.
QString MenuText(const std::string& caption) {
  return Tr(TTextRole::Menu, caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QAction* ActionFor(TMenuItem& item, QWidget& owner) {
  auto* action = new QAction(MenuText(item.Caption), &owner);
  action->setObjectName(QString::fromStdString(item.Name));
  QObject::connect(action, &QAction::triggered, &owner, [&item, &owner] {
    // A key must not reach the editor past an open dialog.
    if (KeysMayAct()) ReportErrors(owner.window(), [&item] { item.Click(); });
  });
  return action;
}

}  // namespace

void BuildMenuBar(QMenuBar& bar, const std::vector<TMenuItem*>& menus) {
  for (TMenuItem* menu : menus) {
    if (menu->Items.empty()) {
      bar.addAction(ActionFor(*menu, bar));
      continue;
    }
    QMenu* sub = bar.addMenu(MenuText(menu->Caption));
    sub->setObjectName(QString::fromStdString(menu->Name));
    std::vector<std::pair<QAction*, int32_t>> pictures;
    std::vector<std::pair<QAction*, TMenuItem*>> checks;
    for (TMenuItem* item : menu->Items) {
      if (item->Separator) {
        sub->addSeparator();
        continue;
      }
      QAction* action = ActionFor(*item, *sub);
      sub->addAction(action);
      if (item->ImageIndex >= 0) pictures.emplace_back(action, item->ImageIndex);
      if (item->Checked) {
        action->setCheckable(true);
        checks.emplace_back(action, item);
      }
    }
    // A check item shows the editor's state each time its menu opens: the
    // state may also change from a setting or a test, not only from the item.
    if (!checks.empty())
      QObject::connect(sub, &QMenu::aboutToShow, sub, [checks] {
        for (const auto& [action, item] : checks) action->setChecked(item->Checked());
      });
    if (pictures.empty()) continue;
    // The pictures are drawn the first time the menu opens, not at start-up.
    QObject::connect(sub, &QMenu::aboutToShow, sub, [pictures] {
      for (const auto& [action, index] : pictures)
        if (action->icon().isNull()) action->setIcon(QIcon(MenuPicture(index)));
    });
  }
}

}  // namespace pixkura
