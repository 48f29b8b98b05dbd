// The small pictures of the tool bar and the menu, drawn at run time with
// QPainter: arrows, the drawing tools, pen dots, zoom numbers, grid and centre
// line. Each routine draws into a square pixmap of the given size on a
// transparent background.
#pragma once

#include <QPixmap>
#include <QString>

namespace pixkura {

enum class TArrow { Up, Down, Left, Right };
enum class TToolPicture { Pen, Fill, Box, Ellipse, Line, Blend };

// A filled triangle pointing in dir, width x height pixels.
QPixmap ArrowPicture(TArrow dir, int width, int height);
// An arrow with a bar at its tail: moves the whole cell by one pixel.
QPixmap ShiftPicture(TArrow dir, int size);
// A hollow "play" triangle: the animation buttons.
QPixmap PlayPicture(TArrow dir, int size);
QPixmap ToolPicture(TToolPicture tool, int size);
// A square dot growing with the pen's size (1..5): 3, 5, 7, 9, 11 pixels.
QPixmap PenDotPicture(int penSize, int size);
// The zoom factor as a number, with a magnifier when withLens is set (menu).
QPixmap ZoomPicture(int factor, int size, bool withLens);
QPixmap GridPicture(int size);
QPixmap CentreLinePicture(int size);

}  // namespace pixkura
