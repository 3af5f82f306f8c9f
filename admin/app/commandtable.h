// The command table of admin's main frame: for every command id, the text
// its menu item shows and the prompt the status bar shows while the item or
// its toolbar button is under the mouse. The frame makes one action for
// each command from this table; menus, toolbars and the accelerator table
// then refer to commands by id only.
#pragma once

#include <QString>

#include <span>

class QAction;

struct CommandEntry {
    int id;
    const char *text;   // the menu text, with "&" before the mnemonic
    const char *prompt; // the status-bar prompt, also a toolbar button's tooltip
};

class CCommandTable {
public:
    static std::span<const CommandEntry> Entries();
    // Null for an id the table does not know.
    static const CommandEntry *Find(int id);
};

// Actions carry the command id they stand for; an action without one belongs
// to somebody else and is left alone by the menu manager.
void SetCommandId(QAction *action, int id);
// 0 for an action without a command id.
int CommandIdOf(const QAction *action);
