// The login progress window; see loginstatuswnd.h.
#include "admin/session/loginstatuswnd.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

CLoginStatusWnd::CLoginStatusWnd(const QString &text, int showDelayMs)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_text(text)
{
    setWindowTitle(QStringLiteral("Logging into Verbanta"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Centred, two fifths of the screen wide and high.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const int w = area.width();
        const int h = area.height();
        setGeometry(area.x() + w / 2 - w / 5, area.y() + h / 2 - h / 5, 2 * (w / 5), 2 * (h / 5));
    }
    QTimer::singleShot(showDelayMs, this, &QWidget::show);
}

void CLoginStatusWnd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
}
