// The clipboard's work on the largest block, the whole 256 x 256 sheet: a
// true-colour paste mapped to the palette (aim: 5 ms), and a copy encoded in
// both formats the clipboard offers (aim: 2 ms).
#include <benchmark/benchmark.h>

#include <random>

#include "formats/BlockPng.h"
#include "formats/ClipboardBlock.h"
#include "image/PaletteMapping.h"

namespace pixkura {
namespace {

constexpr int32_t kSide = 256;

std::array<TColor, 256> RandomPalette() {
  std::mt19937 rng(5);
  std::array<TColor, 256> palette;
  for (TColor& c : palette) c = rng() & 0xFFFFFF;
  return palette;
}

// A screenshot-like picture: smooth gradients with noise on top, opaque.
std::vector<uint32_t> Picture() {
  std::mt19937 rng(11);
  std::vector<uint32_t> pixels(kSide * kSide);
  for (int32_t y = 0; y < kSide; ++y)
    for (int32_t x = 0; x < kSide; ++x)
      pixels[static_cast<size_t>(y * kSide + x)] =
          0xFF000000u | uint32_t(x) << 16 | uint32_t(y) << 8 | ((x + y) / 2 + (rng() & 15)) % 256;
  return pixels;
}

void BM_MapTrueColourPasteToPalette(benchmark::State& state) {
  const std::array<TColor, 256> palette = RandomPalette();
  const std::vector<uint32_t> pixels = Picture();
  for (auto _ : state) benchmark::DoNotOptimize(MapToPalette(pixels, palette, 255));
}
BENCHMARK(BM_MapTrueColourPasteToPalette)->Unit(benchmark::kMillisecond);

void BM_CopyInBothFormats(benchmark::State& state) {
  TIndexedBlock block{kSide, kSide, RandomPalette(), 255, std::vector<uint8_t>(kSide * kSide)};
  for (size_t p = 0; p < block.Indices.size(); ++p) block.Indices[p] = static_cast<uint8_t>(p * 7 / 300);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeIndexedBlock(block));
    benchmark::DoNotOptimize(EncodeBlockPng(block));
  }
}
BENCHMARK(BM_CopyInBothFormats)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
