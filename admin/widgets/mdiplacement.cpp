// Moving a new MDI window into the area's visible part; see mdiplacement.h.
#include "admin/widgets/mdiplacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace {

// The start of a span of `length` moved the least into [first, first + room);
// a span longer than the room starts at `first`.
int clampedStart(int start, int length, int first, int room)
{
    return std::max(first, std::min(start, first + room - length));
}

} // namespace

void KeepInSight(QMdiSubWindow *window)
{
    Q_ASSERT(window);
    QMdiArea *area = window->mdiArea();
    if (!area)
        return;
    // A sub window's position is in the viewport's coordinates whatever the
    // area has scrolled: the visible part is the viewport's own rectangle.
    const QRect room = area->viewport()->rect();
    const QRect shown = window->geometry();
    const QPoint inSight(clampedStart(shown.x(), shown.width(), room.x(), room.width()),
                         clampedStart(shown.y(), shown.height(), room.y(), room.height()));
    if (inSight != shown.topLeft())
        window->move(inSight);
}
