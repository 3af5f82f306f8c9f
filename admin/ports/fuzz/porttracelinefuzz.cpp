// Feeds arbitrary pushed trace lines to the port list as the port status
// window takes them. What holds for every line: a line that reports a state
// gives a port in the rows' range, and the port's row then shows that state
// in its place among the rows, in ascending port order.
#include "admin/ports/portrowlist.h"
#include "admin/ports/porttraceline.h"
#include "admin/session/tcllist.h"
#include "testsupport/fuzzsupport.h"

#include <QApplication>
#include <QListWidget>

#include <cstddef>
#include <cstdint>

namespace {

QListWidget *widget;
CPortRowList *rows;

} // namespace

// The font library keeps a few blocks until the process ends; they are not
// the list's.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    widget = new QListWidget;
    rows = new CPortRowList(*widget, CPortRowList::BracedRight);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<CPortTrace> trace = CPortTraceLine::Parse(line, CTclList());
    if (!trace)
        return 0;
    REQUIRE(line.size() <= CPortTraceLine::MaxLength);
    REQUIRE(trace->port >= 0 && trace->port <= CPortTraceLine::MaxPort);
    if (rows->RowCount() > 64)
        rows->Clear();
    rows->SetPortState(trace->port, trace->state);
    const int row = rows->RowOf(trace->port);
    REQUIRE(row >= 0 && row < widget->count() && widget->count() == rows->RowCount());
    const QListWidgetItem *item = widget->item(row);
    REQUIRE(item->text() == CPortRowList::RowText(trace->port, trace->state, CPortRowList::BracedRight));
    REQUIRE(item->data(CPortRowList::PortRole).toInt() == trace->port);
    for (int i = 1; i < widget->count(); ++i)
        REQUIRE(widget->item(i - 1)->data(CPortRowList::PortRole).toInt() <
                widget->item(i)->data(CPortRowList::PortRole).toInt());
    return 0;
}
