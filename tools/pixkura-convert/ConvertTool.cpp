#include "tools/pixkura-convert/ConvertTool.h"

#include <cctype>
#include <exception>
#include <ostream>
#include <string_view>

#include "formats/PaletteFiles.h"
#include "formats/SaveDispatch.h"
#include "tools/pixkura-convert/ArgumentText.h"
#include "tools/pixkura-convert/PaletteCommand.h"
#include "tools/pixkura-convert/PictureLoading.h"
#include "tools/pixkura-convert/ReorderCommand.h"

namespace pixkura {

namespace {

std::optional<int> ParseDepth(const std::string& text) {
  for (int depth : {1, 4, 8, 24})
    if (text == std::to_string(depth)) return depth;
  return std::nullopt;
}

TIxPixelFormat FormatOfDepth(int depth) {
  switch (depth) {
    case 1:
      return ixPf1Bit;
    case 4:
      return ixPf4Bit;
    case 24:
      return ixPf24Bit;
    default:
      return ixPf8Bit;
  }
}

const char* CompressionName(uint32_t compression) {
  switch (compression) {
    case BI_RGB:
      return "RGB";
    case BI_RLE8:
      return "RLE8";
    case BI_RLE4:
      return "RLE4";
    case BI_BITFIELDS:
      return "BITFIELDS";
    default:
      return "unknown";
  }
}

// The extension of fileName in lower case ("" when it has none).
std::string LowerExtension(const std::string& fileName) {
  std::string ext = FileExtension(fileName);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

// Extensions of formats a picture conversion does not write, with what the
// user probably meant. Any other extension is no format name and keeps
// getting BMP, like a name without one ("sheet.v2", "backup.old").
struct TOtherFormat {
  std::string_view Extensions;  // each followed by a blank
  std::string_view Hint;
};
constexpr TOtherFormat kOtherFormats[] = {
    {".gif ", "use --animate to write a GIF animation"},
    {".gpl .pal .act .hex ", "use --palette to write a palette file"},
    {".jpg .jpeg .jpe .jfif .tga .pnm .ppm .pgm .pbm .pam .webp .tif .tiff .ico .pcx .xpm .xbm .psd .avif "
     ".heic "
     ".jxl .qoi .svg ",
     "pictures are written as BMP (.bmp, .dib or no extension) or PNG (.png)"},
};

// Why a picture cannot be written under fileName; empty when it can.
std::string OtherFormatOutput(const std::string& fileName) {
  const std::string ext = LowerExtension(fileName);
  if (ext.size() < 2) return {};
  for (const TOtherFormat& other : kOtherFormats)
    if (other.Extensions.find(ext + ' ') != std::string_view::npos)
      return "the OUTPUT name ends in " + ext + ": " + std::string(other.Hint);
  return {};
}

const char* PixelFormatName(TIxPixelFormat format) {
  static constexpr const char* kNames[] = {"ixPf1Bit", "ixPf4Bit",    "ixPf4BitRLE",
                                           "ixPf8Bit", "ixPf8BitRLE", "ixPf24Bit"};
  return format <= ixPf24Bit ? kNames[format] : "unknown";
}

// The options each mode takes, and the output names that say the format it writes.
bool CheckModeOptions(const TConvertOptions& options, bool depthGiven, bool animateOnlyGiven,
                      bool sheetOnlyGiven, std::string& error) {
  if (options.Mode != TConvertMode::cmDepth && (depthGiven || options.Info)) {
    error = "--depth and --info cannot be combined with --palette, --animate, --sheet-data or --reorder";
    return false;
  }
  if (options.Png.TransparentIndex &&
      ((options.Mode != TConvertMode::cmDepth && options.Mode != TConvertMode::cmReorder) ||
       !IsPNGFileName(options.Output))) {
    error = "--transparent-png needs a picture OUTPUT ending in .png";
    return false;
  }
  const bool cells = options.Mode == TConvertMode::cmAnimate || options.Mode == TConvertMode::cmSheetData;
  if (!cells && animateOnlyGiven) {
    error = "--frames, --delay and --transparent need --animate or --sheet-data";
    return false;
  }
  if (options.Mode != TConvertMode::cmSheetData && sheetOnlyGiven) {
    error = "--hash, --trim and --tag need --sheet-data";
    return false;
  }
  if (options.Mode == TConvertMode::cmSheetData && LowerExtension(options.Output) != ".json") {
    error = "the sheet data OUTPUT must end in .json";
    return false;
  }
  if (options.Mode == TConvertMode::cmPalette && !PaletteFormatForWriting(options.Output)) {
    error = "the palette OUTPUT must end in " + std::string(kPaletteWriteExtensions);
    return false;
  }
  if (options.Mode == TConvertMode::cmAnimate && LowerExtension(options.Output) != ".gif") {
    error = "the animation OUTPUT must end in .gif";
    return false;
  }
  const bool writesPicture = options.Mode == TConvertMode::cmDepth || options.Mode == TConvertMode::cmReorder;
  if (writesPicture && !options.Output.empty()) {
    error = OtherFormatOutput(options.Output);
    if (!error.empty()) return false;
  }
  return true;
}

}  // namespace

std::optional<TConvertOptions> ParseConvertArguments(const std::vector<std::string>& args,
                                                     std::string& error) {
  TConvertOptions options;
  std::vector<std::string> files;
  bool optionsEnded = false, depthGiven = false, animateOnlyGiven = false, sheetOnlyGiven = false;
  auto setMode = [&](TConvertMode mode) {
    if (options.Mode != TConvertMode::cmDepth && options.Mode != mode) {
      error = "--palette, --animate, --sheet-data and --reorder cannot be combined";
      return false;
    }
    options.Mode = mode;
    return true;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.empty() || a[0] != '-' || a == "-") {
      files.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    if (a == "--help" || a == "-h") {
      options.Help = true;
      return options;
    }
    // "--name value" or "--name=value".
    const size_t equals = a.find('=');
    const std::string name = a.substr(0, equals);
    std::string value;
    auto takeValue = [&] {
      if (equals != std::string::npos) {
        value = a.substr(equals + 1);
        return true;
      }
      if (++i == args.size()) {
        error = name + " needs a value";
        return false;
      }
      value = args[i];
      return true;
    };
    if (a == "--info") {
      options.Info = true;
    } else if (a == "--palette") {
      if (!setMode(TConvertMode::cmPalette)) return std::nullopt;
    } else if (name == "--depth") {
      if (!takeValue()) return std::nullopt;
      const std::optional<int> depth = ParseDepth(value);
      if (!depth) {
        error = "invalid depth: " + value;
        return std::nullopt;
      }
      options.Depth = *depth;
      depthGiven = true;
    } else if (name == "--reorder") {
      if (!setMode(TConvertMode::cmReorder) || !takeValue()) return std::nullopt;
      std::optional<std::vector<TReorderOperation>> operations = ParseReorderOperations(value, error);
      if (!operations) return std::nullopt;
      options.Reorder = std::move(*operations);
    } else if (name == "--transparent-png") {
      if (!takeValue()) return std::nullopt;
      const std::optional<int32_t> index = ParseInteger(value, 0, 255);
      if (!index) {
        error = "invalid --transparent-png index: " + value + " (0 to 255)";
        return std::nullopt;
      }
      options.Png.TransparentIndex = static_cast<uint8_t>(*index);
    } else if (IsAnimateOption(name)) {
      if (name == "--animate" && !setMode(TConvertMode::cmAnimate)) return std::nullopt;
      if (!takeValue() || !ParseAnimateOption(name, value, options.Animate, error)) return std::nullopt;
      animateOnlyGiven = animateOnlyGiven || name != "--animate";
    } else if (IsSheetDataOption(name)) {
      if (name == "--sheet-data" && !setMode(TConvertMode::cmSheetData)) return std::nullopt;
      if (IsSheetDataFlag(name) ? equals != std::string::npos : !takeValue()) {
        if (error.empty()) error = name + " takes no value";
        return std::nullopt;
      }
      if (!ParseSheetDataOption(name, value, options.SheetData, error)) return std::nullopt;
      sheetOnlyGiven = sheetOnlyGiven || name != "--sheet-data";
    } else {
      error = "unknown option: " + a;
      return std::nullopt;
    }
  }
  if (files.empty() || files.size() > 2) {
    error = files.empty() ? "no input file" : "too many files";
    return std::nullopt;
  }
  options.Input = files[0];
  if (files.size() == 2) options.Output = files[1];
  if (options.Output.empty() && !(options.Info && options.Mode == TConvertMode::cmDepth)) {
    error = "no output file";
    return std::nullopt;
  }
  if (!CheckModeOptions(options, depthGiven, animateOnlyGiven, sheetOnlyGiven, error)) return std::nullopt;
  options.SheetData.Grid.Frames = options.Animate.Row.Frames;
  options.SheetData.DurationMs = options.Animate.DelayMs;
  options.SheetData.Transparent = options.Animate.Transparent.value_or(0);
  return options;
}

void PrintPictureInfo(const TIxDIB& bitmap, std::ostream& out) {
  const TBitmapInfoHeader& h = bitmap.InternalDIB().Header();
  out << "width: " << bitmap.GetWidth() << '\n'
      << "height: " << bitmap.GetHeight() << '\n'
      << "bit count: " << bitmap.GetBitCount() << '\n'
      << "compression: " << h.biCompression << " (" << CompressionName(h.biCompression) << ")\n"
      << "palette size: " << bitmap.GetPaletteSize() << '\n'
      << "pixel format: ";
  try {
    out << PixelFormatName(bitmap.GetPixelFormat()) << '\n';
  } catch (const std::exception& e) {
    // A depth and compression that make no format (kept as read).
    out << "none (" << e.what() << ")\n";
  }
}

int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<TConvertOptions> options = ParseConvertArguments(args, error);
  if (!options) {
    err << "pixkura-convert: " << error << '\n' << kConvertUsage << '\n';
    return 2;
  }
  if (options->Help) {
    out << kConvertUsage << '\n';
    return 0;
  }
  try {
    if (options->Mode == TConvertMode::cmPalette) {
      const std::string warning = ConvertPalette(options->Input, options->Output);
      if (!warning.empty()) err << "pixkura-convert: " << warning << '\n';
      return 0;
    }
    if (options->Mode == TConvertMode::cmAnimate) {
      WriteAnimation(options->Input, options->Output, options->Animate);
      return 0;
    }
    if (options->Mode == TConvertMode::cmSheetData) {
      WriteSheetDataOf(options->Input, options->Output, options->SheetData);
      return 0;
    }
    if (options->Mode == TConvertMode::cmReorder) {
      ReorderPicture(options->Input, options->Output, options->Reorder, options->Png);
      return 0;
    }
    TIxDIB bitmap;
    LoadPicture(options->Input, bitmap);
    if (options->Info) PrintPictureInfo(bitmap, out);
    if (!options->Output.empty()) {
      bitmap.SetPixelFormat(FormatOfDepth(options->Depth));
      SavePicture(options->Output, bitmap, options->Png);
    }
  } catch (const std::exception& e) {
    err << "pixkura-convert: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace pixkura
