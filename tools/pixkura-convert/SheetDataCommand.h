// pixkura-convert --sheet-data WxH[+X+Y] [--frames N] [--delay MS] [--hash]
// [--trim] [--transparent I] [--tag NAME:FROM-TO[:DIRECTION]]... IN OUT.json:
// the JSON description of picture IN's cells that game engines' sprite-sheet
// importers read.
#pragma once

#include <optional>
#include <string>

#include "formats/SheetData.h"

namespace pixkura {

// A tag of "NAME:FROM-TO" or "NAME:FROM-TO:forward|reverse|pingpong" (the
// name may hold colons itself, not be empty); nothing for other text.
std::optional<TSheetTag> ParseSheetTag(const std::string& text);

// Whether name is one of the options only --sheet-data takes (--frames,
// --delay and --transparent are shared with --animate).
bool IsSheetDataOption(const std::string& name);
// Whether the option takes no value.
bool IsSheetDataFlag(const std::string& name);
// Sets options from one of those options and its value (empty for a flag).
// False with the reason in error for a bad value.
bool ParseSheetDataOption(const std::string& name, const std::string& value, TSheetDataOptions& options,
                          std::string& error);

// Reads input through the picture loader, brings it to 8 bits as the editor
// does and writes its description to output. Raises the loader's, the
// grid's, the tags' and the writer's errors; nothing is written on failure.
void WriteSheetDataOf(const std::string& input, const std::string& output, const TSheetDataOptions& options);

}  // namespace pixkura
