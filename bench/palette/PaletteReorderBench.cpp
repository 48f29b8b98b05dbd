// The palette operations on the full 256 x 256 sheet, each with the copy of
// the sheet an undo step keeps, and the count of used entries behind the
// unused-entry marks.
#include <benchmark/benchmark.h>

#include "image/PaletteReorder.h"

namespace pixkura {
namespace {

// A sheet of every index, index = (x * 3 + y * 5) % 256, over 256 colours
// with some repeated.
void Sheet(TIxDIB& dib) {
  dib.SetWidth(256);
  dib.SetHeight(256);
  dib.SetBitCount(8);
  dib.SetPaletteSize(256);
  for (int32_t i = 0; i < 256; ++i)
    dib.SetColors(i, RGB(uint8_t(i * 7 % 64 * 4), uint8_t(i / 2), uint8_t(i * 13)));
  for (int32_t y = 0; y < 256; ++y) {
    uint8_t* row = dib.GetScanLine(y);
    for (int32_t x = 0; x < 256; ++x) row[x] = static_cast<uint8_t>((x * 3 + y * 5) % 256);
  }
}

// One operation as the editor will run it: the undo copy shares the storage,
// the operation's first write unshares it (the copy), then the map goes
// through every pixel.
template <typename TOperation>
void RunWithUndoCopy(benchmark::State& state, TOperation operation) {
  TIxDIB sheet;
  Sheet(sheet);
  for (auto _ : state) {
    TIxDIB undo;
    undo.Assign(&sheet);
    ApplyPaletteReorder(sheet, operation(sheet));
    benchmark::DoNotOptimize(undo.InternalDIB().Data());
  }
}

void BM_Swap(benchmark::State& state) {
  RunWithUndoCopy(state, [](const TIxDIB& s) { return SwapEntries(PaletteColorsOf(s), 12, 100); });
}
BENCHMARK(BM_Swap);

void BM_Move(benchmark::State& state) {
  RunWithUndoCopy(state, [](const TIxDIB& s) { return MoveEntry(PaletteColorsOf(s), 0, 255); });
}
BENCHMARK(BM_Move);

void BM_SortByHue(benchmark::State& state) {
  RunWithUndoCopy(state, [](const TIxDIB& s) { return SortByHue(PaletteColorsOf(s), 0, 255); });
}
BENCHMARK(BM_SortByHue);

void BM_SortByUse(benchmark::State& state) {
  RunWithUndoCopy(state,
                  [](const TIxDIB& s) { return SortByUse(PaletteColorsOf(s), CountEntryUse(s), 0, 255); });
}
BENCHMARK(BM_SortByUse);

void BM_MergeDuplicates(benchmark::State& state) {
  RunWithUndoCopy(state, [](const TIxDIB& s) { return MergeDuplicates(PaletteColorsOf(s)); });
}
BENCHMARK(BM_MergeDuplicates);

void BM_Compact(benchmark::State& state) {
  RunWithUndoCopy(state,
                  [](const TIxDIB& s) { return CompactEntries(PaletteColorsOf(s), CountEntryUse(s), 0); });
}
BENCHMARK(BM_Compact);

void BM_CountEntryUse(benchmark::State& state) {
  TIxDIB sheet;
  Sheet(sheet);
  for (auto _ : state) benchmark::DoNotOptimize(CountEntryUse(sheet));
}
BENCHMARK(BM_CountEntryUse);

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
