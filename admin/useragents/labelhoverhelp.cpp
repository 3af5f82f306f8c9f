// The hover help of a page's field labels: where the mouse rests, the frame
// around the label, the tip timer's ticks, and the see-through layer that
// paints frame and tip over the page's controls.
#include "admin/useragents/labelhoverhelp.h"

#include "platform/mfc/dialog.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Marks the labels whose hover shows help; set once, read by the filter.
constexpr char FieldLabelProperty[] = "fieldLabel";

bool isFieldLabel(const QWidget *widget)
{
    return widget->property(FieldLabelProperty).toBool();
}

// The hover cursor over a field's label (the program's cursor resource 165):
// the arrow with a question mark.
QCursor fieldHelpCursor()
{
    return QCursor(Qt::WhatsThisCursor);
}

} // namespace

// The 3-D frame around the hovered label and the tip, drawn over the page.
class CLabelHoverHelp::Overlay : public QWidget {
public:
    explicit Overlay(QWidget *page) : QWidget(page)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(page->rect());
        page->installEventFilter(this);
    }
    void setFrame(const QRect &frame)
    {
        m_frame = frame;
        update();
    }
    void setTip(const QRect &rect, const QString &text)
    {
        m_tipRect = rect;
        m_tipText = text;
        raise();
        update();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && watched == parent())
            setGeometry(static_cast<QWidget *>(parent())->rect());
        return false;
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (!m_frame.isNull())
            paintFrame(painter);
        if (!m_tipRect.isNull())
            paintTip(painter);
    }

private:
    void paintFrame(QPainter &painter) const
    {
        const QColor light(240, 240, 240);
        const QColor dark(16, 16, 16);
        const QRect r = m_frame;
        painter.setPen(light);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    void paintTip(QPainter &painter) const
    {
        painter.setPen(palette().color(QPalette::ToolTipText));
        painter.setBrush(palette().color(QPalette::ToolTipBase));
        painter.drawRect(m_tipRect.adjusted(0, 0, -1, -1));
        painter.setFont(QApplication::font("QStatusBar"));
        painter.drawText(m_tipRect.adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignTop, m_tipText);
    }

    QRect m_frame;
    QRect m_tipRect;
    QString m_tipText;
};

CLabelHoverHelp::CLabelHoverHelp(CDialog &page, TipSource tipSource, LabelAction rightClick)
    : m_page(page), m_tipSource(std::move(tipSource)), m_rightClick(std::move(rightClick))
{
    Q_ASSERT(m_tipSource && m_rightClick);
}

void CLabelHoverHelp::Attach(const std::vector<QWidget *> &labels)
{
    if (m_overlay)
        return;
    m_page.setMouseTracking(true);
    m_page.installEventFilter(this);
    for (QWidget *child : m_page.findChildren<QWidget *>())
        child->installEventFilter(this);
    for (QWidget *label : labels) {
        // Fields that share a label name it more than once.
        if (isFieldLabel(label))
            continue;
        label->setProperty(FieldLabelProperty, true);
        label->setMouseTracking(true);
        label->setCursor(fieldHelpCursor());
    }
    // Made last, so it lies above the controls and the filter does not watch it.
    m_overlay = new Overlay(&m_page);
}

void CLabelHoverHelp::ClearHover()
{
    if (m_hoverLabelId == -1 && !IsTipShown() && !m_timerRunning)
        return;
    stopTimer();
    hideTip();
    m_hoverLabelId = -1;
    m_hoverFrame = QRect();
    Q_ASSERT(m_overlay);
    m_overlay->setFrame(m_hoverFrame);
}

void CLabelHoverHelp::OnTimer()
{
    ++m_ticks;
    if (m_ticks == 1) {
        showTip();
    } else if (m_ticks >= HideTick) {
        stopTimer();
        hideTip();
    }
}

bool CLabelHoverHelp::eventFilter(QObject *watched, QEvent *event)
{
    // The mouse resting on a label, on the page or on any other control is
    // the page's WM_SETCURSOR for that window.
    auto *widget = static_cast<QWidget *>(watched);
    const bool label = isFieldLabel(widget);
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (!label || static_cast<QMouseEvent *>(event)->button() != Qt::RightButton)
            return false;
        m_rightClick(widget);
        return true;
    case QEvent::Enter:
        onSetCursor(widget);
        return false;
    case QEvent::MouseMove:
        if (static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton)
            return false;
        onSetCursor(widget);
        // A label's moves stop here: the page would take them for moves
        // outside the labels.
        return label;
    default:
        return false;
    }
}

void CLabelHoverHelp::onSetCursor(QWidget *window)
{
    if (isFieldLabel(window))
        hoverLabel(window);
    else
        ClearHover();
}

void CLabelHoverHelp::hoverLabel(QWidget *label)
{
    const QRect rect(label->mapTo(&m_page, QPoint(0, 0)), label->size());
    const QRect frame = rect.adjusted(-1, -1, 1, 1);
    if (frame == m_hoverFrame) {
        // Still reading: the tip stays for five more ticks.
        if (IsTipShown())
            m_ticks = 1;
        return;
    }
    hideTip();
    stopTimer();
    m_hoverFrame = frame;
    m_hoverLabelId = GetDlgCtrlID(label);
    m_overlay->setFrame(m_hoverFrame);
    m_ticks = 0;
    m_timerRunning = SetTimer(m_page.GetSafeHwnd(), TimerId, TimerPeriod) != 0;
}

void CLabelHoverHelp::stopTimer()
{
    if (m_timerRunning)
        KillTimer(m_page.GetSafeHwnd(), TimerId);
    m_timerRunning = false;
}

void CLabelHoverHelp::showTip()
{
    QWidget *label = m_page.GetDlgItem(m_hoverLabelId);
    if (!label)
        return;
    const std::optional<QString> text = m_tipSource(m_hoverLabelId);
    if (!text)
        return;
    m_tipText = *text;
    const QFontMetrics metrics(QApplication::font("QStatusBar"));
    const QSize size = metrics.size(0, m_tipText);
    const QPoint labelTopLeft = label->mapTo(&m_page, QPoint(0, 0));
    // Below the label, clear of the field beside it, and within the page.
    const int left = std::min(labelTopLeft.x(), m_page.width() - size.width());
    const int top = labelTopLeft.y() + size.height() * 5 / 2 - 3;
    m_tipRect = QRect(QPoint(left, top), size).adjusted(-1, -1, 1, 1);
    m_overlay->setTip(m_tipRect, m_tipText);
}

void CLabelHoverHelp::hideTip()
{
    if (!IsTipShown())
        return;
    m_tipRect = QRect();
    m_tipText.clear();
    m_overlay->setTip(m_tipRect, m_tipText);
}
