// What the application-shell tests stand on: private store, data and
// temporary folders; Conduit registered there and reached only through the
// stand-in COM; message boxes answered by a script; a simulator of the
// server on a loopback address of its own; and a script of actions for the
// modal dialogs the code under test runs, taken in order as each dialog
// shows.
#pragma once

#include "admin/session/sessionsettings.h"
#include "platform/msgbox/messageboxscript.h"
#include "testserver/harness/simulatorprocess.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>

// Readable texts in the tests' failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// Acts on modal dialogs as they show: each step waits for the top modal
// widget to be of its type and then runs once.
class DialogScript {
public:
    DialogScript();
    ~DialogScript();

    template <class Dialog> void on(std::function<void(Dialog *)> action)
    {
        m_steps.push_back([action](QWidget *widget) {
            auto *dialog = qobject_cast<Dialog *>(widget);
            if (dialog)
                action(dialog);
            return dialog != nullptr;
        });
    }
    // Steps not taken yet.
    int pending() const { return int(m_steps.size()); }

private:
    void poll();

    std::deque<std::function<bool(QWidget *)>> m_steps;
    QTimer m_timer;
    QWidget *m_lastHandled = nullptr;
};

// Runs the event loop until `done` holds; false when `ms` ran out first.
bool WaitFor(const std::function<bool()> &done, int ms = 20000);

// Saves a picture of `window` as `name` in the build folder's screenshots
// (VERBANTA_BINARY_DIR), to be looked at; false when it could not be saved.
bool SaveScreenshot(QWidget *window, const QString &name);

class AppShellTestBase : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulator (demo data unless another seed file is given).
    void startServer(const QString &dataFile = QString());
    // The session settings for the simulator, with a short wait for a
    // link's end.
    CSessionSettings quickSettings() const;
    // Waits long enough for a simulator slowed down by a busy machine; they
    // only ever run out when something hangs.
    CSessionSettings patientSettings() const;
    // Writes the "Login" settings as a previous run would have left them.
    void writeLoginSettings(const QString &hosts, const QString &user, const QString &savePassword);
    QString readLoginSetting(const QString &entry) const;
    // The commands the simulator received, without login lines.
    QStringList commands() const;

    QTemporaryDir m_folder;
    std::unique_ptr<MessageBoxScript> m_boxes;
    std::unique_ptr<testserver::SimulatorProcess> m_server;
    DialogScript m_dialogs;
};
