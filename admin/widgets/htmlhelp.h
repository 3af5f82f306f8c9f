// Help. Callers ask for the help file "admin.chm" at its default topic
// (HH_DISPLAY_TOPIC) or at a context number (HH_HELP_CONTEXT, usually the
// asking dialog's resource id). Help is installed as a folder of HTML pages:
// <help folder>/admin/index.html is the default topic and
// <help folder>/admin/<context>.html the topic of a context, opened in the
// desktop's browser without waiting for it. The help folder is
// $VERBANTA_HELP_DIR when set, else share/verbanta/help beside the program's
// bin folder (/usr/share/verbanta/help for a program in /usr/bin).
//
// Every request is answered: while help is not installed each request says
// so, and help installed while the program runs is found by the next one.
#pragma once

#include "platform/messages/messages.h"

#include <QString>

#include <cstdint>

enum : unsigned { HH_DISPLAY_TOPIC = 0x0, HH_HELP_CONTEXT = 0xF };

class CHtmlHelp {
public:
    explicit CHtmlHelp(const QString &helpFolder);

    // Nonzero when a topic was handed to the browser; 0 otherwise.
    intptr_t Show(const QString &file, unsigned command, uintptr_t data);

    // The help folder the program's own help requests use.
    static QString DefaultFolder();

private:
    QString topicPath(const QString &book, unsigned command, uintptr_t data) const;

    QString m_folder;
};

// The program's help request, with the process-wide help state. `window` is
// the asking window, which the help browser does not need.
intptr_t CallHtmlHelp(HWND window, const QString &file, unsigned command, uintptr_t data);
