// The editor's questions as Qt shows them: which buttons a box has, and what
// Escape, the box's close button and each button answer.
#include "app/ui/QtEditorHost.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "tests/app/ui/support/ModalAnswers.h"
#include "tests/app/ui/support/QtTestApp.h"

namespace pixkura {
namespace {

class QtEditorHostTest : public ::testing::Test {
 protected:
  TModalResult Ask(TMsgDlgButtons buttons, test::TModalAnswers::TAnswer answer) {
    test::TModalAnswers answers;
    answers.Then(std::move(answer));
    const TModalResult result = host.MessageBox("データが変更されています、上書き保存しますか？",
                                                TMsgDlgType::mtConfirmation, buttons);
    EXPECT_EQ(answers.Seen, QStringList{QStringLiteral("データが変更されています、上書き保存しますか？")});
    return result;
  }

  QApplication& app = test::QtTestApp();  // before any widget
  QWidget window;
  TQtEditorHost host{window};
};

TEST_F(QtEditorHostTest, AYesNoCancelQuestionAnswersCancelToEscapeAndToItsCloseButton) {
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNoCancel, test::PressKey(Qt::Key_Escape)), TModalResult::mrCancel);
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNoCancel, test::CloseWindow()), TModalResult::mrCancel);
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNoCancel, test::PressButton(QMessageBox::Cancel)),
            TModalResult::mrCancel);
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNoCancel, test::PressButton(QMessageBox::No)), TModalResult::mrNo);
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNoCancel, test::PressButton(QMessageBox::Yes)), TModalResult::mrYes);
  // Return takes the default, Yes.
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNoCancel, test::PressKey(Qt::Key_Return)), TModalResult::mrYes);
}

TEST_F(QtEditorHostTest, AYesNoQuestionAnswersNoToEscape) {
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNo, test::PressKey(Qt::Key_Escape)), TModalResult::mrNo);
  EXPECT_EQ(Ask(TMsgDlgButtons::mbYesNo, test::PressButton(QMessageBox::Yes)), TModalResult::mrYes);
}

TEST_F(QtEditorHostTest, EachKindHasItsButtonsTitleAndIcon) {
  const auto question =
      MakeMessageBox(&window, "q", TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNoCancel);
  EXPECT_EQ(question->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(static_cast<QAbstractButton*>(question->defaultButton()), question->button(QMessageBox::Yes));
  EXPECT_EQ(question->escapeButton(), question->button(QMessageBox::Cancel));
  EXPECT_EQ(question->windowTitle(), QStringLiteral("確認"));
  EXPECT_EQ(question->icon(), QMessageBox::Question);

  const auto error = MakeMessageBox(&window, "e", TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
  EXPECT_EQ(error->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(error->windowTitle(), QStringLiteral("エラー"));
  EXPECT_EQ(error->icon(), QMessageBox::Critical);

  // The two-argument form gives a confirmation Yes / No.
  test::TModalAnswers answers;
  answers.Then(test::PressKey(Qt::Key_Escape));
  EXPECT_EQ(host.MessageBox("同名のファイルが存在します、上書きしますか？", TMsgDlgType::mtConfirmation),
            TModalResult::mrNo);
}

}  // namespace
}  // namespace pixkura
