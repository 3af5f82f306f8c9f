// The report template editors as an administrator uses them: New asks a
// name, the number fields choose the columns, OK checks them and writes the
// file (asking before it overwrites one), Delete removes a template, and a
// damaged file is refused with its reason.
#include "admin/reports/reportengine.h"
#include "admin/reports/templates/addtemplatenamedlg.h"
#include "admin/reports/templates/reporttemplatefile.h"
#include "admin/reports/templates/rptamistemplate.h"
#include "admin/reports/templates/rptmbtemplate.h"
#include "admin/reports/templates/vpimtemplate.h"
#include "platform/msgbox/messageboxscript.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using E = CReportTemplateEditor;

// Acts on the next modal dialog of type D once it shows.
template <class D> void WhenShown(std::function<void(D *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

class TemplateEditorTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
        ASSERT_TRUE(m_engine.Open());
        ASSERT_TRUE(QDir().mkpath(folder()));
        m_boxes = std::make_unique<MessageBoxScript>();
    }
    void TearDown() override
    {
        m_boxes.reset();
        m_engine.Close();
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    }
    QString folder() const { return m_engine.TemplateFolder(); }
    QString file(const QString &name) const { return QDir(folder()).filePath(name); }
    QByteArray contents(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeAmis(const QString &name, std::vector<int> columns)
    {
        columns.resize(10, 0);
        QString error;
        ASSERT_TRUE(CReportTemplateFile::Write(file(name), CReportTemplateKinds::ColumnsOf("ams"), columns, error));
    }

    // Runs an editor modally and acts on it once it shows; an editor the
    // actions leave open is ended with -1.
    template <class Editor> int runModal(const std::function<void(Editor &)> &actions)
    {
        Editor editor;
        m_editor = &editor;
        QTimer::singleShot(0, &editor, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&editor));
            editor.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
            actions(editor);
            if (editor.isVisible())
                editor.EndDialog(-1);
        });
        const int result = editor.DoModal();
        m_editor = nullptr;
        return result;
    }
    QLineEdit *field(int row) { return m_editor->GetDlgItem<QLineEdit>(E::IDC_FIRST_FIELD + row); }
    QComboBox *names() { return m_editor->GetDlgItem<QComboBox>(E::IDC_NAME_LIST); }
    QPushButton *button(int id) { return m_editor->GetDlgItem<QPushButton>(id); }
    void setColumns(const std::vector<int> &columns)
    {
        for (size_t row = 0; row < columns.size(); ++row) {
            field(int(row))->setFocus();
            field(int(row))->selectAll();
            QTest::keyClicks(field(int(row)), QString::number(columns[row]));
        }
    }
    void click(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
    void newTemplate(const QString &name)
    {
        WhenShown<CAddTemplateNameDlg>([name](CAddTemplateNameDlg *dialog) {
            QTest::keyClicks(dialog->GetDlgItem<QLineEdit>(CAddTemplateNameDlg::IDC_NAME), name);
            QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
        });
        click(E::IDC_NEW);
    }
    void screenshot(const QString &name)
    {
        const QString shots = qEnvironmentVariable("VERBANTA_BINARY_DIR", ".") + "/screenshots";
        ASSERT_TRUE(QDir().mkpath(shots));
        QTest::qWait(50);
        EXPECT_TRUE(m_editor->grab().save(shots + "/" + name));
    }

    QTemporaryDir m_home;
    QByteArray m_oldDataHome;
    CReportEngine m_engine;
    std::unique_ptr<MessageBoxScript> m_boxes;
    CDialog *m_editor = nullptr;
};

