// Seven checkable tool buttons in a row. A button's `clicked` comes only from
// the user (a click or the space bar), never from setChecked, which is what
// keeps SetMask silent. Read-only undoes a click at once, so the days stay
// legible (a disabled control would grey them) and nothing is reported.
#include "admin/widgets/daymaskctrl.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {
const char *const DayNames[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
}

CDayMaskCtrl::CDayMaskCtrl(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int day = 0; day < 7; ++day) {
        auto *button = new QToolButton(this);
        button->setText(QString::fromLatin1(DayNames[day]));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setMinimumWidth(38);
        connect(button, &QToolButton::clicked, this, [this, button](bool checked) {
            if (m_readOnly) {
                button->setChecked(!checked);
                return;
            }
            emit MaskChanged(Mask());
        });
        row->addWidget(button);
        m_days[day] = button;
    }
    row->addStretch(1);
    // A chosen day must read as chosen at a glance, in any style.
    setStyleSheet(QStringLiteral("QToolButton { padding: 2px 6px; border: 1px solid palette(mid); border-radius: 2px; }"
                                 "QToolButton:checked { background: palette(highlight); color: palette(highlighted-text); }"
                                 "QToolButton:disabled:checked { background: palette(mid); }"));
}

int CDayMaskCtrl::Mask() const
{
    int mask = m_otherBits;
    for (int day = 0; day < 7; ++day) {
        if (m_days[day]->isChecked())
            mask |= 1 << day;
    }
    return mask;
}

void CDayMaskCtrl::SetMask(int mask)
{
    m_otherBits = mask & ~EveryDay;
    for (int day = 0; day < 7; ++day)
        m_days[day]->setChecked((mask & (1 << day)) != 0);
}

void CDayMaskCtrl::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    for (QToolButton *button : m_days)
        button->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
}
