// The window around the file commands, linked as the program links it (only
// the window is named here, so whatever the program leaves out of its link
// is missing here too): closing with unsaved changes, the open dialog's
// filter with the plug-ins found beside the program, and a stored window
// place that lies on no screen.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "app/ui/MainForm.h"
#include "base/ProgramFolder.h"
#include "settings/ShiftJis.h"
#include "tests/app/ui/support/ModalAnswers.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

namespace pixkura {
namespace {

constexpr const char* kAskSaveChanges = "データが変更されています、上書き保存しますか？";

class MainFormFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtTestApp();
    ASSERT_TRUE(folder.isValid());
    SetProgramFolderForTesting(folder.path().toStdString());
  }
  void TearDown() override {
    form.reset();
    SetProgramFolderForTesting("");
  }
  // The plug-ins built beside the program, in the program's folder.
  void AddShippedPlugins() {
    const QDir bin(QStringLiteral(PIXKURA_BIN_DIR));
    for (const QString& name : bin.entryList({QStringLiteral("*.spi")}, QDir::Files))
      ASSERT_TRUE(QFile::link(bin.filePath(name), folder.filePath(name)));
  }
  void WriteSettings(const std::string& utf8) {
    QFile ini(folder.filePath(QStringLiteral("Pixkura.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    const std::string bytes = Utf8ToShiftJis(utf8);
    ini.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  void Open() {
    form = std::make_unique<TMainForm>();
    form->RunFormCreate();
    form->show();
    ASSERT_TRUE(test::WaitExposed(*form));
  }
  TEditor& Ed() { return form->Editor(); }
  void ChangeTheSheet() {
    Ed().TakeSnapshot();
    Ed().Doc.AllDib->SetPixels(0, 0, 5);
  }

  QTemporaryDir folder;
  std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormFilesTest, CancelOrEscapeOnTheCloseQuestionKeepsTheWindowAndTheChange) {
  Open();
  ChangeTheSheet();
  for (auto answer :
       {test::PressKey(Qt::Key_Escape), test::CloseWindow(), test::PressButton(QMessageBox::Cancel)}) {
    test::TModalAnswers answers;
    answers.Then(answer);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(answers.Seen, QStringList{QString::fromUtf8(kAskSaveChanges)});
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(Ed().Doc.Modified());
    EXPECT_EQ(Ed().Doc.AllDib->GetPixels(0, 0), 5);
  }
  // No discards and closes; the settings are written as the window goes.
  test::TModalAnswers answers;
  answers.Then(test::PressButton(QMessageBox::No));
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Pixkura.ini"))));
}

TEST_F(MainFormFilesTest, YesThenACancelledSaveAsKeepsTheWindow) {
  Open();
  ChangeTheSheet();
  test::TModalAnswers answers;
  answers.Then(test::PressButton(QMessageBox::Yes)).Then(test::Reject());
  EXPECT_FALSE(form->close());
  EXPECT_EQ(answers.Seen,
            (QStringList{QString::fromUtf8(kAskSaveChanges), QStringLiteral("絵に名前を付けて下さい")}));
  EXPECT_EQ(answers.Unexpected, 0);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(Ed().Doc.Modified());
  EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("Pixkura.ini"))));  // no close happened
}

TEST_F(MainFormFilesTest, TheSaveDialogLeavesTheOverwriteQuestionToTheEditor) {
  Open();
  QFileDialog::Options options;
  test::TModalAnswers answers;
  answers.Then([&options](QWidget& modal) {
    auto& dialog = dynamic_cast<QFileDialog&>(modal);
    options = dialog.options();
    dialog.reject();
  });
  Ed().mSaveClick(&Ed().mSave);
  EXPECT_TRUE(options.testFlag(QFileDialog::DontConfirmOverwrite));
  EXPECT_TRUE(options.testFlag(QFileDialog::DontUseNativeDialog));
}

TEST_F(MainFormFilesTest, TheOpenDialogListsTheExtensionsOfThePluginsBesideTheProgram) {
  AddShippedPlugins();
  Open();
  QStringList filters;
  test::TModalAnswers answers;
  answers.Then([&filters](QWidget& modal) {
    auto& dialog = dynamic_cast<QFileDialog&>(modal);
    filters = dialog.nameFilters();
    dialog.reject();
  });
  Ed().mLoadClick(&Ed().mLoad);
  ASSERT_EQ(filters.size(), 2);
  const QString& supported = filters[0];
  EXPECT_TRUE(supported.startsWith(QStringLiteral("対応しているファイル (*.bmp *.png *.dib *.")))
      << supported.toStdString();
  for (const char* pattern : {" *.gif", " *.jpg", " *.jpeg", " *.tga"})
    EXPECT_TRUE(supported.contains(QLatin1String(pattern))) << pattern << " in " << supported.toStdString();
  EXPECT_EQ(filters[1], QStringLiteral("全てのファイル (*.*)"));
}

TEST_F(MainFormFilesTest, AStoredPlaceOnNoScreenGivesTheDefaultPlace) {
  WriteSettings("[Pixkura]\r\n縦=-40000\r\n横=90000\r\n");
  Open();
  EXPECT_EQ(Ed().MainForm.Left(), 0);
  EXPECT_EQ(Ed().MainForm.Top(), 0);
  EXPECT_EQ(form->pos(), QPoint(0, 0));
}

TEST_F(MainFormFilesTest, AStoredPlaceOnAScreenIsKept) {
  WriteSettings("[Pixkura]\r\n縦=30\r\n横=40\r\n");
  Open();
  EXPECT_EQ(Ed().MainForm.Left(), 40);
  EXPECT_EQ(Ed().MainForm.Top(), 30);
  EXPECT_EQ(form->pos(), QPoint(40, 30));
  EXPECT_TRUE(IsReachablePlace(QPoint(-100, 0), QSize(785, 540)));   // the title bar's middle is on screen
  EXPECT_FALSE(IsReachablePlace(QPoint(-700, 0), QSize(785, 540)));  // only its right end
}

}  // namespace
}  // namespace pixkura
