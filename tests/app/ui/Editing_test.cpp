// Editing through real Qt mouse events: strokes on the loupe and on the pen
// cursor over it, a block copy picked and dropped on the sheet view, and the
// animation buttons held with any mouse button.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/ui/MainForm.h"
#include "tests/app/ui/support/MainFormFixture.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

namespace pixkura {
namespace {

class EditingTest : public test::MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    if (HasFatalFailure()) return;
    Ed().MainColor = 5;
  }
  // Window coordinates of the centre of loupe pixel (px, py) at zoom x8.
  QPoint Loupe(int px, int py) {
    return form->ViewOf(Ed().LupeView)->mapTo(form.get(), QPoint(8 * px + 4, 8 * py + 4));
  }
  QPoint Sheet(int x, int y) { return form->ViewOf(Ed().AllView)->mapTo(form.get(), QPoint(x, y)); }
};

TEST_F(EditingTest, PressDragReleaseOnTheLoupeDrawsOneUndoableStroke) {
  test::MouseMove(*form, Loupe(2, 3));
  test::MousePress(*form, Qt::LeftButton, Loupe(2, 3));
  for (int x = 3; x <= 9; ++x) test::MouseMove(*form, Loupe(x, 3));
  // Beyond the loupe's edge the grab keeps the moves coming to the loupe.
  test::MouseMove(*form, Loupe(40, 3));
  test::MouseRelease(*form, Qt::LeftButton, Loupe(40, 3));
  for (int x = 2; x <= 31; ++x) EXPECT_EQ(Ed().Doc.AllDib->GetPixels(x, 3), 5) << x;
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(32, 3), 0);
  EXPECT_EQ(Ed().Doc.History.UndoNum, 1);
  EXPECT_FALSE(Ed().Tools.Pen.PenDown);
  Ed().btUndo.Click();
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(5, 3), 0);
}

TEST_F(EditingTest, PressOnThePenCursorActsOnTheLoupeBeneath) {
  test::MouseMove(*form, Loupe(12, 12));  // the cursor frame now lies over (12, 12)
  const QWidget* cursor = form->ViewOf(Ed().Cur);
  ASSERT_TRUE(cursor->isVisible());
  ASSERT_EQ(QApplication::widgetAt(form->mapToGlobal(Loupe(12, 12))), cursor);
  test::MousePress(*form, Qt::LeftButton, Loupe(12, 12));
  test::MouseRelease(*form, Qt::LeftButton, Loupe(12, 12));
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(12, 12), 5);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(13, 12), 0);
  EXPECT_EQ(Ed().Doc.History.UndoNum, 1);
}

TEST_F(EditingTest, BlockPickedAndDroppedWithTheMouseLandsWhereTheFrameShowed) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) Ed().Doc.AllDib->SetPixels(x, y, 10 + x + y);
  test::MouseMove(*form, Sheet(3, 3));
  test::MousePress(*form, Qt::LeftButton, Sheet(3, 3));
  test::MouseRelease(*form, Qt::LeftButton, Sheet(3, 3));
  test::MouseMove(*form, Sheet(12, 12));  // span to 16 x 16
  test::MousePress(*form, Qt::LeftButton, Sheet(12, 12));
  test::MouseRelease(*form, Qt::LeftButton, Sheet(12, 12));
  ASSERT_TRUE(Ed().Copy.CopyReady());
  test::MouseMove(*form, Sheet(101, 60));
  const QWidget* frame = form->ViewOf(Ed().CopySel);
  const QPoint shown = frame->mapTo(form.get(), QPoint(0, 0)) - Sheet(0, 0);
  EXPECT_EQ(shown, QPoint(96, 56));
  test::MousePress(*form, Qt::LeftButton, Sheet(101, 60));
  test::MouseRelease(*form, Qt::LeftButton, Sheet(101, 60));
  EXPECT_FALSE(Ed().Copy.CopyReady());
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(96, 56), 10);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(111, 71), 40);
  EXPECT_EQ(Ed().Doc.History.UndoNum, 1);
}

TEST_F(EditingTest, AnimationButtonsPlayWhileHeldWithAnyButton) {
  QWidget* up = form->ViewOf(Ed().MovUp);
  const QPoint at = up->mapTo(form.get(), up->rect().center());
  test::MousePress(*form, Qt::RightButton, at);
  EXPECT_TRUE(Ed().MovTim.Enabled());
  EXPECT_TRUE(form->AnimationTimer().isActive());
  test::MouseRelease(*form, Qt::RightButton, at);
  EXPECT_FALSE(Ed().MovTim.Enabled());
}

}  // namespace
}  // namespace pixkura
