// The palette and animation dialogs in the real window: a double-click on a
// swatch opens Qt's colour dialog on that entry, the palette menu's items
// reach their commands, the animation export's own dialog and the save
// dialog, whose overwrite question is the editor's alone.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/ui/AnimationDialog.h"
#include "app/ui/ColorDialog.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/FileFilter.h"
#include "app/ui/MainForm.h"
#include "tests/app/ui/support/MainFormFixture.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"
#include "tests/support/GifReadBack.h"

namespace pixkura {
namespace {

namespace fs = std::filesystem;

// Answers the modal dialogs as they open, one handler each, in order; a
// dialog no handler is left for is rejected and counted.
class TModalAnswers {
 public:
  using THandler = std::function<void(QWidget&)>;
  explicit TModalAnswers(std::deque<THandler> handlers) : handlers_(std::move(handlers)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal == last_) return;
      last_ = modal;
      ++seen;
      if (handlers_.empty()) {
        ++unexpected;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        return;
      }
      const THandler handler = std::move(handlers_.front());
      handlers_.pop_front();
      handler(*modal);
    });
    poll_.start(5);
  }
  bool AllUsed() const { return handlers_.empty(); }
  int seen = 0;
  int unexpected = 0;

 private:
  std::deque<THandler> handlers_;
  QTimer poll_;
  QPointer<QWidget> last_;  // null again once the dialog is gone, whose address a next one may reuse
};

class PaletteDialogsTest : public test::MainFormFixture {
 protected:
  // Window coordinates of the middle of palette entry i's swatch.
  QPoint Swatch(int i) {
    return form->ViewOf(Ed().PalView)->mapTo(form.get(), QPoint(8 * (i % 32) + 4, 12 * (i / 32) + 6));
  }
  QAction* Menu(const char* name) { return form->menuBar()->findChild<QAction*>(QString::fromLatin1(name)); }
  std::string File(const char* name) const { return folder + "/" + name; }
};

TModalAnswers::THandler ChooseColour(QColor colour, QColor* offered = nullptr) {
  return [colour, offered](QWidget& w) {
    auto* dialog = qobject_cast<QColorDialog*>(&w);
    ASSERT_NE(dialog, nullptr) << w.metaObject()->className();
    if (offered) *offered = dialog->currentColor();
    dialog->setCurrentColor(colour);
    dialog->accept();
  };
}

TEST_F(PaletteDialogsTest, ADoubleClickOnASwatchOpensTheColourDialogOnThatEntry) {
  QColor offered;
  TModalAnswers answers({ChooseColour(QColor(12, 34, 56), &offered)});
  test::MouseDoubleClick(*form, Qt::LeftButton, Swatch(70));
  EXPECT_TRUE(answers.AllUsed());
  EXPECT_EQ(answers.seen, 1);
  EXPECT_EQ(offered, QColor(70, 70, 70));
  EXPECT_EQ(Ed().MainColor, 70);
  EXPECT_FALSE(Ed().PalOps.PalDown);
  EXPECT_EQ(Ed().Doc.PalDib->GetColors(70), RGB(12, 34, 56));
  EXPECT_EQ(Ed().Doc.History.UndoNum, 1);
  EXPECT_TRUE(form->isWindowModified());
  // After the dialog a plain click picks and opens nothing.
  test::Click(*form->ViewOf(Ed().PalView), Qt::LeftButton, QPoint(8 * 3 + 4, 6));
  EXPECT_EQ(Ed().MainColor, 3);
  EXPECT_EQ(answers.seen, 1);
}

TEST_F(PaletteDialogsTest, ADoubleClickOnTheMarkerActsOnTheSwatchBeneath) {
  test::Click(*form->ViewOf(Ed().PalView), Qt::LeftButton, QPoint(8 * 5 + 4, 12 + 6));  // entry 37
  ASSERT_EQ(QApplication::widgetAt(form->mapToGlobal(Swatch(37))), form->ViewOf(Ed().PalSel));
  TModalAnswers answers({ChooseColour(QColor(200, 0, 0))});
  test::MouseDoubleClick(*form, Qt::LeftButton, Swatch(37));
  EXPECT_EQ(answers.seen, 1);
  EXPECT_EQ(Ed().Doc.PalDib->GetColors(37), RGB(200, 0, 0));
}

TEST_F(PaletteDialogsTest, ColourDialogIsQtsOwnWithTheEditorsTitle) {
  const auto dialog = MakeColorDialog(nullptr, "色を選択して下さい", RGB(1, 2, 3));
  EXPECT_TRUE(dialog->testOption(QColorDialog::DontUseNativeDialog));
  EXPECT_EQ(dialog->currentColor(), QColor(1, 2, 3));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("色を選択して下さい"));
}

TEST_F(PaletteDialogsTest, ThePaletteMenuReachesItsCommands) {
  ASSERT_NE(Menu("MnPalColor"), nullptr);
  Ed().MainColor = 9;
  TModalAnswers answers({[](QWidget& w) { qobject_cast<QDialog*>(&w)->reject(); }});
  Menu("MnPalColor")->trigger();
  EXPECT_EQ(answers.seen, 1);
  EXPECT_EQ(Ed().Doc.History.UndoNum, 0);  // cancelled

  Ed().MainColor = 0;  // ramp from black (0) to the transparent white (255): the grey ramp already
  Menu("MnPalRamp")->trigger();
  EXPECT_EQ(Ed().Doc.History.UndoNum, 0);
  Ed().MainColor = 100;
  Ed().Doc.PalDib->SetColors(100, RGB(255, 0, 0));
  Ed().ApplyPaletteChange();
  Menu("MnPalRamp")->trigger();
  // 100 red .. 255 white: entry 200 is 100 / 155 of the way, 164.5... up.
  EXPECT_EQ(Ed().Doc.PalDib->GetColors(200), RGB(255, 165, 165));
  EXPECT_EQ(Ed().Doc.History.UndoNum, 1);
}

