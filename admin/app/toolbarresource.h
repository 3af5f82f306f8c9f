// The toolbar resources of admin's main frame: for each toolbar, the strip
// of button images (one 16 by 15 image per button, in button order) and the
// command id of each button, 0 standing for a separator, which has no image.
#pragma once

#include <QList>
#include <QSize>
#include <QString>

#include <optional>

struct CToolBarResource {
    int id = 0;
    QString bitmap; // Qt resource path of the image strip
    QSize buttonSize;
    QList<int> commands; // 0: a separator

    // The toolbar of `toolbarId`, or nothing for an unknown id.
    static std::optional<CToolBarResource> Find(int toolbarId);
};
