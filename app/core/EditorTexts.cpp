#include "app/core/EditorTexts.h"

#include <array>

namespace pixkura {
namespace {

constexpr auto kStatus = TTextKind::Status;
constexpr auto kTitle = TTextKind::DialogTitle;
constexpr auto kFilter = TTextKind::Filter;
constexpr auto kMessage = TTextKind::Message;

constexpr std::array kTexts{
    // Status panels: the tool names, the block-copy states.
    TEditorText{kStatus, "点描画"},
    TEditorText{kStatus, "ペンツール"},
    TEditorText{kStatus, "線描画"},
    TEditorText{kStatus, "円描画"},
    TEditorText{kStatus, "塗りつぶし"},
    TEditorText{kStatus, "箱形塗りつぶし"},
    TEditorText{kStatus, "半透明合成"},
    TEditorText{kStatus, "転送先指定"},
    TEditorText{kStatus, "複写領域選択開始"},
    TEditorText{kStatus, "無題.bmp"},
    TEditorText{kStatus, "横座標"},
    TEditorText{kStatus, "縦座標"},
    // The picture dialogs.
    TEditorText{kTitle, "読み込む絵を選択して下さい"},
    TEditorText{kTitle, "絵に名前を付けて下さい"},
    TEditorText{kFilter, "対応しているファイル"},
    TEditorText{kFilter, "全てのファイル"},
    TEditorText{kFilter, "すべての対応ファイル"},
    TEditorText{kFilter, "256Colors Bitmap"},
    TEditorText{kFilter, "Portable Network Graphics"},
    TEditorText{kFilter, "Device Independent Bitmap"},
    // The file commands' messages and questions.
    TEditorText{kMessage, "無念、読み込めぬわ！"},
    TEditorText{kMessage, "不覚！保存できんとは・・・"},
    TEditorText{kMessage, "同名のファイルが存在します、上書きしますか？"},
    TEditorText{kMessage, kAskSaveChanges},
    // Errors of the layers below that reach the error report.
    TEditorText{kMessage, "ファイル %s は開けません"},
    TEditorText{kMessage, "ファイル %s を作成できません"},
    TEditorText{kMessage, "%s に書き込めません"},
    TEditorText{kMessage, "認識できない画像形式です"},
    // The settings store's own messages (English as they stand).
    TEditorText{kMessage, "[' %s '] is invalid."},
    TEditorText{kMessage, "can not create Inifile object."},
    TEditorText{kMessage, "can not create Registry object."},
};

}  // namespace

std::span<const TEditorText> EditorTexts() { return kTexts; }

bool MatchTemplate(std::string_view templ, std::string_view text, std::string* filling) {
  const size_t hole = templ.find("%s");
  if (hole == std::string_view::npos) return false;
  const std::string_view before = templ.substr(0, hole), after = templ.substr(hole + 2);
  if (text.size() < before.size() + after.size() || !text.starts_with(before) || !text.ends_with(after))
    return false;
  if (filling) *filling = std::string(text.substr(before.size(), text.size() - before.size() - after.size()));
  return true;
}

bool IsListedText(TTextKind kind, std::string_view text) {
  for (const TEditorText& t : kTexts)
    if (t.Kind == kind && (t.Text == text || MatchTemplate(t.Text, text))) return true;
  return false;
}

std::vector<std::string> FilterDescriptions(std::string_view filter) {
  std::vector<std::string> descriptions;
  for (size_t start = 0, index = 0; start <= filter.size(); ++index) {
    const size_t bar = filter.find('|', start);
    const std::string_view part = filter.substr(start, bar == std::string_view::npos ? bar : bar - start);
    if (index % 2 == 0) {
      std::string_view d = part;
      while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
      if (d.ends_with(')')) {
        if (const size_t open = d.rfind('('); open != std::string_view::npos) d = d.substr(0, open);
      }
      while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
      while (!d.empty() && d.front() == ' ') d.remove_prefix(1);
      if (!d.empty()) descriptions.emplace_back(d);
    }
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return descriptions;
}

}  // namespace pixkura
