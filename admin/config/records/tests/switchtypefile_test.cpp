// Switch-type files: the 84-line layout, its reading rules, and names and
// files that try to leave the folder or overflow the reader.
#include "admin/config/records/switchtypefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SwitchTypeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
        ASSERT_TRUE(QDir().mkpath(folder()));
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_oldDataHome); }

    QString folder() const { return m_home.path() + QStringLiteral("/verbanta/switchtypes"); }
    void writeRaw(const QString &fileName, const QByteArray &content) const
    {
        QFile file(folder() + QLatin1Char('/') + fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray readRaw(const QString &fileName) const
    {
        QFile file(folder() + QLatin1Char('/') + fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static IntegrationGroupRecord fullRecord()
    {
        IntegrationGroupRecord record;
        record.groupName = QStringLiteral("PBX1");
        record.switchType = QStringLiteral("Old");
        record.integrationType = QStringLiteral("1");
        record.lineProtocol = QStringLiteral("T1");
        record.integrationTimeout = QStringLiteral("3000");
        for (int i = 0; i < IntegrationGroupRecord::PatternCount; ++i) {
            record.integrationPatterns[size_t(i)] = QStringLiteral("%1r%2").arg(i).arg(i + 1);
            record.smdiPatterns[size_t(i)] = QStringLiteral("MD%1b").arg(i);
        }
        record.smdiPortName = QStringLiteral("COM1");
        record.maxExtensionLength = QStringLiteral("4");
        record.baudIndex = 8;
        record.dataBitsIndex = 0;
        record.parityIndex = 4;
        record.stopBitsIndex = 2;
        for (int i = 0; i < IntegrationGroupRecord::DialCodeCount; ++i)
            record.dialCodes[size_t(i)] = QStringLiteral("&,%1").arg(i + 1);
        record.t1Protocol = QStringLiteral("us_mf_io");
        record.transferSupport = 0;
        return record;
    }

    QTemporaryDir m_home;
    QByteArray m_oldDataHome;
};

TEST_F(SwitchTypeFileTest, SavesEightyFourCrLfLinesThatReloadEqual)
{
    const IntegrationGroupRecord saved = fullRecord();
    QString error;
    ASSERT_TRUE(CSwitchTypeFile::Write(saved, QStringLiteral("My Switch"), error)) << error.toStdString();

    const QByteArray content = readRaw(QStringLiteral("My_Switch.pbx"));
    EXPECT_EQ(content.count("\r\n"), 84);
    EXPECT_EQ(content.count('\n'), 84);
    EXPECT_TRUE(content.startsWith("My_Switch\r\n3000\r\n0r1\r\n"));
    EXPECT_TRUE(content.contains("\r\n4\r\n19200\r\n7\r\nSPACEPARITY\r\nTWOSTOPBITS\r\n&,1\r\n"));
    EXPECT_TRUE(content.endsWith("&,25\r\n1\r\nT1\r\nus_mf_io\r\n0\r\n"));

    IntegrationGroupRecord loaded;
    loaded.groupName = QStringLiteral("PBX1");
    loaded.smdiPortName = QStringLiteral("COM3");
    ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("My Switch"), loaded, false, error),
              CSwitchTypeFile::ReadResult::Read);
    IntegrationGroupRecord expected = saved;
    expected.switchType = QStringLiteral("My_Switch");
    expected.smdiPortName.clear(); // never in a switch-type file
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(CSwitchTypeFile::List(), QStringList{QStringLiteral("My_Switch")});
}

TEST_F(SwitchTypeFileTest, AShortFileChangesOnlyTheFieldsItReaches)
{
    QStringList lines{QStringLiteral("Short  "), QStringLiteral("2500")};
    for (int i = 0; i < 24; ++i)
        lines << QStringLiteral("P%1e").arg(i);
    for (int i = 0; i < 4; ++i)
        lines << QStringLiteral("S%1s").arg(i);
    ASSERT_EQ(lines.size(), 30);
    writeRaw(QStringLiteral("Short.pbx"), lines.join(QStringLiteral("\r\n")).toUtf8());

    IntegrationGroupRecord record = fullRecord();
    QString error;
    ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("Short"), record, false, error),
              CSwitchTypeFile::ReadResult::Read);
    IntegrationGroupRecord expected = fullRecord();
    expected.switchType = QStringLiteral("Short");
    expected.integrationTimeout = QStringLiteral("2500");
    for (int i = 0; i < 24; ++i)
        expected.integrationPatterns[size_t(i)] = QStringLiteral("P%1e").arg(i);
    for (int i = 0; i < 4; ++i)
        expected.smdiPatterns[size_t(i)] = QStringLiteral("S%1s").arg(i);
    expected.t1Protocol.clear();
    expected.smdiPortName.clear();
    expected.transferSupport = 1;
    EXPECT_EQ(record, expected);
}

