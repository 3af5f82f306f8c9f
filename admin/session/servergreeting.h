// The server's greeting line, "VREADY <A> <B> <time zone>", read as hostile
// input: the digest login needs A and B, and the time-zone text is checked
// before anything applies it.
#pragma once

#include <QByteArray>

#include <optional>

struct CServerGreeting {
    QByteArray fieldA;   // between the first and the second blank
    QByteArray fieldB;   // between the second and the last blank
    QByteArray timeZone; // after the last blank

    // The fields of a greeting with at least three blanks; nothing otherwise.
    static std::optional<CServerGreeting> Parse(const QByteArray &line);
    // True when `zone` is a plausible TZ value: short, printable, no '='.
    static bool IsValidTimeZone(const QByteArray &zone);
};
