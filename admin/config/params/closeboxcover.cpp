// The greyed close box's cover; see closeboxcover.h.
#include "admin/config/params/closeboxcover.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComplex>

CCloseBoxCover::CCloseBoxCover(QWidget *covered) : QWidget(covered)
{
    setAttribute(Qt::WA_NoMousePropagation);
}

void CCloseBoxCover::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionComplex option;
    option.initFrom(this);
    option.state &= ~QStyle::State_Enabled;
    option.subControls = QStyle::SC_MdiCloseButton;
    painter.fillRect(rect(), palette().window());
    // The styles draw these buttons alike enabled or not: faded, it reads
    // as greyed.
    painter.setOpacity(0.35);
    style()->drawComplexControl(QStyle::CC_MdiControls, &option, &painter, this);
}

void CCloseBoxCover::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void CCloseBoxCover::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void CCloseBoxCover::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}
