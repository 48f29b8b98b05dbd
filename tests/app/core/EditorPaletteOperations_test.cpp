// The editor's palette operations: swatch drags and the palette menu apply the
// reorder their picks choose, pixels following, as one undo step between
// strokes. The session fuzzer checks the views, marks and colours after each.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "formats/png.h"
#include "support/EditorFixture.h"

namespace pixkura::testing {
namespace {

struct TShown {  // the sheet's indices, the palette and every pixel's colour
  std::vector<uint8_t> Indices;
  std::vector<TColor> Palette, Pixels;
  bool operator==(const TShown&) const = default;
};

struct PaletteOperationsTest : ::testing::Test {
  TEditorFixture f;
  TEditor* e = &f.Start();
  void SetUp() override {
    std::array<TColor, 256> colours{};
    for (int32_t i = 0; i < 256; ++i) colours[size_t(i)] = RGB(i * 53 % 256, i * 97 % 256, 255 - i);
    colours[40] = colours[12], colours[90] = colours[3];  // duplicates
    e->SetMasterPalette(colours);
    const uint8_t used[] = {3, 12, 40, 90, 60, 20, 100, 150, 61, 255};  // 7 and 200 unused
    PaintSheet(*e, 0, 0, 256, 256, [&](int32_t x, int32_t y) { return used[(x / 3 + y / 5) % 10]; });
    e->RefreshChrDib();
    e->MainColor = 20, e->Toumei = 60;  // the picks choose the range 20..60
    e->Doc.History.Forget();
  }
  TShown Shown() const {
    TShown s{{}, PaletteColorsOf(*e->Doc.PalDib), {}};
    for (int32_t p = 0; p < 65536; ++p)
      s.Indices.push_back(uint8_t(e->Doc.AllDib->GetPixels(p % 256, p / 256)));
    for (uint8_t i : s.Indices) s.Pixels.push_back(s.Palette[i]);
    return s;
  }
  void Press(int32_t x, int32_t y, bool shift = false) {
    e->PalMouse(&e->PalView, TMouseButton::mbLeft, {shift}, x, y);
  }
  void Drag(uint8_t from, uint8_t to, bool shift = false) {
    for (uint8_t i : {from, to}) Press(8 * (i % 32) + 4, 12 * (i / 32) + 6, shift);
  }
  void Draw(int32_t x) {
    e->LupeViewMouseDown(&e->LupeView, TMouseButton::mbLeft, {}, x, 4);
    e->LupeViewMouseUp(&e->LupeView, TMouseButton::mbLeft, {}, x, 4);
  }
};

TEST_F(PaletteOperationsTest, EachAppliesItsReorderKeepingColoursAsOneStepBetweenStrokes) {
  using P = const std::vector<TColor>&;
  using U = const TEntryUse&;
  using TCase = std::tuple<const char*, std::function<void()>, uint8_t, std::function<TPaletteReorder(P, U)>>;
  for (const auto& [name, run, dragged, expected] : std::vector<TCase>{
           {"swap", [&] { Drag(12, 100); }, 12, [](P p, U) { return SwapEntries(p, 12, 100); }},
           {"move", [&] { Drag(10, 70, true); }, 10, [](P p, U) { return MoveEntry(p, 10, 70); }},
           {"lum", [&] { e->MnPalSortLum.Click(); }, 20, [](P p, U) { return SortByLuminance(p, 20, 60); }},
           {"hue", [&] { e->MnPalSortHue.Click(); }, 20, [](P p, U) { return SortByHue(p, 20, 60); }},
           {"use", [&] { e->MnPalSortUse.Click(); }, 20, [](P p, U u) { return SortByUse(p, u, 20, 60); }},
           {"merge", [&] { e->MnPalMerge.Click(); }, 20, [](P p, U) { return MergeDuplicates(p); }},
           {"compact", [&] { e->MnPalCompact.Click(); }, 20,
            [](P p, U u) { return CompactEntries(p, u, 60); }},
           {"to 0", [&] { e->MnPalToZero.Click(); }, 20, [](P p, U) { return SwapEntries(p, 60, 0); }}}) {
    SCOPED_TRACE(name);
    SetUp();
    Draw(4);  // a stroke before and after, in the main colour's new entry
    std::vector<TShown> states{Shown()};
    const TPaletteReorder want = expected(states[0].Palette, CountEntryUse(*e->Doc.AllDib));
    run();
    states.push_back(Shown());
    EXPECT_EQ(states[1].Pixels, states[0].Pixels);
    EXPECT_EQ(states[1].Palette, want.Colors);
    for (size_t p = 0; p < 65536; ++p) ASSERT_EQ(states[1].Indices[p], want.Map[states[0].Indices[p]]) << p;
    EXPECT_EQ(e->MainColor, want.Map[dragged]);
    EXPECT_EQ(e->Toumei, want.Map[60]);
    EXPECT_EQ(e->Doc.History.UndoNum, 2);
    Draw(20);
    states.push_back(Shown());
    for (const auto& [button, k] :
         {std::pair{&e->btUndo, 1}, {&e->btUndo, 0}, {&e->btRedo, 1}, {&e->btRedo, 2}}) {
      button->Click();
      EXPECT_EQ(Shown(), states[size_t(k)]) << k;
    }
  }
}

TEST_F(PaletteOperationsTest, ADragMovesOnlyPastTheThresholdOntoAnotherSwatchAndNothingMovedIsNoStep) {
  constexpr int32_t t = TPaletteOperations::kDragThreshold;
  using TCase = std::tuple<int32_t, int32_t, int32_t, int32_t>;  // press x; release x, y; undo steps after
  for (const auto& [pressX, releaseX, releaseY, steps] :
       {TCase{7, 7 + t, 0, 0}, TCase{7, 8 + t, 0, 1}, TCase{1, 6, 11, 1}, TCase{4, 300, 6, 1}}) {
    Press(pressX, 0);
    Press(releaseX, releaseY);
    EXPECT_EQ(e->Doc.History.UndoNum, steps) << releaseX;
  }
  e->MainColor = e->Toumei = 150;  // sorts of one entry move nothing
  for (TMenuItem* m : {&e->MnPalSortLum, &e->MnPalSortHue, &e->MnPalSortUse}) m->Click();
  EXPECT_EQ(e->Doc.History.UndoNum, 1);
}

TEST_F(PaletteOperationsTest, AWaitingBlockFollowsMarksAreCrossesAndPngsTakeTheTransparentPick) {
  e->Copy.Hold(2, 1, std::vector<uint8_t>{12, 60}.data(), std::nullopt);
  e->MnPalToZero.Click();
  EXPECT_EQ(e->Copy.CopyDib->GetPixels(1, 0), 0);
  for (const bool on : {true, false}) {
    e->MnPalUnused.Click();
    EXPECT_EQ(e->MnPalUnused.Checked(), on);
    EXPECT_EQ(e->Doc.PalDib->GetPixels(8 * 7 + 1, 3) != 7, on);  // a corner of 7's cross
  }
  TEditorSettings s;
  s.PngTransparent = true;
  e->ReadSettings(s);
  f.Host.DialogAnswer = f.Folder.File("on.png");
  e->mSaveClick(nullptr);  // the waiting block
  EXPECT_EQ(ReadBytes(f.Host.DialogAnswer), EncodePNG(*e->Copy.CopyDib, TPNGOptions{e->Toumei}));
  e->mPngTransparent.Click();
  EXPECT_FALSE(e->CurrentSettings().PngTransparent);
}

}  // namespace
}  // namespace pixkura::testing
