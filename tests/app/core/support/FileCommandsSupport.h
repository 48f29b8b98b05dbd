// Helpers for the file-command and settings tests: pictures written to disk
// in a chosen depth, the shipped import plug-ins, and Shift-JIS text made
// independently of the program's own conversion.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/core/Editor.h"
#include "formats/SPIs.h"
#include "image/IxDIB.h"

namespace pixkura::testing {

// An 8-bit picture of w x h whose pixel (x, y) is index(x, y) and whose
// palette has `entries` entries, entry i being colour(i).
void MakeIndexedPicture(TIxDIB& dib, int32_t w, int32_t h, int32_t entries,
                        const std::function<TColor(int32_t)>& colour,
                        const std::function<uint8_t(int32_t, int32_t)>& index);
// A 24-bit picture whose pixel (x, y) has colour(x, y).
void MakeTrueColorPicture(TIxDIB& dib, int32_t w, int32_t h,
                          const std::function<TColor(int32_t, int32_t)>& colour);

// The plug-in manager with the plug-ins built beside the program (the build's
// bin folder), for loads through plug-ins.
std::shared_ptr<TSPIs> ShippedPlugins();

// Text in code page 932, converted with the C library's iconv.
std::string ToShiftJis(const std::string& utf8);

// The first bytes of a file (fewer when it is shorter).
std::string FileHead(const std::string& fileName, size_t count);

// A 1 x 1 GIF (two-entry palette white, black; the pixel is entry 1).
std::string TinyGif();

}  // namespace pixkura::testing
