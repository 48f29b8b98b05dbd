#include "app/ui/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>
#include <array>
#include <vector>

#include "app/core/EditorTexts.h"

namespace pixkura {
namespace {

constexpr std::array kUiTexts{
    TUiText{TTextRole::Dialog, kConfirmTitle},
    TUiText{TTextRole::Dialog, kInformationTitle},
    TUiText{TTextRole::Dialog, kErrorTitle},
};

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

const char* TranslationContext(TTextRole role) {
  switch (role) {
    case TTextRole::Caption:
      return "Caption";
    case TTextRole::Hint:
      return "Hint";
    case TTextRole::Menu:
      return "Menu";
    case TTextRole::Status:
      return "Status";
    case TTextRole::Dialog:
      return "Dialog";
    case TTextRole::Message:
      break;
  }
  return "Message";
}

QString Tr(TTextRole role, std::string_view source) {
  if (source.empty()) return {};
  // translate() wants a NUL-terminated key.
  const std::string key(source);
  return QCoreApplication::translate(TranslationContext(role), key.c_str());
}

QString TrMessage(std::string_view message) {
  const QString whole = Tr(TTextRole::Message, message);
  if (whole != FromUtf8(message)) return whole;
  for (const TEditorText& listed : EditorTexts()) {
    std::vector<TFilledHole> holes;
    if (listed.Kind != TTextKind::Message || !MatchTemplate(listed.Text, message, &holes)) continue;
    // The translation keeps the holes in their order; a message in a hole
    // is shown in its own translation.
    QString translated = Tr(TTextRole::Message, listed.Text);
    qsizetype at = 0;
    for (const TFilledHole& hole : holes) {
      at = translated.indexOf(QRegularExpression(QStringLiteral("%[sm]")), at);
      if (at < 0) break;
      const QString filling = hole.Message ? TrMessage(hole.Text) : QString::fromStdString(hole.Text);
      translated.replace(at, 2, filling);
      at += filling.size();
    }
    return translated;
  }
  return whole;
}

std::span<const TUiText> UiTexts() { return kUiTexts; }

std::string ChooseUiLanguage(const std::string& override, const QStringList& uiLanguages) {
  if (override == "ja" || override == "en") return override;
  for (const QString& name : uiLanguages) {
    const QLocale::Language language = QLocale(name).language();
    if (language == QLocale::Japanese) return "ja";
    if (language == QLocale::English) return "en";
  }
  return "en";
}

QTranslator* InstallTranslations(QCoreApplication& app, const std::string& language) {
  auto* translator = new QTranslator(&app);
  bool loaded = false;
  if (language == "en") {
    // Our catalogue is built into the program (resource prefix /i18n).
    loaded = translator->load(QStringLiteral(":/i18n/pixkura_en.qm"));
  } else {
    // Japanese texts are the source; Qt's own dialogs and buttons need Qt's catalogue.
    loaded = translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  }
  if (!loaded) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace pixkura
