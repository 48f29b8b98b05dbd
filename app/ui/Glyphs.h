// Which picture each speed button and each menu item shows.
#pragma once

#include <QPixmap>
#include <QSize>
#include <functional>
#include <optional>
#include <string>

namespace pixkura {

// How the glyph of a speed button is drawn, and its size, known before it is.
struct TGlyphRecipe {
  QSize Size;
  std::function<QPixmap()> Draw;  // returns a picture of exactly Size
};

// The glyph recipe of the speed button with this name, for a button of
// width x height; none for captioned buttons.
std::optional<TGlyphRecipe> SpeedButtonGlyphRecipe(const std::string& name, int width, int height);

// The glyph itself; a null pixmap for captioned buttons.
QPixmap SpeedButtonGlyph(const std::string& name, int width, int height);

// The menu picture with this image index (0..16); null outside.
QPixmap MenuPicture(int imageIndex);
inline constexpr int kMenuPictureCount = 17;

}  // namespace pixkura
