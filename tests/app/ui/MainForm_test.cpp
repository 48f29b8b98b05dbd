// The window as a user meets it: its size, every control at its place with
// its caption and tool tip, mouse and clicks reaching the editor's handlers,
// the menu, and the error report.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "app/ui/ErrorReport.h"
#include "app/ui/MainForm.h"
#include "app/ui/StatusBarView.h"
#include "base/Exception.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

namespace pixkura {
namespace {

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtTestApp();
    form = std::make_unique<TMainForm>();
    form->RunFormCreate();
    form->show();
    ASSERT_TRUE(test::WaitExposed(*form));
  }
  void TearDown() override {
    // Closing runs FormClose, which writes the settings: not wanted here.
    form.reset();
  }

  TEditor& Ed() { return form->Editor(); }
  QWidget* View(const TControl& c) { return form->ViewOf(c); }
  template <typename W>
  W* ViewAs(const TControl& c) {
    return dynamic_cast<W*>(View(c));
  }
  // A point of control c in window coordinates.
  QPoint InWindow(const TControl& c, QPoint local) { return View(c)->mapTo(form.get(), local); }
  QString Status(size_t panel) { return static_cast<TStatusBarView*>(View(Ed().SBar))->Panel(panel)->text(); }

  std::unique_ptr<TMainForm> form;
};

// While it lives, answers every message box that opens with OK and keeps its text.
class TBoxWatcher {
 public:
  TBoxWatcher() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        box->accept();
      }
    });
    poll_.start(2);
  }
  QStringList texts;

 private:
  QTimer poll_;
};

TEST_F(MainFormTest, WindowIsFixedAtTheClientSizeBelowTheMenuBar) {
  EXPECT_EQ(form->Client()->size(), QSize(785, 518));
  EXPECT_EQ(form->Client()->mapTo(form.get(), QPoint(0, 0)).y(), form->menuBar()->height());
  EXPECT_EQ(form->size(), QSize(785, 518 + form->menuBar()->height()));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  const Qt::WindowFlags flags = form->windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral(" \u2014 Pixkura")));
}

TEST_F(MainFormTest, EveryControlIsAtItsModelPlaceWithCaptionAndHint) {
  for (TControl* c : Ed().Controls) {
    SCOPED_TRACE(c->Name);
    QWidget* view = View(*c);
    ASSERT_NE(view, nullptr);
    QWidget* parent = c->Parent ? View(*c->Parent) : form->Client();
    EXPECT_EQ(view->parentWidget(), parent);
    EXPECT_EQ(view->geometry(), QRect(c->Left(), c->Top(), c->Width(), c->Height()));
    EXPECT_EQ(view->isHidden(), !c->Visible());
    EXPECT_EQ(view->toolTip(), QString::fromStdString(c->Hint));
    if (auto* b = dynamic_cast<TSpeedButton*>(c)) {
      auto* tb = qobject_cast<QToolButton*>(view);
      ASSERT_NE(tb, nullptr);
      if (!b->Caption.empty())
        EXPECT_EQ(tb->text(), QString::fromStdString(b->Caption));
      else
        EXPECT_FALSE(tb->icon().isNull()) << "a speed button without caption shows a glyph";
      EXPECT_EQ(tb->isChecked(), b->Down());
    } else if (auto* cb = dynamic_cast<TCheckBox*>(c)) {
      auto* box = qobject_cast<QCheckBox*>(view);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->text(), QString::fromStdString(cb->Caption));
      EXPECT_EQ(box->isChecked(), cb->Checked());
    } else if (auto* rg = dynamic_cast<TRadioGroup*>(c)) {
      auto* group = qobject_cast<QGroupBox*>(view);
      ASSERT_NE(group, nullptr);
      EXPECT_EQ(group->title(), QString::fromStdString(rg->Caption));
      const QList<QRadioButton*> items = group->findChildren<QRadioButton*>();
      ASSERT_EQ(items.size(), static_cast<qsizetype>(rg->Items.size()));
      for (size_t i = 0; i < rg->Items.size(); ++i) {
        EXPECT_EQ(items[i]->text(), QString::fromStdString(rg->Items[i]));
        EXPECT_EQ(items[i]->isChecked(), static_cast<int32_t>(i) == rg->ItemIndex());
      }
      // Three columns side by side on one row.
      EXPECT_EQ(items[0]->y(), items[2]->y());
      EXPECT_LT(items[0]->x(), items[1]->x());
      EXPECT_LT(items[1]->x(), items[2]->x());
    } else if (auto* sb = dynamic_cast<TScrollBar*>(c)) {
      auto* bar = qobject_cast<QScrollBar*>(view);
      ASSERT_NE(bar, nullptr);
      EXPECT_EQ(bar->orientation(), sb->Kind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal);
      EXPECT_EQ(bar->minimum(), sb->Min);
      EXPECT_EQ(bar->maximum(), sb->Max);
      EXPECT_EQ(bar->pageStep(), sb->PageSize);
      EXPECT_EQ(bar->value(), sb->Position());
    } else if (auto* tc = dynamic_cast<TTextControl*>(c)) {
      const QString expected = QString::fromStdString(tc->Text());
      if (tc->IsLabel) {
        auto* label = qobject_cast<QLabel*>(view);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), expected);
      } else {
        auto* edit = qobject_cast<QLineEdit*>(view);
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_EQ(edit->text(), expected);
      }
    }
  }
}

