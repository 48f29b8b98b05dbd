// Answering the modal boxes and dialogs that an action opens, as a user
// would: each one that shows is given the next answer in turn, while the
// action's own event loop runs.
#pragma once

#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace pixkura::test {

class TModalAnswers {
 public:
  using TAnswer = std::function<void(QWidget& modal)>;

  TModalAnswers();
  // The next modal window to show gets answer.
  TModalAnswers& Then(TAnswer answer);
  // What showed, in order: a message box's text, a dialog's title.
  QStringList Seen;
  // Modal windows that showed with no answer left (they were rejected).
  int Unexpected = 0;

 private:
  void Poll();
  std::deque<TAnswer> answers_;
  QWidget* last_ = nullptr;
  QTimer poll_;
};

// Answers.
TModalAnswers::TAnswer PressKey(int key);
TModalAnswers::TAnswer PressButton(int standardButton);  // a QMessageBox::StandardButton
TModalAnswers::TAnswer CloseWindow();                    // its title bar's close button
TModalAnswers::TAnswer Reject();                         // a dialog's Cancel

}  // namespace pixkura::test
