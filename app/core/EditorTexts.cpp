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
    // A paste: nothing it can use, a picture cut to the sheet's size.
    TEditorText{kStatus, "クリップボードに貼り付けられる絵がありません"},
    TEditorText{kStatus, "256 x 256 を超える部分は切り捨てました"},
    // The picture dialogs.
    TEditorText{kTitle, "読み込む絵を選択して下さい"},
    TEditorText{kTitle, "絵に名前を付けて下さい"},
    TEditorText{kFilter, "対応しているファイル"},
    TEditorText{kFilter, "全てのファイル"},
    TEditorText{kFilter, "すべての対応ファイル"},
    TEditorText{kFilter, "256Colors Bitmap"},
    TEditorText{kFilter, "Portable Network Graphics"},
    TEditorText{kFilter, "Device Independent Bitmap"},
    // The palette dialogs: the colour of one entry, palette files of other programs.
    TEditorText{kTitle, "色を選択して下さい"},
    TEditorText{kTitle, "読み込むパレットファイルを選択して下さい"},
    TEditorText{kTitle, "パレットファイルに名前を付けて下さい"},
    TEditorText{kFilter, "パレットと画像"},
    TEditorText{kFilter, "パレットファイル"},
    TEditorText{kFilter, "GIMP パレット"},
    TEditorText{kFilter, "JASC パレット"},
    TEditorText{kFilter, "Adobe カラーテーブル"},
    TEditorText{kFilter, "16進カラーリスト"},
    // The animation export: its own dialog, then the file name.
    TEditorText{kTitle, "GIFアニメの書き出し"},
    TEditorText{kTitle, "向き"},
    TEditorText{kTitle, "上"},
    TEditorText{kTitle, "右"},
    TEditorText{kTitle, "下"},
    TEditorText{kTitle, "左"},
    TEditorText{kTitle, "透明色を抜く"},
    TEditorText{kTitle, "GIFアニメに名前を付けて下さい"},
    TEditorText{kFilter, "GIFアニメ"},
    // The file commands' messages and questions.
    TEditorText{kMessage, "無念、読み込めぬわ！"},
    TEditorText{kMessage, "不覚！保存できんとは・・・"},
    TEditorText{kMessage, kAskOverwrite},
    TEditorText{kMessage, kAskSaveChanges},
    // A paste whose palette differs: the question and its answers.
    TEditorText{kMessage, "貼り付ける絵のパレットがこのパレットと違います。"},
    TEditorText{kTitle, "近い色に置き換える"},
    TEditorText{kTitle, "番号をそのまま使う"},
    TEditorText{kTitle, "パレットも取り込む"},
    TEditorText{kMessage, "不覚！パレットを書き出せんとは・・・"},
    // Recovery of unsaved work: the start-up question and its buttons, the
    // status when a copy cannot be written.
    TEditorText{kMessage, kAskRecover},
    TEditorText{kTitle, kRecoverButton},
    TEditorText{kTitle, kDiscardButton},
    TEditorText{kTitle, kLaterButton},
    TEditorText{kStatus, kRecoveryWriteFailed},
    TEditorText{kMessage, "不覚！アニメを書き出せんとは・・・"},
    TEditorText{kMessage,
                "アニメーションがシートに収まりません。選択しているキャラクタから右へアニメ枚数分、下へ４方向"
                "分のキャラクタが必要です"},
    // The sprite-sheet data export: the tag's name, then the file name.
    TEditorText{kTitle, "スプライトシート情報の書き出し"},
    TEditorText{kTitle, "アニメーションのタグ名"},
    TEditorText{kTitle, "スプライトシート情報に名前を付けて下さい"},
    TEditorText{kFilter, "スプライトシート情報"},
    TEditorText{kMessage, "スプライトシート情報は保存された絵を指します。先に絵を保存しますか？"},
    TEditorText{kMessage, "キャラクタの大きさで絵を割り切れません"},
    TEditorText{kMessage,
                "アニメーションのコマが絵に収まりません。選択しているキャラクタから右へアニメ枚数分のキャラクタが"
                "必要です"},
    TEditorText{kMessage, "タグ名がありません"},
    TEditorText{kMessage, "絵のファイルにスプライトシート情報は書き出せません"},
    TEditorText{kMessage, "不覚！スプライトシート情報を書き出せんとは・・・"},
    // Errors of the layers below that reach the error report.
    TEditorText{kMessage, "ファイル %s は開けません"},
    TEditorText{kMessage, "ファイル %s を作成できません"},
    TEditorText{kMessage, "%s に書き込めません"},
    TEditorText{kMessage, "認識できない画像形式です"},
    TEditorText{kMessage, kNoSettingsFolder},
    // A palette file that cannot be read or written: where, then what. The
    // more particular places come first, so that a message is read by them.
    TEditorText{kMessage, "パレットファイル %s の %s 行目: %m"},
    TEditorText{kMessage, "パレットファイル %s のオフセット %s: %m"},
    TEditorText{kMessage, "パレットファイル %s: %m"},
    TEditorText{kMessage, "パレットファイル %s の色が 256 を超えています: 最初の 256 色を読み、残りの %s 色は省きました"},
    TEditorText{kMessage, "最初の行が \"GIMP Palette\" ではありません"},
    TEditorText{kMessage, "最初の行が \"JASC-PAL\" ではありません"},
    TEditorText{kMessage, "版 \"0100\" がありません"},
    TEditorText{kMessage, "版が \"0100\" ではありません"},
    TEditorText{kMessage, "色の数がありません"},
    TEditorText{kMessage, "色の数 \"%s\" が 1〜65536 の数ではありません"},
    TEditorText{kMessage, "色の数 %s が 1〜256 ではありません"},
    TEditorText{kMessage, "色の数 %s に対して色が %s しかありません"},
    TEditorText{kMessage, "色の数 %s より多くの行があります"},
    TEditorText{kMessage, "色の行に赤・緑・青とアルファのほかの値があります"},
    TEditorText{kMessage, "赤・緑・青の三つの値 (0〜255) が必要です"},
    TEditorText{kMessage, "赤・緑・青とアルファの四つの値 (0〜255) が必要です"},
    TEditorText{kMessage, "チャンネル \"%s\" は RGB でも RGBA でもありません"},
    TEditorText{kMessage, "色の値 %s が 0〜255 の範囲にありません"},
    TEditorText{kMessage, "\"%s\" は 0〜255 の数ではありません"},
    TEditorText{kMessage, "\"%s\" は RRGGBB の形の色ではありません"},
    TEditorText{kMessage, "色が 256 を超えています"},
    TEditorText{kMessage, "色が一つもありません"},
    TEditorText{kMessage, "RIFF パレットの見出しがありません"},
    TEditorText{kMessage, "RIFF の大きさ %s がファイルの残りを超えています"},
    TEditorText{kMessage, "チャンクが途中で切れています"},
    TEditorText{kMessage, "RIFF パレットに data チャンクがありません"},
    TEditorText{kMessage, "data チャンクが短すぎます"},
    TEditorText{kMessage, "data チャンクに %s 色が収まっていません"},
    TEditorText{kMessage, "Adobe カラーテーブルの大きさは 768 か 772 バイトです (%s バイト)"},
    TEditorText{kMessage, "パレットファイルの大きさは 1024 バイトです (%s バイト)"},
    TEditorText{kMessage, "パレットファイルとしても画像としても読めない形式です"},
    TEditorText{kMessage,
                "256 色を超えるフルカラー画像にはパレットがありません (先に 256 色に減色してください)"},
    TEditorText{kMessage, "色を読み取れない画素の形式です"},
    TEditorText{kMessage, "書き出せるパレットの形式は拡張子 %s のものです"},
    // The settings store's own messages (English as they stand).
    TEditorText{kMessage, "[' %s '] is invalid."},
    TEditorText{kMessage, "can not create Inifile object."},
    TEditorText{kMessage, "can not create Registry object."},
};

}  // namespace

