// The day-of-week control of the schedule and notification pages: seven
// toggles, Monday to Sunday, read and written as one mask (bit 0 Monday ...
// bit 6 Sunday, 127 every day). The server's mask may carry bits above the
// seven days; the control keeps them as it was given them, so a page that
// writes the mask back never loses what it did not show.
#pragma once

#include <QWidget>

#include <array>

class QToolButton;

class CDayMaskCtrl : public QWidget {
    Q_OBJECT
public:
    enum : int { EveryDay = 0x7f };

    explicit CDayMaskCtrl(QWidget *parent = nullptr);

    // The days shown, with the bits above the days as SetMask gave them.
    int Mask() const;
    // Shows `mask`; never emits MaskChanged (only the user's changes do).
    void SetMask(int mask);

    // Read-only: the days stay visible and unchanged by clicks or keys.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    // The toggle of one day, 0 Monday ... 6 Sunday (for tests and tab order).
    QToolButton *DayButton(int day) const { return m_days.at(day); }

signals:
    void MaskChanged(int mask);

private:
    std::array<QToolButton *, 7> m_days{};
    int m_otherBits = 0;
    bool m_readOnly = false;
};
