// The small state images of the port lists: one per entry of the state
// table, drawn once, and a neutral one for a state the table does not know.
#pragma once

#include <QIcon>

class CPortStateIcons {
public:
    static constexpr int Size = 16;
    // The image of a state-table index; the neutral image for any other value.
    static QIcon Icon(int index);
};