// Lines 81 to 84 as the reading rules take them; the other 80 lines are empty.
struct LineSettingsCase {
    const char *type;
    const char *protocol;
    const char *t1;
    const char *transfer;
    const char *wantType;
    const char *wantProtocol;
    const char *wantT1;
    int wantTransfer;
};

void PrintTo(const LineSettingsCase &c, std::ostream *os)
{
    *os << "lines 81-84: " << c.type << '|' << c.protocol << '|' << c.t1 << '|' << c.transfer;
}

class SwitchTypeLineSettings : public SwitchTypeFileTest,
                               public ::testing::WithParamInterface<LineSettingsCase> {};

TEST_P(SwitchTypeLineSettings, AreReadAsTheLineTableSays)
{
    const LineSettingsCase &c = GetParam();
    QByteArray content = "Lines\r\n";
    for (int line = 2; line <= 80; ++line)
        content += "\r\n";
    content += QByteArray(c.type) + "\r\n" + c.protocol + "\r\n" + c.t1 + "\r\n" + c.transfer + "\r\n";
    writeRaw(QStringLiteral("Lines.pbx"), content);

    IntegrationGroupRecord record;
    QString error;
    ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("Lines"), record, false, error),
              CSwitchTypeFile::ReadResult::Read);
    EXPECT_EQ(record.integrationType, QLatin1String(c.wantType));
    EXPECT_EQ(record.lineProtocol, QLatin1String(c.wantProtocol));
    EXPECT_EQ(record.t1Protocol, QLatin1String(c.wantT1));
    EXPECT_EQ(record.transferSupport, c.wantTransfer);

    IntegrationGroupRecord kept = fullRecord();
    ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("Lines"), kept, true, error),
              CSwitchTypeFile::ReadResult::Read);
    EXPECT_EQ(kept.integrationType, QStringLiteral("1"));
    EXPECT_EQ(kept.lineProtocol, QStringLiteral("T1"));
    EXPECT_EQ(kept.t1Protocol, QString()); // emptied whatever keepLineSettings says
    EXPECT_EQ(kept.transferSupport, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchTypeLineSettings,
    ::testing::Values(LineSettingsCase{"0", "None", "x", "0", "0", "None", "", 0},
                      LineSettingsCase{"1", "T1", "us_mf", "False", "1", "T1", "us_mf", 0},
                      LineSettingsCase{"3", "isdn", "x", "TRUE", "2", "isdn", "", 1},
                      LineSettingsCase{"", "t1", "us_mf", "false", "2", "t1", "", 0},
                      LineSettingsCase{"01", "Analog", "us_mf", "yes", "2", "None", "", 1},
                      LineSettingsCase{"1 ", "T1\t", "e1_cas ", "1\t", "1", "T1", "e1_cas", 1}),
    [](const ::testing::TestParamInfo<LineSettingsCase> &info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(SwitchTypeFileTest, SerialTextsMatchExactlyAfterTrimmingElseTakeTheDefaults)
{
    struct Case {
        QByteArray lines;
        int baud, bits, parity, stop;
    } cases[] = {
        {"9600 \r\n8\r\nNOPARITY\r\nONESTOPBIT", 6, 1, 2, 0},
        {"9,600\r\n9\r\nnoparity\r\nTWO", 6, 1, 2, 0},
        {"115200\t\r\n7\r\nODDPARITY\r\nONE5STOPBITS", 12, 0, 3, 1},
    };
    for (const Case &c : cases) {
        QByteArray content = "Serial\r\n";
        for (int line = 2; line <= 51; ++line)
            content += "\r\n";
        writeRaw(QStringLiteral("Serial.pbx"), content + c.lines);
        IntegrationGroupRecord record = fullRecord();
        QString error;
        ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("Serial"), record, false, error),
                  CSwitchTypeFile::ReadResult::Read);
        EXPECT_EQ(record.baudIndex, c.baud) << c.lines.constData();
        EXPECT_EQ(record.dataBitsIndex, c.bits) << c.lines.constData();
        EXPECT_EQ(record.parityIndex, c.parity) << c.lines.constData();
        EXPECT_EQ(record.stopBitsIndex, c.stop) << c.lines.constData();
    }
}

