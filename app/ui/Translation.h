// The translation boundary: the editor's texts are Japanese source strings
// (std::string, in the core); the UI shows them through Qt's translation
// system. Each kind of text has its own context, so that a caption can be
// short where a menu item or hint of the same source has room to say more.
// English is shipped (translations/pixkura_en.ts, built into the program);
// Japanese needs no catalogue of ours, only Qt's own for its dialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <span>
#include <string>
#include <string_view>

class QCoreApplication;
class QTranslator;

namespace pixkura {

enum class TTextRole { Caption, Hint, Menu, Status, Dialog, Message };

// The translation context of a role, as it stands in the .ts file.
const char* TranslationContext(TTextRole role);

// source as the user sees it in the current language; source itself when
// there is no translation (file names, numbers, English source texts).
QString Tr(TTextRole role, std::string_view source);

// A message as the user sees it: its own translation, or the translation of
// the listed message template ("ファイル %s は開けません") it fills, with the
// same fillings, a message in a "%m" hole translated in turn.
QString TrMessage(std::string_view message);

// The UI layer's own source texts (message box titles, ...), for the
// translation coverage test.
struct TUiText {
  TTextRole Role;
  std::string_view Text;
};
std::span<const TUiText> UiTexts();
inline constexpr std::string_view kConfirmTitle = "確認";
inline constexpr std::string_view kInformationTitle = "情報";
inline constexpr std::string_view kErrorTitle = "エラー";

// "ja" or "en": the override when given, else the first of the user's UI
// languages (most wanted first, as QLocale::uiLanguages gives them) that is
// Japanese or English; English when none is.
std::string ChooseUiLanguage(const std::string& override, const QStringList& uiLanguages);

// Installs the catalogue for language into app: ours for English, Qt's own
// for Japanese (its dialogs and buttons). Returns the installed translator
// (owned by app), or null when the catalogue could not be loaded: the texts
// then stay as they are.
QTranslator* InstallTranslations(QCoreApplication& app, const std::string& language);

}  // namespace pixkura
