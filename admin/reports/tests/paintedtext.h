// What a window shows as text: the window painted onto a device that keeps
// every text drawn on it, in the order drawn. The window paints itself as it
// does on the screen, through its own paint code and that of its children.
#pragma once

#include <QStringList>

class QWidget;

// The texts `window` draws when it is painted now, each drawn run of text
// one entry.
QStringList PaintedTexts(QWidget &window);
