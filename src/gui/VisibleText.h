#pragma once

#include <QString>

// Text from a stranger's file or file name as it may be shown: every control character (below
// U+0020, U+007F and U+0080 to U+009F) becomes a visible sign: the matching control picture
// (U+2400 to U+2421) for the first two ranges, U+FFFD for the third. Nothing that is shown,
// printed, copied or typed carries an Escape or a line end from such a text.
QString visibleText(const QString& text);

// A file's path as messages and the status line show it: the system's own separators, control
// characters made visible.
QString shownPath(const QString& path);
