// A pushed trace line that reports a voice port's state. The line comes
// straight off the wire, so everything about it is checked here: its mark,
// its shape, its size and the port number.
#pragma once

#include <QString>

#include <optional>

class CTclList;

struct CPortTrace {
    int port = 0;
    QString state;
};

class CPortTraceLine {
public:
    // Longer lines are no state report; they are dropped unread.
    static constexpr int MaxLength = 4096;
    // Row texts give the port four places at most.
    static constexpr int MaxPort = 9999;

    // The port and state of a line shaped ". x x x {x PORT x STATE x}";
    // nothing for any other line.
    static std::optional<CPortTrace> Parse(const QString &text, const CTclList &splitter);
};
