// See serialportlist.h.
#include "admin/config/records/serialportlist.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

void CSerialPortList::ReadSettings(const QStringList &fields, int first, SerialPortRecord &port)
{
    using namespace SerialSettings;
    port.baudIndex = DefaultBaud;
    port.dataBitsIndex = DefaultDataBits;
    port.parityIndex = DefaultParity;
    port.stopBitsIndex = DefaultStopBits;
    if (fields.size() > first)
        port.baudIndex = Lookup(BaudRates(), fields.at(first), DefaultBaud);
    if (fields.size() > first + 1)
        port.dataBitsIndex = Lookup(DataBits(), fields.at(first + 1), DefaultDataBits);
    if (fields.size() > first + 2)
        port.parityIndex = Lookup(ParityNames(), fields.at(first + 2), DefaultParity);
    if (fields.size() > first + 3)
        port.stopBitsIndex = Lookup(StopBitNames(), fields.at(first + 3), DefaultStopBits);
}

void CSerialPortList::Load(const QStringList &portNames, const QList<SmdiGroupLink> &groups,
                           const QString &serialPorts, QStringList &conflicts)
{
    m_ports.clear();
    conflicts.clear();
    for (const QString &name : portNames) {
        SerialPortRecord port;
        port.name = name;
        m_ports.append(port);
    }
    m_serverText = serialPorts;
    m_serverPorts = m_ports;
    if (m_ports.isEmpty())
        return;
    const CTclList splitter;
    for (const SmdiGroupLink &group : groups) {
        if (group.integrationType == QLatin1String("0"))
            continue;
        QStringList fields;
        splitter.SplitList(group.smdiPort, fields);
        const int index = fields.isEmpty() || fields.at(0).isEmpty() ? -1 : IndexOf(fields.at(0));
        if (index < 0)
            continue;
        SerialPortRecord &port = m_ports[index];
        port.assignment = SerialPortRecord::SmdiPort;
        port.groupName = group.groupName;
        ReadSettings(fields, 1, port);
        port.phoneNumber.clear();
    }
    QStringList entries;
    splitter.SplitList(serialPorts, entries);
    for (const QString &entry : std::as_const(entries)) {
        QStringList fields;
        splitter.SplitList(entry, fields);
        const int index = fields.isEmpty() ? -1 : IndexOf(fields.at(0));
        if (index < 0)
            continue;
        SerialPortRecord &port = m_ports[index];
        if (port.assignment == SerialPortRecord::SmdiPort) {
            if (fields.size() > 1)
                conflicts << QStringLiteral(
                                 "%1 can not be assigned as resource '%2' because it is configured as "
                                 "SMDI link of '%3'.")
                                 .arg(port.name, fields.at(1), port.groupName);
            continue;
        }
        port.assignment = SerialPortRecord::Resource;
        port.groupName = fields.value(1);
        ReadSettings(fields, 2, port);
        port.phoneNumber = fields.value(6).left(SerialPortRecord::MaxPhoneNumberLength);
        port.moreElements = fields.mid(7);
    }
    m_serverPorts = m_ports;
}

QString CSerialPortList::formatEntry(const SerialPortRecord &port)
{
    using namespace SerialSettings;
    QStringList fields{TclBareWord(port.name),
                       TclBareWord(port.groupName),
                       TextAt(BaudRates(), port.baudIndex, DefaultBaud),
                       TextAt(DataBits(), port.dataBitsIndex, DefaultDataBits),
                       TextAt(ParityNames(), port.parityIndex, DefaultParity),
                       TextAt(StopBitNames(), port.stopBitsIndex, DefaultStopBits)};
    if (!port.phoneNumber.isEmpty() || !port.moreElements.isEmpty())
        fields << TclBareWord(port.phoneNumber);
    for (const QString &element : port.moreElements)
        fields << TclBareWord(element);
    return TclBareWord(fields.join(QLatin1Char(' ')));
}

QString CSerialPortList::SaveResources() const
{
    if (m_ports == m_serverPorts)
        return m_serverText;
    const CTclList splitter;
    QStringList serverEntries;
    splitter.SplitList(m_serverText, serverEntries);
    QStringList entries;
    QList<bool> written(m_ports.size(), false);
    for (const QString &entry : std::as_const(serverEntries)) {
        QStringList fields;
        splitter.SplitList(entry, fields);
        const int index = fields.isEmpty() ? -1 : IndexOf(fields.at(0));
        if (index < 0 || isAsRead(index))
            entries << TclBareWord(entry);
        else if (m_ports.at(index).assignment == SerialPortRecord::Resource && !written.at(index))
            entries << formatEntry(m_ports.at(index));
        if (index >= 0)
            written[index] = true;
    }
    for (int i = 0; i < Count(); ++i)
        if (!written.at(i) && m_ports.at(i).assignment == SerialPortRecord::Resource)
            entries << formatEntry(m_ports.at(i));
    return entries.join(QLatin1Char(' '));
}

int CSerialPortList::IndexOf(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_ports.at(i).name == name)
            return i;
    return -1;
}

QStringList CSerialPortList::AvailablePorts() const
{
    QStringList names;
    for (const SerialPortRecord &port : m_ports)
        if (port.assignment == SerialPortRecord::Available && !port.name.isEmpty())
            names << port.name;
    return names;
}

QStringList CSerialPortList::ResourceNames() const
{
    QStringList names;
    for (const SerialPortRecord &port : m_ports)
        if (port.assignment == SerialPortRecord::Resource && !port.groupName.isEmpty() &&
            !names.contains(port.groupName))
            names << port.groupName;
    return names;
}
