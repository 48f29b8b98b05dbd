// A style for the small check boxes and radio buttons of the window: their
// captions were laid out for a narrow gap between box and text, which Qt's
// default gap would cut off ("濃度50%" in 64 pixels).
#pragma once

class QStyle;

namespace pixkura {

// One shared style, made on first use and owned by the application.
QStyle* CompactStyle();

}  // namespace pixkura