TEST_F(SwitchTypeFileTest, ValuesThePageWouldRefuseKeepTheirFields)
{
    QByteArray content = "../../evil\r\n25\x01"
                         "00\r\n";
    content += "12r 4\r\n"; // pattern 1: holds a blank
    content += "1234\r\n";  // pattern 2: holds no kind letter
    content += "9i9\r\n";   // pattern 3: fine
    for (int line = 6; line <= 50; ++line)
        content += "\r\n";
    content += "11\r\n"; // maximum extension length out of 1-10
    for (int line = 52; line <= 55; ++line)
        content += "\r\n";
    content += "a\x1b[2Jb\r\n"; // dial code 1 with an escape sequence
    writeRaw(QStringLiteral("Hostile.pbx"), content);

    IntegrationGroupRecord record = fullRecord();
    QString error;
    ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("Hostile"), record, false, error),
              CSwitchTypeFile::ReadResult::Read);
    const IntegrationGroupRecord old = fullRecord();
    EXPECT_EQ(record.switchType, QStringLiteral("Hostile")); // the name asked for, not the file's
    EXPECT_EQ(record.integrationTimeout, old.integrationTimeout);
    EXPECT_EQ(record.integrationPatterns[0], old.integrationPatterns[0]);
    EXPECT_EQ(record.integrationPatterns[1], old.integrationPatterns[1]);
    EXPECT_EQ(record.integrationPatterns[2], QStringLiteral("9i9"));
    EXPECT_EQ(record.integrationPatterns[3], QString()); // an empty line empties
    EXPECT_EQ(record.maxExtensionLength, old.maxExtensionLength);
    EXPECT_EQ(record.dialCodes[0], old.dialCodes[0]);
}

