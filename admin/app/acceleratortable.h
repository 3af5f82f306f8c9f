// An accelerator table: keys that run commands. The main frame gives each
// command's action the keys of its entries, in table order, and the menu
// manager writes them beside the command's menu item.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <cstdint>

struct CAccelerator {
    enum Flags : uint8_t {
        VirtualKey = 0x01, // `key` is a Qt::Key; otherwise a character
        Shift = 0x04,
        Control = 0x08,
        Alt = 0x10,
    };

    uint8_t flags = VirtualKey;
    int key = 0;
    int command = 0;

    QKeySequence keySequence() const;
    // "Alt+", "Ctrl+", "Shift+" as flagged, then the key's name or the
    // character itself.
    QString text() const;
};

class CAcceleratorTable {
public:
    CAcceleratorTable() = default;
    explicit CAcceleratorTable(QList<CAccelerator> entries) : m_entries(std::move(entries)) {}

    // The main frame's table (resource 120).
    static const CAcceleratorTable &MainFrame();

    const QList<CAccelerator> &Entries() const { return m_entries; }
    // The entries of one command, in table order.
    QList<CAccelerator> EntriesOf(int command) const;
    QList<QKeySequence> KeysOf(int command) const;

private:
    QList<CAccelerator> m_entries;
};
