// The list of texts the editor shows: complete for what the handlers and the
// layers below can show, so that the UI can translate every one.
#include "app/core/EditorTexts.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/Exception.h"
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
