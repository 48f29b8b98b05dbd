// Building an editor for a test: a host that records what the editor asks of
// the window, a private program folder for the palette and settings files, and
// the editor started with FormCreate in that folder.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/Editor.h"

namespace pixkura::testing {

class TFakeHost : public TEditorHost {
 public:
  using TEditorHost::MessageBox;
  bool ExecuteOpenDialog(const TFileDialogSpec&, std::string& fileName) override;
  bool ExecuteSaveDialog(const TFileDialogSpec&, std::string& fileName) override;
  bool ExecuteColorDialog(const std::string& title, TColor& color) override;
  bool ExecuteAnimationDialog(const TAnimationDialogSpec& spec, TAnimationChoice& choice) override;
  bool ExecuteTextDialog(const std::string& title, const std::string& label, std::string& text) override;
  TModalResult MessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  void Close() override { ++Closes; }
  // A question records its text and answers with AskAnswer (-1: cancelled).
  int Ask(const std::string& text, const std::vector<std::string>& answers) override;
  // The clipboard: a copy's offer, and what a paste reads.
  void OfferToClipboard(const TClipboardOffer& offer) override { Clipboard = {offer.Block, {}}; }
  TClipboardContent ReadClipboard() override { return Clipboard; }
  int AskAnswer = -1;
  TClipboardContent Clipboard;

  std::string DialogAnswer;  // empty: the dialog is cancelled
  // Answers to the next message boxes, in turn; when none is left, MessageAnswer.
  std::deque<TModalResult> Answers;
  TModalResult MessageAnswer = TModalResult::mrOk;
  std::vector<std::string> Messages;
  std::vector<TMsgDlgButtons> Buttons;  // of each message box shown
  std::vector<std::string> Dialogs;     // the title of each file dialog shown, in turn
  std::string DialogProposal;           // the name the last save dialog started with
  int Closes = 0;
  // The colour dialog: the colour it was opened on, and the answer (none:
  // cancelled).
  std::vector<TColor> ColorsOffered;
  std::optional<TColor> ColorAnswer;
  // The animation dialog: the choice it was opened with, and the answer
  // (none: cancelled).
  std::vector<TAnimationChoice> AnimationChoicesOffered;
  std::optional<TAnimationChoice> AnimationAnswer;
  std::optional<std::string> TextAnswer;  // the text dialog's answer (none: cancelled)
};

// A fresh folder that stands in for the program's folder while it lives.
class TProgramFolder {
 public:
  TProgramFolder();
  ~TProgramFolder();
  TProgramFolder(const TProgramFolder&) = delete;
  TProgramFolder& operator=(const TProgramFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::vector<uint8_t> ReadBytes(const std::string& fileName);
void WriteBytes(const std::string& fileName, const std::vector<uint8_t>& bytes);

// An editor in its own program folder. Start() runs FormCreate with the given
// stored settings; the folder may be prepared (a palette file) before.
struct TEditorFixture {
  TProgramFolder Folder;
  TFakeHost Host;
  std::unique_ptr<TEditor> Editor = std::make_unique<TEditor>(Host);
  int LoupeRepaints = 0;  // immediate repaints of LupeView since Start

  TEditor& Start(const TEditorSettings& stored = {});
};

// Settings for pixel tests: the transparent colour apart from the darkest (0)
// and lightest (255) grey-ramp entries, and no grid or centre lines.
TEditorSettings PlainLoupeSettings(int32_t bairitu);

// Fills the sheet rectangle (x, y, w, h) with value(x, y) for each sheet pixel.
template <typename F>
void PaintSheet(TEditor& e, int32_t x0, int32_t y0, int32_t w, int32_t h, F value) {
  for (int32_t y = y0; y < y0 + h; ++y)
    for (int32_t x = x0; x < x0 + w; ++x) e.Doc.AllDib->SetPixels(x, y, static_cast<int32_t>(value(x, y)));
}

// Copies the selected cell out of the sheet into ChrDib, as selecting a cell does.
void RefillChrDib(TEditor& e);

}  // namespace pixkura::testing
