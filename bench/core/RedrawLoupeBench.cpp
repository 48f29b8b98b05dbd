// RedrawLoupe, the editor's hot path (it runs after every pen segment), for
// every zoom in the plain view and the layer modes. Core only: no window
// paints the result. Run with --benchmark_repetitions=... and read the medians.
#include <benchmark/benchmark.h>

#include "bench/support/BenchEditor.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

using bench::TBenchEditor;

enum class TMode { Plain, TwoWay, FourWayAll, HalfDensityKuro, OnionTwoGhosts, OnionScatteredHoles };

void Redraw(benchmark::State& state, TMode mode, int32_t cellSize) {
  TEditorSettings s;
  s.Bairitu = static_cast<int32_t>(state.range(0));
  s.CHRX = s.CHRY = cellSize;
  TBenchEditor bench(s);
  TEditor& e = *bench;
  // A cell in the top-left quadrant: every layer lies beneath it.
  if (mode != TMode::Plain) e.kasane.SetChecked(true);
  if (mode == TMode::FourWayAll) {
    e.YONBUN.SetChecked(true);
    e.LupeLay.SetItemIndex(2);
  }
  if (mode == TMode::OnionTwoGhosts || mode == TMode::OnionScatteredHoles) {
    // The second cell of a four-frame run, with one frame before and one
    // after: two ghosts over a cell that is all holes, the most they paint.
    e.Onion.After = 1;
    e.StepBar.SetPosition(4);
    e.View.SelectCell(cellSize, 0);
    FillBox(0, 0, 255, 255, e.Toumei, *e.Doc.AllDib);
    FillBox(0, 0, cellSize - 1, 255, 7, *e.Doc.AllDib);
    FillBox(2 * cellSize, 0, 3 * cellSize - 1, 255, 9, *e.Doc.AllDib);
    if (mode == TMode::OnionScatteredHoles)  // every other pixel of the cell a hole: the ghosts are blended in
      for (int32_t y = 0; y < 256; ++y)
        for (int32_t x = cellSize; x < 2 * cellSize; ++x)
          if ((x + y) % 2) e.Doc.AllDib->SetPixels(x, y, 5);
    e.OnionChk.SetChecked(true);
  }
  if (mode == TMode::HalfDensityKuro) {
    e.LupeBack.SetChecked(true);
    e.KURO.SetChecked(true);
  }
  for (auto _ : state) {
    e.RedrawLoupe();
    benchmark::ClobberMemory();
  }
}

void Zooms(benchmark::internal::Benchmark* b) {
  b->DenseRange(0, 5)->ArgName("Bairitu")->Unit(benchmark::kMicrosecond);
}

BENCHMARK_CAPTURE(Redraw, Plain, TMode::Plain, 32)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, Plain_WholeSheetCell, TMode::Plain, 256)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, TwoWay, TMode::TwoWay, 32)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, FourWayAll, TMode::FourWayAll, 32)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, HalfDensityKuro, TMode::HalfDensityKuro, 32)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, OnionTwoGhosts, TMode::OnionTwoGhosts, 32)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, OnionTwoGhosts_QuarterSheetCell, TMode::OnionTwoGhosts, 64)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, OnionScatteredHoles, TMode::OnionScatteredHoles, 32)->Apply(Zooms);
BENCHMARK_CAPTURE(Redraw, HalfDensityKuro_HalfSheetCell, TMode::HalfDensityKuro, 128)->Apply(Zooms);

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
