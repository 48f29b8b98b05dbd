// Speed of the "Low" colour reduction (24 -> 8 bits) on a large photo-like
// picture. The picture comes from a raw RGB file (PIXKURA_BENCH_RGB, with
// PIXKURA_BENCH_SIZE "WIDTHxHEIGHT"; compare.sh makes one with ImageMagick so
// that the other tools quantise the very same pixels), or, without one, from a
// deterministic plasma made here.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/ConvertRoutines.h"
#include "image/IxDIB.h"

namespace pixkura {
namespace {

// Midpoint-displacement plasma: smooth areas with fine noise, like a photo.
std::vector<uint8_t> Plasma(int32_t size) {
  std::vector<float> channel(static_cast<size_t>(size) * static_cast<size_t>(size));
  std::vector<uint8_t> rgb(channel.size() * 3);
  uint32_t seed = 12345;
  auto noise = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / static_cast<float>(1u << 24) - 0.5f;
  };
  for (int c = 0; c < 3; ++c) {
    for (int32_t y = 0; y < size; ++y)
      for (int32_t x = 0; x < size; ++x) {
        const float fx = static_cast<float>(x) / static_cast<float>(size);
        const float fy = static_cast<float>(y) / static_cast<float>(size);
        float v = 0.5f;
        float amplitude = 0.25f;
        for (int octave = 1; octave <= 6; ++octave, amplitude *= 0.5f)
          v += amplitude * std::sin(static_cast<float>(octave * (c + 2)) * 3.1f * fx +
                                    static_cast<float>(octave) * fy * 4.3f + static_cast<float>(c));
        v += 0.03f * noise();
        rgb[(static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)) * 3 +
            static_cast<size_t>(c)] = static_cast<uint8_t>(std::fmin(255.f, std::fmax(0.f, v * 255.f)));
      }
  }
  return rgb;
}

// The 24-bit picture from top-down RGB bytes.
void Fill(TIxDIB& d) {
  int32_t w = 4096, h = 4096;
  std::vector<uint8_t> rgb;
  const char* file = std::getenv("PIXKURA_BENCH_RGB");
  const char* size = std::getenv("PIXKURA_BENCH_SIZE");
  if (file && size && std::sscanf(size, "%dx%d", &w, &h) == 2) {
    rgb.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    std::ifstream in(file, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size())))
      throw std::runtime_error(std::string("cannot read ") + file);
  } else {
    rgb = Plasma(w);
  }
  d.SetBitCount(24);
  d.SetWidth(w);
  d.SetHeight(h);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = d.GetScanLine(y);
    const uint8_t* in = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(w) * 3;
    for (int32_t x = 0; x < w; ++x, row += 3, in += 3) row[0] = in[2], row[1] = in[1], row[2] = in[0];
  }
}

TIxDIB& Picture() {
  static TIxDIB dib;
  static const bool filled = (Fill(dib), true);
  (void)filled;
  return dib;
}

void BM_TrueColorTo8BitLow(benchmark::State& state) {
  const TIxInternalDIB& src = Picture().InternalDIB();
  const TProgressStep none = [] {};
  int32_t colors = 0;
  for (auto _ : state) {
    TDIBPtr result = ConvertTrueColorTo8BitRGBLow(src, none);
    colors = static_cast<int32_t>(result->Header().biClrUsed);
    benchmark::DoNotOptimize(result->Data());
  }
  const double pixels = double(src.Width) * double(src.Height);
  state.counters["Mpixel/s"] =
      benchmark::Counter(pixels * 1e-6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["colors"] = colors;
}
BENCHMARK(BM_TrueColorTo8BitLow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrueColorTo4BitLow(benchmark::State& state) {
  const TIxInternalDIB& src = Picture().InternalDIB();
  const TProgressStep none = [] {};
  for (auto _ : state) {
    TDIBPtr result = ConvertTrueColorTo4BitRGBLow(src, none);
    benchmark::DoNotOptimize(result->Data());
  }
  const double pixels = double(src.Width) * double(src.Height);
  state.counters["Mpixel/s"] =
      benchmark::Counter(pixels * 1e-6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_TrueColorTo4BitLow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
