// The time zones a mailbox can be given: 74 rows of a display name and a
// bias in minutes west of UTC, the row index being the value stored in
// "Time_Zone". Several rows share a bias; the server's own zone is matched
// to the rows of its bias.
#pragma once

#include <QString>

#include <optional>
#include <utility>

class CTimeZoneTable {
public:
    static constexpr int RowCount = 74;

    static QString Name(int row);
    static int Bias(int row);
    // The bias of a server zone text: the offset after the zone's name,
    // hours with optional ":minutes", its sign holding for the whole value
    // ("EST5EDT" 300, "IST-05:30" -330). Nothing for a text without one.
    static std::optional<int> ParseBias(const QString &zone);
    // The first and last rows of a run of rows with `bias`; nothing when no row has it.
    static std::optional<std::pair<int, int>> RowsOfBias(int bias);
};
