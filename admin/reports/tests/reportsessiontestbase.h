// What the tests of the report dialogs stand on: a private data folder
// holding the report database and templates, the report engine open on it,
// the simulator of the server, and a session logged in to it as the
// manufacturer; and readers of what a run stored and printed.
#pragma once

#include "admin/testsupport/sessiontestbase.h"

#include "admin/reports/db/tests/reportrows.h"
#include "admin/reports/reportengine.h"
#include "admin/session/zeltsession.h"
#include "testserver/harness/simulatorprocess.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <memory>
#include <ostream>

// Readable texts in the tests' failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// The text of a printed report, laid out as on the page.
inline QString PdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QStringLiteral("<pdftotext did not finish>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

class ReportSessionTestBase : public SessionTestBase {
protected:
    void SetUp() override
    {
        SessionTestBase::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("data"));
        setenv("XDG_DATA_HOME", m_folder.filePath("data").toLocal8Bit().constData(), 1);
        m_engine = std::make_unique<CReportEngine>();
        ASSERT_TRUE(m_engine->Open());
        m_simulator = std::make_unique<testserver::SimulatorProcess>();
        m_session = std::make_unique<CZELTSession>(quickSettings(m_simulator->port()));
        m_session->Connect(CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"});
        m_simulator->clearLog();
    }
    // Takes the activation away from the dialog, as the administrator's
    // turn to another window does.
    static void activateElsewhere(QWidget &elsewhere)
    {
        elsewhere.show();
        elsewhere.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    }
    // A subclass lets its dialog go first.
    void TearDown() override
    {
        m_engine.reset();
        m_session.reset();
        m_simulator.reset();
        SessionTestBase::TearDown();
    }

    QString database() const { return m_engine->DatabasePath(); }

    std::unique_ptr<CReportEngine> m_engine;
    std::unique_ptr<testserver::SimulatorProcess> m_simulator;
    std::unique_ptr<CZELTSession> m_session;
};
