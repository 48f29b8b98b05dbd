// The window on a desktop, through real Qt events: keys (shown in the menus,
// acting through the same handlers as buttons and menus, never past an open
// dialog), the wheel over the loupe, dropped files, the title with the file's
// name and the modified marker, and opening a named file.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>

#include "app/ui/KeyBindings.h"
#include "app/ui/MainForm.h"
#include "formats/SaveDispatch.h"
#include "tests/app/ui/support/MainFormFixture.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

namespace pixkura {
namespace {

// While it lives, answers every message box that opens with the given button
// and keeps its text.
class TBoxAnswer {
 public:
  explicit TBoxAnswer(QMessageBox::StandardButton answer) {
    QObject::connect(&poll_, &QTimer::timeout, [this, answer] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        if (QAbstractButton* b = box->button(answer))
          b->click();
        else
          box->reject();
      }
    });
    poll_.start(2);
  }
  QStringList texts;

 private:
  QTimer poll_;
};

class DesktopTest : public test::MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    if (HasFatalFailure()) return;
    form->activateWindow();
    QApplication::setActiveWindow(form.get());
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(form.get(), static_cast<Qt::Key>(key), mods);
  }
  QAction* MenuAction(const char* name) {
    return form->menuBar()->findChild<QAction*>(QString::fromUtf8(name));
  }
  // A 16 x 16 picture whose pixels are all `index`, in a palette of grey steps.
  std::string Picture(const std::string& name, uint8_t index) {
    TIxDIB dib;
    dib.SetWidth(16);
    dib.SetHeight(16);
    dib.SetBitCount(8);
    dib.SetPixelFormat(ixPf8Bit);
    dib.SetPaletteSize(256);
    for (int32_t i = 0; i < 256; ++i) dib.SetColors(i, RGB(i, i, i));
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 16; ++x) dib.SetPixels(x, y, index);
    const std::string path = folder + "/" + name;
    SavePicture(path, dib);
    return path;
  }
  void Stroke() {
    QWidget* loupe = form->ViewOf(Ed().LupeView);
    const QPoint at = loupe->mapTo(form.get(), QPoint(12, 12));
    Ed().MainColor = 7;
    test::MousePress(*form, Qt::LeftButton, at);
    test::MouseRelease(*form, Qt::LeftButton, at);
  }
  // A wheel turn at a point of the window, as the window system delivers it:
  // to the window, which passes it to the widget under the mouse.
  void Wheel(QPoint at, int dy, Qt::KeyboardModifiers mods = Qt::NoModifier, int dx = 0) {
    QWindow* handle = form->windowHandle();
    QWheelEvent event(QPointF(at), QPointF(handle->mapToGlobal(at)), QPoint(), QPoint(dx, dy), Qt::NoButton,
                      mods, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::sendEvent(handle, &event);
  }
  QPoint OnLoupe() { return form->ViewOf(Ed().LupeView)->mapTo(form.get(), QPoint(100, 100)); }
  // Drags urls (or text) over the window and drops them there; true when the
  // window took the drag.
  bool Drop(const QList<QUrl>& urls, const QString& text = QString()) {
    QMimeData data;
    if (!urls.isEmpty()) data.setUrls(urls);
    if (!text.isEmpty()) data.setText(text);
    const QPoint at = form->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &drop);
    test::Wait(20);  // the file opens from the event loop, after the drop
    return drop.isAccepted();
  }
};

