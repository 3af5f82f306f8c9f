// Values reach the server as data, never as code. Every command that places a
// value into a Tcl word goes through one of these two. Where the command's
// format writes the value between braces ("{%s}"), TclWord: a value that is
// safe between braces goes as "{value}", byte for byte what the server has
// always seen. Where the format writes it bare ("GetRemoteUser %s"),
// TclBareWord: a plain word (letters, digits, "_ . - :" and the like) goes
// exactly as it is. Any other value is quoted by the Tcl library's own
// list-element conversion, so the server reads back the same string and
// evaluates nothing in it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The word for `value`, braces or quoting included ("{joe}", "{}", "a\{b").
QString TclWord(const QString &value);
QByteArray TclWord(const QByteArray &value);
// The word for `value` where the format has no braces: the value itself when
// it is one plain word, else quoted ("joe", "{John Smith}", "{}", "a\}b").
QString TclBareWord(const QString &value);
QByteArray TclBareWord(const QByteArray &value);

// True when "{" + value + "}" reads back as exactly `value`.
bool IsSafeBetweenBraces(const QByteArray &value);
