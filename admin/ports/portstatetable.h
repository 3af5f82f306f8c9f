// The states a voice port can report, in the order of the state images: a
// state's position is its image. The server sends some states bare and the
// table keeps them in braces, so a lookup accepts either form.
#pragma once

#include <QString>

class CPortStateTable {
public:
    static constexpr int Count = 41;
    // Not a state of the table: the row shows the neutral image.
    static constexpr int Unknown = -1;

    // The first entry equal to `state` or to "{state}", else Unknown.
    static int Find(const QString &state);
    // The entry as the table holds it (braces included); index in range.
    static QString Entry(int index);
    static bool IsBraced(int index) { return Entry(index).startsWith(QLatin1Char('{')); }
};
