// The interface in English and in Japanese: every caption, hint, menu item,
// status text, dialog title, filter and message the editor can show has an
// English translation; the English captions fit their controls; Qt's own
// buttons speak Japanese with the Japanese interface; the language follows
// the locale unless overridden.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QToolButton>
#include <QTranslator>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "app/core/EditorTexts.h"
#include "app/ui/MainForm.h"
#include "app/ui/Translation.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

namespace pixkura {
namespace {

class TNoHost : public TEditorHost {
 public:
  bool ExecuteOpenDialog(const TFileDialogSpec&, std::string&) override { return false; }
  bool ExecuteSaveDialog(const TFileDialogSpec&, std::string&) override { return false; }
  bool ExecuteColorDialog(const std::string&, TColor&) override { return false; }
  bool ExecuteAnimationDialog(const TAnimationDialogSpec&, TAnimationChoice&) override { return false; }
  using TEditorHost::MessageBox;
  TModalResult MessageBox(const std::string&, TMsgDlgType, TMsgDlgButtons) override {
    return TModalResult::mrOk;
  }
  void Close() override {}
};

// The language's catalogue installed for one test.
class TLanguage {
 public:
  explicit TLanguage(const std::string& language)
      : translator_(InstallTranslations(test::QtTestApp(), language)) {}
  ~TLanguage() {
    if (translator_) {
      QCoreApplication::removeTranslator(translator_);
      delete translator_;
    }
  }
  bool Loaded() const { return translator_ != nullptr; }

