// A server reply that asks the administrator to confirm something (a report
// run's start date) begins with "?". Like an error reply, it is never data.
#pragma once

#include <QString>

inline bool IsQuestionReply(const QString &reply)
{
    return reply.startsWith(QLatin1Char('?'));
}
