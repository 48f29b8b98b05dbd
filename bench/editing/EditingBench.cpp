// The editing hot paths: one pen segment through the core, an undo snapshot,
// the special views, and the loupe redraw with them. Release build; read the
// medians of --benchmark_repetitions.
#include <benchmark/benchmark.h>

#include "bench/support/BenchEditor.h"

namespace pixkura::bench {
namespace {

constexpr TShiftState kNoShift{};

// One pen segment as a mouse move makes it: SquarePenLine into the cell,
// StoreCell, the sheet view's repaint request and RedrawLoupe.
void BM_PenSegment(benchmark::State& state) {
  TEditorSettings s;
  s.PenSize = static_cast<int32_t>(state.range(0));
  TBenchEditor bench(s);
  TEditor& e = *bench;
  e.LupeViewMouseDown(&e.LupeView, TMouseButton::mbLeft, kNoShift, 8, 8);
  int32_t step = 0;
  for (auto _ : state) {
    // Back and forth across the cell so every move is a new loupe pixel.
    const int32_t x = 8 * (1 + step % 30);
    const int32_t y = 8 * (1 + (step / 30) % 30);
    e.LupeViewMouseMove(&e.LupeView, kNoShift, x, y);
    ++step;
  }
  e.LupeViewMouseUp(&e.LupeView, TMouseButton::mbLeft, kNoShift, 0, 0);
}
BENCHMARK(BM_PenSegment)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

void BM_TakeSnapshot(benchmark::State& state) {
  TBenchEditor bench;
  TEditor& e = *bench;
  for (auto _ : state) e.TakeSnapshot();
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kNanosecond);

void SpecialViewsOn(TEditor& e) {
  e.NomChk.SetChecked(true);
  e.RevChk.SetChecked(true);
  e.NARABE.SetChecked(true);
  e.NiBai.SetChecked(true);
}

void BM_RedrawSpecialViews(benchmark::State& state) {
  TBenchEditor bench;
  TEditor& e = *bench;
  SpecialViewsOn(e);
  for (auto _ : state) e.RedrawSpecialViews();
}
BENCHMARK(BM_RedrawSpecialViews)->Unit(benchmark::kMicrosecond);

void BM_RedrawLoupeWithSpecialViews(benchmark::State& state) {
  TBenchEditor bench;  // zoom x8
  TEditor& e = *bench;
  SpecialViewsOn(e);
  e.kasane.SetChecked(true);
  e.YONBUN.SetChecked(true);
  for (auto _ : state) e.RedrawLoupe();
}
BENCHMARK(BM_RedrawLoupeWithSpecialViews)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pixkura::bench

BENCHMARK_MAIN();
