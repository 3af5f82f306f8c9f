// See unansweredreply.h.
#include "admin/session/unansweredreply.h"

namespace {

struct Text {
    UnansweredReply::Cause cause;
    // The reply up to the command's word, which follows it quoted.
    const char *opening;
    const char *reason;
};

// The quoted command's word comes after the opening's blank with a blank of
// its own: the texts have always read so, and callers compare them whole.
constexpr Text kTexts[] = {
    {UnansweredReply::Cause::Disconnected, "!ERROR Server disconnected while processing ",
     "The link to the server ended before an answer came."},
    {UnansweredReply::Cause::NeverResponded, "!ERROR Server never responded while processing ",
     "No answer came within the time allowed."},
    {UnansweredReply::Cause::Cancelled, "!ERROR Waiting cancelled while the server was processing ",
     "The wait for the answer was cancelled."},
};

} // namespace

namespace UnansweredReply {

QString For(Cause cause, const QByteArray &commandWord)
{
    const QString word =
        commandWord.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(QString::fromUtf8(commandWord));
    for (const Text &text : kTexts)
        if (text.cause == cause)
            return QLatin1String(text.opening) + word + QStringLiteral(" command.");
    Q_UNREACHABLE();
    return QString();
}

QString ReasonOf(const QString &reply)
{
    for (const Text &text : kTexts)
        if (reply.startsWith(QLatin1String(text.opening)))
            return QLatin1String(text.reason);
    return QString();
}

} // namespace UnansweredReply
