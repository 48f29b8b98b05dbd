// An icon of one picture that is drawn the first time the icon is shown, not
// when it is made: a window with many small pictures appears without waiting
// for them, and each picture is drawn when its widget first paints.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <functional>

namespace pixkura {

// Shows as QIcon(draw()) would: draw must return a picture of exactly size.
QIcon LazyPixmapIcon(QSize size, std::function<QPixmap()> draw);

}  // namespace pixkura
