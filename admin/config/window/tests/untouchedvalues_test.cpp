// Values the administrator never touched go back to the server as the
// server sent them: each row seeds values in spellings a real server holds,
// shows every page of the window, changes one item and expects exactly that
// item's variable set.
#include "admin/config/records/switchtypefile.h"
#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/window/tests/everypagewritebacktestbase.h"

#include <QDir>
#include <QFile>

namespace {

using Integration = CConfigIntegrationPropPage;

struct UntouchedCase {
    const char *name;
    // Seed commands run on the site's configuration.
    QString seed;
    // What the administrator does once every page was shown.
    std::function<void(EveryPageWriteBackTest &)> change;
    QMap<QString, QString> sets;
    // Done before the window opens.
    std::function<void()> prepare = nullptr;
};

void PrintTo(const UntouchedCase &c, std::ostream *out)
{
    *out << c.name;
}

void changePortFive(EveryPageWriteBackTest &test)
{
    test.typeExtension(5, QStringLiteral("3005"));
}

const QMap<QString, QString> kPortFiveOnly{{QStringLiteral("Line5"), QStringLiteral("{3005 Fax}")}};

QStringList siteGroups()
{
    QStringList names;
    for (int g = 1; g <= 20; ++g)
        names << QStringLiteral("PBX%1").arg(g, 2, 10, QLatin1Char('0'));
    return names;
}

// The site's groups with one more in front, so the page shows it first.
QString groupsLedBy(const QString &group)
{
    return QStringLiteral("var pbx_list {%1 %2}").arg(group, siteGroups().join(u' '));
}

// A switch-type file the page refuses to read: larger than any switch type.
void writeOversizedSwitchType(const QString &name)
{
    ASSERT_TRUE(QDir().mkpath(CSwitchTypeFile::Folder()));
    QFile file(CSwitchTypeFile::Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(CSwitchTypeFile::MaxFileSize + 1, 'x'));
}

void chooseOversizedSwitchTypeForPbx01(EveryPageWriteBackTest &test)
{
    auto *page = test.showPage<Integration>();
    ASSERT_EQ(page->Group(page->CurrentGroup()).groupName, QStringLiteral("PBX01"));
    test.boxes().answer(IDOK);
    test.typeInto(page->GroupsGrid(), 2, Integration::SwitchTypeRow, QStringLiteral("Oversized"));
    ASSERT_EQ(test.boxes().texts().size(), 1);
    EXPECT_TRUE(test.boxes().texts()[0].startsWith(QStringLiteral("Switch type 'Oversized' can not be read.")))
        << test.boxes().texts()[0].toStdString();
    const IntegrationGroupRecord &group = page->Group(1);
    EXPECT_EQ(group.integrationType, QStringLiteral("1"));
    EXPECT_EQ(group.lineProtocol, QStringLiteral("None"));
    EXPECT_EQ(group.smdiPortName, QStringLiteral("COM2"));
    EXPECT_EQ(test.cellText(page->GroupsGrid(), 2, Integration::SwitchTypeRow), group.switchType);
    changePortFive(test);
}

// PBX09, a T1 group with an SMDI port, goes back to no digital line while
// its switch type's file cannot be read: only the line protocol changes.
void dropTheDigitalLineOfPbx09(EveryPageWriteBackTest &test)
{
    auto *page = test.showPage<Integration>();
    test.typeInto(page->GroupsGrid(), 2, Integration::NameRow, QStringLiteral("PBX09"));
    ASSERT_EQ(page->Group(page->CurrentGroup()).groupName, QStringLiteral("PBX09"));
    test.boxes().answer(IDOK);
    test.typeInto(page->GroupsGrid(), 2, Integration::LineProtocolRow, QStringLiteral("None"));
    ASSERT_EQ(test.boxes().texts().size(), 1);
    EXPECT_TRUE(test.boxes().texts()[0].startsWith(QStringLiteral("Switch type 'Meridian 1' can not be read.")))
        << test.boxes().texts()[0].toStdString();
    EXPECT_EQ(page->Group(9).smdiPortName, QStringLiteral("COM2"));
}

const UntouchedCase kCases[] = {
    {"PortWithAnUnlistedMethodKeepsIt", QStringLiteral("var Line2 {2002 Ghost}"), changePortFive, kPortFiveOnly},
    {"RespelledLinesStayAsTheServerHoldsThem", QStringLiteral("var Line1 {2001  Night}\nvar Line3 {{2003} Weekend}"),
     changePortFive, kPortFiveOnly},
    {"AnswerMethodsKeepTheirFourthElement",
     QStringLiteral("var answer_method_list {{Day {997 4 PBX01}} {Night {997 2 PBX01}} {Weekend {2000 2 PBX02}} "
                    "{Sales {2000 4 PBX03}} {Support {2100 3 PBX04}} {Fax {2100 1 PBX05 extra}}}"),
     changePortFive, kPortFiveOnly},
    {"LanguagesShownAreNotRewritten", QString(), changePortFive, kPortFiveOnly},
    {"GroupWithoutAnIntegrationTypeGetsNone", groupsLedBy(QStringLiteral("Bare")), changePortFive, kPortFiveOnly},
    {"RefusedSwitchTypeFileChangesNoGroup", QString(), chooseOversizedSwitchTypeForPbx01, kPortFiveOnly,
     [] { writeOversizedSwitchType(QStringLiteral("Oversized")); }},
    {"RefusedSwitchTypeFileKeepsTheGroupsPortWhenItsLineGoes", QString(), dropTheDigitalLineOfPbx09,
     {{QStringLiteral("PBX09_pbx_dti_protocol"), QStringLiteral("{None}")}},
     [] { writeOversizedSwitchType(QStringLiteral("Meridian 1")); }},
    {"NotificationGroupsKeepLimitsPortsAndElementsOutsideThePagesLimits",
     QStringLiteral("var jobq {{Pager {1 2 3 4 97} 150} {Outdial {90 91 92 93 94 95 96} 4 extra}}"), changePortFive,
     kPortFiveOnly},
    {"StatisticalGroupsKeepTheirPortsAndElements",
     QStringLiteral("var statistical_groups {{Reception {1 2 3 4 5 6 7 8}} {Sales { 9 10 11 12 }} "
                    "{Support {13 14 15 16} extra} {X {999}}}"),
     changePortFive, kPortFiveOnly},
    {"SerialPortsKeepTheEntryOfAPortTheMachineDoesNotReport",
     QStringLiteral("var serialports {{COM3 Printer 9600 8 NOPARITY ONESTOPBIT}  "
                    "{COM4 Modem 19200 8 NOPARITY ONESTOPBIT 5551234} {COM9 Ghost 9600 8 NOPARITY ONESTOPBIT}}"),
     changePortFive, kPortFiveOnly},
    {"HolidaysKeepTheirOrderAndAnEmptyWord", QStringLiteral("var holidays {12/25 1/1 12/24/2026  12/31/2026 {}}"),
     changePortFive, kPortFiveOnly},
    {"TelephoneSystemsListKeepsItsBlanks",
     QStringLiteral("var pbx_list {PBX01  %1}").arg(siteGroups().mid(1).join(u' ')), changePortFive,
     kPortFiveOnly},
    {"IvrHostsKeepAHostWithoutASessionFile",
     QStringLiteral("var ivr_hostte_emulator {{mainframe {host.ses} ivr secret} {billing {billing.ses} {} {}} "
                    "{nosession {} u p}}"),
     changePortFive, kPortFiveOnly},
};

class UntouchedValuesTest : public EveryPageWriteBackTest, public testing::WithParamInterface<UntouchedCase> {};

TEST_P(UntouchedValuesTest, OnlyTheChangedItemIsSet)
{
    const UntouchedCase &c = GetParam();
    if (c.prepare)
        c.prepare();
    openAndShowEveryPage(c.seed);
    c.change(*this);
    EXPECT_EQ(applyAndReadSets(), c.sets);
    // Nothing untouched is said to be left unstored.
    ASSERT_FALSE(boxes().texts().isEmpty());
    EXPECT_TRUE(boxes().texts().last().startsWith(QLatin1String("Do you want to update")))
        << boxes().texts().last().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faults, UntouchedValuesTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<UntouchedCase> &info) { return info.param.name; });

} // namespace
