// The week-day selector; see dayselector.h.
#include "admin/config/controls/dayselector.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>

CDaySelector::CDaySelector(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const char *names[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    for (size_t day = 0; day < m_days.size(); ++day) {
        auto *button = new QToolButton(this);
        button->setText(tr(names[day]));
        button->setCheckable(true);
        button->setMinimumWidth(36);
        connect(button, &QToolButton::clicked, this, [this] { emit Change(GetValue()); });
        layout->addWidget(button);
        m_days[day] = button;
    }
}

int CDaySelector::GetValue() const
{
    int mask = 0;
    for (size_t day = 0; day < m_days.size(); ++day)
        if (m_days[day]->isChecked())
            mask |= 1 << day;
    return mask;
}

void CDaySelector::SetValue(int mask)
{
    for (size_t day = 0; day < m_days.size(); ++day) {
        const QSignalBlocker quiet(m_days[day]);
        m_days[day]->setChecked(mask & (1 << day));
    }
}
