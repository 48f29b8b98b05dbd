// Editor sessions without libFuzzer: every input the fuzz target keeps (the
// sessions that once found a fault among them), and sessions made from a
// fixed seed, each played with all the session checks.
#include "fuzz/editor/EditorSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace pixkura::fuzz {
namespace {

std::vector<uint8_t> ReadInput(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Play(const std::vector<uint8_t>& input, const std::string& name) {
  try {
    PlayEditorSession(input.data(), input.size());
  } catch (const ESessionCheck& failure) {
    ADD_FAILURE() << name << ": " << failure.what();
  }
}

TEST(EditorSession, EveryKeptInputPassesEveryCheck) {
  const std::filesystem::path corpus = std::filesystem::path(PIXKURA_FUZZ_CORPUS) / "EditorSession";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(corpus))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << "no kept inputs in " << corpus;
  for (const auto& file : files) Play(ReadInput(file), file.filename().string());
}

TEST(EditorSession, SessionsFromAFixedSeedPassEveryCheck) {
  std::mt19937 random(20240612);
  std::uniform_int_distribution<int> byte(0, 255), length(16, 400);
  for (int session = 0; session < 100; ++session) {
    std::vector<uint8_t> input(static_cast<size_t>(length(random)));
    for (uint8_t& b : input) b = static_cast<uint8_t>(byte(random));
    Play(input, "session " + std::to_string(session));
  }
}

}  // namespace
}  // namespace pixkura::fuzz
