// The command line's list of Qt's own options matches what QApplication
// takes out of argv itself, so that none of their values is taken for FILE.
// This program makes its own QApplication from a chosen command line.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <string>
#include <vector>

#include "app/core/CommandLine.h"

namespace pixkura {
namespace {

TEST(ToolkitOptions, WhatQtTakesIsWhatTheParserSkips) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::vector<std::string> args{"pixkura",
                                "-style",
                                "fusion",
                                "--lang",
                                "en",
                                "-qwindowtitle",
                                "T",
                                "-reverse",
                                "--session",
                                "s1",
                                "-stylesheet=x.qss",
                                "-widgetcount",
                                "pic.png",
                                "-platformtheme",
                                "none"};
  const TCommandLine parsed = ParseCommandLine(std::vector<std::string>(args.begin() + 1, args.end()));
  EXPECT_EQ(parsed.Action, TCommandLine::TAction::Run) << parsed.Error;
  EXPECT_EQ(parsed.File, "pic.png");
  EXPECT_EQ(parsed.Language, "en");

  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int argc = static_cast<int>(args.size());
  QApplication app(argc, argv.data());
  // Qt has taken its options and their values; ours and FILE are left.
  std::vector<std::string> left(argv.begin() + 1, argv.begin() + argc);
  EXPECT_EQ(left, (std::vector<std::string>{"--lang", "en", "pic.png"}));
}

}  // namespace
}  // namespace pixkura
