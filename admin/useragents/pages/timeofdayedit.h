// The time picker of a page field that the record stores as hours * 100 +
// minutes (a notification's From and To, the message copies' window). A
// stored number that is no real hour and minute (480, 2599) shows as an
// empty picker: never as 00:00, and never as whatever the picker showed for
// the box before. The number stays the page's to keep; the picker reports
// only what the administrator sets in it.
#pragma once

#include <QTimeEdit>

class CTimeOfDayEdit : public QTimeEdit {
    Q_OBJECT
public:
    explicit CTimeOfDayEdit(QWidget *parent);

    // Shows a stored time of day, without a change notification.
    void ShowStoredTime(int value);
    // The time shown, as the record stores it.
    int StoredTime() const;
};
