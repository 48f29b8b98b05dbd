#include "tools/pixkura-convert/ConvertTool.h"

#include <exception>
#include <ostream>

#include "formats/SaveDispatch.h"
#include "tools/pixkura-convert/PictureLoading.h"

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

const char* PixelFormatName(TIxPixelFormat format) {
  static constexpr const char* kNames[] = {"ixPf1Bit", "ixPf4Bit",    "ixPf4BitRLE",
                                           "ixPf8Bit", "ixPf8BitRLE", "ixPf24Bit"};
  return format <= ixPf24Bit ? kNames[format] : "unknown";
}

}  // namespace

std::optional<TConvertOptions> ParseConvertArguments(const std::vector<std::string>& args,
                                                     std::string& error) {
  TConvertOptions options;
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.empty() || a[0] != '-' || a == "-") {
      files.push_back(a);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a == "--info") {
      options.Info = true;
    } else if (a == "--help" || a == "-h") {
      options.Help = true;
      return options;
    } else if (a == "--depth" || a.rfind("--depth=", 0) == 0) {
      std::string value;
      if (a == "--depth") {
        if (++i == args.size()) {
          error = "--depth needs a value";
          return std::nullopt;
        }
        value = args[i];
      } else {
        value = a.substr(8);
      }
      const std::optional<int> depth = ParseDepth(value);
      if (!depth) {
        error = "invalid depth: " + value;
        return std::nullopt;
      }
      options.Depth = *depth;
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
  if (options.Output.empty() && !options.Info) {
    error = "no output file";
    return std::nullopt;
  }
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
    TIxDIB bitmap;
    LoadPicture(options->Input, bitmap);
    if (options->Info) PrintPictureInfo(bitmap, out);
    if (!options->Output.empty()) {
      bitmap.SetPixelFormat(FormatOfDepth(options->Depth));
      SavePicture(options->Output, bitmap);
    }
  } catch (const std::exception& e) {
    err << "pixkura-convert: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace pixkura