TEST_F(MainFormTest, StatusBarShowsFivePanelsOfTheModel) {
  const TStatusBar& bar = Ed().SBar;
  auto* view = static_cast<TStatusBarView*>(View(bar));
  int left = 0;
  for (size_t i = 0; i < bar.Panels.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(view->Panel(i)->geometry(), QRect(left, 0, bar.Panels[i].Width, bar.Height()));
    EXPECT_EQ(view->Panel(i)->text(), QString::fromStdString(bar.Panels[i].Text));
    left += bar.Panels[i].Width;
  }
  EXPECT_TRUE(view->Panel(0)->alignment().testFlag(Qt::AlignRight));
  Ed().SBar.SetText(4, "コピー");
  EXPECT_EQ(Status(4), QStringLiteral("コピー"));
}

// A press on the pen cursor lying over the loupe must act exactly like a press
// on the loupe at that point: the core shifts the shape's own coordinates.
TEST_F(MainFormTest, PressOnTheCursorShapeReachesTheLoupeHandlerWithTheSamePoint) {
  struct TCall {
    TComponent* Sender;
    int32_t X, Y;
  };
  std::vector<TCall> downs;
  for (TControl* c : {static_cast<TControl*>(&Ed().LupeView), static_cast<TControl*>(&Ed().Cur)}) {
    TMouseEvent original = c->OnMouseDown;
    c->OnMouseDown = [original, &downs](TComponent* s, TMouseButton b, TShiftState sh, int32_t x, int32_t y) {
      downs.push_back({s, x, y});
      original(s, b, sh, x, y);
    };
  }
  const int bai = Ed().View.Bai;
  const QPoint local(5 * bai + 3, 7 * bai + 1);  // loupe pixel (5, 7)

  // Without a button held the cursor follows the mouse (tracking) and the
  // status bar shows the loupe pixel; the cursor then lies under the mouse.
  test::MouseMove(*form, InWindow(Ed().LupeView, local));
  EXPECT_EQ(Status(1), QStringLiteral("5"));
  EXPECT_EQ(Status(2), QStringLiteral("7"));
  ASSERT_TRUE(View(Ed().Cur)->geometry().contains(View(Ed().LupeView)->mapToParent(local)));

  // The right button picks a colour and does not hide the cursor: press on it.
  test::MousePress(*form, Qt::RightButton, InWindow(Ed().LupeView, local));
  test::MouseRelease(*form, Qt::RightButton, InWindow(Ed().LupeView, local));
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].Sender, &Ed().Cur);
  const QPoint onCur = View(Ed().Cur)->mapFromParent(View(Ed().LupeView)->mapToParent(local));
  EXPECT_EQ(downs[0].X, onCur.x());
  EXPECT_EQ(downs[0].Y, onCur.y());
  EXPECT_EQ(Status(1), QStringLiteral("5"));
  EXPECT_EQ(Status(2), QStringLiteral("7"));

  // The same point pressed on the loupe itself, with the cursor out of the way.
  Ed().Cur.SetLeft(Ed().LupeView.Left() + 200);
  Ed().Cur.SetTop(Ed().LupeView.Top() + 200);
  test::MousePress(*form, Qt::RightButton, InWindow(Ed().LupeView, local));
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[1].Sender, &Ed().LupeView);
  EXPECT_EQ(downs[1].X, local.x());
  EXPECT_EQ(downs[1].Y, local.y());
  EXPECT_EQ(Status(1), QStringLiteral("5"));
  EXPECT_EQ(Status(2), QStringLiteral("7"));

  // The pressed widget keeps the mouse: a drag far outside still reaches the
  // loupe's handler, in the loupe's coordinates (loupe pixel -1 and 40).
  const QPoint outside = InWindow(Ed().LupeView, QPoint(-bai, 40 * bai));
  test::MouseMove(*form, outside);
  EXPECT_EQ(Status(2), QString::number((40 * bai) / bai));
  test::MouseRelease(*form, Qt::RightButton, outside);
}

