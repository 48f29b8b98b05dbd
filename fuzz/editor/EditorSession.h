// One editor session played from bytes: the editor started with settings and
// a sheet taken from the bytes, then a sequence of user actions on its
// controls (presses, moves and releases on the images and the markers over
// them, clicks of every button, check box and menu item, radio groups, scroll
// bars, animation ticks), each followed by the checks every session must pass:
//  - a loupe tool changes only the sheet pixels it drew, inside the selected
//    cell and, unless drawing past the loupe is on, inside the loupe window;
//    a block drop only its block; mirror and roll only the cell; undo and redo
//    anything; a palette operation (a swatch drag, a reorder from the menu)
//    any index but no pixel's colour; every other action nothing;
//  - every change of the sheet (other than undo and redo) sets Modified;
//  - the working copy of the cell equals the cell in the sheet;
//  - the loupe shows the sheet (or the composite it is set to; the onion
//    skin's ghosts aside);
//  - in layer mode the composites are current over the whole cell;
//  - the unused-entry marks, while shown, are on the unused entries only;
//  - undoing k steps and redoing them restores the exact sheet;
//  - no action raises and no action shows a message.
// The fuzz target plays its inputs; a test replays the kept ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace pixkura::fuzz {

// A check that did not hold, with the actions that led to it.
class ESessionCheck : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Plays the session described by data; throws ESessionCheck at the first
// check that fails. Uses a private program folder (made on first use) for
// the palette file.
void PlayEditorSession(const uint8_t* data, size_t size);

}  // namespace pixkura::fuzz
