// Which picture each speed button and each menu item shows.
#pragma once

#include <QPixmap>
#include <string>

namespace pixkura {

// The glyph of the speed button with this name, sized for a button of
// width x height; a null pixmap for captioned buttons.
QPixmap SpeedButtonGlyph(const std::string& name, int width, int height);

// The menu picture with this image index (0..16); null outside.
QPixmap MenuPicture(int imageIndex);
inline constexpr int kMenuPictureCount = 17;

}  // namespace pixkura
