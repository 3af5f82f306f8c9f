// Values reach the server as data, never as code. Every command that places a
// value into a Tcl word goes through TclWord: a value that is safe between
// braces goes as "{value}", byte for byte what the server has always seen;
// anything else is quoted by the Tcl library's own list-element conversion,
// so the server reads back the same string and evaluates nothing in it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The word for `value`, braces or quoting included ("{joe}", "{}", "a\{b").
QString TclWord(const QString &value);
QByteArray TclWord(const QByteArray &value);

// True when "{" + value + "}" reads back as exactly `value`.
bool IsSafeBetweenBraces(const QByteArray &value);
