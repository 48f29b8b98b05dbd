#include "app/ui/Glyphs.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "app/ui/PixelArt.h"

namespace pixkura {
namespace {

constexpr int kGlyph = 13;  // inside a 21 x 21 button
constexpr int kMenuIcon = 16;

struct TNamedArrow {
  std::string_view Name;
  TArrow Dir;
};

// The scroll buttons along the loupe and the sheet: a small arrow in the
// middle of a long, thin button.
constexpr std::array kScrollArrows = {
    TNamedArrow{"LupeUp", TArrow::Up}, TNamedArrow{"LupeDown", TArrow::Down},
    TNamedArrow{"LupeLeft", TArrow::Left}, TNamedArrow{"LupeRight", TArrow::Right},
    TNamedArrow{"AllUp", TArrow::Up}, TNamedArrow{"AllDown", TArrow::Down},
    TNamedArrow{"AllLeft", TArrow::Left}, TNamedArrow{"AllRight", TArrow::Right},
    // Cell size: left/right make the width smaller/larger, down/up the height.
    TNamedArrow{"btCSXDown", TArrow::Left}, TNamedArrow{"btCSXUp", TArrow::Right},
    TNamedArrow{"btCSYDown", TArrow::Down}, TNamedArrow{"btCSYUp", TArrow::Up}};
constexpr std::array kShiftArrows = {TNamedArrow{"SUp", TArrow::Up}, TNamedArrow{"SDown", TArrow::Down},
                                     TNamedArrow{"SLeft", TArrow::Left},
                                     TNamedArrow{"SRight", TArrow::Right}};
constexpr std::array kPlayArrows = {TNamedArrow{"MovUp", TArrow::Up}, TNamedArrow{"MovDown", TArrow::Down},
                                    TNamedArrow{"MovLeft", TArrow::Left},
                                    TNamedArrow{"MovRight", TArrow::Right}};

struct TNamedTool {
  std::string_view Name;
  TToolPicture Tool;
};
constexpr std::array kTools = {
    TNamedTool{"btPset", TToolPicture::Pen},  TNamedTool{"btPaint", TToolPicture::Fill},
    TNamedTool{"btBox", TToolPicture::Box},   TNamedTool{"btCircle", TToolPicture::Ellipse},
    TNamedTool{"btLine", TToolPicture::Line}, TNamedTool{"btMarge", TToolPicture::Blend}};
constexpr std::array kZoomFactors = {1, 2, 4, 8, 16, 32};

template <typename Table>
auto Find(const Table& table, std::string_view name) -> const typename Table::value_type* {
  auto it = std::find_if(table.begin(), table.end(), [name](const auto& e) { return e.Name == name; });
  return it == table.end() ? nullptr : &*it;
}

// The size of a scroll button's arrow: small, in the middle of a long, thin button.
QSize ScrollArrowSize(TArrow dir, int width, int height) {
  const bool vertical = dir == TArrow::Up || dir == TArrow::Down;
  const int across = std::max(3, std::min(vertical ? width : height, 9)) - 2;
  const int along = std::max(2, (across + 1) / 2);
  return vertical ? QSize(across, along) : QSize(along, across);
}

// "x1".."x32", "p1".."p5": a prefix letter and a number in range.
int NumberAfter(std::string_view name, char prefix) {
  if (name.size() < 2 || name[0] != prefix) return -1;
  int n = 0;
  for (char c : name.substr(1)) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::optional<TGlyphRecipe> SpeedButtonGlyphRecipe(const std::string& name, int width, int height) {
  const auto square = [](int side, std::function<QPixmap()> draw) {
    return TGlyphRecipe{QSize(side, side), std::move(draw)};
  };
  if (const TNamedArrow* a = Find(kScrollArrows, name)) {
    const QSize size = ScrollArrowSize(a->Dir, width, height);
    return TGlyphRecipe{size,
                        [dir = a->Dir, size] { return ArrowPicture(dir, size.width(), size.height()); }};
  }
  if (const TNamedArrow* a = Find(kShiftArrows, name))
    return square(11, [dir = a->Dir] { return ShiftPicture(dir, 11); });
  if (const TNamedArrow* a = Find(kPlayArrows, name))
    return square(11, [dir = a->Dir] { return PlayPicture(dir, 11); });
  if (const TNamedTool* t = Find(kTools, name))
    return square(kGlyph, [tool = t->Tool] { return ToolPicture(tool, kGlyph); });
  if (const int zoom = NumberAfter(name, 'x');
      std::find(kZoomFactors.begin(), kZoomFactors.end(), zoom) != kZoomFactors.end())
    return square(kGlyph + 2, [zoom] { return ZoomPicture(zoom, kGlyph + 2, false); });
  if (const int pen = NumberAfter(name, 'p'); pen >= 1 && pen <= 5)
    return square(kGlyph, [pen] { return PenDotPicture(pen, kGlyph); });
  if (name == "Grid") return square(kGlyph, [] { return GridPicture(kGlyph); });
  if (name == "Chuou") return square(kGlyph, [] { return CentreLinePicture(kGlyph); });
  return std::nullopt;
}

QPixmap SpeedButtonGlyph(const std::string& name, int width, int height) {
  const std::optional<TGlyphRecipe> recipe = SpeedButtonGlyphRecipe(name, width, height);
  return recipe ? recipe->Draw() : QPixmap();
}

QPixmap MenuPicture(int imageIndex) {
  if (imageIndex < 0 || imageIndex >= kMenuPictureCount) return {};
  if (imageIndex < static_cast<int>(kTools.size()))
    return ToolPicture(kTools[static_cast<size_t>(imageIndex)].Tool, kMenuIcon);
  if (imageIndex < 11) return PenDotPicture(imageIndex - 5, kMenuIcon);
  return ZoomPicture(kZoomFactors[static_cast<size_t>(imageIndex - 11)], kMenuIcon, true);
}

}  // namespace pixkura
