// Helpers for the plug-in host's tests: temporary folders holding copies of
// the test plug-ins (tests/testplugins), their call counters, and files in
// the test plug-ins' private format.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/ProgramFolder.h"
#include "formats/SPIs.h"

#ifndef PIXKURA_TEST_PLUGINS
#error "PIXKURA_TEST_PLUGINS names the folder of the test plug-ins (tests/testplugins)"
#endif

namespace pixkura::testing {

// Mirrors the counters every test plug-in exports as TestPluginStats.
struct TestPluginState {
  int32_t isSupportedCalls;
  int32_t pictureInfoCalls;
  int32_t pictureCalls;
  int32_t lastLength;
  unsigned char seen[SPI_HEADER_BYTES];
  int32_t progressCalls;
  int32_t lastProgressResult;
};

inline TestPluginState& StatsOf(const TSPI& spi) {
  void* stats = ::dlsym(spi.Handle.get(), "TestPluginStats");
  if (!stats) throw std::runtime_error("no TestPluginStats in " + spi.FileName);
  return *static_cast<TestPluginState*>(stats);
}

inline std::string BuiltPlugin(const std::string& name) {
  return std::string(PIXKURA_TEST_PLUGINS) + "/" + name + ".spi";
}

// A fresh folder under the system's temporary folder, removed with the object.
class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-host-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = std::filesystem::canonical(pattern);
  }
  ~TTempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Str() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // Copies the built test plug-in `plugin` into the folder as `asName`.
  std::string AddPlugin(const std::string& plugin, const std::string& asName) const {
    const auto target = path_ / asName;
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(BuiltPlugin(plugin), target,
                               std::filesystem::copy_options::overwrite_existing);
    return target.string();
  }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + fileName);
}

// A picture in the test plug-ins' format: colours as (r, g, b), indices from the top row.
inline std::vector<uint8_t> TpixFile(uint8_t width, uint8_t height, const std::vector<uint8_t>& rgb,
                                     const std::vector<uint8_t>& indices, uint8_t mode = 0) {
  std::vector<uint8_t> f = {'T', 'P', 'I', 'X', width, height, static_cast<uint8_t>(rgb.size() / 3), mode};
  f.insert(f.end(), rgb.begin(), rgb.end());
  f.insert(f.end(), indices.begin(), indices.end());
  return f;
}

// A 4 x 2 picture of four colours, the same in every test.
inline std::vector<uint8_t> SmallTpix(uint8_t mode = 0) {
  return TpixFile(4, 2, {10, 20, 30, 40, 50, 60, 70, 80, 90, 250, 251, 252}, {0, 1, 2, 3, 3, 2, 1, 0}, mode);
}

// Points the search at the given folders and restores the environment after.
class TSearchEnvironment {
 public:
  TSearchEnvironment() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = xdg, hadXdg_ = true;
    ::setenv("XDG_CONFIG_HOME", config_.Str().c_str(), 1);
  }
  ~TSearchEnvironment() {
    if (hadXdg_)
      ::setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    else
      ::unsetenv("XDG_CONFIG_HOME");
    SetProgramFolderForTesting("");
  }
  TSearchEnvironment(const TSearchEnvironment&) = delete;
  TSearchEnvironment& operator=(const TSearchEnvironment&) = delete;

  void SetSusieFolder(const std::string& folder) const {
    std::filesystem::create_directories(config_.Path() / "pixkura");
    std::ofstream(config_.File("pixkura/susie.conf")) << "# test\nPath=" << folder << "\n";
  }
  void SetProgramFolder(const std::string& folder) const { SetProgramFolderForTesting(folder); }

 private:
  TTempFolder config_;
  std::string oldXdg_;
  bool hadXdg_ = false;
};

}  // namespace pixkura::testing
