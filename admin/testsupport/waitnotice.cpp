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
        auto *notice = dynamic_cast<CServerWaitDlg *>(window);
        if (!notice || !notice->isVisible() || notice->WasCancelled())
            continue;
        if (const QLabel *text = notice->findChild<QLabel *>())
            m_lastText = text->text();
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
