// Names typed into the configuration pages and their Add dialogs (answer
// methods, IVR hosts) have every blank turned into "_" before they are
// checked and stored: the server and the other pages take these names as
// single words of blank- or tab-separated lists, so tabs and line ends are
// blanks here too.
#pragma once

#include <QString>

inline QString ConfigItemName(const QString &typed)
{
    QString name = typed;
    for (QChar &c : name)
        if (c.isSpace())
            c = u'_';
    return name;
}
