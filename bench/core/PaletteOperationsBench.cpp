// The editor's palette operations on the full 256 x 256 sheet as a user runs
// them: the undo step, the pixels moved, the palette spread to every bitmap
// and the views redrawn. Each operation is undone outside the timing, so
// every run does the work. And the unused-entry marks brought up to date
// after a pixel changed. Run with --benchmark_repetitions=... and read the medians.
#include <benchmark/benchmark.h>

#include <array>
#include <functional>

#include "bench/support/BenchEditor.h"

namespace pixkura {
namespace {

using bench::TBenchEditor;

void Operation(benchmark::State& state, const std::function<void(TEditor&)>& run) {
  TBenchEditor bench;
  TEditor& e = *bench;
  std::array<TColor, 256> colours{};  // no order by any key, so that every sort moves entries
  for (int32_t i = 0; i < 256; ++i) colours[size_t(i)] = RGB(i * 53 % 256, i * 97 % 256, i * 29 % 256);
  e.SetMasterPalette(colours);
  for (auto _ : state) {
    state.PauseTiming();
    // Undo brings back the sheet, not the picks: sorts run over entries 10..240 each time.
    e.MainColor = 10;
    e.Toumei = 240;
    state.ResumeTiming();
    const uint64_t changes = e.Doc.Changes();
    run(e);
    state.PauseTiming();
    if (e.Doc.Changes() == changes) {
      state.SkipWithError("the operation changed nothing");
      break;
    }
    e.btUndo.Click();
    state.ResumeTiming();
  }
}

void Drag(TEditor& e, TShiftState shift) {
  e.PalMouse(&e.PalView, TMouseButton::mbLeft, shift, 8 * 12 + 4, 6);
  e.PalMouse(&e.PalView, TMouseButton::mbLeft, shift, 8 * 4 + 4, 12 * 3 + 6);  // entry 100
}

BENCHMARK_CAPTURE(Operation, Swap, [](TEditor& e) { Drag(e, {}); })->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Operation, Move, [](TEditor& e) { Drag(e, {true}); })->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Operation, SortLuminance, [](TEditor& e) {
  e.MnPalSortLum.Click();
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Operation, SortHue, [](TEditor& e) {
  e.MnPalSortHue.Click();
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Operation, SortUse, [](TEditor& e) {
  e.MnPalSortUse.Click();
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Operation, Compact, [](TEditor& e) {
  e.MnPalCompact.Click();
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Operation, TransparentToZero, [](TEditor& e) {
  e.MnPalToZero.Click();
})->Unit(benchmark::kMicrosecond);

// A pixel changes between 250 and 251, both otherwise unused: two marks change each time.
void UnusedMarks(benchmark::State& state) {
  TBenchEditor bench;
  TEditor& e = *bench;
  e.PalOps.Marks.On = true;
  uint8_t pixel = 250;
  for (auto _ : state) {
    pixel = pixel == 250 ? 251 : 250;
    e.Doc.AllDib->SetPixels(0, 0, pixel);
    e.PalOps.ShowUnusedMarks();
  }
}
BENCHMARK(UnusedMarks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