TEST_F(PaletteDialogsTest, PaletteFilesOpenAndExportThroughTheFileDialogs) {
  std::ofstream(File("site.hex")) << "ff0000\n00ff00\n";
  {
    TModalAnswers answers({
        [this](QWidget& w) {
          auto* dialog = qobject_cast<QFileDialog*>(&w);
          ASSERT_NE(dialog, nullptr);
          EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
          dialog->selectFile(QString::fromStdString(File("site.hex")));
          static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own accept, as its button
        },
    });
    Menu("MnPalOpen")->trigger();
    EXPECT_TRUE(answers.AllUsed());
  }
  EXPECT_EQ(Ed().Doc.PalDib->GetColors(1), RGB(0, 255, 0));
  EXPECT_EQ(Ed().Doc.PalDib->GetColors(2), RGB(2, 2, 2));

  // A name typed without extension takes the one of the filter chosen.
  TModalAnswers save({
      [](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        const QStringList filters = dialog->nameFilters();
        ASSERT_EQ(filters.size(), 4);
        dialog->selectNameFilter(filters[2]);  // Adobe (*.act)
        emit dialog->filterSelected(filters[2]);
        dialog->selectFile(QStringLiteral("exported"));
        static_cast<QDialog*>(dialog)->accept();
      },
  });
  Menu("MnPalExport")->trigger();
  EXPECT_TRUE(save.AllUsed());
  EXPECT_EQ(fs::file_size(File("exported.act")), 768u);
}

TEST_F(PaletteDialogsTest, TheAnimationDialogOffersTheRowsAsTheirButtonsLie) {
  TAnimationDialogSpec spec;
  spec.Title = "GIFアニメの書き出し";
  spec.DirectionCaption = "向き";
  spec.Directions = {"上", "右", "下", "左"};
  spec.TransparentCaption = "透明色を抜く";
  TAnimationDialog dialog(nullptr, spec, TAnimationChoice{2, true});
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("GIFアニメの書き出し"));
  EXPECT_TRUE(dialog.DirectionButton(2)->isChecked());
  EXPECT_TRUE(dialog.TransparentBox()->isChecked());
  EXPECT_EQ(dialog.Choice().Direction, 2);
  dialog.show();
  // Up above down, left beside right, as the preview's buttons.
  const auto at = [&](int row) { return dialog.DirectionButton(row)->geometry().center(); };
  EXPECT_LT(at(0).y(), at(1).y());
  EXPECT_LT(at(1).y(), at(2).y());
  EXPECT_EQ(at(1).y(), at(3).y());
  EXPECT_LT(at(3).x(), at(0).x());
  EXPECT_LT(at(0).x(), at(1).x());
  test::Click(*dialog.DirectionButton(3));
  test::Click(*dialog.TransparentBox());
  EXPECT_EQ(dialog.Choice().Direction, 3);
  EXPECT_FALSE(dialog.Choice().Transparent);
}

TEST_F(PaletteDialogsTest, TheAnimationIsExportedThroughItsDialogAndTheEditorsOwnQuestion) {
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 64; ++x) Ed().Doc.AllDib->SetPixels(x, y, (x / 32 + 2 * (y / 32)) * 10 + 1);
  std::ofstream(File("walk.gif")) << "old";
  QString question;
  TModalAnswers answers({
      [](QWidget& w) {
        auto* dialog = dynamic_cast<TAnimationDialog*>(&w);
        ASSERT_NE(dialog, nullptr) << w.metaObject()->className();
        dialog->DirectionButton(1)->setChecked(true);
        dialog->TransparentBox()->setChecked(true);
        dialog->accept();
      },
      [this](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(File("walk.gif")));
        static_cast<QDialog*>(dialog)->accept();
      },
      [&question](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        ASSERT_NE(box, nullptr);
        question = box->text();
        box->button(QMessageBox::Yes)->click();
      },
  });
  Menu("mGifExport")->trigger();
  EXPECT_TRUE(answers.AllUsed());
  EXPECT_EQ(answers.unexpected, 0);  // no second overwrite question from the file dialog
  EXPECT_EQ(question, QStringLiteral("同名のファイルが存在します、上書きしますか？"));
  const testing::TGif gif = testing::SlurpGif(File("walk.gif"));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->ImageCount, 2);                     // Maisuu 2
  EXPECT_EQ(gif->SavedImages[1].RasterBits[0], 31);  // row 1 (right), second cell
  GraphicsControlBlock control{};
  DGifSavedExtensionToGCB(gif.get(), 0, &control);
  EXPECT_EQ(control.TransparentColor, Ed().Toumei);
}

TEST(FileFilter, TheSuffixOfAFilterWithOnePattern) {
  EXPECT_EQ(SingleSuffixOf(QStringLiteral("GIMP palette (*.gpl)")), QStringLiteral("gpl"));
  EXPECT_EQ(SingleSuffixOf(QStringLiteral("All supported (*.bmp *.png)")), QString());
  EXPECT_EQ(SingleSuffixOf(QStringLiteral("All files (*.*)")), QString());
  EXPECT_EQ(SingleSuffixOf(QStringLiteral("Odd (*.p?g)")), QString());
  EXPECT_EQ(SingleSuffixOf(QStringLiteral("No patterns")), QString());
}

}  // namespace
}  // namespace pixkura
