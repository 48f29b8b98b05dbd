#include "app/core/CommandLine.h"

#include <gtest/gtest.h>

namespace pixkura {
namespace {

using TAction = TCommandLine::TAction;

TEST(CommandLine, NothingOrOneFileRuns) {
  TCommandLine c = ParseCommandLine({});
  EXPECT_EQ(c.Action, TAction::Run);
  EXPECT_EQ(c.File, "");
  EXPECT_EQ(c.Language, "");

  c = ParseCommandLine({"sprites/hero.png"});
  EXPECT_EQ(c.Action, TAction::Run);
  EXPECT_EQ(c.File, "sprites/hero.png");

  // After "--" a name that looks like an option is a file; "-" alone is a name too.
  EXPECT_EQ(ParseCommandLine({"--", "--help"}).File, "--help");
  EXPECT_EQ(ParseCommandLine({"-"}).File, "-");
}

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand) {
  EXPECT_EQ(ParseCommandLine({"--help"}).Action, TAction::Help);
  EXPECT_EQ(ParseCommandLine({"-h"}).Action, TAction::Help);
  EXPECT_EQ(ParseCommandLine({"a.bmp", "--help"}).Action, TAction::Help);
  EXPECT_EQ(ParseCommandLine({"--version"}).Action, TAction::Version);
  EXPECT_NE(VersionText().find("Pixkura "), std::string::npos);
  EXPECT_NE(UsageText("pixkura").find("Usage: pixkura [OPTION]... [FILE]"), std::string::npos);
}

TEST(CommandLine, LanguageOverride) {
  EXPECT_EQ(ParseCommandLine({"--lang", "en", "x.bmp"}).Language, "en");
  EXPECT_EQ(ParseCommandLine({"--lang=ja"}).Language, "ja");
  EXPECT_EQ(ParseCommandLine({"--lang", "en", "x.bmp"}).File, "x.bmp");
  EXPECT_EQ(ParseCommandLine({"--lang"}).Action, TAction::UsageError);
  EXPECT_EQ(ParseCommandLine({"--lang", "de"}).Action, TAction::UsageError);
  EXPECT_EQ(ParseCommandLine({"--lang="}).Action, TAction::UsageError);
}

TEST(CommandLine, UnknownOptionsAndSecondFilesAreUsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--bogus"}, {"-x"}, {"--helpme"}, {"a.bmp", "b.bmp"}, {"--langen"}}) {
    const TCommandLine c = ParseCommandLine(args);
    EXPECT_EQ(c.Action, TAction::UsageError) << args.front();
    EXPECT_FALSE(c.Error.empty());
  }
}

TEST(CommandLine, TheToolkitsOwnOptionsAndTheirValuesAreLeftAlone) {
  const TCommandLine c =
      ParseCommandLine({"-style", "fusion", "--platform", "offscreen", "-reverse", "-stylesheet=a.qss",
                        "--qwindowtitle", "T", "-display", ":1", "-qmljsdebugger=port:1", "pic.png"});
  EXPECT_EQ(c.Action, TAction::Run) << c.Error;
  EXPECT_EQ(c.File, "pic.png");
}

}  // namespace
}  // namespace pixkura
