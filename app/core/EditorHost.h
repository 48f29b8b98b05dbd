// What the editor asks of the window it lives in: the modal dialogs and
// message boxes, and closing. The Qt layer implements it; tests fake it.
#pragma once

#include <chrono>
#include <string>
#include <thread>

#include "app/core/Controls.h"

namespace pixkura {

enum class TMsgDlgType { mtError, mtConfirmation, mtInformation };
enum class TModalResult { mrOk, mrYes, mrNo, mrCancel };

class TEditorHost {
 public:
  virtual ~TEditorHost() = default;
  // Shows a picture dialog; true with the chosen name, false when cancelled.
  virtual bool ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) = 0;
  virtual bool ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) = 0;
  // An error box with OK, or a confirmation with Yes / No.
  virtual TModalResult MessageBox(const std::string& text, TMsgDlgType type) = 0;
  // Closes the window (which asks FormCloseQuery, then runs FormClose).
  virtual void Close() = 0;
  // Waits inside a handler until the given time (the animation preview paces
  // its rounds with it). Tests replace it to run without real delays.
  virtual void WaitUntil(std::chrono::steady_clock::time_point when) { std::this_thread::sleep_until(when); }
};

}  // namespace pixkura
