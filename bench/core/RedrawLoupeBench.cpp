// RedrawLoupe, the editor's hot path (it runs after every pen segment), for
// every zoom in the plain view and the layer modes. Core only: no window
// paints the result. Run with --benchmark_repetitions=... and read the medians.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/core/Editor.h"
#include "base/ProgramFolder.h"

namespace pixkura {
namespace {

class TNoHost : public TEditorHost {
 public:
  bool ExecuteOpenDialog(const TFileDialogSpec&, std::string&) override { return false; }
  bool ExecuteSaveDialog(const TFileDialogSpec&, std::string&) override { return false; }
  TModalResult MessageBox(const std::string&, TMsgDlgType) override { return TModalResult::mrOk; }
  void Close() override {}
};

// An editor started in a private program folder, with a sheet full of
// varied indices and holes so the transparent copies do real work.
class TBenchEditor {
 public:
  explicit TBenchEditor(const TEditorSettings& s) {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    SetProgramFolderForTesting(folder_);
    editor_ = std::make_unique<TEditor>(host_);
    editor_->FormCreate(s);
    for (int32_t y = 0; y < 256; ++y)
      for (int32_t x = 0; x < 256; ++x)
        editor_->AllDib->SetPixels(x, y, (x * 7 + y * 3) % 5 == 0 ? editor_->Toumei : (x + 2 * y) % 250);
  }
  ~TBenchEditor() {
    editor_.reset();
    SetProgramFolderForTesting("");
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  TEditor& operator*() { return *editor_; }

 private:
  std::string folder_;
  TNoHost host_;
  std::unique_ptr<TEditor> editor_;
};

enum class TMode { Plain, TwoWay, FourWayAll, HalfDensityKuro };

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
BENCHMARK_CAPTURE(Redraw, HalfDensityKuro_HalfSheetCell, TMode::HalfDensityKuro, 128)->Apply(Zooms);

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
