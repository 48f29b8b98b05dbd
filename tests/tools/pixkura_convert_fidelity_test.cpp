// Opening an indexed picture and saving it unchanged keeps every pixel's
// index and the palette's order, whatever format it came in: BMP of 1, 4 and
// 8 bits, and PNG and GIF through the shipped plug-ins (files made by another
// program, with unused, duplicate and transparent entries).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/ConvertTestSupport.h"

namespace pixkura {
namespace {

using testing::Fixture;
using testing::RunExecutable;

class ConvertFidelity : public testing::ConvertFolder {};

// The picture of 9 x 5 pixels: PNG entries 3 and 11 repeat entry 2, entries 7
// and 15 to 19 are unused; the GIF's entry 4 is transparent.
constexpr char kMakeFixtures[] =
    "pal = []\n"
    "for i in range(20): pal += [i * 12, 255 - i * 12, 40] if i not in (3, 11) else [24, 231, 40]\n"
    "im = Image.new('P', (9, 5))\n"
    "im.putpalette(pal)\n"
    "im.putdata([(x * 4 + y * 3) % 15 if (x * 4 + y * 3) % 15 != 7 else 1 for y in range(5) for x in range(9)])\n"
    "im.save('dup.png')\n"
    "im.save('trans.gif', transparency=4, optimize=False)\n";

// Whether the second picture of each pair has the first one's indices and
// its palette (entry for entry, as many entries as the first has).
constexpr char kCompare[] =
    "for line in open('pairs.txt').read().split('\\n')[:-1]:\n"
    "    a, b = (Image.open(name) for name in line.split(' '))\n"
    "    pa, pb = a.getpalette(), b.getpalette()\n"
    "    print(line, list(a.getdata()) == list(b.getdata()) and pb[:len(pa)] == pa)\n";

TEST_F(ConvertFidelity, EveryIndexAndThePaletteOrderSurviveASave) {
  if (!std::filesystem::exists(std::string(PIXKURA_BIN_DIR) + "/pixkura-png.spi") ||
      !std::filesystem::exists(std::string(PIXKURA_BIN_DIR) + "/pixkura-gif.spi"))
    GTEST_SKIP() << "no shipped plug-ins";
  std::string out;
  if (!Pil(kMakeFixtures, out)) GTEST_SKIP() << "python3 with PIL is not installed";
  const std::vector<std::vector<std::string>> runs = {
      {"--depth", "1", Fixture("pal1.bmp"), "pal1.bmp"}, {Fixture("pal1.bmp"), "pal1.png"},
      {"--depth", "4", Fixture("pal4.bmp"), "pal4.bmp"}, {Fixture("pal4.bmp"), "pal4.png"},
      {Fixture("pal8.bmp"), "pal8.bmp"},                 {Fixture("pal8.bmp"), "pal8.png"},
      {"dup.png", "dup.bmp"},                            {"dup.png", "dup-again.png"},
      {"trans.gif", "trans.bmp"},                        {"trans.gif", "trans.png"},
  };
  std::string pairs, expected;
  for (std::vector<std::string> args : runs) {
    for (auto it = args.end() - 2; it != args.end(); ++it)
      if (!it->starts_with('/')) *it = Path(*it);
    const auto [status, message] = RunExecutable(args);
    ASSERT_EQ(status, 0) << message;
    const std::string pair = args[args.size() - 2] + " " + args.back();
    pairs += pair + "\n";
    expected += pair + " True\n";
  }
  Write("pairs.txt", pairs);
  out.clear();
  ASSERT_TRUE(Pil(kCompare, out));
  EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace pixkura
