// The onion skin: ghost cells, tints, the loupe's pixels, settings, redraws.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "support/EditorFixture.h"

namespace pixkura::testing {
namespace {

constexpr uint8_t kToumei = 200;  // see PlainLoupeSettings

TEST(OnionSkinGhosts, RunsOfStepCellsLoopAtTheirEnds) {
  struct TCase {
    int32_t column, step, before, after;
    std::vector<std::array<int32_t, 3>> ghosts;  // column, distance, before 1 / after 0; farthest first
  };
  const std::vector<TCase> cases = {
      {1, 4, 2, 1, {{3, 2, 1}, {2, 1, 0}, {0, 1, 1}}},  // frame 1 of 0-3: two back loops to 3
      {5, 4, 3, 3, {{4, 3, 0}, {6, 3, 1}, {7, 2, 0}, {7, 2, 1}, {6, 1, 0}, {4, 1, 1}}},
      {3, 2, 1, 1, {{2, 1, 0}, {2, 1, 1}}},  // a two-frame run: the same cell both ways
      {4, 1, 3, 3, {}},                      // a run of one: only the cell itself
      {7, 3, 1, 1, {{6, 1, 1}}},             // run 6-8: cell 8 lies beyond the sheet
  };
  for (const TCase& c : cases) {
    TOnionSkin onion;
    onion.Before = c.before, onion.After = c.after;
    TLoupeViewport view;
    view.CellX = c.column * view.ChrX;
    TOnionSkin::TGhosts ghosts;
    std::vector<std::array<int32_t, 3>> got;
    for (int32_t i = 0; i < onion.GhostCells(view, c.step, ghosts); ++i)
      got.push_back({ghosts[size_t(i)].X / view.ChrX, ghosts[size_t(i)].Distance, ghosts[size_t(i)].IsBefore});
    EXPECT_EQ(got, c.ghosts) << "column " << c.column << " step " << c.step;
  }
}

// Black but for a red and a blue entry: a white ghost before the cell turns
// red, after it blue, and far away fades to black (never the transparent 0).
TEST(OnionSkinTints, NearestEntriesOfTheTintedColoursFollowThePalette) {
  std::array<TRGBQuad, 256> colors{};
  colors[77] = {40, 40, 200, 0};  // blue, green, red
  colors[78] = {200, 80, 40, 0};
  colors[255] = {255, 255, 255, 0};
  TOnionSkin onion;
  onion.UpdateTints(colors.data(), 0);
  EXPECT_EQ(onion.Tint(1, true, 255), 77);
  EXPECT_EQ(onion.Tint(1, false, 255), 78);
  EXPECT_TRUE(onion.Tint(3, true, 255) != 0 && onion.Tint(3, true, 255) != 77);
  std::swap(colors[77], colors[78]);
  onion.UpdateTints(colors.data(), 0);
  EXPECT_EQ(onion.Tint(1, true, 255), 78);
}

// Cell 1 of the top row at zoom 8: its left half transparent, its right half
// 50 but for every other column in its bottom rows (rows of one run of holes,
// rows of scattered ones); cell 0, the frame before it, transparent above and
// 60 below.
TEST(OnionSkinLoupe, TheFrameBeforeShowsTintedInTheCellsHolesOnly) {
  TEditorFixture f;
  TEditorSettings s = PlainLoupeSettings(3);
  s.Onion = true;
  TEditor& e = f.Start(s);
  const auto hole = [](int32_t x, int32_t y) { return x < 48 || (y >= 24 && x % 2); };
  PaintSheet(e, 0, 0, 64, 32, [&](int32_t x, int32_t y) { return x < 32 ? (y < 8 ? kToumei : 60) : hole(x, y) ? kToumei : 50; });
  e.View.CellX = 32;
  RefillChrDib(e);
  e.RedrawLoupe();
  const uint8_t ghost = e.Onion.Tint(1, true, 60);
  EXPECT_NE(ghost, 60);
  for (int32_t y = 0; y < 256; y += 4)
    for (int32_t x = 0; x < 256; x += 4)
      ASSERT_EQ(e.Views.LupeDib->GetPixels(x, y), !hole(32 + x / 8, y / 8) ? 50 : y >= 64 ? ghost : kToumei) << x << ", " << y;
  EXPECT_EQ(e.Doc.AllDib->GetPixels(32, 20), kToumei);  // the sheet and the working cell have no ghost
  EXPECT_EQ(e.Tools.Cell.ChrDib.GetPixels(0, 20), kToumei);
  PaintSheet(e, 0, 20, 1, 1, [](int32_t, int32_t) { return kToumei; });  // the ghost frame changes: so does its ghost
  e.RedrawLoupe();
  EXPECT_EQ(e.Views.LupeDib->GetPixels(4, 160), kToumei);
  EXPECT_EQ(e.Views.LupeDib->GetPixels(12, 160), ghost);
  f.LoupeRepaints = 0;
  e.StepBar.SetPosition(3);  // other runs: a redraw
  EXPECT_EQ(f.LoupeRepaints, 1);
  e.MnOnion.Click();  // off: the sheet again, and no redraw for the step
  EXPECT_EQ(e.Views.LupeDib->GetPixels(0, 200), kToumei);
  e.StepBar.SetPosition(2);
  EXPECT_EQ(f.LoupeRepaints, 2);
  EXPECT_FALSE(e.CurrentSettings().Onion);
}

TEST(OnionSkinSettings, StoredFrameCountsOutsideTheirRangesKeepTheDefaults) {
  for (const auto& [before, after, wantBefore, wantAfter] :
       std::array<std::array<int32_t, 4>, 4>{{{3, 0, 3, 0}, {1, 3, 1, 3}, {4, -1, 1, 0}, {0, 4, 1, 0}}}) {
    TEditorFixture f;
    TEditorSettings s;
    s.OnionBefore = before, s.OnionAfter = after;
    TEditor& e = f.Start(s);
    EXPECT_EQ(e.Onion.Before, wantBefore);
    EXPECT_EQ(e.CurrentSettings().OnionAfter, wantAfter);
  }
}

}  // namespace
}  // namespace pixkura::testing