TEST_F(DesktopTest, MenusShowTheirKeys) {
  for (const TMenuKeys& entry : MenuKeyTable()) {
    QAction* action = MenuAction(std::string(entry.Item).c_str());
    ASSERT_NE(action, nullptr) << entry.Item;
    EXPECT_EQ(action->shortcut(), entry.Keys.constFirst()) << entry.Item;
    // The menu shows the key beside the item.
    EXPECT_FALSE(action->shortcut().toString(QKeySequence::NativeText).isEmpty());
  }
  EXPECT_EQ(MenuAction("MnUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(MenuAction("MnRedo")->shortcuts(),
            (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
  EXPECT_EQ(MenuAction("mExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(DesktopTest, ToolPenZoomAndDisplayKeysActAsTheirMenuItems) {
  const std::pair<int, uint8_t> tools[] = {{Qt::Key_L, 1}, {Qt::Key_E, 2}, {Qt::Key_F, 3},
                                           {Qt::Key_B, 4}, {Qt::Key_M, 5}, {Qt::Key_P, 0}};
  for (const auto& [key, tool] : tools) {
    Key(key);
    EXPECT_EQ(Ed().Tools.ToolNumber(), tool) << key;
  }
  EXPECT_TRUE(Ed().btPset.Down());
  Key(Qt::Key_L);
  EXPECT_TRUE(Ed().btLine.Down());
  EXPECT_FALSE(Ed().btPset.Down());

  for (int size = 1; size <= 5; ++size) {
    Key(Qt::Key_0 + size);
    EXPECT_EQ(Ed().Tools.PenSize, size);
  }
  EXPECT_TRUE(Ed().p5.Down());

  ASSERT_EQ(Ed().View.Bairitu, 3);
  Key(Qt::Key_Equal);  // "=" alone, x8 to x16
  EXPECT_EQ(Ed().View.Bairitu, 4);
  EXPECT_TRUE(Ed().x16.Down());
  Key(Qt::Key_Plus);
  EXPECT_EQ(Ed().View.Bairitu, 5);
  Key(Qt::Key_Plus);  // x32 is the end
  EXPECT_EQ(Ed().View.Bairitu, 5);
  for (int i = 0; i < 7; ++i) Key(Qt::Key_Minus);
  EXPECT_EQ(Ed().View.Bairitu, 0);
  EXPECT_TRUE(Ed().x1.Down());

  const bool grid = Ed().Views.GridOn, centre = Ed().Views.CLineOn;
  Key(Qt::Key_G);
  EXPECT_NE(Ed().Views.GridOn, grid);
  EXPECT_EQ(Ed().Views.CLineOn, centre);
  Key(Qt::Key_C);
  EXPECT_NE(Ed().Views.CLineOn, centre);
}

TEST_F(DesktopTest, ArrowsScrollTheLoupeAndShiftArrowsStepTheCell) {
  Key(Qt::Key_Plus);  // x16: the loupe shows half a 32-pixel cell
  Key(Qt::Key_Right);
  EXPECT_EQ(Ed().View.LupeX, 8);
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(Ed().View.LupeY, 16);
  Key(Qt::Key_Up);
  EXPECT_EQ(Ed().View.LupeY, 8);
  Key(Qt::Key_Left);
  EXPECT_EQ(Ed().View.LupeX, 0);

  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Ed().View.CellX, 32);
  EXPECT_EQ(Ed().View.CellY, 32);
  EXPECT_EQ(Ed().View.LupeY, 0);  // a new cell starts at its corner
  Key(Qt::Key_Left, Qt::ShiftModifier);
  Key(Qt::Key_Up, Qt::ShiftModifier);
  Key(Qt::Key_Up, Qt::ShiftModifier);  // refused at the sheet's edge
  EXPECT_EQ(Ed().View.CellX, 0);
  EXPECT_EQ(Ed().View.CellY, 0);
}

TEST_F(DesktopTest, UndoRedoAndFileKeys) {
  Stroke();
  ASSERT_EQ(Ed().Doc.AllDib->GetPixels(1, 1), 7);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(1, 1), 0);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(1, 1), 7);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(1, 1), 7);

  // The file keys run the file menu's items (their dialogs are not wanted here).
  int opened = 0, savedAs = 0, saved = 0, exited = 0;
  Ed().mLoad.OnClick = [&](TComponent*) { ++opened; };
  Ed().mSave.OnClick = [&](TComponent*) { ++savedAs; };
  Ed().mSave2.OnClick = [&](TComponent*) { ++saved; };
  Ed().mExit.OnClick = [&](TComponent*) { ++exited; };
  Key(Qt::Key_O, Qt::ControlModifier);
  Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  Key(Qt::Key_S, Qt::ControlModifier);
  Key(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(savedAs, 1);
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(exited, 1);
}

TEST_F(DesktopTest, KeysDoNothingWhileADialogIsOpen) {
  uint8_t toolDuring = 99;
  int32_t lupeDuring = -1;
  QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok,
                  form.get());
  QTimer::singleShot(0, &box, [&] {
    Key(Qt::Key_L);
    Key(Qt::Key_Plus);
    Key(Qt::Key_Right);
    // Even a key that reached an action directly is held back.
    MenuAction("MnCircle")->trigger();
    form->findChild<QAction*>(QStringLiteral("LupeRightKey"))->trigger();
    toolDuring = Ed().Tools.ToolNumber();
    lupeDuring = Ed().View.LupeX;
    box.accept();
  });
  box.exec();
  form->activateWindow();
  QApplication::setActiveWindow(form.get());
  EXPECT_EQ(toolDuring, 0);
  EXPECT_EQ(lupeDuring, 0);
  EXPECT_EQ(Ed().View.Bairitu, 3);
  // Afterwards the keys work again.
  Key(Qt::Key_L);
  EXPECT_EQ(Ed().Tools.ToolNumber(), 1);
}

TEST_F(DesktopTest, WheelOverTheLoupeScrollsItAndCtrlWheelZooms) {
  Key(Qt::Key_Plus);  // x16
  Wheel(OnLoupe(), -120);
  EXPECT_EQ(Ed().View.LupeY, 8);
  Wheel(OnLoupe(), 120);
  EXPECT_EQ(Ed().View.LupeY, 0);
  Wheel(OnLoupe(), -120, Qt::ShiftModifier);
  EXPECT_EQ(Ed().View.LupeX, 8);
  Wheel(OnLoupe(), 0, Qt::NoModifier, 120);  // a horizontal wheel scrolls sideways too
  EXPECT_EQ(Ed().View.LupeX, 0);
  // Half notches add up.
  Wheel(OnLoupe(), -60);
  EXPECT_EQ(Ed().View.LupeY, 0);
  Wheel(OnLoupe(), -60);
  EXPECT_EQ(Ed().View.LupeY, 8);

  Wheel(OnLoupe(), 120, Qt::ControlModifier);
  EXPECT_EQ(Ed().View.Bairitu, 5);
  EXPECT_EQ(Ed().View.LupeY, 0);  // a zoom starts at the cell's corner
  Wheel(OnLoupe(), -240, Qt::ControlModifier);
  EXPECT_EQ(Ed().View.Bairitu, 3);

  // Elsewhere the wheel leaves the loupe alone.
  Wheel(form->ViewOf(Ed().AllView)->mapTo(form.get(), QPoint(50, 50)), 120, Qt::ControlModifier);
  EXPECT_EQ(Ed().View.Bairitu, 3);
}

TEST_F(DesktopTest, ADroppedPictureOpensTheFirstFileOnly) {
  const std::string first = Picture("first.bmp", 9), second = Picture("second.bmp", 4);
  EXPECT_TRUE(Drop({QUrl::fromLocalFile(QString::fromStdString(first)),
                    QUrl::fromLocalFile(QString::fromStdString(second))}));
  EXPECT_EQ(Ed().Doc.FileName, first);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(3, 3), 9);
  EXPECT_FALSE(Ed().Doc.Modified());
  EXPECT_EQ(form->windowTitle(), QStringLiteral("first.bmp[*] \u2014 Pixkura"));

  // Text, a web address and a folder are no files to open.
  EXPECT_FALSE(Drop({}, QStringLiteral("hello")));
  EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/a.png"))}));
  EXPECT_FALSE(Drop({QUrl::fromLocalFile(QString::fromStdString(folder))}));
  EXPECT_EQ(Ed().Doc.FileName, first);
}