// The stroke begins on the pen cursor, which the press hides: the rest of the
// drag must still arrive.
TEST_F(MainFormTest, PenStrokeDrawsIntoTheSheetAndTheStrokeIsOneUndoStep) {
  Ed().MainColor = 7;
  const int bai = Ed().View.Bai;
  const QPoint at = InWindow(Ed().LupeView, QPoint(2 * bai + 1, 3 * bai + 1));
  test::MouseMove(*form, at);
  test::MousePress(*form, Qt::LeftButton, at);
  test::MouseMove(*form, at + QPoint(bai, 0));
  test::MouseRelease(*form, Qt::LeftButton, at + QPoint(bai, 0));
  const int x = Ed().View.CellX + Ed().View.LupeX + 2, y = Ed().View.CellY + Ed().View.LupeY + 3;
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(x, y), 7);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(x + 1, y), 7);
  EXPECT_EQ(Ed().Doc.History.UndoNum, 1);
  EXPECT_FALSE(View(Ed().Cur)->isHidden()) << "the release shows the cursor again";
}

TEST_F(MainFormTest, ZoomMenuItemPutsDownItsButton) {
  auto* zoomMenu = form->menuBar()->findChild<QMenu*>(QStringLiteral("MenuBai"));
  ASSERT_NE(zoomMenu, nullptr);
  EXPECT_EQ(zoomMenu->title(), QStringLiteral("倍率"));
  auto* item = zoomMenu->findChild<QAction*>(QStringLiteral("MnBai2"));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), QStringLiteral("２倍"));
  item->trigger();
  EXPECT_EQ(Ed().View.Bai, 2);
  for (TSpeedButton* b : Ed().ZoomGroup.Buttons) {
    SCOPED_TRACE(b->Name);
    EXPECT_EQ(ViewAs<QToolButton>(*b)->isChecked(), b == &Ed().x2);
    EXPECT_EQ(b->Down(), b == &Ed().x2);
  }
  // The pictures are there once the menu opens.
  zoomMenu->popup(QPoint(0, 0));
  EXPECT_FALSE(item->icon().isNull());
  zoomMenu->hide();
}

TEST_F(MainFormTest, MenuBarHasTheTopLevelMenusInOrderAndExitActsAtOnce) {
  const QList<QAction*> top = form->menuBar()->actions();
  ASSERT_EQ(top.size(), static_cast<qsizetype>(Ed().MainMenu1.size()));
  for (size_t i = 0; i < Ed().MainMenu1.size(); ++i) {
    const TMenuItem& m = *Ed().MainMenu1[i];
    EXPECT_EQ(top[static_cast<qsizetype>(i)]->text(), QString::fromStdString(m.Caption));
    EXPECT_EQ(top[static_cast<qsizetype>(i)]->menu() != nullptr, !m.Items.empty());
  }
  auto* file = form->menuBar()->findChild<QMenu*>(QStringLiteral("File1"));
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(file->actions().size(), 9);
  EXPECT_TRUE(file->actions()[1]->isSeparator());
  EXPECT_EQ(file->actions()[4]->objectName(), QStringLiteral("mGifExport"));
  // A check item shows the editor's state when its menu opens.
  Ed().PalOps.PngTransparent = true;
  emit file->aboutToShow();
  EXPECT_TRUE(file->actions()[5]->isCheckable() && file->actions()[5]->isChecked());
  EXPECT_EQ(file->actions()[6]->objectName(), QStringLiteral("mSheetData"));
  EXPECT_TRUE(file->actions()[7]->isSeparator());
  EXPECT_EQ(file->actions()[8]->objectName(), QStringLiteral("mExit"));

  // "終了" closes the window (the close runs the core's close handlers).
  bool closed = false;
  Ed().Exit1.OnClick = [&](TComponent*) { closed = true; };
  top.back()->trigger();
  EXPECT_TRUE(closed);
}

