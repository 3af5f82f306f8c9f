// The session tests' common ground; see sessiontestbase.h.
#include "admin/testsupport/sessiontestbase.h"

#include "admin/testsupport/conduitregistration.h"

#include <QElapsedTimer>

#include <cstdlib>

LRESULT ReplyWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto *text = reinterpret_cast<const QString *>(lParam);
    ReplyMessage(0);
    // Read after ReplyMessage on purpose: the text must still be there.
    std::lock_guard lock(m_mutex);
    m_received.push_back(Received{message, wParam, text ? *text : QString()});
    return 0;
}

std::vector<ReplyWindow::Received> ReplyWindow::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

QStringList ReplyWindow::texts() const
{
    std::lock_guard lock(m_mutex);
    QStringList texts;
    for (const Received &r : m_received)
        texts.append(r.text);
    return texts;
}

void SessionTestBase::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    setenv("XDG_CONFIG_HOME", m_folder.path().toLocal8Bit().constData(), 1);
    setenv("TMPDIR", m_folder.path().toLocal8Bit().constData(), 1);
    m_app = std::make_unique<QApplication>(m_argc, m_argv);

    RegisterConduitLibrary();
    if (HasFatalFailure())
        return;
    m_boxes = std::make_unique<MessageBoxScript>();
}

void SessionTestBase::TearDown()
{
    m_boxes.reset();
    m_app.reset();
}

CSessionSettings SessionTestBase::quickSettings(int port)
{
    CSessionSettings settings;
    settings.port = port;
    // The login's state waits only catch a hang here: a loaded machine may
    // take many seconds between greeting and confirmation.
    settings.stateWaitMs = 60000;
    settings.disconnectWaitMs = 3000;
    settings.disconnectWaits = 3;
    return settings;
}

bool SessionTestBase::waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
