// The week-day selector of the Scheduler page: seven toggles, "Mon" to
// "Sun", whose value is a bit mask (Monday bit 0 ... Sunday bit 6), as the
// active days of a schedule keep it. Clicking a day changes the value and
// reports it; setting the value from code reports nothing.
#pragma once

#include <QWidget>

#include <array>

class QToolButton;

class CDaySelector : public QWidget {
    Q_OBJECT
public:
    explicit CDaySelector(QWidget *parent = nullptr);

    int GetValue() const;
    void SetValue(int mask);
    QToolButton *DayButton(int day) const { return m_days[size_t(day)]; }

signals:
    void Change(int mask);

private:
    std::array<QToolButton *, 7> m_days{};
};