std::span<const TEditorText> EditorTexts() { return kTexts; }

namespace {

// Matches the holes of a template from hole `hole` on against rest, the text
// after the literal before that hole. A template's literals are the parts
// between its holes; holes[i] lies between literals[i] and literals[i + 1].
// A literal may also occur inside a filling (a file name may hold " の "), so
// every place it occurs is tried until the whole text matches.
bool MatchHoles(const std::vector<std::string_view>& literals, const std::vector<char>& holes, size_t hole,
                std::string_view rest, std::vector<TFilledHole>& out) {
  const std::string_view next = literals[hole + 1];
  const bool message = holes[hole] == 'm';
  const auto take = [&](std::string_view filling) {
    if (message && !IsListedText(TTextKind::Message, filling)) return false;
    out.push_back({message, std::string(filling)});
    return true;
  };
  if (hole + 1 == holes.size())  // the last literal ends the text
    return rest.ends_with(next) && take(rest.substr(0, rest.size() - next.size()));
  for (size_t at = rest.find(next); at != std::string_view::npos; at = rest.find(next, at + 1)) {
    if (!take(rest.substr(0, at))) continue;
    if (MatchHoles(literals, holes, hole + 1, rest.substr(at + next.size()), out)) return true;
    out.pop_back();
  }
  return false;
}

}  // namespace

bool MatchTemplate(std::string_view templ, std::string_view text, std::vector<TFilledHole>* holes) {
  std::vector<std::string_view> literals;
  std::vector<char> kinds;
  size_t start = 0, at = 0;
  while ((at = templ.find('%', at)) != std::string_view::npos && at + 1 < templ.size()) {
    const char kind = templ[at + 1];
    if (kind != 's' && kind != 'm') {
      ++at;
      continue;
    }
    literals.push_back(templ.substr(start, at - start));
    kinds.push_back(kind);
    start = at += 2;
  }
  literals.push_back(templ.substr(start));
  if (kinds.empty() || !text.starts_with(literals.front())) return false;
  std::vector<TFilledHole> filled;
  if (!MatchHoles(literals, kinds, 0, text.substr(literals.front().size()), filled)) return false;
  if (holes) *holes = std::move(filled);
  return true;
}

bool MatchTemplate(std::string_view templ, std::string_view text, std::string* filling) {
  std::vector<TFilledHole> holes;
  if (!MatchTemplate(templ, text, &holes)) return false;
  if (filling) *filling = holes.front().Text;
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