TEST_F(MainFormTest, ClicksReachTheModels) {
  // A grouped button goes down and stays down; the others of its group go up.
  test::Click(*View(Ed().btLine));
  EXPECT_TRUE(Ed().btLine.Down());
  EXPECT_FALSE(Ed().btPset.Down());
  EXPECT_TRUE(ViewAs<QToolButton>(Ed().btLine)->isChecked());
  EXPECT_FALSE(ViewAs<QToolButton>(Ed().btPset)->isChecked());
  EXPECT_EQ(Ed().Tools.ToolNumber(), 1);
  test::Click(*View(Ed().btLine));
  EXPECT_TRUE(ViewAs<QToolButton>(Ed().btLine)->isChecked());

  // Grid never stays down, but flips the grid.
  const bool grid = Ed().Views.GridOn;
  test::Click(*View(Ed().Grid));
  EXPECT_FALSE(ViewAs<QToolButton>(Ed().Grid)->isChecked());
  EXPECT_NE(Ed().Views.GridOn, grid);

  auto* kasane = ViewAs<QCheckBox>(Ed().kasane);
  test::Click(*kasane, Qt::LeftButton, QPoint(6, kasane->height() / 2));
  EXPECT_TRUE(Ed().kasane.Checked());

  auto* lupeLay = ViewAs<QGroupBox>(Ed().LupeLay);
  QRadioButton* all = lupeLay->findChildren<QRadioButton*>()[2];
  test::Click(*all, Qt::LeftButton, QPoint(4, all->height() / 2));
  EXPECT_EQ(Ed().LupeLay.ItemIndex(), 2);

  ViewAs<QScrollBar>(Ed().StepBar)->setValue(5);
  EXPECT_EQ(Ed().StepBar.Position(), 5);
  EXPECT_EQ(ViewAs<QLineEdit>(Ed().Step)->text(), QStringLiteral("5"));
}

TEST_F(MainFormTest, ModelChangesShowInTheWidgets) {
  Ed().DrawTg.SetBounds(30, 40, 16, 16);
  Ed().DrawTg.Show();
  EXPECT_EQ(View(Ed().DrawTg)->geometry(), QRect(30, 40, 16, 16));
  EXPECT_FALSE(View(Ed().DrawTg)->isHidden());
  Ed().NiBai.SetChecked(true);
  EXPECT_TRUE(ViewAs<QCheckBox>(Ed().NiBai)->isChecked());
  Ed().x32.SetDown(true);
  EXPECT_TRUE(ViewAs<QToolButton>(Ed().x32)->isChecked());
  Ed().CSXLab.SetText("48");
  EXPECT_EQ(ViewAs<QLineEdit>(Ed().CSXLab)->text(), QStringLiteral("48"));

  // The window's place goes both ways: the settings place it, and where the
  // user moves it is what they keep.
  Ed().MainForm.SetBounds(40, 60, Ed().MainForm.Width(), Ed().MainForm.Height());
  EXPECT_EQ(form->pos(), QPoint(40, 60));
  form->move(70, 30);
  test::Wait(1);
  EXPECT_EQ(Ed().MainForm.Left(), 70);
  EXPECT_EQ(Ed().MainForm.Top(), 30);
  EXPECT_EQ(Ed().MainForm.Width(), 785);

  // The timer follows its model.
  Ed().MovTim.OnTimer = nullptr;
  Ed().MovTim.SetEnabled(true);
  EXPECT_TRUE(form->AnimationTimer().isActive());
  EXPECT_EQ(form->AnimationTimer().interval(), Ed().MovTim.Interval);
  Ed().MovTim.SetEnabled(false);
  EXPECT_FALSE(form->AnimationTimer().isActive());
}

