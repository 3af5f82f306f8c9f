// What every session test stands on: a private registry store and temporary
// folder, Conduit registered there (reached, like the programs reach it, only
// through the stand-in COM), a widget application running offscreen, a
// scripted answerer for message boxes, and a window that records the replies
// it receives.
#pragma once

#include "admin/session/sessionsettings.h"
#include "platform/messages/messageobject.h"
#include "platform/msgbox/messageboxscript.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

// A window that keeps every message it receives, with a copy of the text.
class ReplyWindow : public CMessageObject {
public:
    struct Received {
        UINT message;
        WPARAM code;
        QString text;
    };
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::vector<Received> received() const;
    QStringList texts() const;

private:
    mutable std::mutex m_mutex;
    std::vector<Received> m_received;
};

class SessionTestBase : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Defaults for a server at `port`, with Disconnect's waits shortened
    // (the login waits stay long: a loaded machine can be slow to answer).
    static CSessionSettings quickSettings(int port);
    // Runs the event loop until `done` holds or `ms` pass; true when it held.
    static bool waitUntil(const std::function<bool()> &done, int ms = 20000);

    QTemporaryDir m_folder;
    int m_argc = 1;
    char m_name[16] = "session_tests";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
    std::unique_ptr<MessageBoxScript> m_boxes;
};