TEST_F(TemplateEditorTest, NewTemplateStartsEmptyAndOkWritesIt)
{
    const int result = runModal<CRptAmisTemplate>([this](CRptAmisTemplate &editor) {
        EXPECT_EQ(editor.windowTitle(), "Edit Amis Template");
        EXPECT_FALSE(button(E::IDC_DELETE)->isEnabled());
        EXPECT_EQ(field(0)->text(), "0");
        newTemplate("Gateways");
        EXPECT_EQ(names()->currentText(), "Gateways");
        EXPECT_TRUE(button(E::IDC_DELETE)->isEnabled());
        EXPECT_FALSE(QFile::exists(file("Gateways.ams"))); // written by OK only
        setColumns({1, 3, 0, 2});
        screenshot("template-editor-amis.png");
        click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
    const QByteArray bytes = contents("Gateways.ams");
    ASSERT_EQ(bytes.size(), 1168);
    QList<ReportTemplateRecord> records;
    QString error;
    ASSERT_TRUE(CReportTemplateFile::Read(file("Gateways.ams"), 10, records, error));
    EXPECT_EQ(records[1].caption, "Classs Of Service");
    EXPECT_EQ(records[1].column, 3);
    EXPECT_EQ(records[3].column, 2);
}

struct ColumnCase {
    const char *name;
    std::vector<int> columns;
    const char *message; // null: refused by the range check
    int focusRow;
};

const ColumnCase kColumnCases[] = {
    {"GapAfterTwo", {1, 2, 4}, "Column 3 is skipped.  Columns can not be skipped!", 2},
    {"GapAfterTwoToFive", {1, 2, 5}, "Column 4 is skipped.  Columns can not be skipped!", 2},
    {"NoColumnOne", {2, 3}, "Column one is not defined.", -1},
    {"NoColumnAtAll", {}, "Column one is not defined.", -1},
    {"SameNumberTwice", {1, 2, 2}, "Number already entered.  Please choose another one!!", 2},
    {"ElevenAfterAGap", {1, 2, 11}, "Column 10 is skipped.  Columns can not be skipped!", 2},
    {"AboveTwelve", {1, 13}, nullptr, 1},
};

class ColumnCheckTest : public TemplateEditorTest, public testing::WithParamInterface<ColumnCase> {};

TEST_P(ColumnCheckTest, RefusesAndKeepsTheEditorOpen)
{
    writeAmis("T.ams", {1});
    const QByteArray before = contents("T.ams");
    m_boxes->answer(IDOK);
    const int result = runModal<CRptAmisTemplate>([&](CRptAmisTemplate &) {
        std::vector<int> shown = GetParam().columns;
        shown.resize(10, 0);
        setColumns(shown);
        click(IDOK);
        ASSERT_EQ(m_boxes->texts().size(), 1);
        if (GetParam().message) {
            EXPECT_EQ(m_boxes->texts()[0], GetParam().message);
        }
        if (GetParam().focusRow >= 0) {
            EXPECT_TRUE(field(GetParam().focusRow)->hasFocus());
        }
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(contents("T.ams"), before);
}

INSTANTIATE_TEST_SUITE_P(Columns, ColumnCheckTest, testing::ValuesIn(kColumnCases),
                         [](const testing::TestParamInfo<ColumnCase> &info) { return info.param.name; });

TEST_F(TemplateEditorTest, NoToOverwriteReturnsToTheEditorAndYesWrites)
{
    writeAmis("T.ams", {1});
    const QByteArray before = contents("T.ams");
    m_boxes->answer({IDNO, IDYES});
    const int result = runModal<CRptAmisTemplate>([&](CRptAmisTemplate &editor) {
        EXPECT_EQ(field(0)->text(), "1");
        setColumns({1, 2});
        click(IDOK);
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(contents("T.ams"), before);
        click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_boxes->texts(), (QStringList{"File 'T.ams' exists.  Do you want to overwrite it? ",
                                             "File 'T.ams' exists.  Do you want to overwrite it? "}));
    EXPECT_NE(contents("T.ams"), before);
}

TEST_F(TemplateEditorTest, ChoosingAnotherTemplateAfterTouchingAFieldAsksToDiscard)
{
    writeAmis("A.ams", {1});
    writeAmis("B.ams", {1, 2});
    m_boxes->answer({IDNO, IDYES});
    runModal<CRptAmisTemplate>([&](CRptAmisTemplate &) {
        EXPECT_EQ(names()->currentText(), "A");
        field(3)->setFocus();
        names()->setFocus(); // the field lost the focus, unchanged
        QTest::keyClick(names(), Qt::Key_Down);
        EXPECT_EQ(names()->currentText(), "A");
        EXPECT_EQ(field(1)->text(), "0");
        QTest::keyClick(names(), Qt::Key_Down);
        EXPECT_EQ(names()->currentText(), "B");
        EXPECT_EQ(field(1)->text(), "2");
    });
    EXPECT_EQ(m_boxes->texts(), (QStringList{"Discard changes?", "Discard changes?"}));
}

TEST_F(TemplateEditorTest, DeletingTheLastTemplateLeavesNoNameToSave)
{
    writeAmis("Only.ams", {1});
    m_boxes->answer({IDYES, IDOK});
    runModal<CRptAmisTemplate>([&](CRptAmisTemplate &) {
        click(E::IDC_DELETE);
        EXPECT_FALSE(QFile::exists(file("Only.ams")));
        EXPECT_FALSE(button(E::IDC_DELETE)->isEnabled());
        EXPECT_TRUE(names()->currentText().isEmpty());
        setColumns({1});
        click(IDOK);
    });
    EXPECT_EQ(m_boxes->texts(), (QStringList{"Are you sure you want to delete Only.ams? ", "No template name is selected"}));
}

TEST_F(TemplateEditorTest, ANameDifferingOnlyInLetterCaseIsRefused)
{
    writeAmis("Sales.ams", {1});
    m_boxes->answer(IDOK);
    runModal<CRptAmisTemplate>([&](CRptAmisTemplate &) {
        WhenShown<CAddTemplateNameDlg>([this](CAddTemplateNameDlg *dialog) {
            QTest::keyClicks(dialog->GetDlgItem<QLineEdit>(CAddTemplateNameDlg::IDC_NAME), "sales");
            QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
            EXPECT_TRUE(dialog->isVisible());
            QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton);
        });
        click(E::IDC_NEW);
        EXPECT_EQ(names()->count(), 1);
    });
    EXPECT_EQ(m_boxes->texts(), QStringList{"Template sales already exists as Sales. Choose another name."});
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"Sales.ams"});
}

TEST_F(TemplateEditorTest, ANameThatWouldLeaveTheFolderIsRefused)
{
    m_boxes->answer(IDOK);
    runModal<CRptAmisTemplate>([&](CRptAmisTemplate &) {
        newTemplate("../escape");
        EXPECT_EQ(names()->count(), 0);
    });
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith("\"../escape\" can not be a template name."));
    EXPECT_FALSE(QFile::exists(QDir(folder()).filePath("../escape.ams")));
}

TEST_F(TemplateEditorTest, ADamagedTemplateIsRefusedWithItsReasonAndChangesNothing)
{
    QFile bad(file("Bad.ams"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(1168, 'x'));
    bad.close();
    m_boxes->answer(IDOK);
    runModal<CRptAmisTemplate>([&](CRptAmisTemplate &) {
        EXPECT_EQ(names()->currentText(), "Bad");
        EXPECT_EQ(field(0)->text(), "0");
    });
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith("The template Bad cannot be used.")) << m_boxes->texts()[0].toStdString();
}

TEST_F(TemplateEditorTest, TheMailboxEditorWritesAllSeventyThreeRows)
{
    const int result = runModal<CRptMbTemplate>([&](CRptMbTemplate &editor) {
        EXPECT_EQ(editor.windowTitle(), "Create Report Template for MailboxUser Agent ");
        newTemplate("Desk");
        EXPECT_TRUE(field(25)->isHidden()); // "Saved Msg Folder"
        EXPECT_FALSE(field(24)->isHidden());
        setColumns({1, 0, 0, 2});
        editor.resize(editor.sizeHint());
        screenshot("template-editor-mailbox.png");
        click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(contents("Desk.vmb").size(), 8476);
}

TEST_F(TemplateEditorTest, TheVpimEditorWritesVpimTemplates)
{
    const int result = runModal<CVpimTemplate>([&](CVpimTemplate &editor) {
        EXPECT_EQ(editor.windowTitle(), "Edit VPIM Template");
        newTemplate("Partners");
        setColumns({1, 0, 2});
        screenshot("template-editor-vpim.png");
        click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    QList<ReportTemplateRecord> records;
    QString error;
    ASSERT_TRUE(CReportTemplateFile::Read(file("Partners.vpm"), 10, records, error));
    EXPECT_EQ(records[3].key, "VpimEnable");
    EXPECT_EQ(records[2].column, 2);
}

} // namespace
