// The application-shell tests' common ground; see appshelltestbase.h.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/session/userinputblocker.h"
#include "admin/testsupport/conduitregistration.h"
#include "platform/registry/profile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include <cstdlib>

DialogScript::DialogScript()
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

DialogScript::~DialogScript() = default;

void DialogScript::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || m_steps.empty())
        return;
    // While admin waits for the server, a dialog that was open before the
    // wait takes no clicks or keys: the step waits for the wait's end, as
    // a user would.
    if (CUserInputBlocker::KeepsInputFrom(modal))
        return;
    // One step per showing of a dialog: a step that ended nothing must not
    // run the next step on the same dialog (unless it is a later showing).
    if (modal == m_lastHandled)
        return;
    if (m_steps.front()(modal)) {
        m_steps.pop_front();
        m_lastHandled = modal;
        QObject::connect(modal, &QObject::destroyed, &m_timer, [this, modal] {
            if (m_lastHandled == modal)
                m_lastHandled = nullptr;
        });
    }
}

void AppShellTestBase::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "TMPDIR"})
        setenv(variable, m_folder.path().toLocal8Bit().constData(), 1);
    RegisterConduitLibrary();
    if (HasFatalFailure())
        return;
    m_boxes = std::make_unique<MessageBoxScript>();
}

void AppShellTestBase::TearDown()
{
    m_boxes.reset();
    m_server.reset();
}

void AppShellTestBase::startServer(const QString &dataFile)
{
    m_server = std::make_unique<testserver::SimulatorProcess>(dataFile);
}

CSessionSettings AppShellTestBase::quickSettings() const
{
    // The login's state waits only catch a hang here: a loaded machine may
    // take many seconds between greeting and confirmation. The wait for a
    // link to end is shortened; the simulator always ends its side at once.
    CSessionSettings settings;
    if (m_server)
        settings.port = m_server->port();
    settings.stateWaitMs = 60000;
    settings.disconnectWaitMs = 3000;
    settings.disconnectWaits = 3;
    return settings;
}

CSessionSettings AppShellTestBase::patientSettings() const
{
    CSessionSettings settings = quickSettings();
    settings.stateWaitMs = 15000;
    settings.disconnectWaitMs = 15000;
    return settings;
}

bool WaitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

bool SaveScreenshot(QWidget *window, const QString &name)
{
    const QString folder =
        qEnvironmentVariable("VERBANTA_BINARY_DIR", QStringLiteral(".")) + QStringLiteral("/screenshots");
    return QDir().mkpath(folder) && window->grab().save(folder + QLatin1Char('/') + name);
}

void AppShellTestBase::writeLoginSettings(const QString &hosts, const QString &user,
                                          const QString &savePassword)
{
    const CProfile profile = CProfile::inRegistry(QStringLiteral("Verbanta"), QStringLiteral("Admin"));
    profile.WriteProfileString(QStringLiteral("Login"), QStringLiteral("Host"), hosts);
    profile.WriteProfileString(QStringLiteral("Login"), QStringLiteral("User"), user);
    profile.WriteProfileString(QStringLiteral("Login"), QStringLiteral("SavePassword"), savePassword);
}

QString AppShellTestBase::readLoginSetting(const QString &entry) const
{
    return CProfile::inRegistry(QStringLiteral("Verbanta"), QStringLiteral("Admin"))
        .GetProfileString(QStringLiteral("Login"), entry, QStringLiteral("<missing>"));
}

QStringList AppShellTestBase::commands() const
{
    return m_server ? m_server->commandTexts() : QStringList();
}
