// Draws the program's icon: a pixel-art picture kept here as text, written as
// a scalable SVG (one square per pixel) and as PNG files of 16 to 256 pixels
// (each pixel an exact square block). Run at build time, so every file comes
// from this one drawing and the output is the same on every build.
//
//   make-icons OUTDIR   writes OUTDIR/scalable/apps/NAME.svg and
//                       OUTDIR/SxS/apps/NAME.png for S = 16, 32, 48, 64, 128, 256
#include <png.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kName = "io.github.pixkura.Pixkura";
constexpr int kSide = 16;

// A slime on a sprite sheet above a strip of palette colours.
constexpr std::array<const char*, kSide> kArt{
    ".KKKKKKKKKKKKKK.",  //
    "KKKKKKKKKKKKKKKK",  //
    "KKKKKGGGGGGKKKKK",  //
    "KKKKGGGGGGGGKKKK",  //
    "KKKGGWWGGGWWGGKK",  //
    "KKKGGWDGGGWDGGKK",  //
    "KKGGGGGGGGGGGGKK",  //
    "KKGGGGRRRRGGGGGK",  //
    "KKGGGGGRRGGGGGGK",  //
    "KKLGGGGGGGGGGGLK",  //
    "KLLGGGGGGGGGGGLK",  //
    "KLLLGLGGLGGLGLLK",  //
    "KKKKKKKKKKKKKKKK",  //
    "KRROOYYGGBBPPWWK",  //
    "KRROOYYGGBBPPWWK",  //
    ".KKKKKKKKKKKKKK.",  //
};

struct TRgba {
  uint8_t r, g, b, a;
};

const std::map<char, TRgba>& Colours() {
  static const std::map<char, TRgba> colours{
      {'.', {0, 0, 0, 0}},
      {'K', {0x1d, 0x2b, 0x53, 255}},
      {'G', {0x00, 0xe4, 0x36, 255}},
      {'L', {0x00, 0x87, 0x51, 255}},
      {'W', {0xff, 0xf1, 0xe8, 255}},
      {'D', {0x00, 0x00, 0x00, 255}},
      {'R', {0xff, 0x00, 0x4d, 255}},
      {'O', {0xff, 0xa3, 0x00, 255}},
      {'Y', {0xff, 0xec, 0x27, 255}},
      {'B', {0x29, 0xad, 0xff, 255}},
      {'P', {0xff, 0x77, 0xa8, 255}},
  };
  return colours;
}

TRgba Pixel(int x, int y) { return Colours().at(kArt[static_cast<size_t>(y)][x]); }

bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

std::string Hex(TRgba c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

// One rectangle per run of equal pixels in a row.
bool WriteSvg(const std::string& file) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 " << kSide
      << ' ' << kSide << "\" shape-rendering=\"crispEdges\">\n";
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide;) {
      const char c = kArt[static_cast<size_t>(y)][x];
      int run = 1;
      while (x + run < kSide && kArt[static_cast<size_t>(y)][x + run] == c) ++run;
      if (Colours().at(c).a != 0)
        out << "  <rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << run << "\" height=\"1\" fill=\""
            << Hex(Colours().at(c)) << "\"/>\n";
      x += run;
    }
  }
  out << "</svg>\n";
  return static_cast<bool>(out);
}

bool WritePng(const std::string& file, int size) {
  const int scale = size / kSide;
  std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const TRgba c = Pixel(x / scale, y / scale);
      uint8_t* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
      p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
    }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGBA;
  // The simplified writer adds no time stamp: the same bytes on every build.
  const bool ok = png_image_write_to_file(&image, file.c_str(), 0, rgba.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-icons OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = MakeFolders(dir + "/scalable/apps") && WriteSvg(dir + "/scalable/apps/" + kName + ".svg");
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    ok = ok && MakeFolders(folder) && WritePng(folder + "/" + kName + ".png", size);
  }
  if (!ok) std::fprintf(stderr, "make-icons: cannot write the icons into %s\n", dir.c_str());
  return ok ? 0 : 1;
}
