// The member check of a distribution list: the range-list syntax of the
// maintenance tools (an empty list is a list without members), and then
// what a list must not hold: itself, alone or inside a range, and the same
// member twice. A range wider than the server's `sys_dl_long` limit is asked
// about. Every refusal is one message box; nothing is sent for a refused
// list.
//
// The duplicate test runs in O(n log n) and only looks for the first
// offending pair, in the order the administrator reads the list, when there
// is one: a list of ten thousand members is checked in a few milliseconds.
#pragma once

#include <QString>

class CServerCommandChannel;

class CDistMemberCheck {
public:
    // `applicationChannel` answers the "set sys_dl_long" query.
    explicit CDistMemberCheck(CServerCommandChannel &applicationChannel) : m_channel(applicationChannel) {}

    // True when `text` may be stored as the members of list `ownNumber`.
    bool Check(const QString &text, long ownNumber);
    // The span limit, read from the server once per check.
    long SpanLimit();

private:
    CServerCommandChannel &m_channel;
};
