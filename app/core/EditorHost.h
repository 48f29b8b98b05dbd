// What the editor asks of the window it lives in: the modal dialogs and
// message boxes, and closing. The Qt layer implements it; tests fake it.
#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/core/Controls.h"
#include "app/core/editing/ClipboardContent.h"

namespace pixkura {

enum class TMsgDlgType { mtError, mtConfirmation, mtInformation };
enum class TModalResult { mrOk, mrYes, mrNo, mrCancel };
// The buttons of a message box. Escape and the box's close button answer
// Cancel when the box has one, else No when it has one, else OK.
// mbRecoverDiscardLater: the start-up question about a recovery copy, whose
// buttons 復元 (Recover, the default), 破棄 (Discard) and 後で (Later)
// answer Yes, No and Cancel.
enum class TMsgDlgButtons { mbOK, mbYesNo, mbYesNoCancel, mbRecoverDiscardLater };

class TEditorHost {
 public:
  virtual ~TEditorHost() = default;
  // Shows a picture dialog; true with the chosen name, false when cancelled.
  virtual bool ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) = 0;
  virtual bool ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) = 0;
  // The colour dialog, starting at color (an RGB value); true with the chosen
  // colour in color, false when cancelled.
  virtual bool ExecuteColorDialog(const std::string& title, TColor& color) = 0;
  // The animation export dialog, starting at choice; true with the user's
  // choice, false when cancelled.
  virtual bool ExecuteAnimationDialog(const TAnimationDialogSpec& spec, TAnimationChoice& choice) = 0;
  // A message box of the given kind and buttons; returns the answer.
  virtual TModalResult MessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
  // The usual buttons of a kind: Yes / No for a confirmation, OK otherwise.
  TModalResult MessageBox(const std::string& text, TMsgDlgType type) {
    return MessageBox(text, type,
                      type == TMsgDlgType::mtConfirmation ? TMsgDlgButtons::mbYesNo : TMsgDlgButtons::mbOK);
  }
  // A line of text to enter, starting at text: true with the text entered, false when cancelled.
  virtual bool ExecuteTextDialog(const std::string& /*title*/, const std::string& /*label*/,
                                 std::string& /*text*/) {
    return false;
  }
  // A question with answers of the editor's own (as they read); the index of
  // the answer chosen, or -1 when the box is closed or Escape is pressed.
  virtual int Ask(const std::string& /*text*/, const std::vector<std::string>& /*answers*/) { return -1; }
  // The desktop's clipboard: a copy offers both formats; a paste reads what
  // is there. A window without one (a test's) keeps the last offer itself.
  virtual void OfferToClipboard(const TClipboardOffer& offer) { offered_ = offer; }
  virtual TClipboardContent ReadClipboard() { return TClipboardContent{offered_.Block, {}}; }
  // Closes the window (which asks FormCloseQuery, then runs FormClose).
  virtual void Close() = 0;
  // Waits inside a handler until the given time (the animation preview paces
  // its rounds with it). Tests replace it to run without real delays.
  virtual void WaitUntil(std::chrono::steady_clock::time_point when) { std::this_thread::sleep_until(when); }

 private:
  TClipboardOffer offered_;
};

}  // namespace pixkura
