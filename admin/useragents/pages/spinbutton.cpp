// The arrows of a number field; see spinbutton.h.
#include "admin/useragents/pages/spinbutton.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CSpinButton::CSpinButton(QLineEdit *buddy, int minimum, int maximum, QWidget *parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const int direction : {1, -1}) {
        auto *arrow = new QToolButton(this);
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(16, 11);
        connect(arrow, &QToolButton::clicked, this, [this, direction] { Step(direction); });
        layout->addWidget(arrow);
    }
}

void CSpinButton::SetRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

void CSpinButton::Step(int direction)
{
    if (!m_buddy->isEnabled())
        return;
    bool ok = false;
    const long long shown = m_buddy->text().trimmed().toLongLong(&ok);
    const long long next = ok ? shown + direction : m_minimum;
    m_buddy->setText(QString::number(std::clamp<long long>(next, m_minimum, m_maximum)));
    m_buddy->setModified(true);
}
