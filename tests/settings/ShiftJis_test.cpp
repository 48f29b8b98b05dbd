#include "settings/ShiftJis.h"

#include <gtest/gtest.h>

namespace pixkura {
namespace {

TEST(ShiftJis, JapaneseKeyEncodesToCodePage932) {
  EXPECT_EQ(Utf8ToShiftJis("アンドゥ回数"), "\x83\x41\x83\x93\x83\x68\x83\x44\x89\xF1\x90\x94");
  EXPECT_EQ(ShiftJisToUtf8("\x83\x41\x83\x93\x83\x68\x83\x44\x89\xF1\x90\x94"), "アンドゥ回数");
}

TEST(ShiftJis, RoundTripKeepsAsciiBackslashAndHalfWidthKana) {
  // Code page 932 keeps 0x5C and 0x7E as backslash and tilde, unlike plain Shift-JIS.
  const std::string text = "a\\b~c ｱｲｳ 表示 ①";
  EXPECT_EQ(ShiftJisToUtf8(Utf8ToShiftJis(text)), text);
  EXPECT_EQ(Utf8ToShiftJis("\\~"), "\\~");
  EXPECT_EQ(Utf8ToShiftJis("ｱ"), "\xB1");
}

TEST(ShiftJis, UndecodableBytesBecomeReplacementCharacters) {
  // A lone lead byte at the end, a lead byte with an invalid trail, and bytes
  // that start nothing: each lost byte gives U+FFFD and decoding goes on.
  EXPECT_EQ(ShiftJisToUtf8("A\x83"), "A\xEF\xBF\xBD");
  EXPECT_EQ(ShiftJisToUtf8("\x83\x0A"
                           "B"),
            "\xEF\xBF\xBD\nB");
  EXPECT_EQ(ShiftJisToUtf8(std::string("x\0y", 3)), std::string("x\0y", 3));
  const std::string decoded = ShiftJisToUtf8(
      "\xFF\xFD"
      "ok");
  EXPECT_EQ(decoded.substr(decoded.size() - 2), "ok");
}

TEST(ShiftJis, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToShiftJis("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToShiftJis("a\xC3"
                           "b"),
            "a?b");                            // cut-off sequence
  EXPECT_EQ(Utf8ToShiftJis("\xE3\x81"), "?");  // cut off at the end
  EXPECT_EQ(Utf8ToShiftJis("\x80\x80"
                           "z"),
            "??z");  // stray continuation bytes
}

TEST(ShiftJis, LongTextCrossesTheConversionBuffer) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "縦";
  EXPECT_EQ(Utf8ToShiftJis(text).size(), 10000u);
  EXPECT_EQ(ShiftJisToUtf8(Utf8ToShiftJis(text)), text);
}

}  // namespace
}  // namespace pixkura
