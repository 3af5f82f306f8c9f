// The time-of-day picker of the pages; see timeofdayedit.h.
#include "admin/useragents/pages/timeofdayedit.h"

#include <QSignalBlocker>

namespace {

// What an empty picker shows: its time is the earliest, which an empty
// special text would show as 00:00.
const QString kEmpty = QStringLiteral(" ");

QTime timeOf(int value)
{
    return value < 0 ? QTime() : QTime(value / 100, value % 100);
}

} // namespace

CTimeOfDayEdit::CTimeOfDayEdit(QWidget *parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH':'mm"));
    // The administrator set a time: from now on 00:00 is a time like any other.
    connect(this, &QTimeEdit::timeChanged, this, [this] { setSpecialValueText(QString()); });
}

void CTimeOfDayEdit::ShowStoredTime(int value)
{
    const QSignalBlocker blocker(this);
    const QTime time = timeOf(value);
    setSpecialValueText(time.isValid() ? QString() : kEmpty);
    setTime(time.isValid() ? time : minimumTime());
}

int CTimeOfDayEdit::StoredTime() const
{
    return time().hour() * 100 + time().minute();
}
