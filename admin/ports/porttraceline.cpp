// Reading the server's pushed port-state lines.
#include "admin/ports/porttraceline.h"

#include "admin/session/tcllist.h"

#include <QStringList>

namespace {
constexpr int kOuterElements = 5;
constexpr int kInnerElements = 5;
constexpr int kPortElement = 1;
constexpr int kStateElement = 3;
} // namespace

std::optional<CPortTrace> CPortTraceLine::Parse(const QString &text, const CTclList &splitter)
{
    if (text.isEmpty() || text.size() > MaxLength || !text.startsWith(QLatin1Char('.')))
        return std::nullopt;
    QStringList outer;
    splitter.SplitList(text, outer);
    if (outer.size() != kOuterElements)
        return std::nullopt;
    QStringList inner;
    splitter.SplitList(outer.at(kOuterElements - 1), inner);
    if (inner.size() != kInnerElements)
        return std::nullopt;
    bool isNumber = false;
    const int port = inner.at(kPortElement).toInt(&isNumber, 10);
    if (!isNumber || port < 0 || port > MaxPort)
        return std::nullopt;
    return CPortTrace{port, inner.at(kStateElement)};
}
