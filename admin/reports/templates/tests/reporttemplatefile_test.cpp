// Report template files: the byte layout the editors write (8476 bytes for
// mailboxes, 1168 for AMIS and VPIM), the hostile files the readers refuse
// whole, and the names that stay inside their folder.
#include "admin/reports/templates/reporttemplatefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <vector>

namespace {

class ReportTemplateFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    QString path(const QString &name) const { return m_folder.filePath(name); }

    QByteArray writeKind(const QString &extension, const QString &name, std::vector<int> columns = {})
    {
        const auto rows = CReportTemplateKinds::ColumnsOf(extension);
        columns.resize(rows.size(), 0);
        QString error;
        EXPECT_TRUE(CReportTemplateFile::Write(path(name), rows, columns, error)) << error.toStdString();
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;
};

TEST_F(ReportTemplateFileTest, AMailboxTemplateIs8476BytesWithEveryRow)
{
    const QByteArray bytes = writeKind("vmb", "Sales.vmb", {1, 0, 0, 2, 0, 0, 3});
    ASSERT_EQ(bytes.size(), 8476);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData()), 73u * 116u);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), 73u);
    // Row 7 carries its line feed, row 13 its placeholder, as written.
    const char *row7 = bytes.constData() + 8 + 6 * 116;
    EXPECT_EQ(QByteArray(row7), QByteArray("Max\nRing"));
    EXPECT_EQ(QByteArray(row7 + 32), QByteArray("Num_RNA"));
    EXPECT_EQ(qFromLittleEndian<qint32>(row7 + 112), 3);
    EXPECT_EQ(QByteArray(bytes.constData() + 8 + 12 * 116 + 32), QByteArray("Nf_%d_Variable"));
    // Unwritten bytes are zero.
    EXPECT_EQ(bytes.mid(8 + 6 * 116 + 8, 24), QByteArray(24, '\0'));

    QList<ReportTemplateRecord> records;
    QString error;
    ASSERT_TRUE(CReportTemplateFile::Read(path("Sales.vmb"), 73, records, error)) << error.toStdString();
    ASSERT_EQ(records.size(), 73);
    EXPECT_EQ(records[0].key, "Mailbox");
    EXPECT_EQ(records[0].column, 1);
    EXPECT_EQ(records[3].caption, "Name1");
    EXPECT_EQ(records[3].column, 2);
    EXPECT_EQ(records[72].key, "Busy_Detect_Enabled");
}

TEST_F(ReportTemplateFileTest, AmisAndVpimTemplatesAre1168Bytes)
{
    EXPECT_EQ(writeKind("ams", "Gateways.ams", {1, 2}).size(), 1168);
    EXPECT_EQ(writeKind("vpm", "Partners.vpm", {1}).size(), 1168);
}

TEST_F(ReportTemplateFileTest, RewritingReplacesTheWholeFile)
{
    writeKind("ams", "Gateways.ams", {1, 2, 3});
    const QByteArray bytes = writeKind("ams", "Gateways.ams", {1});
    ASSERT_EQ(bytes.size(), 1168);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 8 + 116 + 112), 0);
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{"Gateways.ams"});
}

// A good AMIS file, changed by `damage`.
struct Hostile {
    const char *name;
    std::function<void(QByteArray &)> damage;
};

const Hostile kHostile[] = {
    {"Empty", [](QByteArray &b) { b.clear(); }},
    {"HeaderOnly", [](QByteArray &b) { b.truncate(8); }},
    {"ShortByOne", [](QByteArray &b) { b.chop(1); }},
    {"LongerByOne", [](QByteArray &b) { b.append('\0'); }},
    {"PayloadLongerThanTheFile", [](QByteArray &b) { qToLittleEndian<quint32>(100000, b.data()); }},
    {"PayloadOfAnotherCount", [](QByteArray &b) { qToLittleEndian<quint32>(9 * 116, b.data()); }},
    {"CountOfAnotherKind", [](QByteArray &b) {
         qToLittleEndian<quint32>(73 * 116, b.data());
         qToLittleEndian<quint32>(73, b.data() + 4);
     }},
    {"HugeCount", [](QByteArray &b) { qToLittleEndian<quint32>(0xFFFFFFFFu, b.data() + 4); }},
    {"CaptionWithoutItsEnd", [](QByteArray &b) { memset(b.data() + 8 + 116 * 4, 'A', 32); }},
    {"KeyWithoutItsEnd", [](QByteArray &b) { memset(b.data() + 8 + 116 * 9 + 32, 'k', 80); }},
};

class HostileTemplateTest : public ReportTemplateFileTest, public testing::WithParamInterface<Hostile> {};

TEST_P(HostileTemplateTest, IsRefusedWholeWithAReason)
{
    QByteArray bytes = writeKind("ams", "Bad.ams", {1, 2});
    GetParam().damage(bytes);
    QFile file(path("Bad.ams"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    QList<ReportTemplateRecord> records{ReportTemplateRecord{"kept", "kept", 7}};
    QString error;
    EXPECT_FALSE(CReportTemplateFile::Read(path("Bad.ams"), 10, records, error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].caption, "kept");
}

INSTANTIATE_TEST_SUITE_P(Files, HostileTemplateTest, testing::ValuesIn(kHostile),
                         [](const testing::TestParamInfo<Hostile> &info) { return info.param.name; });

TEST_F(ReportTemplateFileTest, OnlyRegularFilesAreRead)
{
    writeKind("ams", "Real.ams", {1});
    ASSERT_TRUE(QFile::link(path("Real.ams"), path("Link.ams")));
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("Folder.ams"));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("Pipe.ams")).constData(), 0600), 0);
    for (const char *name : {"Link.ams", "Folder.ams", "Pipe.ams", "Missing.ams"}) {
        QList<ReportTemplateRecord> records;
        QString error;
        EXPECT_FALSE(CReportTemplateFile::Read(path(name), 10, records, error)) << name;
    }
    EXPECT_EQ(CReportTemplateFile::List(m_folder.path(), "ams"), QStringList{"Real"});
}

TEST_F(ReportTemplateFileTest, NamesStayInsideTheirFolder)
{
    for (const char *bad : {"", ".", "..", "../Reports", "a/b", "/etc/passwd", "a\\b", "tab\there", "line\nfeed"})
        EXPECT_FALSE(CReportTemplateFile::IsValidName(QString::fromUtf8(bad))) << bad;
    for (const char *good : {"Sales", "Sales 2001", "a.b", "..x", "Émile"})
        EXPECT_TRUE(CReportTemplateFile::IsValidName(QString::fromUtf8(good))) << good;
    EXPECT_EQ(CReportTemplateFile::FileName("a.b", "vmb"), "a.b.vmb");
}

TEST_F(ReportTemplateFileTest, ListsTitlesSortedWithoutRegardToCaseAndFindsCaseTwins)
{
    writeKind("vmb", "sales.vmb");
    writeKind("vmb", "Admin.v1.vmb");
    writeKind("ams", "Other.ams");
    EXPECT_EQ(CReportTemplateFile::List(m_folder.path(), "vmb"), (QStringList{"Admin.v1", "sales"}));
    EXPECT_EQ(CReportTemplateFile::CaseTwin(m_folder.path(), "Sales.vmb"), "sales.vmb");
    EXPECT_TRUE(CReportTemplateFile::CaseTwin(m_folder.path(), "sales.vmb").isEmpty());
}

} // namespace
