// Layer mode: the halves or quadrants of the sheet stacked, Toumei pixels as
// holes. Checked on the composites and on the loupe at zoom x1 (one loupe
// pixel per sheet pixel), and the half-density display at x1, x2 and x4.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>
#include <vector>

#include "support/EditorFixture.h"

namespace pixkura::testing {
namespace {

constexpr uint8_t kToumei = 200;

// Each half and quadrant has its own values and its own holes; local pixel
// (5, 5) is a hole in every one of them.
int32_t LayeredValue(int32_t x, int32_t y) {
  const int32_t lx = x % 128, ly = y % 128, q = x / 128 + 2 * (y / 128);
  if ((lx == 5 && ly == 5) || (lx * 7 + ly * 3 + q) % 4 == 0) return kToumei;
  return 10 + 20 * q + (lx + ly) % 7;
}

// The stack as the test sees it: origins bottom to top and the cell's layer.
struct Stack {
  std::vector<std::pair<int32_t, int32_t>> origins;
  size_t own;
};
const std::vector<std::pair<int32_t, int32_t>> kHalves{{0, 128}, {0, 0}};
const std::vector<std::pair<int32_t, int32_t>> kQuadrants{{128, 128}, {0, 128}, {128, 0}, {0, 0}};

// What shows at sheet pixel (x, y) of the cell's layer looking down from layer
// `top`: the first layer without a hole there, else the lowest layer's pixel.
int32_t Seen(const TEditor& e, const Stack& s, size_t top, int32_t x, int32_t y) {
  const int32_t ox = s.origins[s.own].first, oy = s.origins[s.own].second;
  auto at = [&](size_t layer) {
    const int32_t cx = x - ox + s.origins[layer].first, cy = y - oy + s.origins[layer].second;
    return cx < 0 || cy < 0 ? int32_t{kToumei} : e.Doc.AllDib->GetPixels(cx, cy);
  };
  for (size_t layer = top; layer > 0; --layer)
    if (at(layer) != kToumei) return at(layer);
  return at(0);
}

struct LayersTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = nullptr;

  void SetUp() override {
    e = &f.Start(PlainLoupeSettings(0));
    PaintSheet(*e, 0, 0, 256, 256, LayeredValue);
  }
  void Show(int32_t cellX, int32_t cellY, bool fourWay, int32_t lupeLay) {
    e->View.CellX = cellX;
    e->View.CellY = cellY;
    e->YONBUN.SetChecked(fourWay);
    e->LupeLay.SetItemIndex(lupeLay);
    e->kasane.SetChecked(true);
    e->RedrawLoupe();
  }
  // The loupe at x1 over the 32 x 32 cell shows `expected` of each sheet pixel.
  template <typename F>
  void ExpectCellInLoupe(F expected) {
    for (int32_t y = 0; y < 32; ++y)
      for (int32_t x = 0; x < 32; ++x)
        ASSERT_EQ(e->Views.LupeDib->GetPixels(x, y), expected(e->View.CellX + x, e->View.CellY + y)) << x << "," << y;
  }
};

TEST_F(LayersTest, TopHalfCellLiesOverTheBottomHalfInBothComposites) {
  Show(32, 32, false, 1);
  const Stack s{kHalves, 1};
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, s, 1, x, y); });
  for (int32_t y = 32; y < 64; ++y)
    for (int32_t x = 32; x < 64; ++x) ASSERT_EQ(e->Views.LayAllDib.GetPixels(x, y), e->Views.LayDib.GetPixels(x, y));
  e->LupeLay.SetItemIndex(2);
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, s, 1, x, y); });
  Show(0, 0, false, 2);
  EXPECT_EQ(e->Views.LupeDib->GetPixels(5, 5), kToumei);  // a hole in both halves stays a hole
}

TEST_F(LayersTest, BottomHalfCellIsAloneBelowAndUnderTheTopHalfInAll) {
  Show(96, 160, false, 1);
  ExpectCellInLoupe([](int32_t x, int32_t y) { return LayeredValue(x, y); });
  e->LupeLay.SetItemIndex(2);
  const Stack s{kHalves, 0};
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, s, 1, x, y); });
}

