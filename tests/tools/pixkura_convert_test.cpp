// pixkura-convert: argument handling, --info, conversions and the exit
// status of the executable.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Exception.h"
#include "tools/pixkura-convert/ConvertTool.h"

namespace pixkura {
namespace {

namespace fs = std::filesystem;

std::string Fixture(const char* name) { return (fs::path(PIXKURA_TEST_DATA) / "bmp" / name).string(); }

struct TRun {
  int Status;
  std::string Out, Err;
};

TRun Convert(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunConvert(args, out, err);
  return {status, out.str(), err.str()};
}

class ConvertTool : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("pixkura_convert_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Out(const char* name) { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST(ConvertArguments, DefaultsAndForms) {
  std::string error;
  auto o = ParseConvertArguments({"in.bmp", "out.png"}, error);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->Depth, 8);
  EXPECT_FALSE(o->Info);
  EXPECT_EQ(o->Input, "in.bmp");
  EXPECT_EQ(o->Output, "out.png");
  o = ParseConvertArguments({"--depth", "4", "--info", "in.bmp"}, error);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->Depth, 4);
  EXPECT_TRUE(o->Info);
  EXPECT_EQ(o->Output, "");
  o = ParseConvertArguments({"--depth=24", "--", "-in.bmp", "out"}, error);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->Depth, 24);
  EXPECT_EQ(o->Input, "-in.bmp");
}

TEST(ConvertArguments, UsageErrors) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"in.bmp"},
                                             {"--depth", "16", "a", "b"},
                                             {"--depth=2", "a", "b"},
                                             {"a", "b", "--depth"},
                                             {"--colour", "a", "b"},
                                             {"a", "b", "c"}}) {
    const TRun r = Convert(args);
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find(kConvertUsage), std::string::npos) << r.Err;
    EXPECT_EQ(r.Out, "");
  }
  EXPECT_EQ(Convert({"--help"}).Out, std::string(kConvertUsage) + "\n");
}

TEST_F(ConvertTool, InfoDescribesThePictureAsRead) {
  const TRun r = Convert({"--info", Fixture("rle8.bmp")});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "width: 9\nheight: 4\nbit count: 8\ncompression: 1 (RLE8)\npalette size: 256\n"
            "pixel format: ixPf8BitRLE\n");
  EXPECT_NE(Convert({"--info", Fixture("bf16_565.bmp")}).Out.find("bit count: 24\n"), std::string::npos);
}

