// Saving a picture in the format its file name asks for: PNG for the
// extension ".png" in any letter case, a BMP file for anything else.
#pragma once

#include <string>

#include "formats/png.h"
#include "image/IxDIB.h"

namespace pixkura {

// The extension of fileName: from the last "." after the last "/", the dot
// included; empty when the name has none.
std::string FileExtension(const std::string& fileName);

// Whether fileName's extension is ".png" in any letter case.
bool IsPNGFileName(const std::string& fileName);

// Writes bitmap to fileName as PNG (with png's options) or BMP; either way the
// file is built in memory first and replaces fileName atomically.
void SavePicture(const std::string& fileName, const TIxDIB& bitmap, const TPNGOptions& png = {});

}  // namespace pixkura
