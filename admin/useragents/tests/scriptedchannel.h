// A command channel for the record's own tests: it keeps every command sent
// and answers Execute from a queue of replies (an empty reply when none is
// queued). The asynchronous operations are not used by the record on its own
// and fail the test when called.
#pragma once

#include "admin/session/servercommandchannel.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>

class ScriptedChannel : public CServerCommandChannel {
public:
    void queue(const QString &reply) { m_replies.push_back(reply); }
    QStringList sent() const { return m_sent; }

    QString Execute(const QString &command, bool check = true, int type = 1) override
    {
        EXPECT_TRUE(check);
        EXPECT_EQ(type, 1);
        m_sent.append(command);
        if (m_replies.empty())
            return QString();
        const QString reply = m_replies.front();
        m_replies.pop_front();
        return reply;
    }
    HRESULT SendAsync(CMessageTarget *, UINT, WPARAM, const QString &command, bool, int) override
    {
        ADD_FAILURE() << "unexpected SendAsync " << command.toStdString();
        return E_FAIL;
    }
    HRESULT SendNoReply(const QString &command, int) override
    {
        ADD_FAILURE() << "unexpected SendNoReply " << command.toStdString();
        return E_FAIL;
    }
    CPendingCommand BeginCommand(const QString &command, bool, int) override
    {
        ADD_FAILURE() << "unexpected BeginCommand " << command.toStdString();
        return CPendingCommand();
    }
    QString WaitReply(CPendingCommand &) override
    {
        ADD_FAILURE() << "unexpected WaitReply";
        return QString();
    }

private:
    QStringList m_sent;
    std::deque<QString> m_replies;
};