TEST_F(DesktopTest, ADropOverChangesAsksFirst) {
  const std::string picture = Picture("p.bmp", 9);
  const QUrl url = QUrl::fromLocalFile(QString::fromStdString(picture));
  // No: the change is dropped and the picture opens.
  Stroke();
  {
    TBoxAnswer no(QMessageBox::No);
    EXPECT_TRUE(Drop({url}));
    ASSERT_EQ(no.texts.size(), 1);
    EXPECT_EQ(no.texts[0], QStringLiteral("データが変更されています、上書き保存しますか？"));
  }
  EXPECT_EQ(Ed().Doc.FileName, picture);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(1, 1), 9);

  // Yes: the change is saved over the file, then the dropped picture opens.
  const std::string other = Picture("other.bmp", 4);
  Stroke();
  {
    TBoxAnswer yes(QMessageBox::Yes);
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(QString::fromStdString(other))}));
    EXPECT_EQ(yes.texts.size(), 1);
  }
  EXPECT_EQ(Ed().Doc.FileName, other);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(1, 1), 4);
  TIxDIB saved;
  saved.LoadFromFile(picture);
  EXPECT_EQ(saved.GetPixels(1, 1), 7);
}

TEST_F(DesktopTest, TheTitleShowsTheFileAndTheModifiedMarker) {
  EXPECT_EQ(form->windowTitle(), QStringLiteral("無題.bmp[*] \u2014 Pixkura"));
  EXPECT_FALSE(form->isWindowModified());
  EXPECT_EQ(form->windowHandle()->title(), QStringLiteral("無題.bmp \u2014 Pixkura"));
  Stroke();
  EXPECT_TRUE(form->isWindowModified());
  EXPECT_EQ(form->windowHandle()->title(), QStringLiteral("無題.bmp* \u2014 Pixkura"));
  Key(Qt::Key_Z, Qt::ControlModifier);  // undo keeps the sheet changed, as the editor counts it
  EXPECT_EQ(form->isWindowModified(), Ed().Doc.Modified());

  const std::string picture = Picture("hero.bmp", 3);
  {
    TBoxAnswer no(QMessageBox::No);  // the unsaved change is discarded
    form->OpenPictureFile(picture);
    EXPECT_EQ(no.texts.size(), 1);
  }
  EXPECT_EQ(form->windowFilePath(), QString::fromStdString(picture));
  EXPECT_EQ(form->windowHandle()->title(), QStringLiteral("hero.bmp \u2014 Pixkura"));
}

TEST_F(DesktopTest, ANamedFileOpensLikeTheOpenCommandWithItsMessages) {
  const std::string picture = Picture("named.bmp", 5);
  {
    TBoxAnswer watcher(QMessageBox::Ok);
    form->OpenPictureFile(picture);
    EXPECT_TRUE(watcher.texts.isEmpty());
  }
  EXPECT_EQ(Ed().Doc.FileName, picture);
  EXPECT_EQ(Ed().SBar.Panels[0].Text, picture);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(0, 0), 5);
  EXPECT_EQ(Ed().Doc.History.UndoNum, 0);

  // A missing file: the stream layer's error, the sheet as it was.
  TBoxAnswer watcher(QMessageBox::Ok);
  form->OpenPictureFile(folder + "/missing.bmp");
  ASSERT_EQ(watcher.texts.size(), 1);
  EXPECT_EQ(watcher.texts[0], QString::fromStdString("ファイル " + folder + "/missing.bmp は開けません"));
  EXPECT_EQ(Ed().Doc.FileName, picture);
}

}  // namespace
}  // namespace pixkura