TEST_F(LayersTest, FourWayTopLeftCellMergesAllQuadrantsAlready) {
  Show(0, 0, true, 1);
  const Stack s{kQuadrants, 3};
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, s, 3, x, y); });
  EXPECT_EQ(e->Views.LupeDib->GetPixels(5, 5), kToumei);
}

TEST_F(LayersTest, FourWayBottomRightCellIsAloneBelowAndAtTheBottomOfAll) {
  Show(160, 192, true, 1);
  ExpectCellInLoupe([](int32_t x, int32_t y) { return LayeredValue(x, y); });
  e->LupeLay.SetItemIndex(2);
  const Stack s{kQuadrants, 0};
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, s, 3, x, y); });
  // Top-right and bottom-left cells see the layers in between.
  Show(160, 32, true, 2);
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, Stack{kQuadrants, 2}, 3, x, y); });
  e->LupeLay.SetItemIndex(1);
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, Stack{kQuadrants, 2}, 2, x, y); });
  Show(32, 160, true, 1);
  ExpectCellInLoupe([&](int32_t x, int32_t y) { return Seen(*e, Stack{kQuadrants, 1}, 1, x, y); });
}

TEST_F(LayersTest, FourWayAllIsBuiltOnlyWhenAViewShowsIt) {
  e->ViewLay.SetItemIndex(0);
  e->Views.LayAllDib.SetPixels(40, 40, 7);
  Show(32, 32, true, 1);
  EXPECT_EQ(e->Views.LayAllDib.GetPixels(40, 40), 7);
  e->ViewLay.SetItemIndex(2);
  EXPECT_EQ(e->Views.LayAllDib.GetPixels(40, 40), Seen(*e, Stack{kQuadrants, 3}, 3, 40, 40));
}

TEST_F(LayersTest, ItemNoneShowsTheSheetAndLayerModeNeverChangesIt) {
  Show(32, 32, false, 0);
  ExpectCellInLoupe([](int32_t x, int32_t y) { return LayeredValue(x, y); });
  for (int32_t y = 0; y < 256; y += 3)
    for (int32_t x = 0; x < 256; x += 5) ASSERT_EQ(e->Doc.AllDib->GetPixels(x, y), LayeredValue(x, y));
}

TEST_F(LayersTest, CellStraddlingTheMiddleLineIsClippedNotRejected) {
  // A 48-pixel-high cell at row 96 reaches past row 128: it is a bottom-half
  // cell whose counterpart rows 96..127 would lie above the sheet.
  e->View.ChrY = 48;
  Show(0, 96, false, 2);
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 32; ++x) {
      const int32_t sy = 96 + y;
      const int32_t above = sy >= 128 ? LayeredValue(x, sy - 128) : kToumei;
      ASSERT_EQ(e->Views.LupeDib->GetPixels(x, y), above != kToumei ? above : LayeredValue(x, sy)) << x << "," << y;
    }
}

TEST_F(LayersTest, FrameCompositeGoesStraightIntoLayAllDib) {
  e->YONBUN.SetChecked(true);
  const Stack s{kQuadrants, 1};  // a frame at (32, 160) lies in the bottom-left quadrant
  e->ComposeLayerFrame(32, 160, false);
  for (int32_t y = 160; y < 192; ++y)
    for (int32_t x = 32; x < 64; ++x) ASSERT_EQ(e->Views.LayAllDib.GetPixels(x, y), Seen(*e, s, 1, x, y));
  e->ComposeLayerFrame(32, 160, true);
  for (int32_t y = 160; y < 192; ++y)
    for (int32_t x = 32; x < 64; ++x) ASSERT_EQ(e->Views.LayAllDib.GetPixels(x, y), Seen(*e, s, 3, x, y));
}

