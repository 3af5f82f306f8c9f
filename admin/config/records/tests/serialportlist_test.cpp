// Serial ports: SMDI links from the groups, resources from `serialports`,
// and the text written back.
#include "admin/config/records/serialportlist.h"

#include <gtest/gtest.h>

namespace {

const QStringList kPorts{"COM1", "COM2", "/dev/ttyS2", "COM4"};

TEST(SerialPortListTest, AnSmdiLinkWinsOverAResourceEntryAndIsReported)
{
    CSerialPortList ports;
    QStringList conflicts;
    ports.Load(kPorts,
               {{"PBX1", "1", "COM1 19200 7 ODDPARITY TWOSTOPBITS"},
                {"PBX0", "0", "COM2 9600 8 NOPARITY ONESTOPBIT"}},
               QStringLiteral(
                   "{COM1 Pager 9600 8 NOPARITY ONESTOPBIT} {COM2 {} 2400 7 EVENPARITY ONE5STOPBITS 5551234} "
                   "{COM9 Ghost} {/dev/ttyS2 Modem 56000 8 MARKPARITY ONESTOPBIT {+1 (949) 555-1234}}"),
               conflicts);
    EXPECT_EQ(conflicts,
              QStringList{"COM1 can not be assigned as resource 'Pager' because it is configured as SMDI "
                          "link of 'PBX1'."});
    EXPECT_EQ(ports.At(0).assignment, SerialPortRecord::SmdiPort);
    EXPECT_EQ(ports.At(0).groupName, QStringLiteral("PBX1"));
    EXPECT_EQ(ports.At(0).baudIndex, 8);
    EXPECT_EQ(ports.At(0).parityIndex, 3);
    EXPECT_EQ(ports.At(1).assignment, SerialPortRecord::Resource); // PBX0 is of type 0: no link
    EXPECT_EQ(ports.At(1).baudIndex, 4);
    EXPECT_EQ(ports.At(2).phoneNumber, QStringLiteral("+1 (949) 555-1234"));
    EXPECT_EQ(ports.At(3).assignment, SerialPortRecord::Available);
    EXPECT_EQ(ports.AvailablePorts(), QStringList{"COM4"});
}

const QString kServerEntries = QStringLiteral(
    "{COM1 Pager 9600 8 NOPARITY ONESTOPBIT}  {COM2 {} 2400 7 EVENPARITY ONE5STOPBITS 5551234} {COM9 Ghost} "
    "{/dev/ttyS2 Modem 56000 8 MARKPARITY ONESTOPBIT {+1 (949) 555-1234}} {COM2 Later}");

TEST(SerialPortListTest, AChangedResourceKeepsTheElementsAfterItsNumber)
{
    CSerialPortList ports;
    QStringList conflicts;
    ports.Load(kPorts, {}, QStringLiteral("{COM1 Pager 9600 8 NOPARITY ONESTOPBIT {} {a b} c}"), conflicts);
    ports.At(0).groupName = QStringLiteral("Beeper");
    EXPECT_EQ(ports.SaveResources(), QStringLiteral("{COM1 Beeper 9600 8 NOPARITY ONESTOPBIT {} {a b} c}"));
}

TEST(SerialPortListTest, UnchangedPortsGoBackAsTheServerHoldsThem)
{
    CSerialPortList ports;
    QStringList conflicts;
    ports.Load(kPorts, {{"PBX1", "1", "COM1 19200 7 ODDPARITY TWOSTOPBITS"}}, kServerEntries, conflicts);
    EXPECT_EQ(ports.SaveResources(), kServerEntries);

    // Changed: COM2's number (its two entries become one), /dev/ttyS2 no
    // longer a resource, COM4 a new one. The SMDI link's entry and the port
    // the machine does not report stay.
    ports.At(1).phoneNumber = QStringLiteral("5559876");
    ports.At(2).assignment = SerialPortRecord::Available;
    ports.At(3).assignment = SerialPortRecord::Resource;
    ports.At(3).groupName = QStringLiteral("Fax");
    EXPECT_EQ(ports.SaveResources().toStdString(),
              "{COM1 Pager 9600 8 NOPARITY ONESTOPBIT} {COM2 Later 9600 8 NOPARITY ONESTOPBIT 5559876} "
              "{COM9 Ghost} {COM4 Fax 9600 8 NOPARITY ONESTOPBIT}");
}

TEST(SerialPortListTest, AResourceWithoutNameOrNumberSavesTheDefaults)
{
    CSerialPortList ports;
    QStringList conflicts;
    ports.Load(kPorts, {}, QString(), conflicts);
    ports.At(1).assignment = SerialPortRecord::Resource;
    EXPECT_EQ(ports.SaveResources(), QStringLiteral("{COM2 {} 9600 8 NOPARITY ONESTOPBIT}"));
}

TEST(SerialPortListTest, ResourceNamesAreListedOnceInPortOrder)
{
    CSerialPortList ports;
    QStringList conflicts;
    ports.Load(kPorts, {}, QStringLiteral("{COM1 Modem} {COM2 Pager} {/dev/ttyS2 Modem} {COM4 Fax}"),
               conflicts);
    EXPECT_EQ(ports.ResourceNames(), (QStringList{"Modem", "Pager", "Fax"}));
}

} // namespace
