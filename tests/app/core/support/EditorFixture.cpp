#include "EditorFixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gtest/gtest.h>

#include "app/core/EditorTexts.h"
#include "base/ProgramFolder.h"
#include "image/DIB256.h"

namespace pixkura::testing {

namespace {

// Every text the editor shows must be in its list of texts, or it would reach
// the user untranslated.
void ExpectListed(TTextKind kind, const std::string& text) {
  EXPECT_TRUE(IsListedText(kind, text)) << "the editor showed a text missing from EditorTexts(): " << text;
}

void ExpectListedDialog(const TFileDialogSpec& spec) {
  ExpectListed(TTextKind::DialogTitle, spec.Title);
  for (const std::string& description : FilterDescriptions(spec.Filter))
    ExpectListed(TTextKind::Filter, description);
}

}  // namespace

bool TFakeHost::ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) {
  ExpectListedDialog(spec);
  Dialogs.push_back(spec.Title);
  fileName = DialogAnswer;
  return !DialogAnswer.empty();
}

bool TFakeHost::ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) {
  ExpectListedDialog(spec);
  Dialogs.push_back(spec.Title);
  DialogProposal = fileName;
  fileName = DialogAnswer;
  return !DialogAnswer.empty();
}

bool TFakeHost::ExecuteColorDialog(const std::string& title, TColor& color) {
  ExpectListed(TTextKind::DialogTitle, title);
  ColorsOffered.push_back(color);
  if (!ColorAnswer) return false;
  color = *ColorAnswer;
  return true;
}

bool TFakeHost::ExecuteAnimationDialog(const TAnimationDialogSpec& spec, TAnimationChoice& choice) {
  for (const std::string& text : {spec.Title, spec.DirectionCaption, spec.TransparentCaption})
    ExpectListed(TTextKind::DialogTitle, text);
  for (const std::string& direction : spec.Directions) ExpectListed(TTextKind::DialogTitle, direction);
  AnimationChoicesOffered.push_back(choice);
  if (!AnimationAnswer) return false;
  choice = *AnimationAnswer;
  return true;
}

bool TFakeHost::ExecuteTextDialog(const std::string& title, const std::string& label, std::string& text) {
  for (const std::string& shown : {title, label}) ExpectListed(TTextKind::DialogTitle, shown);
  if (TextAnswer) text = *TextAnswer;
  return TextAnswer.has_value();
}

int TFakeHost::Ask(const std::string& text, const std::vector<std::string>& answers) {
  ExpectListed(TTextKind::Message, text);
  for (const std::string& answer : answers) ExpectListed(TTextKind::DialogTitle, answer);
  Messages.push_back(text);
  return AskAnswer;
}

TModalResult TFakeHost::MessageBox(const std::string& text, TMsgDlgType, TMsgDlgButtons buttons) {
  ExpectListed(TTextKind::Message, text);
  Messages.push_back(text);
  Buttons.push_back(buttons);
  if (Answers.empty()) return MessageAnswer;
  const TModalResult answer = Answers.front();
  Answers.pop_front();
  return answer;
}

TProgramFolder::TProgramFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-core-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  SetProgramFolderForTesting(path_);
}

TProgramFolder::~TProgramFolder() {
  SetProgramFolderForTesting("");
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<uint8_t> ReadBytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEditor& TEditorFixture::Start(const TEditorSettings& stored) {
  // The tool and block-copy panels show only listed texts.
  Editor->SBar.OnModelChanged = [this] {
    for (size_t panel : {3u, 4u})
      if (const std::string& text = Editor->SBar.Panels[panel].Text; !text.empty())
        ExpectListed(TTextKind::Status, text);
  };
  Editor->LupeView.OnRepaint = [this](bool now) {
    if (now) ++LoupeRepaints;
  };
  Editor->FormCreate(stored);
  LoupeRepaints = 0;
  return *Editor;
}

TEditorSettings PlainLoupeSettings(int32_t bairitu) {
  TEditorSettings s;
  s.Toumei = 200;
  s.Bairitu = bairitu;
  s.Grid = false;
  s.CLine = false;
  return s;
}

void RefillChrDib(TEditor& e) {
  CopyBlock(e.View.CellX, e.View.CellY, e.View.CellX + e.View.ChrX - 1, e.View.CellY + e.View.ChrY - 1, *e.Doc.AllDib, 0, 0, e.Tools.Cell.ChrDib);
}

}  // namespace pixkura::testing
