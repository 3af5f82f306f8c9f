// Where the reply of one pending command goes: a waiting caller or a window.
// Targets are shared: the session's transaction map, the reply on its way to
// a dispatcher thread and the waiting caller each hold a reference, so a
// target lives until the last of them lets go and none of them can free it
// under another's feet.
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>

class CReplyTarget {
public:
    enum Mode : uint32_t {
        ModeOneShot = 0,   // leaves the map when its reply arrives
        ModeKept = 1,      // a subscription: stays for every pushed line
        ModeAbandoned = 2, // replies are dropped; the next sweep removes it
    };

    CReplyTarget(const QByteArray &commandWord, Mode mode, int timeToLiveMs);
    virtual ~CReplyTarget() = default;
    CReplyTarget(const CReplyTarget &) = delete;
    CReplyTarget &operator=(const CReplyTarget &) = delete;

    // Runs on a dispatcher thread, or on the thread that matched the reply
    // when DeliversWithoutWaiting says so.
    virtual void Deliver(const QString &reply) = 0;
    // True when Deliver never blocks: the reply is then handed over at once,
    // which keeps the replies of one target in the order they arrived.
    virtual bool DeliversWithoutWaiting() const { return false; }

    // The word a reply must begin with; empty when the caller asked for no check.
    const QByteArray &CommandWord() const { return m_commandWord; }
    Mode GetMode() const { return m_mode.load(); }
    void SetMode(Mode mode) { m_mode.store(mode); }
    // Lowers the time to live by one sweep; true once it went below 0.
    // Called by the housekeeping sweep only.
    bool Age(int sweepMs);

    // The command line up to its first blank (the whole line when it has
    // none or begins with one).
    static QByteArray CommandWordOf(const QByteArray &commandLine);
    // What a reply means for a command whose first word is `commandWord`
    // (empty: no check): the result after the word, or the error text for a
    // reply that answers another command.
    static QByteArray ReplyResult(const QByteArray &commandWord, const QByteArray &reply);

private:
    const QByteArray m_commandWord;
    std::atomic<Mode> m_mode;
    int m_timeToLive;
};