TEST_F(SwitchTypeFileTest, NamesThatLeaveTheFolderAreRefused)
{
    const QString hostile[] = {QString(),
                               QStringLiteral("../outside"),
                               QStringLiteral("a/b"),
                               QStringLiteral("a\\b"),
                               QStringLiteral(".."),
                               QStringLiteral("a..b"),
                               QStringLiteral(".hidden"),
                               QStringLiteral("tab\tname"),
                               QStringLiteral("line\nbreak"),
                               QString(61, QLatin1Char('x'))};
    for (const QString &name : hostile) {
        EXPECT_FALSE(CSwitchTypeFile::IsValidName(name)) << name.toStdString();
        EXPECT_TRUE(CSwitchTypeFile::Path(name).isEmpty());
        QString error;
        EXPECT_FALSE(CSwitchTypeFile::Write(fullRecord(), name, error));
        EXPECT_FALSE(error.isEmpty());
        IntegrationGroupRecord record;
        EXPECT_EQ(CSwitchTypeFile::Read(name, record, false, error), CSwitchTypeFile::ReadResult::Missing);
        EXPECT_FALSE(CSwitchTypeFile::Remove(name, error));
    }
    EXPECT_TRUE(QDir(m_home.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(CSwitchTypeFile::IsValidName(QStringLiteral("My PBX")));
    EXPECT_EQ(CSwitchTypeFile::FileName(QStringLiteral("My PBX")), QStringLiteral("My_PBX.pbx"));
}

TEST_F(SwitchTypeFileTest, FilesThatAreNotPlainSmallFilesAreRefusedWhole)
{
    QFile outside(m_home.path() + QStringLiteral("/secret.txt"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write("Secret\r\n1\r\n");
    outside.close();
    ASSERT_TRUE(QFile::link(outside.fileName(), folder() + QStringLiteral("/Linked.pbx")));
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Folder.pbx")));
    writeRaw(QStringLiteral("Huge.pbx"), "Huge\r\n" + QByteArray(CSwitchTypeFile::MaxFileSize, 'x'));

    for (const char *name : {"Linked", "Folder", "Huge"}) {
        IntegrationGroupRecord record = fullRecord();
        QString error;
        EXPECT_EQ(CSwitchTypeFile::Read(QLatin1String(name), record, false, error),
                  CSwitchTypeFile::ReadResult::Refused)
            << name;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(record, fullRecord());
    }
    EXPECT_EQ(CSwitchTypeFile::List(), QStringList{QStringLiteral("Huge")});
}

TEST_F(SwitchTypeFileTest, LinesAfterTheEightyFourthAndEmptyFilesChangeNothing)
{
    QByteArray content = "Long\r\n";
    for (int line = 2; line <= 84; ++line)
        content += "\r\n";
    content += "extra\r\nmore\r\n";
    writeRaw(QStringLiteral("Long.pbx"), content);
    writeRaw(QStringLiteral("Empty.pbx"), QByteArray());

    IntegrationGroupRecord record = fullRecord();
    QString error;
    ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("Empty"), record, false, error),
              CSwitchTypeFile::ReadResult::Read);
    EXPECT_EQ(record, fullRecord());
    ASSERT_EQ(CSwitchTypeFile::Read(QStringLiteral("Long"), record, false, error),
              CSwitchTypeFile::ReadResult::Read);
    EXPECT_EQ(record.switchType, QStringLiteral("Long"));
    EXPECT_EQ(record.transferSupport, 1); // line 84 is empty: on
}

TEST_F(SwitchTypeFileTest, AFieldWithALineBreakIsNotWrittenAndTheOldFileStays)
{
    QString error;
    ASSERT_TRUE(CSwitchTypeFile::Write(fullRecord(), QStringLiteral("Keep"), error));
    const QByteArray before = readRaw(QStringLiteral("Keep.pbx"));
    IntegrationGroupRecord broken = fullRecord();
    broken.dialCodes[4] = QStringLiteral("9\r\nextra");
    EXPECT_FALSE(CSwitchTypeFile::Write(broken, QStringLiteral("Keep"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("Line 60"))) << error.toStdString();
    EXPECT_EQ(readRaw(QStringLiteral("Keep.pbx")), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("Keep.pbx")});
}

TEST_F(SwitchTypeFileTest, ListsValidTitlesByNameAndKnowsTheReservedType)
{
    for (const char *name : {"b_two.pbx", "A_one.pbx", ".hidden.pbx", "with blank.pbx", "notes.txt"})
        writeRaw(QLatin1String(name), "x\r\n");
    EXPECT_EQ(CSwitchTypeFile::List(), (QStringList{QStringLiteral("A_one"), QStringLiteral("b_two")}));
    for (const char *name : {"Talvo VLM", "talvo vlm", "TALVO_VLM"})
        EXPECT_TRUE(CSwitchTypeFile::IsReserved(QLatin1String(name))) << name;
    EXPECT_FALSE(CSwitchTypeFile::IsReserved(QStringLiteral("Talvo VLM2")));
}

} // namespace
