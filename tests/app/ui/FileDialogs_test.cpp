// The picture dialogs: the name a user types comes back with the default
// suffix when it has none, and the preview pane shows the selected picture as
// the load command reads it.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/ui/FileDialogs.h"
#include "app/ui/FileNameBytes.h"
#include "tests/app/ui/support/QtTestApp.h"

namespace pixkura {
namespace {

TFileDialogSpec SaveSpec() {
  return {
      "絵に名前を付けて下さい",
      "すべての対応ファイル (*.bmp;*.png;*.dib)|*.bmp;*.png;*.dib|Portable Network Graphics (*.png)|*.png",
      "bmp"};
}

class FileDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtTestApp();
    ASSERT_TRUE(dir.isValid());
  }
  std::string Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
  // What the save dialog returns for a typed name.
  QString Typed(const QString& typed) {
    auto dialog = MakePictureDialog(nullptr, SaveSpec(), true, Path("start.bmp"));
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_NE(edit, nullptr);
    if (!edit) return {};
    edit->setText(typed);
    return dialog->selectedFiles().value(0);
  }

  QTemporaryDir dir;
};

TEST_F(FileDialogsTest, ATypedNameWithoutExtensionGetsTheDefaultSuffix) {
  EXPECT_EQ(Typed(QStringLiteral("sprite")), QString::fromStdString(Path("sprite.bmp")));
  EXPECT_EQ(Typed(QStringLiteral("sprite.png")), QString::fromStdString(Path("sprite.png")));
  auto dialog = MakePictureDialog(nullptr, SaveSpec(), true, "");
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("絵に名前を付けて下さい"));
  EXPECT_EQ(dialog->nameFilters().size(), 2);
  EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
}

// A name that is no UTF-8 keeps its bytes from the dialog, a drop and the command line.
TEST_F(FileDialogsTest, ALatin1NameKeepsItsBytes) {
  const std::string latin1 = Path("caf\xe9.bmp");
  std::ofstream(latin1) << "x";
  const QString shown = QFile::decodeName(latin1.c_str());
  EXPECT_EQ(FileNameOfChoice(shown), latin1);
  EXPECT_EQ(FileNameOfChoice(dir.filePath(QStringLiteral("café.bmp"))), Path("caf\xc3\xa9.bmp"));
  std::ofstream(Path("caf\xe8.bmp")) << "x";  // two names shown alike: neither is taken
  EXPECT_EQ(FileNameOfChoice(shown), QFile::encodeName(shown).toStdString());
  EXPECT_EQ(FileNameOfUrl(QUrl::fromEncoded("file:///t/caf%E9%20%C3%A9.bmp")), "/t/caf\xe9 \xc3\xa9.bmp");
  EXPECT_EQ(FileNameOfUrl(QUrl::fromEncoded("https://example.org/a.bmp")), "");
  EXPECT_EQ(AbsoluteFileName("/a/./b/../caf\xe9.bmp"), "/a/caf\xe9.bmp");
  EXPECT_EQ(AbsoluteFileName("caf\xe9.bmp"), std::filesystem::current_path().string() + "/caf\xe9.bmp");
}

TEST_F(FileDialogsTest, ThePreviewShowsReadablePicturesScaledAndNothingElse) {
  TIxDIB wide;
  wide.SetWidth(40);
  wide.SetHeight(20);
  wide.SetBitCount(8);
  wide.SaveToFile(Path("wide.bmp"));
  auto dialog = MakePictureDialog(nullptr, {"読み込む絵を選択して下さい", "", "bmp"}, false, "");
  TPicturePreview* preview = PreviewOf(*dialog);
  ASSERT_NE(preview, nullptr);
  preview->resize(200, 200);

  preview->ShowFile(QString::fromStdString(Path("wide.bmp")));
  ASSERT_TRUE(preview->HasPicture());
  EXPECT_EQ(preview->Picture()->GetWidth(), 40);
  EXPECT_EQ(preview->PictureRect().size(), QSize(160, 80));

  QFile junk(QString::fromStdString(Path("junk.png")));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a picture");
  junk.close();
  preview->ShowFile(junk.fileName());
  EXPECT_FALSE(preview->HasPicture());
  preview->ShowFile(dir.path());
  EXPECT_FALSE(preview->HasPicture());
}

TEST_F(FileDialogsTest, ThePreviewFollowsTheFileTheUserPicks) {
  TIxDIB square;
  square.SetWidth(12);
  square.SetHeight(12);
  square.SetBitCount(8);
  square.SaveToFile(Path("square.bmp"));
  auto dialog = MakePictureDialog(nullptr, {"読み込む絵を選択して下さい", "", "bmp"}, false, Path("x.bmp"));
  dialog->show();
  TPicturePreview* preview = PreviewOf(*dialog);
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(QStringLiteral("square.bmp"));
  for (int i = 0; i < 50 && !preview->HasPicture(); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(preview->HasPicture());
}

}  // namespace
}  // namespace pixkura
