// What the dialog tests of the maintenance tools stand on: the simulator
// with its demo company, a session logged in to it as the manufacturer, and
// helpers that click, type and read the dialogs the way an administrator
// does.
#pragma once

#include "admin/testsupport/appshelltestbase.h"

#include "admin/session/zeltsession.h"
#include "testserver/harness/simulatorprocess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class UAToolsTestBase : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
        m_simulator = m_server.get();
        connectSession();
    }
    void TearDown() override
    {
        m_session.reset();
        AppShellTestBase::TearDown();
    }
    // A new login, after seed data that new links read (server variables).
    void connectSession()
    {
        m_session.reset();
        m_session = std::make_unique<CZELTSession>(quickSettings());
        m_session->Connect(CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"});
        m_simulator->clearLog();
    }

    // The commands received that begin with `word`.
    QStringList received(const QString &word) const
    {
        QStringList found;
        for (const QString &text : m_simulator->commandTexts())
            if (text.startsWith(word))
                found.append(text);
        return found;
    }
    bool exists(qint32 number) const
    {
        return !IsErrorReply(m_session->Execute(QStringLiteral("GetUA %1").arg(number)));
    }

    template <class Dialog> static void click(Dialog *d, int id)
    {
        auto *button = d->template GetDlgItem<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Clicks from the event loop once `d` is the top modal window, so that
    // the dialogs the click opens can be acted on in turn, and a dialog the
    // test opened first is done with before.
    template <class Dialog> static void clickWhenOnTop(Dialog *d, int id)
    {
        QTimer::singleShot(0, d, [d, id] {
            if (QApplication::activeModalWidget() == d)
                click(d, id);
            else
                clickWhenOnTop(d, id);
        });
    }
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    template <class Dialog> static QString status(Dialog *d)
    {
        return d->template GetDlgItem<QPlainTextEdit>(Dialog::IDC_STATUS)->toPlainText();
    }
    static void screenshot(QWidget *window, const QString &name)
    {
        const QString folder =
            qEnvironmentVariable("VERBANTA_BINARY_DIR", QStringLiteral(".")) + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(folder + QLatin1Char('/') + name));
    }

    // What a run through a dialog and its progress dialog came to.
    struct Run {
        int result = 0;
        QList<long> created;
        QString summary;
    };
    // Acts on the progress dialog `Progress` when it shows: `act` when
    // given; else waits for the run's end, keeps the summary in `run`, saves
    // the picture named by m_progressScreenshot, if any, and clicks OK.
    template <class Progress> void actOnProgress(Run &run, std::function<void(Progress *)> act)
    {
        m_dialogs.on<Progress>([this, &run, act](Progress *p) {
            if (act) {
                act(p);
                return;
            }
            EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }, 120000));
            run.summary = status(p);
            if (!m_progressScreenshot.isEmpty())
                screenshot(p, m_progressScreenshot);
            click(p, IDOK);
        });
    }

    testserver::SimulatorProcess *m_simulator = nullptr;
    std::unique_ptr<CZELTSession> m_session;
    QString m_progressScreenshot; // the progress dialog's picture at its end
};
