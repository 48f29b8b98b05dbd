// An editor for benchmarks: started with FormCreate in a private program
// folder, with a sheet full of varied indices and holes so that transparent
// copies and layer composites do real work.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/core/Editor.h"
#include "base/ProgramFolder.h"

namespace pixkura::bench {

class TNoHost : public TEditorHost {
 public:
  bool ExecuteOpenDialog(const TFileDialogSpec&, std::string&) override { return false; }
  bool ExecuteSaveDialog(const TFileDialogSpec&, std::string&) override { return false; }
  bool ExecuteColorDialog(const std::string&, TColor&) override { return false; }
  bool ExecuteAnimationDialog(const TAnimationDialogSpec&, TAnimationChoice&) override { return false; }
  using TEditorHost::MessageBox;
  TModalResult MessageBox(const std::string&, TMsgDlgType, TMsgDlgButtons) override {
    return TModalResult::mrOk;
  }
  void Close() override {}
  void WaitUntil(std::chrono::steady_clock::time_point) override {}
};

class TBenchEditor {
 public:
  explicit TBenchEditor(const TEditorSettings& s = {}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    SetProgramFolderForTesting(folder_);
    editor_ = std::make_unique<TEditor>(host_);
    editor_->FormCreate(s);
    for (int32_t y = 0; y < 256; ++y)
      for (int32_t x = 0; x < 256; ++x)
        editor_->Doc.AllDib->SetPixels(x, y, (x * 7 + y * 3) % 5 == 0 ? editor_->Toumei : (x + 2 * y) % 250);
    editor_->RefreshChrDib();
  }
  ~TBenchEditor() {
    editor_.reset();
    SetProgramFolderForTesting("");
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  TBenchEditor(const TBenchEditor&) = delete;
  TBenchEditor& operator=(const TBenchEditor&) = delete;
  TEditor& operator*() { return *editor_; }

 private:
  std::string folder_;
  TNoHost host_;
  std::unique_ptr<TEditor> editor_;
};

}  // namespace pixkura::bench
