// Pointer positions under fractional display scaling (a scale factor of 1.5):
// Qt then reports positions between pixels, and every view acts on the pixel
// the pointer lies in, never on the next one by rounding.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>

#include "app/ui/MainForm.h"
#include "app/ui/MouseForwarding.h"
#include "tests/app/ui/support/MainFormFixture.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

namespace pixkura {
namespace {

// Before the one application of this program is made.
const bool kScaled = [] { return setenv("QT_SCALE_FACTOR", "1.5", 1) == 0; }();

class FractionalScalingTest : public test::MainFormFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kScaled);
    MainFormFixture::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_DOUBLE_EQ(form->devicePixelRatioF(), 1.5);
    Ed().MainColor = 5;
  }
  // A point of a view, in window coordinates, between pixels.
  QPointF At(const TControl& view, double x, double y) {
    return QPointF(form->ViewOf(view)->mapTo(form.get(), QPoint(0, 0))) + QPointF(x, y);
  }
  void ClickAt(QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    test::MouseMove(*form, at);
    test::MousePress(*form, button, at);
    test::MouseRelease(*form, button, at);
  }
};

TEST_F(FractionalScalingTest, APositionBetweenPixelsBelongsToThePixelItLiesIn) {
  EXPECT_EQ(PixelOf(QPointF(15.6, 0.4)), QPoint(15, 0));
  EXPECT_EQ(PixelOf(QPointF(-0.5, 2.99)), QPoint(-1, 2));  // left of the widget is outside it
}

TEST_F(FractionalScalingTest, TheLoupeDrawsOnThePixelUnderThePointer) {
  Ed().x16.Click();
  // 15.6 screen pixels lie in loupe pixel 0 (0..15); rounded they would be 16.
  ClickAt(At(Ed().LupeView, 15.6, 31.6));
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(0, 1), 5);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(1, 1), 0);
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(0, 2), 0);
  // A stroke ends on the pixel under the pointer too.
  test::MousePress(*form, Qt::LeftButton, At(Ed().LupeView, 40.2, 8.5));
  test::MouseMove(*form, At(Ed().LupeView, 95.7, 8.5));
  test::MouseRelease(*form, Qt::LeftButton, At(Ed().LupeView, 95.7, 8.5));
  for (int x = 2; x <= 5; ++x) EXPECT_EQ(Ed().Doc.AllDib->GetPixels(x, 0), 5) << x;
  EXPECT_EQ(Ed().Doc.AllDib->GetPixels(6, 0), 0);
}

TEST_F(FractionalScalingTest, ThePaletteAndTheSheetViewPickThePixelUnderThePointer) {
  // Swatch 0 covers 0..7 x 0..11; rounded, (7.6, 11.6) would be swatch 33.
  ClickAt(At(Ed().PalView, 7.6, 11.6));
  EXPECT_EQ(Ed().MainColor, 0);
  ClickAt(At(Ed().PalView, 23.5, 0.5), Qt::RightButton);
  EXPECT_EQ(Ed().Toumei, 2);
  // A free-start block begins at the sheet pixel under the pointer.
  Ed().SFree.SetChecked(true);
  ClickAt(At(Ed().AllView, 10.7, 3.6));
  EXPECT_EQ(Ed().Copy.CopyX, 10);
  EXPECT_EQ(Ed().Copy.CopyY, 3);
}

}  // namespace
}  // namespace pixkura
