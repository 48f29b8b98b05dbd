// Every text the editor core can show that its control models do not hold:
// status texts, dialog titles, the descriptions in the dialogs' filters and
// message texts (its own and those of the errors that reach the user). The
// captions, hints and menu items are read from the controls themselves.
//
// The texts are the source strings; the UI translates them for display. A
// message that names a file (or a number, a word of a file) holds "%s" in its
// place; one that carries another message holds "%m" where that message
// stands, and the message in it is itself a listed one, translated on its
// own. Tests check that every text the editor shows is listed here, so that
// none goes untranslated.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pixkura {

// DialogTitle: the titles of dialogs and the texts inside the editor's own dialogs.
enum class TTextKind { Status, DialogTitle, Filter, Message };

// The unsaved-changes question, asked before the sheet is replaced or closed.
inline constexpr std::string_view kAskSaveChanges = "データが変更されています、上書き保存しますか？";
// The question before a file is replaced by a save or an export.
inline constexpr std::string_view kAskOverwrite = "同名のファイルが存在します、上書きしますか？";

// Said once at start-up when the program has no folder for its own files
// (no HOME and no home in the password database).
inline constexpr std::string_view kNoSettingsFolder =
    "ホームフォルダが分からないため、既定の設定で始め、設定とパレットは保存しません";

// The start-up question about recovery copies left by editors that died:
// %s is the list of copies, each "FILE、TIME", newest first.
inline constexpr std::string_view kAskRecover = "前回、保存されなかった編集内容があります（%s）。復元しますか？";
// The buttons of that question, and what names a copy of a sheet without a file.
inline constexpr std::string_view kRecoverButton = "復元";
inline constexpr std::string_view kDiscardButton = "破棄";
inline constexpr std::string_view kLaterButton = "後で";
inline constexpr std::string_view kUntitled = "無題";
// A picture that could not be read, from every command that reads one.
inline constexpr std::string_view kLoadFailed = "無念、読み込めぬわ！";
// The status text when a recovery copy could not be written.
inline constexpr std::string_view kRecoveryWriteFailed = "復元用の保存に失敗しました";

struct TEditorText {
  TTextKind Kind;
  std::string_view Text;
};

std::span<const TEditorText> EditorTexts();

// True when text is listed with that kind, or is a listed text with "%s"
// filled in by any string.
bool IsListedText(TTextKind kind, std::string_view text);

// The descriptions of a dialog filter "description (patterns)|patterns|...",
// each without its trailing "(patterns)".
std::vector<std::string> FilterDescriptions(std::string_view filter);

// One hole of a template as a text fills it: "%s" (Message false) or "%m".
struct TFilledHole {
  bool Message = false;
  std::string Text;
};

// When text is template with its holes filled in, what fills them, in order.
// A "%m" hole matches a listed message only.
bool MatchTemplate(std::string_view templ, std::string_view text, std::vector<TFilledHole>* holes);
// The same, with the filling of the first hole.
bool MatchTemplate(std::string_view templ, std::string_view text, std::string* filling = nullptr);

}  // namespace pixkura
