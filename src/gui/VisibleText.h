#pragma once

#include <QString>

// Text from a stranger's file or file name as it may be shown: every control character (below
// U+0020, U+007F and U+0080 to U+009F) becomes a visible sign: the matching control picture
// (U+2400 to U+2421) for the first two ranges, U+FFFD for the third; so do the direction marks
// and controls and the line and paragraph separators (see tarvek::displayText). Nothing that is
// shown, printed, copied or typed carries an Escape, a line end or a change of the writing
// direction from such a text.
QString visibleText(const QString& text);

// A file's path as messages and the status line show it (tarvek::shownFileName): the system's
// own separators, control characters and direction marks made visible.
QString shownPath(const QString& path);

// A tool tip that shows `text` as it stands: Qt takes a tool tip that looks like HTML for rich
// text, so the text goes in escaped, in a paragraph that keeps its spaces and line ends.
QString plainToolTip(const QString& text);
