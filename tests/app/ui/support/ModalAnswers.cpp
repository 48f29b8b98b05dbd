#include "tests/app/ui/support/ModalAnswers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>

namespace pixkura::test {

TModalAnswers::TModalAnswers() {
  QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
  poll_.start(5);
}

TModalAnswers& TModalAnswers::Then(TAnswer answer) {
  answers_.push_back(std::move(answer));
  return *this;
}

void TModalAnswers::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  // Each window is answered once; it may take a moment to close.
  if (!modal || modal == last_ || !modal->isVisible()) return;
  last_ = modal;
  if (auto* box = qobject_cast<QMessageBox*>(modal))
    Seen << box->text();
  else
    Seen << modal->windowTitle();
  if (answers_.empty()) {
    ++Unexpected;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    return;
  }
  const TAnswer answer = std::move(answers_.front());
  answers_.pop_front();
  answer(*modal);
}

TModalAnswers::TAnswer PressKey(int key) {
  return [key](QWidget& modal) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&modal, &press);
    QApplication::sendEvent(&modal, &release);
  };
}

TModalAnswers::TAnswer PressButton(int standardButton) {
  return [standardButton](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    QAbstractButton* b =
        box ? box->button(static_cast<QMessageBox::StandardButton>(standardButton)) : nullptr;
    if (b) {
      b->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
      dialog->setWindowTitle(dialog->windowTitle() + QStringLiteral(" [no such button]"));
      dialog->reject();  // a missing button must not leave the test waiting
    }
  };
}

TModalAnswers::TAnswer CloseWindow() {
  return [](QWidget& modal) { modal.close(); };
}

TModalAnswers::TAnswer Reject() {
  return [](QWidget& modal) {
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
  };
}

}  // namespace pixkura::test