TEST_F(ConvertTool, ErrorsGiveTheMessageAndStatus1) {
  const std::string missing = Out("missing.bmp");
  TRun r = Convert({missing, Out("x.bmp")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "pixkura-convert: " + FileOpenErrorMessage(missing) + "\n");
  EXPECT_FALSE(fs::exists(Out("x.bmp")));

  std::ofstream(Out("text.bmp")) << "this is not a picture at all";
  r = Convert({Out("text.bmp"), Out("x.bmp")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "pixkura-convert: 認識できない画像形式です\n");
}

// Every depth from every kind of input: the output has the requested depth
// and, from palette input to a depth that holds its colours, the same colours.
TEST_F(ConvertTool, ConvertsToEveryDepth) {
  for (const char* input : {"pal1.bmp", "pal4.bmp", "pal8.bmp", "rle8.bmp", "rle4.bmp", "rgb24.bmp"}) {
    TIxDIB source;
    source.LoadFromFile(Fixture(input));
    for (int depth : {1, 4, 8, 24}) {
      SCOPED_TRACE(std::string(input) + " to " + std::to_string(depth));
      const std::string out = Out("out.bmp");
      const TRun r = Convert({"--depth", std::to_string(depth), Fixture(input), out});
      ASSERT_EQ(r.Status, 0) << r.Err;
      TIxDIB result;
      result.LoadFromFile(out);
      EXPECT_EQ(result.GetBitCount(), depth);
      EXPECT_EQ(result.GetWidth(), source.GetWidth());
      EXPECT_EQ(result.GetHeight(), source.GetHeight());
    }
  }
  // 4-bit palette input widened to 8 bits keeps every pixel's colour.
  TIxDIB source, result;
  source.LoadFromFile(Fixture("pal4.bmp"));
  ASSERT_EQ(Convert({Fixture("pal4.bmp"), Out("wide.bmp")}).Status, 0);
  result.LoadFromFile(Out("wide.bmp"));
  for (int32_t y = 0; y < source.GetHeight(); ++y)
    for (int32_t x = 0; x < source.GetWidth(); ++x)
      EXPECT_EQ(result.GetColors(result.GetPixels(x, y)), source.GetColors(source.GetPixels(x, y)));
}

TEST_F(ConvertTool, PngOutputByExtension) {
  ASSERT_EQ(Convert({Fixture("rgb24.bmp"), Out("out.PNG")}).Status, 0);
  std::ifstream in(Out("out.PNG"), std::ios::binary);
  std::string head(8, '\0');
  in.read(head.data(), 8);
  EXPECT_EQ(head, "\x89PNG\r\n\x1a\n");
  // A 24-bit PNG is beyond the writer: an error, and no file.
  const TRun r = Convert({"--depth", "24", Fixture("pal8.bmp"), Out("deep.png")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_FALSE(fs::exists(Out("deep.png")));
}

// BMP or PNG by the output name; a name of a format not written here is a usage error.
TEST_F(ConvertTool, OutputNameExtensions) {
  for (const std::string name : {"o.bmp", "o.DIB", "o", "o.v2", "o.Png"}) {
    EXPECT_EQ(Convert({Fixture("pal8.bmp"), Out(name.c_str())}).Status, 0) << name;
    EXPECT_EQ(std::ifstream(Out(name.c_str())).get(), name.ends_with(".Png") ? 0x89 : 'B') << name;
  }
  for (const std::string name : {"o.gif:--animate", "o.GPL:--palette", "o.hex:--palette", "o.jpg:PNG (.png)",
                                 "o.JPEG:PNG (", "o.tga:PNG (", "o.ppm:PNG (", "o.webp:PNG (", "o.tiff:PNG ("}) {
    const std::string file = Out(name.substr(0, name.find(':')).c_str());
    const TRun r = Convert({Fixture("pal8.bmp"), file});
    EXPECT_EQ(r.Status, 2) << name;
    EXPECT_NE(r.Err.find(name.substr(name.find(':') + 1)), std::string::npos) << r.Err;
    EXPECT_FALSE(fs::exists(file));
  }
}

std::pair<int, std::string> RunExecutable(const std::string& args) {
  const std::string command = std::string(PIXKURA_BIN_DIR) + "/pixkura-convert " + args + " 2>&1";
  FILE* p = popen(command.c_str(), "r");
  std::string out;
  std::array<char, 1024> buf;
  while (size_t n = fread(buf.data(), 1, buf.size(), p)) out.append(buf.data(), n);
  const int status = pclose(p);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST_F(ConvertTool, ExecutableExitStatus) {
  auto [status, out] = RunExecutable("");
  EXPECT_EQ(status, 2);
  EXPECT_NE(out.find(kConvertUsage), std::string::npos);
  std::tie(status, out) = RunExecutable("'" + Fixture("pal8.bmp") + "' '" + Out("a.bmp") + "'");
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(fs::exists(Out("a.bmp")));
  std::tie(status, out) = RunExecutable("'" + Out("none.bmp") + "' '" + Out("b.bmp") + "'");
  EXPECT_EQ(status, 1);
  // Names that are no UTF-8 (a Latin-1 byte) are opened and written as they are.
  fs::copy_file(Fixture("pal8.bmp"), Out("caf\xe9.bmp"));
  std::tie(status, out) = RunExecutable("'" + Out("caf\xe9.bmp") + "' '" + Out("\xe9t\xe9.png") + "'");
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(fs::exists(Out("\xe9t\xe9.png")));
}

}  // namespace
}  // namespace pixkura