TEST_F(LayersTest, AtHighZoomTheCompositesCoverTheWholeCell) {
  // x16 shows 16 x 16 of the 32 x 32 cell; the views and the eyedropper read
  // all of it, so all of it is composed.
  e->x16.Click();
  e->NomChk.SetChecked(true);
  Show(32, 32, false, 2);
  const Stack s{kHalves, 1};
  for (int32_t y = 32; y < 64; ++y)
    for (int32_t x = 32; x < 64; ++x) {
      ASSERT_EQ(e->Views.LayDib.GetPixels(x, y), Seen(*e, s, 1, x, y)) << x << "," << y;
      ASSERT_EQ(e->Views.LayAllDib.GetPixels(x, y), Seen(*e, s, 1, x, y)) << x << "," << y;
      ASSERT_EQ(e->Views.NomDib->GetPixels(x - 32, y - 32), Seen(*e, s, 1, x, y)) << x << "," << y;
    }
  // A change in the hidden part reaches the views at once.
  e->Doc.AllDib->SetPixels(60, 60, 77);
  e->RedrawLoupe();
  EXPECT_EQ(e->Views.NomDib->GetPixels(28, 28), 77);
}

TEST_F(LayersTest, TheAnimationLeavesTheEyedropperTheCellsOwnComposite) {
  // The loupe shows "all", the animation "below": the first frame of the up
  // row is the cell itself, composed into LayAllDib by the animation.
  e->ViewLay.SetItemIndex(1);
  Show(0, 128, true, 2);  // bottom-left quadrant, under the two top quadrants
  const Stack s{kQuadrants, 1};
  int32_t x = 0, y = 128;  // a pixel where the layers above cover the cell
  while (Seen(*e, s, 3, x, y) == Seen(*e, s, 1, x, y)) ++x;
  ASSERT_LT(x, 32);
  e->MovMouseDown(&e->MovUp, TMouseButton::mbLeft, {}, 0, 0);
  ASSERT_TRUE(e->MovTim.Enabled());
  e->MovTimTimer(&e->MovTim);
  e->MovMouseUp(&e->MovUp, TMouseButton::mbLeft, {}, 0, 0);
  // Shift + right button picks from the composite the loupe shows.
  e->LupeViewMouseDown(&e->LupeView, TMouseButton::mbRight, TShiftState{true}, x, 0);
  e->LupeViewMouseUp(&e->LupeView, TMouseButton::mbRight, TShiftState{true}, x, 0);
  EXPECT_EQ(e->MainColor, Seen(*e, s, 3, x, y));
}

// Half density: holes of the cell show the colour beneath mixed with a dither
// index, as pattern blocks of the zoom's size.
struct HalfDensity : LayersTest, ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(HalfDensity, HolesShowTheLayerBelowAtHalfDensity) {
  const auto [bairitu, kuro] = GetParam();
  const std::array<TSpeedButton*, 3> zooms{&e->x1, &e->x2, &e->x4};
  e->XClick(zooms[static_cast<size_t>(bairitu)]);
  e->LupeBack.SetChecked(true);
  e->KURO.SetChecked(kuro);
  Show(32, 32, false, 1);
  const uint8_t dither = kuro ? e->DarkIdx() : kToumei;
  const Stack s{kHalves, 1};
  const int32_t bai = 1 << bairitu;
  for (int32_t y = 0; y < 32 * bai; ++y)
    for (int32_t x = 0; x < 32 * bai; ++x) {
      const int32_t sx = 32 + x / bai, sy = 32 + y / bai, i = x % bai, j = y % bai;
      const int32_t below = Seen(*e, s, 1, sx, sy);
      bool first = true;  // the colour below, else the dither index
      if (LayeredValue(sx, sy) == kToumei) {
        if (bairitu == 1) first = (i + j) % 2 == 0;
        if (bairitu == 2) first = (j % 2 == 0) == (i < 2);
      }
      ASSERT_EQ(e->Views.LupeDib->GetPixels(x, y), first ? below : dither) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(ZoomOneTwoFour, HalfDensity,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Bool()));

}  // namespace
}  // namespace pixkura::testing
