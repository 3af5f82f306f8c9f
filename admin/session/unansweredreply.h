// The replies the session makes up itself for a command whose answer never
// came: the link ended, the server stayed silent past its time, or the user
// cancelled the wait. They read as the server's errors do, so that every
// window takes them for a failed command; a caller that must not blame the
// server for them (what the server did with the command is not known) tells
// them apart here.
#pragma once

#include <QByteArray>
#include <QString>

namespace UnansweredReply {

enum class Cause { Disconnected, NeverResponded, Cancelled };

// The reply standing in for the answer to a command of `commandWord`.
QString For(Cause cause, const QByteArray &commandWord);
// Why no answer came, in the user's words; empty when `reply` is the server's.
QString ReasonOf(const QString &reply);

} // namespace UnansweredReply
