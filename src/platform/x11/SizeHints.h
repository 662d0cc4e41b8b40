#pragma once
// The sizes a window takes, from its WM_NORMAL_HINTS: its limits and the steps it grows in (a
// terminal grows by whole character cells). Pure, so it is tested without a display; X11Windows reads
// the property. A frame write waits for a new size only where the window can take one.

#include <QList>
#include <QSize>
#include <QtGlobal>

namespace corvane {

struct SizeHints {
    QSize minimum{1, 1};
    QSize maximum{}; // an empty side has no limit
    QSize step{1, 1};

    // From the property's values (WM_SIZE_HINTS: flags, then 17 fields); nothing for fewer than 15
    // values, the length of the oldest form. Steps and limits below 1 mean none.
    static SizeHints fromProperty(const QList<quint32>& values);

    // Whether a window of `current` size can change at all when asked for `asked` (client pixels): in
    // a side, the asked size within the limits is below the current one, or a whole step or more
    // above it. Less than a step above, the window has the size it takes for that ask already.
    bool canChange(QSize current, QSize asked) const;
};

} // namespace corvane
