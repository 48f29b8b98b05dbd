// Converts a dialog filter from the editor's "description|patterns|..." form
// to Qt's "description (patterns);;..." form.
#pragma once

#include <QString>
#include <string>

namespace pixkura {

// Patterns separated by ';' become space-separated, as Qt expects them. A
// description that already ends in its own "(...)" loses it, so the pattern
// list is not shown twice. A trailing description without patterns is dropped.
QString ToQtFileFilter(const std::string& filter);

// The extension (without the dot) of one entry of a Qt filter when its
// patterns are exactly one "*.ext": "gpl" for "GIMP palette (*.gpl)"; empty
// for several patterns or a wildcard extension.
QString SingleSuffixOf(const QString& qtFilterEntry);

}  // namespace pixkura
