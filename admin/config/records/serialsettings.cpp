// See serialsettings.h.
#include "admin/config/records/serialsettings.h"

namespace SerialSettings {

const QStringList &BaudRates()
{
    static const QStringList table{"110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",  "14400",
                                   "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
    return table;
}

const QStringList &DataBits()
{
    static const QStringList table{"7", "8"};
    return table;
}

const QStringList &ParityNames()
{
    static const QStringList table{"EVENPARITY", "MARKPARITY", "NOPARITY", "ODDPARITY", "SPACEPARITY"};
    return table;
}

const QStringList &StopBitNames()
{
    static const QStringList table{"ONESTOPBIT", "ONE5STOPBITS", "TWOSTOPBITS"};
    return table;
}

const QStringList &ParityLabels()
{
    static const QStringList table{"Even", "Mark", "None", "Odd", "Space"};
    return table;
}

const QStringList &StopBitLabels()
{
    static const QStringList table{"1", "1.5", "2"};
    return table;
}

int Lookup(const QStringList &table, const QString &text, int fallback)
{
    const qsizetype index = table.indexOf(text);
    return index < 0 ? fallback : int(index);
}

QString TextAt(const QStringList &table, int index, int fallback)
{
    return index >= 0 && index < table.size() ? table.at(index) : table.at(fallback);
}

} // namespace SerialSettings