// Image views show their picture's colours: the loupe and the copy view
// stretched over the whole control, the palette at its natural size.
TEST_F(MainFormTest, ImageViewsPaintTheirPictures) {
  auto colourAt = [](const TIxDIB& dib, int x, int y) {
    const TColor c = dib.GetColors(dib.GetPixels(x, y));
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
  };
  for (TImage* image : {&Ed().LupeView, &Ed().PalView, &Ed().CopyView, &Ed().AllView}) {
    SCOPED_TRACE(image->Name);
    const TIxDIB& dib = image->Picture;
    const QImage shown = View(*image)->grab().toImage();
    const int pw = dib.GetWidth(), ph = dib.GetHeight();
    for (int i = 0; i < 16; ++i) {
      const int x = (i * 37 + 5) % image->Width(), y = (i * 53 + 3) % image->Height();
      const int px = image->Stretch ? x * pw / image->Width() : x,
                py = image->Stretch ? y * ph / image->Height() : y;
      if (px >= pw || py >= ph) continue;
      EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFF, colourAt(dib, px, py) & 0xFFFFFF) << x << "," << y;
    }
  }
}

// Inverting pens invert what the image beneath painted.
TEST_F(MainFormTest, InvertingShapesInvertThePictureBeneath) {
  QWidget* panel = View(Ed().PanelLeft);
  const TShape& sel = Ed().PalSel;
  Ed().PalSel.Hide();
  const QImage under = panel->grab().toImage();
  Ed().PalSel.Show();
  const QImage over = panel->grab().toImage();
  // Along the frame's top edge (two pixels wide) every pixel is either left
  // alone or inverted, and the edge shows.
  int inverted = 0;
  for (int y = sel.Top(); y < sel.Top() + 2; ++y)
    for (int x = sel.Left(); x < sel.Left() + sel.Width(); ++x) {
      const QRgb a = under.pixel(x, y), b = over.pixel(x, y);
      const QRgb inv = qRgb(255 - qRed(a), 255 - qGreen(a), 255 - qBlue(a));
      EXPECT_TRUE(qRgb(qRed(b), qGreen(b), qBlue(b)) == qRgb(qRed(a), qGreen(a), qBlue(a)) ||
                  qRgb(qRed(b), qGreen(b), qBlue(b)) == inv)
          << x << "," << y;
      inverted += qRgb(qRed(b), qGreen(b), qBlue(b)) == inv;
    }
  EXPECT_GT(inverted, sel.Width() / 2);
  // Inside the frame the clear brush leaves the swatch as it is.
  EXPECT_EQ(over.pixel(sel.Left() + sel.Width() / 2, sel.Top() + sel.Height() / 2),
            under.pixel(sel.Left() + sel.Width() / 2, sel.Top() + sel.Height() / 2));
}

TEST_F(MainFormTest, AnExceptionFromAHandlerIsReportedAndTheProgramGoesOn) {
  TBoxWatcher boxes;
  Ed().btMirror.OnClick = [](TComponent*) { throw EInvalidOperation("鏡像にできません"); };
  test::Click(*View(Ed().btMirror));
  ASSERT_EQ(boxes.texts.size(), 1);
  EXPECT_EQ(boxes.texts[0], QStringLiteral("鏡像にできません"));
  EXPECT_FALSE(IsReportingError());

  // The window still works: the next click runs its handler.
  test::Click(*View(Ed().x4));
  EXPECT_EQ(Ed().View.Bai, 4);
  EXPECT_TRUE(form->isVisible());

  // A quiet stop shows nothing.
  Ed().btMirror.OnClick = [](TComponent*) { throw EAbort(); };
  test::Click(*View(Ed().btMirror));
  QApplication::processEvents();
  EXPECT_EQ(boxes.texts.size(), 1);
}

TEST_F(MainFormTest, AFailingTimerTickIsReportedOnceAndStopsTheTimer) {
  TBoxWatcher boxes;
  int ticks = 0;
  Ed().MovTim.OnTimer = [&](TComponent*) {
    ++ticks;
    throw Exception("tick failed");
  };
  Ed().MovTim.SetEnabled(true);
  test::Wait(30);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("tick failed")});
  EXPECT_FALSE(Ed().MovTim.Enabled());
  EXPECT_FALSE(form->AnimationTimer().isActive());
}

}  // namespace
}  // namespace pixkura
