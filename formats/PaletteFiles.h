// Palette files of other programs, read by their content and written in the
// format their name's extension says. Reading: GIMP (.gpl), JASC-PAL and
// Microsoft RIFF (.pal), Adobe colour tables (.act), hex lists (.hex), the
// program's own 1024-byte palette file, and the palette of any picture the
// loader reads. Writing: .gpl, .pal (JASC-PAL), .act and .hex.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/PaletteColors.h"
#include "formats/PaletteRecognition.h"

namespace pixkura {

// The extensions WritePaletteColors knows, for messages and file dialogs.
inline constexpr std::string_view kPaletteWriteExtensions = ".gpl .pal .act .hex";

// The palette held by bytes, whose format is recognised by content; fileName
// names the data in messages (and orders the picture loader's plug-ins).
// EPaletteFileError when the data is damaged or no palette at all.
TPaletteColors DecodePaletteColors(std::span<const uint8_t> bytes, const std::string& fileName);
// The same from a file; EFOpenError when it cannot be opened.
TPaletteColors ReadPaletteColors(const std::string& fileName);
// What to tell the user about colors read from fileName: how many colours
// beyond the first 256 were left out; empty when none were.
std::string LeftOutColorsMessage(const std::string& fileName, const TPaletteColors& colors);

// The format a palette is written in for fileName's extension (any letter
// case): .gpl GIMP, .pal JASC-PAL, .act Adobe, .hex hex; none for others.
std::optional<TPaletteFormat> PaletteFormatForWriting(const std::string& fileName);
// The same, or EPaletteFileError naming the file and the extensions that can
// be written: what WritePaletteColors checks first, for callers that ask
// something (may the file be replaced?) before they write.
TPaletteFormat RequirePaletteFormatForWriting(const std::string& fileName);
// The file contents of colors in one of the writable formats; name is the
// palette's name where the format keeps one. ERangeError for an empty palette
// or a format that is read only.
std::vector<uint8_t> EncodePaletteColors(TPaletteFormat format, const TPaletteColors& colors,
                                         std::string_view name);
// Writes colors to fileName in the format of its extension, replacing the
// file atomically (a failed write leaves the old file). EPaletteFileError for
// an extension of no writable format (nothing is written); the stream
// layer's file errors when writing fails.
void WritePaletteColors(const std::string& fileName, const TPaletteColors& colors);

}  // namespace pixkura
