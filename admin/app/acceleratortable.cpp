// Accelerator entries and the main frame's table; see acceleratortable.h.
// The frame's table is small: the framework's New and Open, and F1 for help.
// Windows that save add Ctrl+S with their Save command.
#include "admin/app/acceleratortable.h"

#include "admin/app/commandids.h"

QKeySequence CAccelerator::keySequence() const
{
    int combined = (flags & VirtualKey) ? key : QChar(key).toUpper().unicode();
    if (flags & Shift)
        combined |= Qt::SHIFT;
    if (flags & Control)
        combined |= Qt::CTRL;
    if (flags & Alt)
        combined |= Qt::ALT;
    return QKeySequence(combined);
}

QString CAccelerator::text() const
{
    QString result;
    if (flags & Alt)
        result += QLatin1String("Alt+");
    if (flags & Control)
        result += QLatin1String("Ctrl+");
    if (flags & Shift)
        result += QLatin1String("Shift+");
    if (flags & VirtualKey)
        result += QKeySequence(key).toString(QKeySequence::NativeText);
    else
        result += QChar(key);
    return result;
}

const CAcceleratorTable &CAcceleratorTable::MainFrame()
{
    constexpr uint8_t ctrl = CAccelerator::VirtualKey | CAccelerator::Control;
    static const CAcceleratorTable table({
        {ctrl, Qt::Key_N, ID_FILE_NEW},
        {ctrl, Qt::Key_O, ID_FILE_OPEN},
        {CAccelerator::VirtualKey, Qt::Key_F1, ID_HELP},
    });
    return table;
}

QList<CAccelerator> CAcceleratorTable::EntriesOf(int command) const
{
    QList<CAccelerator> result;
    for (const CAccelerator &entry : m_entries)
        if (entry.command == command)
            result.append(entry);
    return result;
}

QList<QKeySequence> CAcceleratorTable::KeysOf(int command) const
{
    QList<QKeySequence> result;
    for (const CAccelerator &entry : EntriesOf(command))
        result.append(entry.keySequence());
    return result;
}
