// Where a new window of an MDI area ends up. The area places a window when
// it is added, for the size it has then; the program's windows take their
// real size afterwards from their layout, so a window placed near the
// bottom right would grow past the edges of the area's visible part. Each
// place that opens and sizes an MDI window calls this once the window has
// its size.
#pragma once

class QMdiSubWindow;

// Moves `window` the least distance that puts it wholly inside the visible
// part of its MDI area. Where it is wider or taller than that part, its left
// or top edge goes to the part's edge, so its title bar and the start of its
// content stay in sight. A window already in sight keeps the place the
// area's placer gave it, and so does a maximised one, which fills the part.
// A window not yet in an area is left alone.
void KeepInSight(QMdiSubWindow *window);
