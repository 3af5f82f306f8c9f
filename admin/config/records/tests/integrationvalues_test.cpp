// An integration group's 33 server values and the page's record of them.
#include "admin/config/records/integrationgrouprecord.h"

#include "admin/session/tcllist.h"

#include <gtest/gtest.h>

namespace {

QStringList serverValues()
{
    QStringList values(IntegrationValues::ServerValueCount);
    values[0] = QStringLiteral("Talvo_VLM");
    values[1] = QStringLiteral("1");
    values[2] = QStringLiteral("us_mf_io");
    values[3] = QStringLiteral("true");
    values[4] = QStringLiteral("3000");
    QStringList patterns;
    for (int i = 1; i <= 30; ++i)
        patterns << QStringLiteral("%1r").arg(i);
    values[5] = QLatin1Char(' ') + patterns.join(QLatin1Char(' '));
    values[6] = QStringLiteral(" MD{b");
    values[7] = QStringLiteral("{} 9600 8 NOPARITY ONESTOPBIT");
    values[8] = QStringLiteral("4");
    for (int k = 10; k <= 33; ++k)
        values[k - 1] = QStringLiteral("v%1").arg(k);
    return values;
}

TEST(IntegrationValuesTest, PatternsBeyondTheRowsSurviveASave)
{
    const IntegrationGroupRecord record =
        IntegrationValues::FromServerValues(QStringLiteral("PBX1"), serverValues());
    EXPECT_EQ(record.integrationPatterns[23], QStringLiteral("24r"));
    EXPECT_EQ(record.moreIntegrationPatterns, (QStringList{"25r", "26r", "27r", "28r", "29r", "30r"}));
    const QStringList saved = IntegrationValues::ToServerValues(record);
    EXPECT_EQ(saved[5], serverValues()[5]);
    QStringList smdi;
    CTclList().SplitList(saved[6], smdi);
    EXPECT_EQ(smdi, QStringList{"MD{b"}); // quoted as a list element
}

TEST(IntegrationValuesTest, ReadsTheLineProtocolTransferAndDialCodes)
{
    const IntegrationGroupRecord record =
        IntegrationValues::FromServerValues(QStringLiteral("PBX1"), serverValues());
    EXPECT_EQ(record.lineProtocol, QStringLiteral("T1"));
    EXPECT_EQ(record.t1Protocol, QStringLiteral("us_mf_io"));
    EXPECT_EQ(record.transferSupport, 1);
    EXPECT_EQ(record.dialCodes[0], QStringLiteral("v10"));
    EXPECT_EQ(record.dialCodes[17], QStringLiteral("v27"));
    EXPECT_EQ(record.dialCodes[18], QString());
    EXPECT_EQ(record.dialCodes[19], QStringLiteral("v28"));
    EXPECT_EQ(record.dialCodes[24], QStringLiteral("v33"));
    // Unedited values go back in the server's spelling; edited ones in the page's.
    EXPECT_EQ(IntegrationValues::ToServerValues(record), serverValues());
    IntegrationGroupRecord edited = record;
    edited.transferSupport = 0;
    edited.baudIndex = 8;
    const QStringList saved = IntegrationValues::ToServerValues(edited);
    EXPECT_EQ(saved[3], QStringLiteral("False"));
    EXPECT_EQ(saved[7], QStringLiteral("{} 19200 8 NOPARITY ONESTOPBIT"));
    for (int k = 10; k <= 33; ++k)
        EXPECT_EQ(saved[k - 1], serverValues()[k - 1]);
}

} // namespace