 private:
  QTranslator* translator_;
};

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Japanese letters, full-width forms and Japanese punctuation.
bool HasJapanese(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() >= 0x3000 && c.unicode() <= 0xFFEF) return true;
  return false;
}

// Every text of the editor the user can meet, with the role it is shown in.
void ForEachText(TEditor& e, const std::function<void(TTextRole, const std::string&)>& visit) {
  for (TControl* c : e.Controls) {
    visit(TTextRole::Hint, c->Hint);
    if (auto* b = dynamic_cast<TSpeedButton*>(c)) visit(TTextRole::Caption, b->Caption);
    if (auto* b = dynamic_cast<TCheckBox*>(c)) visit(TTextRole::Caption, b->Caption);
    if (auto* r = dynamic_cast<TRadioGroup*>(c)) {
      visit(TTextRole::Caption, r->Caption);
      for (const std::string& item : r->Items) visit(TTextRole::Caption, item);
    }
    if (auto* t = dynamic_cast<TTextControl*>(c); t && t->IsLabel) visit(TTextRole::Caption, t->Text());
    if (auto* s = dynamic_cast<TStatusBar*>(c))
      for (const auto& panel : s->Panels) visit(TTextRole::Status, panel.Text);
  }
  std::function<void(const TMenuItem&)> menu = [&](const TMenuItem& item) {
    if (!item.Separator) visit(TTextRole::Menu, item.Caption);
    for (const TMenuItem* sub : item.Items) menu(*sub);
  };
  for (const TMenuItem* top : e.MainMenu1) menu(*top);
  for (const TFileDialogSpec* spec : {&e.OpenD, &e.SaveD})
    for (const std::string& d : FilterDescriptions(spec->Filter)) visit(TTextRole::Dialog, d);
  for (const TEditorText& t : EditorTexts()) {
    switch (t.Kind) {
      case TTextKind::Status:
        visit(TTextRole::Status, std::string(t.Text));
        break;
      case TTextKind::DialogTitle:
      case TTextKind::Filter:
        visit(TTextRole::Dialog, std::string(t.Text));
        break;
      case TTextKind::Message:
        visit(TTextRole::Message, std::string(t.Text));
        break;
    }
  }
  for (const TUiText& t : UiTexts()) visit(t.Role, std::string(t.Text));
}

TEST(Translation, EveryTextTheEditorShowsHasAnEnglishTranslation) {
  const TLanguage english("en");
  ASSERT_TRUE(english.Loaded());
  TNoHost host;
  TEditor editor(host);
  std::set<std::string> missing;
  int checked = 0;
  ForEachText(editor, [&](TTextRole role, const std::string& text) {
    if (text.empty() || IsAscii(text)) return;  // English already, or nothing to show
    ++checked;
    const QString shown = Tr(role, text);
    if (shown == QString::fromStdString(text) || shown.isEmpty() || HasJapanese(shown))
      missing.insert(std::string(TranslationContext(role)) + ": " + text);
  });
  EXPECT_GT(checked, 100);
  std::string list;
  for (const std::string& m : missing) list += "\n  " + m;
  EXPECT_TRUE(missing.empty()) << "no English translation in translations/pixkura_en.ts for:" << list;
}

TEST(Translation, MessagesNamingAFileAreTranslatedAroundTheName) {
  const TLanguage english("en");
  ASSERT_TRUE(english.Loaded());
  EXPECT_EQ(TrMessage("ファイル /tmp/ピクセル.bmp は開けません"),
            QStringLiteral("Cannot open the file /tmp/ピクセル.bmp"));
  EXPECT_EQ(TrMessage("/x/Pixkura.ini に書き込めません"), QStringLiteral("Cannot write to /x/Pixkura.ini"));
  EXPECT_EQ(TrMessage("無念、読み込めぬわ！"), QStringLiteral("Alas, this picture cannot be read!"));
  // A filling that itself holds "%s" or "%m" stays as it is, in every hole.
  EXPECT_EQ(TrMessage("ファイル 100%sale.gpl は開けません"), QStringLiteral("Cannot open the file 100%sale.gpl"));
  EXPECT_EQ(TrMessage("パレットファイル /p/100%sale.gpl の 3 行目: 色の値 %m が 0〜255 の範囲にありません"),
            QStringLiteral("Palette file /p/100%sale.gpl, line 3: the colour value %m is not within 0 to 255"));
  // Texts of nobody's list pass unchanged.
  EXPECT_EQ(TrMessage("TIxDIB.GetPixels: Pixel Position is Out of Range"),
            QStringLiteral("TIxDIB.GetPixels: Pixel Position is Out of Range"));
  // The same source can read differently by role: a short caption, a longer menu item.
  EXPECT_EQ(Tr(TTextRole::Status, "塗りつぶし"), QStringLiteral("Fill"));
  EXPECT_EQ(Tr(TTextRole::Menu, "半透明合成"), QStringLiteral("Blend"));
}

TEST(Translation, EnglishCaptionsFitTheirControls) {
  const TLanguage english("en");
  ASSERT_TRUE(english.Loaded());
  TMainForm form;
  form.RunFormCreate();
  form.show();
  ASSERT_TRUE(test::WaitExposed(form));
  EXPECT_EQ(form.menuBar()->actions().first()->text(), QStringLiteral("File"));
  std::string clipped;
  for (TControl* c : form.Editor().Controls) {
    QWidget* view = form.ViewOf(*c);
    if (auto* box = qobject_cast<QCheckBox*>(view); box && !box->text().isEmpty()) {
      if (box->sizeHint().width() > box->width()) clipped += "\n  " + box->text().toStdString();
    }
    if (auto* group = qobject_cast<QGroupBox*>(view)) {
      if (group->fontMetrics().horizontalAdvance(group->title()) + 12 > group->width())
        clipped += "\n  " + group->title().toStdString();
      for (QRadioButton* r : group->findChildren<QRadioButton*>())
        if (r->sizeHint().width() > r->width()) clipped += "\n  " + r->text().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(view); label && !label->text().isEmpty()) {
      if (label->sizeHint().width() > label->width()) clipped += "\n  " + label->text().toStdString();
    }
    // The buttons' own English captions ("Undo", "Redo") are the design's, not ours to fit.
    auto* speed = dynamic_cast<TSpeedButton*>(c);
    if (auto* button = qobject_cast<QToolButton*>(view);
        button && speed && button->text() != QString::fromStdString(speed->Caption)) {
      if (button->fontMetrics().horizontalAdvance(button->text()) > button->width())
        clipped += "\n  " + button->text().toStdString();
    }
  }
  EXPECT_TRUE(clipped.empty()) << "English captions wider than their controls:" << clipped;
}

TEST(Translation, QtsOwnButtonsSpeakJapaneseWithTheJapaneseInterface) {
  {
    const TLanguage japanese("ja");
    ASSERT_TRUE(japanese.Loaded()) << "Qt's Japanese catalogue (qt6-translations-l10n) is missing";
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    // Our texts are the Japanese source.
    EXPECT_EQ(Tr(TTextRole::Menu, "ファイル"), QStringLiteral("ファイル"));
  }
  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                  QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Yes"));
}

TEST(Translation, TheLanguageFollowsTheLocaleUnlessOverridden) {
  EXPECT_EQ(ChooseUiLanguage("", {QStringLiteral("ja-JP"), QStringLiteral("ja")}), "ja");
  EXPECT_EQ(ChooseUiLanguage("", {QStringLiteral("en-US")}), "en");
  EXPECT_EQ(ChooseUiLanguage("", {QStringLiteral("de-DE"), QStringLiteral("ja")}),
            "ja");  // the first we have
  EXPECT_EQ(ChooseUiLanguage("", {QStringLiteral("de-DE"), QStringLiteral("fr")}), "en");
  EXPECT_EQ(ChooseUiLanguage("", {QStringLiteral("C")}), "en");
  EXPECT_EQ(ChooseUiLanguage("", {}), "en");
  EXPECT_EQ(ChooseUiLanguage("en", {QStringLiteral("ja-JP")}), "en");
  EXPECT_EQ(ChooseUiLanguage("ja", {QStringLiteral("en-US")}), "ja");
}

}  // namespace
}  // namespace pixkura
