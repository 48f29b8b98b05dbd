// The list of texts the editor shows: complete for what the handlers and the
// layers below can show, so that the UI can translate every one.
#include "app/core/EditorTexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/Exception.h"
#include "formats/PaletteFileError.h"
#include "formats/PaletteFiles.h"
#include "formats/SPIIxDIB.h"
#include "support/EditorFixture.h"

namespace pixkura::testing {
namespace {

TEST(EditorTexts, TemplatesMatchTheirFilledFormOnly) {
  std::string filling;
  EXPECT_TRUE(MatchTemplate("ファイル %s は開けません", "ファイル /a b/c.bmp は開けません", &filling));
  EXPECT_EQ(filling, "/a b/c.bmp");
  EXPECT_TRUE(MatchTemplate("%s に書き込めません", " に書き込めません", &filling));
  EXPECT_EQ(filling, "");
  EXPECT_FALSE(MatchTemplate("ファイル %s は開けません", "ファイル x を作成できません"));
  EXPECT_FALSE(MatchTemplate("ファイル %s は開けません", "ファイル"));
  EXPECT_FALSE(MatchTemplate("認識できない画像形式です", "認識できない画像形式です"));  // no hole
}

TEST(EditorTexts, TemplatesWithSeveralHolesAndMessagesInside) {
  std::vector<TFilledHole> holes;
  // A message in a "%m" hole must be a listed message itself.
  ASSERT_TRUE(MatchTemplate("パレットファイル %s の %s 行目: %m",
                            "パレットファイル a.gpl の 7 行目: 色が一つもありません", &holes));
  ASSERT_EQ(holes.size(), 3u);
  EXPECT_FALSE(holes[0].Message);
  EXPECT_EQ(holes[0].Text, "a.gpl");
  EXPECT_EQ(holes[1].Text, "7");
  EXPECT_TRUE(holes[2].Message);
  EXPECT_EQ(holes[2].Text, "色が一つもありません");
  EXPECT_FALSE(
      MatchTemplate("パレットファイル %s の %s 行目: %m", "パレットファイル a.gpl の 7 行目: ほかの何か"));
  // A literal inside a filling: the match that makes the whole text fit wins.
  ASSERT_TRUE(MatchTemplate(
      "パレットファイル %s の %s 行目: %m",
      "パレットファイル /x の 1 行目: y/z.gpl の 12 行目: 色の数 300 が 1〜256 ではありません", &holes));
  EXPECT_EQ(holes[0].Text, "/x");
  EXPECT_EQ(holes[1].Text, "1 行目: y/z.gpl の 12");
  EXPECT_EQ(holes[2].Text, "色の数 300 が 1〜256 ではありません");  // itself a filled template
  EXPECT_FALSE(MatchTemplate("%s: %m", "no colon here"));
}

TEST(EditorTexts, EveryPaletteFileErrorIsAListedMessage) {
  TProgramFolder folder;
  const std::vector<std::pair<const char*, std::string>> files = {
      {"a.gpl", "GIMP Palette 2\n"},
      {"b.gpl", "GIMP Palette\n1 2\n"},
      {"c.gpl", "GIMP Palette\n1 2 300\n"},
      {"d.gpl", "GIMP Palette\nred 2 3\n"},
      {"e.gpl", "GIMP Palette\n"},
      {"f.pal", "JASC-PAL\n"},
      {"g.pal", "JASC-PAL\n0200\n"},
      {"h.pal", "JASC-PAL\n0100\n"},
      {"i.pal", "JASC-PAL\n0100\n0\n"},
      {"j.pal", "JASC-PAL\n0100\n2\n1 2 3\n"},
      {"k.pal", "JASC-PAL\n0100\n1\n1 2 3\n4 5 6\n"},
      {"l.pal", "JASC-PAL\n0100\n1\n1 2 3 4 5\n"},
      {"l.gpl", "GIMP Palette\nChannels: RGBA\n1 2 3\n"},
      {"l2.gpl", "GIMP Palette\nChannels: HSV\n"},
      {"m.hex", "12345g\n"},
      {"n.txt", "nothing to read\n"},
      {"o.act", std::string(772, '\0')},
      {"p.pal", std::string("RIFF\x04\0\0\0PAL ", 12)},
      {"q.pal", std::string("RIFF\x40\0\0\0PAL ", 12)},
  };
  std::vector<std::pair<const char*, std::string>> all = files;
  all.emplace_back("r.pal", "JASC-PAL\n0100\n257\n");  // a GIMP palette of 257 is read for its first 256
  for (const auto& [name, bytes] : all) {
    const std::string path = folder.File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    try {
      ReadPaletteColors(path);
      ADD_FAILURE() << name << " was read";
    } catch (const EPaletteFileError& e) {
      EXPECT_TRUE(IsListedText(TTextKind::Message, e.Message())) << e.Message();
    }
  }
  try {
    WritePaletteColors(folder.File("x.txt"), TPaletteColors({0}));
    ADD_FAILURE() << "x.txt was written";
  } catch (const EPaletteFileError& e) {
    EXPECT_TRUE(IsListedText(TTextKind::Message, e.Message())) << e.Message();
  }
}

TEST(EditorTexts, ErrorsOfTheLayersBelowAreListedMessages) {
  for (const std::string& path : {std::string("/tmp/x.bmp"), std::string("/ü/ファイル.png")}) {
    EXPECT_TRUE(IsListedText(TTextKind::Message, FileOpenErrorMessage(path))) << path;
    EXPECT_TRUE(IsListedText(TTextKind::Message, FileCreateErrorMessage(path))) << path;
    EXPECT_TRUE(IsListedText(TTextKind::Message, FileWriteErrorMessage(path))) << path;
  }
  EXPECT_FALSE(IsListedText(TTextKind::Status, FileOpenErrorMessage("/x")));  // kinds are kept apart

  // A file no reader understands.
  TProgramFolder folder;
  const std::string junk = folder.File("junk.xyz");
  std::ofstream(junk) << "no picture here";
  TSPIIxDIB picture;
  try {
    picture.LoadFromFile(junk);
    FAIL() << "loaded junk";
  } catch (const EInvalidGraphic& e) {
    EXPECT_TRUE(IsListedText(TTextKind::Message, e.Message())) << e.Message();
  }
}

TEST(EditorTexts, FilterDescriptionsDropTheirPatterns) {
  EXPECT_EQ(FilterDescriptions("対応しているファイル (*.bmp;*.png)|*.bmp;*.png|全てのファイル (*.*)|*.*"),
            (std::vector<std::string>{"対応しているファイル", "全てのファイル"}));
  EXPECT_EQ(FilterDescriptions("Plain|*.a| (x) |*.b|"), (std::vector<std::string>{"Plain"}));
  EXPECT_TRUE(FilterDescriptions("").empty());
}

TEST(EditorTexts, EveryToolAndEveryDialogShowsListedTexts) {
  TEditorFixture f;
  TEditor& e = f.Start();
  // The fixture's status hook checks each tool name as it appears.
  for (TMenuItem* item : e.Tool1.Items) item->Click();
  EXPECT_EQ(e.SBar.Panels[3].Text, "半透明合成");
  for (const TFileDialogSpec* spec : {&e.OpenD, &e.SaveD})
    for (const std::string& d : FilterDescriptions(spec->Filter))
      EXPECT_TRUE(IsListedText(TTextKind::Filter, d)) << d;
  for (const TStatusBar::TPanelText& panel : e.SBar.Panels)
    if (!panel.Text.empty() && panel.Text.find_first_of("0123456789") == std::string::npos)
      EXPECT_TRUE(IsListedText(TTextKind::Status, panel.Text)) << panel.Text;
}

}  // namespace
}  // namespace pixkura::testing
