// Readable failure messages: gtest prints Qt strings as text, not bytes.
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &texts, std::ostream *out)
{
    *out << '{';
    for (const QString &text : texts)
        *out << " \"" << text.toStdString() << '"';
    *out << " }";
}
QT_END_NAMESPACE
