// See waitnotice.h.
#include "admin/testsupport/waitnotice.h"

#include "admin/session/serverwaitdlg.h"
#include "admin/testsupport/appshelltestbase.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <utility>

void ClickAsTheWindowSystemDoes(QWidget *widget)
{
    QWidget *window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(window, widget->rect().center()));
}

WaitNoticeCanceller::WaitNoticeCanceller(const QString &screenshot) : m_screenshot(screenshot)
{
    QObject::connect(&m_poll, &QTimer::timeout, [this] { cancelVisibleNotice(); });
    m_poll.start(20);
}

void WaitNoticeCanceller::cancelVisibleNotice()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!m_onlyText.isEmpty() && m_cancelled > 0)
            return;
        auto *notice = dynamic_cast<CServerWaitDlg *>(window);
        if (!notice || !notice->isVisible() || notice->WasCancelled())
            continue;
        const QLabel *label = notice->findChild<QLabel *>();
        const QString text = label ? label->text() : QString();
        if (!m_onlyText.isEmpty() && text != m_onlyText)
            continue;
        m_lastText = text;
        auto *cancel = notice->findChild<QPushButton *>();
        if (!cancel || !QTest::qWaitForWindowExposed(notice))
            continue;
        if (!m_screenshot.isEmpty())
            SaveScreenshot(notice, std::exchange(m_screenshot, QString()));
        ClickAsTheWindowSystemDoes(cancel);
        if (notice->WasCancelled())
            ++m_cancelled;
    }
}
