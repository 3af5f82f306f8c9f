// The server's serial ports as the Serial Ports page keeps them: each one
// available, the SMDI link of an integration group (kept in the group's
// `pbx_smdi_port`) or a named resource (kept in the server variable
// `serialports`, a Tcl list of {port resource baud bits parity stop ?phone?}).
// The entries are read and written as Tcl lists; a phone number is written
// as one list element, so a number with blanks comes back whole.
//
// `serialports` goes back as the server holds it while no port was changed,
// and an unchanged port's entry (also one the page does not take, for a port
// the machine does not report or an SMDI link) keeps its element; a changed
// resource keeps the elements the server held after its phone number.
#pragma once

#include "admin/config/records/serialsettings.h"

#include <QList>
#include <QString>
#include <QStringList>

struct SerialPortRecord {
    enum Assignment { Available = 0, SmdiPort = 1, Resource = 2 };
    static constexpr int MaxPhoneNumberLength = 40;

    QString name;
    int assignment = Available;
    // The integration group of an SMDI port, the resource name of a resource.
    QString groupName;
    int baudIndex = SerialSettings::DefaultBaud;
    int dataBitsIndex = SerialSettings::DefaultDataBits;
    int parityIndex = SerialSettings::DefaultParity;
    int stopBitsIndex = SerialSettings::DefaultStopBits;
    QString phoneNumber;
    // The elements the server holds after the phone number.
    QStringList moreElements = {};

    bool operator==(const SerialPortRecord &) const = default;
};

// What the list needs of one integration group.
struct SmdiGroupLink {
    QString groupName;
    QString integrationType;
    // The group's `pbx_smdi_port` text: {port baud bits parity stop}.
    QString smdiPort;
};

class CSerialPortList {
public:
    // One available port per name; then the SMDI links of the groups whose
    // type is not "0"; then the resources of `serialports`. A resource entry
    // for a port that is an SMDI link is not taken: its message goes to
    // `conflicts` ("%s can not be assigned as resource '%s' because ...").
    void Load(const QStringList &portNames, const QList<SmdiGroupLink> &groups, const QString &serialPorts,
              QStringList &conflicts);
    // The `serialports` text: the entries of the unchanged ports as read, in
    // their order, then the entries of the ports changed into resources, in
    // port order.
    QString SaveResources() const;

    int Count() const { return int(m_ports.size()); }
    SerialPortRecord &At(int i) { return m_ports[i]; }
    const SerialPortRecord &At(int i) const { return m_ports.at(i); }
    // The index of the port with this name, or -1.
    int IndexOf(const QString &name) const;

    // The names of the available ports, in order.
    QStringList AvailablePorts() const;
    // Each distinct non-empty resource name once, in port order.
    QStringList ResourceNames() const;

    // Reads the serial settings elements (baud, bits, parity, stop) starting
    // at `first` of `fields`; unmatched or missing elements keep the defaults.
    static void ReadSettings(const QStringList &fields, int first, SerialPortRecord &port);

private:
    bool isAsRead(int i) const { return m_ports.at(i) == m_serverPorts.at(i); }
    static QString formatEntry(const SerialPortRecord &port);

    QList<SerialPortRecord> m_ports;
    // The text read, and the ports as it left them.
    QString m_serverText;
    QList<SerialPortRecord> m_serverPorts;
};
