// The drawing primitives on the editor's hot paths (loupe redraw, layer
// composites) and the start-up / load-time blend table.
#include <benchmark/benchmark.h>

#include "app/core/document/BlendTable.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

void Shape8(TIxDIB& dib, int32_t w, int32_t h) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(8);
  dib.SetPaletteSize(256);
}

// A sheet with some structure: index = (x * 3 + y * 5) % 256.
void Sheet(TIxDIB& dib) {
  Shape8(dib, 256, 256);
  for (int y = 0; y < 256; ++y) {
    uint8_t* row = dib.GetScanLine(y);
    for (int x = 0; x < 256; ++x) row[x] = static_cast<uint8_t>((x * 3 + y * 5) % 256);
  }
}

void BM_StretchCopy32To256(benchmark::State& state) {
  TIxDIB sheet, loupe;
  Sheet(sheet);
  Shape8(loupe, 256, 256);
  for (auto _ : state) {
    StretchCopy(32, 64, 64, 96, sheet, 0, 0, 256, 256, loupe);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchCopy32To256);

void BM_StretchCopy256To256(benchmark::State& state) {
  TIxDIB sheet, loupe;
  Sheet(sheet);
  Shape8(loupe, 256, 256);
  for (auto _ : state) {
    StretchCopy(0, 0, 256, 256, sheet, 0, 0, 256, 256, loupe);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchCopy256To256);

void BM_ZoomLayerDrawAllHoles(benchmark::State& state) {
  TIxDIB colors, mask, loupe;
  Sheet(colors);
  Shape8(mask, 256, 256);  // every mask pixel is 0, the transparent index
  Shape8(loupe, 256, 256);
  for (auto _ : state) {
    ZoomLayerDraw(32, 32, 64, 64, colors, mask, 0, 0, loupe, 3, 0, 7);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ZoomLayerDrawAllHoles);

void BM_TransparentCopyBlock128(benchmark::State& state) {
  TIxDIB sheet, lay;
  Sheet(sheet);
  Shape8(lay, 256, 256);
  for (auto _ : state) {
    TransparentCopyBlock(0, 0, 127, 127, sheet, 128, 128, lay, 10);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransparentCopyBlock128);

void BM_FillAreaWholeSheet(benchmark::State& state) {
  TIxDIB sheet;
  Shape8(sheet, 256, 256);
  uint8_t color = 1;
  for (auto _ : state) {
    FillArea(17, 200, color, sheet);  // every pixel shares the seed's index
    color = static_cast<uint8_t>(color == 1 ? 2 : 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillAreaWholeSheet);

void BM_PenEllipseOutline64(benchmark::State& state) {
  TIxDIB cell;
  Shape8(cell, 64, 64);
  for (auto _ : state) {
    PenEllipse(0, 0, 63, 63, 5, cell, false, 0, false, 1, false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PenEllipseOutline64);

void BM_Assign256(benchmark::State& state) {
  TIxDIB sheet, snapshot;
  Sheet(sheet);
  for (auto _ : state) {
    snapshot.Assign(&sheet);
    benchmark::DoNotOptimize(snapshot.InternalDIB().Data());
  }
}
BENCHMARK(BM_Assign256);

// Assign and the first write after it, which copies the 64 KiB of pixels.
void BM_AssignThenFirstSetPixels(benchmark::State& state) {
  TIxDIB sheet, snapshot;
  Sheet(sheet);
  for (auto _ : state) {
    snapshot.Assign(&sheet);
    snapshot.SetPixels(3, 4, 5);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AssignThenFirstSetPixels);

// Palettes: 0 scattered over the whole cube (the usual yardstick), 1 the
// grey ramp, 2 sixteen colours stored sixteen times each (many ties).
TColor PaletteEntry(int kind, int i) {
  const uint32_t v = static_cast<uint32_t>(kind == 2 ? i % 16 : i) * 2654435761u;
  if (kind == 1) return RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
  return RGB(static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24));
}

void BM_MakeMixTable(benchmark::State& state) {
  TIxDIB palette;
  Shape8(palette, 16, 16);
  for (int i = 0; i < 256; ++i) palette.SetColors(i, PaletteEntry(static_cast<int>(state.range(0)), i));
  auto table = std::make_unique<TBlendTable>();
  for (auto _ : state) {
    MakeMixTable(palette, *table);
    benchmark::DoNotOptimize(table->MixTable[3][4]);
  }
}
BENCHMARK(BM_MakeMixTable)->ArgName("palette")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
