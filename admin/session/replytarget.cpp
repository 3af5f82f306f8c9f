// The reply target's shared part; see replytarget.h.
#include "admin/session/replytarget.h"

CReplyTarget::CReplyTarget(const QByteArray &commandWord, Mode mode, int timeToLiveMs)
    : m_commandWord(commandWord), m_mode(mode), m_timeToLive(timeToLiveMs)
{
}

bool CReplyTarget::Age(int sweepMs)
{
    m_timeToLive -= sweepMs;
    return m_timeToLive < 0;
}

QByteArray CReplyTarget::CommandWordOf(const QByteArray &commandLine)
{
    const qsizetype blank = commandLine.indexOf(' ');
    return blank <= 0 ? commandLine : commandLine.left(blank);
}

QByteArray CReplyTarget::ReplyResult(const QByteArray &commandWord, const QByteArray &reply)
{
    if (reply == commandWord)
        return QByteArray();
    if (commandWord.isEmpty())
        return reply;
    const qsizetype blank = reply.indexOf(' ');
    // A reply word may be the leading part of the command word: the ASR
    // wrappers answer with the name of the command they wrap.
    if (blank >= 0 && blank <= commandWord.size() && reply.left(blank) == commandWord.left(blank))
        return reply.mid(blank + 1);
    return "!ERROR from server while processing '" + commandWord + "' command: " + reply;
}
