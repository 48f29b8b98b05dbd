// Running pixkura-convert in the tests: in-process through RunConvert, or as
// the built executable (which finds the shipped plug-ins beside it), in a
// scratch folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tools/pixkura-convert/ConvertTool.h"

namespace pixkura::testing {

struct TRun {
  int Status;
  std::string Out, Err;
};

inline TRun Convert(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunConvert(args, out, err);
  return {status, out.str(), err.str()};
}

// The executable with args (each quoted), its status and its stdout and stderr together.
inline std::pair<int, std::string> RunExecutable(const std::vector<std::string>& args) {
  std::string command = std::string(PIXKURA_BIN_DIR) + "/pixkura-convert";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " 2>&1";
  FILE* p = popen(command.c_str(), "r");
  std::string out;
  std::array<char, 1024> buf;
  while (size_t n = fread(buf.data(), 1, buf.size(), p)) out.append(buf.data(), n);
  const int status = pclose(p);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

inline std::string Fixture(const char* name) {
  return (std::filesystem::path(PIXKURA_TEST_DATA) / "bmp" / name).string();
}

class ConvertFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-convert-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Python's imaging library running script in the folder: its output;
  // false when python3 with PIL is missing.
  bool Pil(const std::string& script, std::string& out) const {
    if (std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") != 0) return false;
    Write("check.py", "from PIL import Image\n" + script);
    EXPECT_EQ(std::system(("cd '" + dir_.string() + "' && /usr/bin/python3 check.py >out.txt 2>&1").c_str()),
              0);
    out = Read("out.txt");
    return true;
  }
  std::filesystem::path dir_;
};

}  // namespace pixkura::testing
