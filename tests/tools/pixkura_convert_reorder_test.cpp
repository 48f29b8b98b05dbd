// pixkura-convert --reorder and --transparent-png, and pictures saved
// unchanged, as Python's imaging library reads the written files: the same
// colours, and the indices and palette order the operations say.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/ConvertTestSupport.h"

namespace pixkura {
namespace {

using testing::Convert;
using testing::Fixture;

// Fixtures: in.bmp of 5 x 3 pixels over 8 entries (3 and 7 repeat 0 and 2, 5
// and 7 unused); dup.png (entries 3 and 11 repeat 2; 7 and 15 to 19 unused)
// and trans.gif (entry 4 transparent) of 9 x 5 over 20 entries.
constexpr char kFixtures[] =
    "im = Image.new('P', (5, 3))\n"
    "im.putpalette([200,0,0, 128,128,128, 0,0,255, 200,0,0, 0,255,0, 10,10,10, 255,255,0, 0,0,255])\n"
    "im.putdata([0, 0, 0, 1, 2, 2, 3, 4, 4, 4, 4, 6, 6, 1, 3])\n"
    "im.save('in.bmp')\n"
    "pal = []\n"
    "for i in range(20): pal += [24, 231, 40] if i in (3, 11) else [i * 12, 255 - i * 12, 40]\n"
    "im = Image.new('P', (9, 5))\nim.putpalette(pal)\n"
    "im.putdata([(x * 4 + y * 3) % 15 if (x * 4 + y * 3) % 15 != 7 else 1 for y in range(5) for x in "
    "range(9)])\n"
    "im.save('dup.png')\nim.save('trans.gif', transparency=4, optimize=False)\n";

// For each line "A B [MAP...]": whether B looks like A, keeps A's palette order
// (when no MAP) and holds A's pixels through MAP (old index -> new); B's tRNS.
constexpr char kCompare[] =
    "for line in open('pairs.txt').read().split('\\n')[:-1]:\n"
    "    a, b, *m = line.split(' ')\n"
    "    a, b = Image.open(a), Image.open(b)\n"
    "    same = list(a.convert('RGB').getdata()) == list(b.convert('RGB').getdata())\n"
    "    order = bool(m) or a.getpalette()[:len(b.getpalette())] == b.getpalette()[:len(a.getpalette())]\n"
    "    pixels = [int(m[p]) if m else p for p in a.getdata()] == list(b.getdata())\n"
    "    print(same, order, pixels, b.info.get('transparency'))\n";

class ConvertReorder : public testing::ConvertFolder {};

TEST_F(ConvertReorder, PixelsFollowTheirEntriesAndPicturesSavedUnchangedKeepThem) {
  std::string out;
  if (!Pil(kFixtures, out)) GTEST_SKIP() << "python3 with PIL is not installed";
  // Each conversion (IN OUT last), the map its output's indices follow, its transparent entry.
  std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> runs = {
      {{"--reorder", "swap=0:7", "in.bmp", "a.png"}, " 7 1 2 3 4 5 6 0", "None"},
      {{"--reorder", "move=0:7,transparent-to-0=5", "in.bmp", "b.bmp"}, " 7 5 1 2 3 4 0 6", "None"},
      {{"--reorder", "sort-luminance=7-0,merge-duplicates,compact", "--transparent-png", "0", "in.bmp",
        "c.png"},
       " 1 2 0 1 3 5 4 0",
       "0"},
      {{"--transparent-png=3", "in.bmp", "d.png"}, "", "3"}};
  for (const std::string name : {"pal1.bmp", "pal4.bmp", "pal8.bmp", "dup.png", "trans.gif"}) {
    const std::string in = name.starts_with("pal") ? Fixture(name.c_str()) : name;
    const std::string depth = name[3] == '1' || name[3] == '4' ? name.substr(3, 1) : "8";
    runs.push_back({{"--depth", depth, in, name + ".bmp"}, "", "None"});
    runs.push_back({{in, name + ".png"}, "", "None"});
  }
  std::string pairs, expected;
  for (auto [args, map, transparent] : runs) {
    for (auto it = args.end() - 2; it != args.end(); ++it) *it = it->starts_with('/') ? *it : Path(*it);
    const auto [status, message] = testing::RunExecutable(args);  // the plug-ins lie beside it
    EXPECT_EQ(status, 0) << message;
    pairs += args[args.size() - 2] + " " + args.back() + map + "\n";
    expected += "True True True " + transparent + "\n";
  }
  Write("pairs.txt", pairs);
  ASSERT_TRUE(Pil(kCompare, out));
  EXPECT_EQ(out, expected);
}

TEST_F(ConvertReorder, BadOperationsAndPicturesAreRefused) {
  // Usage errors (status 2), a bad operation named.
  for (const std::string bad : {"swap=0:256", "swap=0-1", "sort-hue=1:2", "move=1", "compact=3", "Swap=1:2",
                                "transparent-to-0=-1", "sort-use=0-1x", ""}) {
    const testing::TRun r = Convert({"--reorder", "compact," + bad, "i", "o"});
    EXPECT_NE(r.Err.find("operation \"" + bad + "\""), std::string::npos) << r.Err;
  }
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--reorder", "compact", "--depth", "8", "i", "o"},
                                             {"--transparent-png", "256", "i", "o.png"},
                                             {"--transparent-png", "1", "i", "o.bmp"},
                                             {"--transparent-png", "1", "--palette", "i", "o.png"}})
    EXPECT_EQ(Convert(args).Status, 2) << args[1];
  // Not 8-bit palette pictures, an index beyond the palette of 40: status 1, no output.
  for (const auto& [input, operations] :
       {std::pair{"rgb24.bmp", "compact"}, {"pal4.bmp", "compact"}, {"pal8_clr40.bmp", "swap=0:40"}}) {
    EXPECT_EQ(Convert({"--reorder", operations, Fixture(input), Path("o.png")}).Status, 1) << input;
    EXPECT_FALSE(std::filesystem::exists(Path("o.png")));
  }
  EXPECT_EQ(Convert({"--reorder", "swap=0:39", Fixture("pal8_clr40.bmp"), Path("o.png")}).Status, 0);
}

TEST_F(ConvertReorder, AGimpOrJascPaletteOfMoreThan256ColoursIsReadForItsFirst256) {
  for (const auto& [count, header] : {std::pair{256, ""}, {257, ""}, {448, ""}, {256, "256"}, {448, "448"}}) {
    std::string text = *header ? "JASC-PAL\n0100\n" + std::string(header) + "\n" : "GIMP Palette\n";
    for (int i = 0; i < count; ++i) text += std::to_string(i % 256) + " 2 3\n";
    Write("many", text);
    const testing::TRun r = Convert({"--palette", Path("many"), Path("out.act")});
    EXPECT_EQ(Read("out.act").substr(3 * 255, 3), "\xFF\x02\x03") << count;  // the 256th colour is the last
    EXPECT_EQ(r.Err, count == 256 ? ""
                                  : "pixkura-convert: パレットファイル " + Path("many") +
                                        " の色が 256 を超えています: 最初の 256 色を読み、残りの " +
                                        std::to_string(count - 256) + " 色は省きました\n");
  }
}

}  // namespace
}  // namespace pixkura
