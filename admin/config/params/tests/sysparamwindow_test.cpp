// The System Parameters window as its user uses it, against the demo data:
// the list hides what "hide_list" names, the help pane follows the
// selection, Add, Remove and Ctrl+S act on the server, and the dialogs take
// and give their texts. Screenshots go to the build folder.
#include "admin/config/window/configwindowhost.h"
#include "admin/config/params/addsysparamdlg.h"
#include "admin/config/params/configsystemparamchildwnd.h"
#include "admin/config/params/configsystemparamdoc.h"
#include "admin/config/params/configsystemparamleftview.h"
#include "admin/config/params/configsystemparamrightview.h"
#include "admin/config/params/configsystemparamtemplate.h"
#include "admin/config/params/deletesysparamdlg.h"
#include "admin/config/dialogs/elementvaluesdlg.h"
#include "admin/testsupport/configtestbase.h"
#include "admin/widgets/spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class SysParamWindowTest : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        connectSession();
        m_oldFolder = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        QFile help("admincv.tcl");
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.write("set sys_tmo_menu {How long, in milliseconds, a menu waits for the caller's key.}\n"
                   "set sys_default_language {The language callers hear first.}\n");
        help.close();
        m_main.resize(900, 520);
        m_main.setCentralWidget(m_area);
        m_main.show();
    }
    void TearDown() override
    {
        delete m_window;
        QDir::setCurrent(m_oldFolder);
        ConfigTestBase::TearDown();
    }
    void open()
    {
        m_window = CConfigSystemParamTemplate::OpenDocumentFile(
            CConfigLogin{m_session.get(), credentials(), {}, {}}, m_area);
        ASSERT_TRUE(m_window);
        m_window->showMaximized();
        m_server->clearLog();
    }
    CSpreadSheet *grid() const { return m_window->LeftView()->Grid(); }
    QStringList names() const
    {
        QStringList shown;
        for (int row = 0; row < grid()->rowCount(); ++row)
            shown.append(grid()->item(row, 0)->text());
        return shown;
    }
    int rowOf(const QString &name) const { return int(names().indexOf(name)); }
    void clickRow(int row)
    {
        const QRect cell = grid()->visualItemRect(grid()->item(row, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    QString m_oldFolder;
    QMainWindow m_main;
    QMdiArea *m_area = new QMdiArea;
    QPointer<CConfigSystemParamChildWnd> m_window;
};

TEST_F(SysParamWindowTest, ListsTheVisibleParametersInNameOrderWithTheirHelp)
{
    open();
    const QStringList shown = names();
    EXPECT_FALSE(shown.contains("sys_internal_counter"));
    EXPECT_TRUE(shown.contains("sys_tmo_menu"));
    QStringList sorted = shown;
    sorted.sort();
    EXPECT_EQ(shown, sorted);
    EXPECT_EQ(grid()->rowCount(), m_window->GetDocument()->ParamNames().size() - 1);

    grid()->SetCol(2);
    grid()->SetRow(rowOf("sys_multiple_language") + 1);
    EXPECT_EQ(grid()->GetText(), QStringLiteral("FALSE"));
    grid()->SetRow(rowOf("sys_default_language") + 1);
    EXPECT_EQ(grid()->GetTypeComboBoxCurSel(), 0);

    clickRow(rowOf("sys_tmo_menu"));
    EXPECT_EQ(m_window->RightView()->Text(),
              QStringLiteral("How long, in milliseconds, a menu waits for the caller's key."));
    saveShot(&m_main, "sysparams_window.png");
    clickRow(rowOf("sys_application_path"));
    EXPECT_EQ(m_window->RightView()->Text(), QString());
}

TEST_F(SysParamWindowTest, TheHideListIsReadAsATclList)
{
    m_server->seed("var hide_list {sys_tmo_menu {sys_default_language} sys_tmo_menu}");
    reconnect();
    open();
    EXPECT_FALSE(names().contains("sys_tmo_menu"));
    EXPECT_FALSE(names().contains("sys_default_language"));
    EXPECT_TRUE(names().contains("sys_internal_counter"));
    for (const QString &name : names())
        EXPECT_FALSE(name.contains('{') || name.contains('}'));
}

TEST_F(SysParamWindowTest, AnErrorReplyToTheHideListHidesNothing)
{
    m_server->seed("script {unset -nocomplain ::hide_list}");
    m_server->answerCommand("set hide_list", "!ERROR can't read \"hide_list\": no such variable");
    reconnect();
    open();
    EXPECT_EQ(grid()->rowCount(), m_window->GetDocument()->ParamNames().size());
    for (const QString &name : names())
        EXPECT_TRUE(name.startsWith("sys_"));
}

TEST_F(SysParamWindowTest, ARefusedValueGoesBackAndAnAcceptedOneIsSavedWithCtrlS)
{
    m_server->seed("var sys_rings_no_answer 4\nvar meta_sys_rings_no_answer {view 1 type int}");
    reconnect();
    open();
    const int row = rowOf("sys_rings_no_answer") + 1;
    ASSERT_GT(row, 0);
    grid()->SetCol(2);
    grid()->SetRow(row);
    m_boxes->answer(IDOK);
    grid()->item(row - 1, 1)->setText("0");
    EXPECT_EQ(m_boxes->texts().value(0), QStringLiteral("Please enter a number between 1 and 9"));
    EXPECT_EQ(grid()->GetText(), QStringLiteral("4"));
    EXPECT_FALSE(m_window->GetDocument()->IsModified());

    grid()->item(row - 1, 1)->setText("7");
    EXPECT_TRUE(m_window->GetDocument()->IsModified());
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(m_window->GetDocument()->IsModified());
    const QStringList log = m_server->commandTexts();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("ConfigSetString sys_rings_no_answer 7 1"));
}

TEST_F(SysParamWindowTest, AddAndRemoveThroughTheirDialogs)
{
    open();
    m_dialogs.on<CAddSysParamDlg>([](CAddSysParamDlg *dialog) {
        auto *name = dialog->findChild<QLineEdit *>();
        QTest::keyClicks(dialog->GetDlgItem<QLineEdit>(CAddSysParamDlg::IDC_NAME), "tmo_menu");
        QTest::keyClicks(dialog->GetDlgItem<QLineEdit>(CAddSysParamDlg::IDC_VALUE), "9");
        Q_UNUSED(name);
        QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
        // Refused as a duplicate: the dialog stays and the name is changed.
        auto *edit = dialog->GetDlgItem<QLineEdit>(CAddSysParamDlg::IDC_NAME);
        edit->clear();
        QTest::keyClicks(edit, "aaa_new");
        saveShot(dialog, "sysparams_add.png");
        QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_boxes->answer(IDOK);
    m_window->LeftView()->OnCommand(CConfigSystemParamLeftView::ID_ADD_PARAM);
    EXPECT_EQ(m_boxes->texts().value(0), QStringLiteral("Parameter 'sys_tmo_menu' already exists."));
    EXPECT_EQ(names().value(0), QStringLiteral("sys_aaa_new"));
    EXPECT_EQ(m_window->GetDocument()->Values().value("sys_aaa_new"), QStringLiteral("9"));

    grid()->setCurrentCell(rowOf("sys_tmo_menu"), 0);
    m_dialogs.on<CDeleteSysParamDlg>([](CDeleteSysParamDlg *dialog) {
        saveShot(dialog, "sysparams_delete.png");
        QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_boxes->answer(IDYES);
    m_window->LeftView()->OnCommand(CConfigSystemParamLeftView::ID_DELETE_PARAM);
    EXPECT_FALSE(names().contains("sys_tmo_menu"));
    EXPECT_FALSE(m_window->GetDocument()->Values().contains("sys_tmo_menu"));
    EXPECT_TRUE(m_window->GetDocument()->SaveToServer());
    const QStringList log = m_server->commandTexts();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].contains("ConfigRemoveVar sys_tmo_menu 1"));
    EXPECT_TRUE(log[1].contains("ConfigSetString sys_aaa_new 9 1"));
}

TEST_F(SysParamWindowTest, DeletingWithNoDataRowDoesNothing)
{
    m_server->seed("script {foreach v [info vars sys_*] {unset $v}}");
    // Every new link starts without a sys_ variable: the list is empty.
    reconnect();
    open();
    ASSERT_EQ(grid()->rowCount(), 0);
    m_window->LeftView()->OnCommand(CConfigSystemParamLeftView::ID_DELETE_PARAM);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
    EXPECT_FALSE(m_window->GetDocument()->IsModified());
}

TEST_F(SysParamWindowTest, AListValueIsEditedInElementValues)
{
    open();
    const int row = rowOf("sys_holiday_prompts");
    ASSERT_GE(row, 0);
    m_dialogs.on<CElementValuesDlg>([](CElementValuesDlg *dialog) {
        EXPECT_EQ(dialog->Elements(), (QStringList{"holiday1.vox", "holiday2.vox"}));
        dialog->Grid()->setCurrentCell(1, 0);
        QTest::mouseClick(dialog->GetDlgItem<QPushButton>(CElementValuesDlg::IDC_MOVE_UP), Qt::LeftButton);
        saveShot(dialog, "sysparams_elements.png");
        QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    const QRect cell = grid()->visualItemRect(grid()->item(row, 1));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(m_window->GetDocument()->Values().value("sys_holiday_prompts"),
              QStringLiteral("holiday2.vox holiday1.vox "));
    EXPECT_TRUE(m_window->GetDocument()->IsModified());
}

TEST_F(SysParamWindowTest, AListValueOpenedAndClosedWithoutAnEditIsWrittenAsItStands)
{
    struct Case {
        const char *seeded;
        bool opens;
    } const cases[] = {
        {"{\"a\" b}", true},
        {"{holiday1.vox   holiday2.vox}", true},
        {"{ {x y}  z }", true},
        {"{{a b} c}", true},
        // Last: its dialog step, never taken, stays behind.
        {"{a {b}c}", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.seeded);
        m_server->seed(QStringLiteral("var sys_holiday_prompts %1").arg(c.seeded));
        reconnect();
        open();
        const QString before = m_window->GetDocument()->Values().value("sys_holiday_prompts");
        const qsizetype shown = m_boxes->texts().size();
        bool opened = false;
        m_dialogs.on<CElementValuesDlg>([&opened](CElementValuesDlg *dialog) {
            opened = true;
            QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
        });
        if (!c.opens)
            m_boxes->answer(IDOK);
        const QRect cell = grid()->visualItemRect(grid()->item(rowOf("sys_holiday_prompts"), 1));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(m_dialogs.pending(), c.opens ? 0 : 1);
        ASSERT_EQ(m_boxes->texts().size(), shown + (c.opens ? 0 : 1));
        if (!c.opens) {
            EXPECT_TRUE(m_boxes->texts().last().startsWith(
                "The value of sys_holiday_prompts is not a Tcl list, so its elements cannot be shown:\na {b}c\n"))
                << m_boxes->texts().last().toStdString();
        }
        EXPECT_EQ(m_window->GetDocument()->Values().value("sys_holiday_prompts"), before);
        EXPECT_EQ(grid()->item(rowOf("sys_holiday_prompts"), 1)->text(), before);
        EXPECT_FALSE(m_window->GetDocument()->IsModified());
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(m_server->commandTexts().isEmpty()) << m_server->commandTexts().join('|').toStdString();
        delete m_window;
    }
}

TEST_F(SysParamWindowTest, AnyCharacterTypedOnAListValueOpensElementValues)
{
    open();
    const int row = rowOf("sys_holiday_prompts");
    struct Key {
        Qt::Key key;
        bool opens;
    } const keys[] = {{Qt::Key_A, true}, {Qt::Key_Space, true}, {Qt::Key_Return, true},
                      {Qt::Key_5, true}, {Qt::Key_Right, false}, {Qt::Key_F2, false}};
    for (const Key &key : keys) {
        SCOPED_TRACE(QKeySequence(key.key).toString().toStdString());
        grid()->setCurrentCell(row, 1);
        grid()->setFocus();
        bool opened = false;
        m_dialogs.on<CElementValuesDlg>([&opened](CElementValuesDlg *dialog) {
            opened = true;
            EXPECT_EQ(dialog->Elements(), (QStringList{"holiday1.vox", "holiday2.vox"}));
            QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton);
        });
        QTest::keyClick(grid(), key.key);
        EXPECT_EQ(opened, key.opens);
        EXPECT_EQ(m_dialogs.pending(), key.opens ? 0 : 1);
        if (!key.opens)
            break; // the step left behind would take the next showing
    }
    EXPECT_FALSE(m_window->GetDocument()->IsModified());
}

TEST_F(SysParamWindowTest, NumberCellsTakeDigitsOnlyUpToTheirParametersLength)
{
    m_server->seed("var sys_amis_max_node 100\nvar meta_sys_amis_max_node {view 1 type int}\n"
                   "var sys_rings_no_answer 4\nvar meta_sys_rings_no_answer {view 1 type int}\n"
                   "var sys_statistics_interval 5000\nvar meta_sys_statistics_interval {view 1 type int}\n"
                   "var sys_note hello\n");
    reconnect();
    open();
    struct Typed {
        const char *name;
        const char *keys;
        const char *stored;
    } const cases[] = {
        {"sys_amis_max_node", "2x5-67", "256"},
        {"sys_rings_no_answer", "87", "8"},
        {"sys_tmo_menu", "12a345678", "12345"},
        {"sys_statistics_interval", "6 000-0", "60000"},
        {"sys_note", "a-1 b", "a-1 b"},
    };
    for (const Typed &typed : cases) {
        SCOPED_TRACE(typed.name);
        const int row = rowOf(typed.name);
        ASSERT_GE(row, 0);
        grid()->setCurrentCell(row, 1);
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_F2);
        ASSERT_TRUE(grid()->IsEditing());
        QPointer<QLineEdit> editor = grid()->viewport()->findChild<QLineEdit *>();
        ASSERT_TRUE(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, typed.keys);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor closes once the event loop runs.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !grid()->IsEditing() && !editor; }));
        EXPECT_EQ(grid()->item(row, 1)->text(), QLatin1String(typed.stored));
        EXPECT_EQ(m_window->GetDocument()->Values().value(typed.name), QLatin1String(typed.stored));
    }
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(SysParamWindowTest, CloseIsGreyedWhileACellIsBeingEdited)
{
    open();
    const auto closeAction = [this]() -> QAction * {
        for (QAction *action : m_window->systemMenu()->actions())
            if (action->shortcut() == QKeySequence(QKeySequence::Close))
                return action;
        return nullptr;
    };
    ASSERT_TRUE(closeAction());
    EXPECT_TRUE(closeAction()->isEnabled());
    for (const char *name : {"sys_tmo_menu", "sys_default_language"}) {
        SCOPED_TRACE(name);
        grid()->setCurrentCell(rowOf(name), 1);
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_F2);
        ASSERT_TRUE(grid()->IsEditing());
        EXPECT_FALSE(closeAction()->isEnabled());
        QPointer<QWidget> editor = grid()->viewport()->findChild<QWidget *>();
        ASSERT_TRUE(editor);
        QTest::keyClick(editor, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !editor; }));
        EXPECT_FALSE(grid()->IsEditing());
        EXPECT_TRUE(closeAction()->isEnabled());
    }
    EXPECT_FALSE(m_window->GetDocument()->IsModified());
}

TEST_F(SysParamWindowTest, TheCloseBoxIsGreyedAndClosesNothingWhileACellIsBeingEdited)
{
    open();
    m_window->showNormal();
    m_window->resize(640, 360);
    const QRect closeBox = m_window->CloseBoxRect();
    ASSERT_FALSE(closeBox.isEmpty());
    grid()->setCurrentCell(rowOf("sys_tmo_menu"), 1);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_F2);
    ASSERT_TRUE(grid()->IsEditing());
    EXPECT_FALSE(m_window->IsCloseEnabled());
    saveShot(&m_main, "sysparams_close_box_greyed.png");

    // The pointer comes to the box first, as a user's does: the title bar
    // acts on the control the pointer is over.
    QTest::mouseMove(m_window, closeBox.center());
    QTest::mouseClick(m_window, Qt::LeftButton, {}, closeBox.center());
    QTest::mouseDClick(m_window, Qt::LeftButton, {}, closeBox.center());
    QTest::qWait(50);
    ASSERT_TRUE(m_window);
    EXPECT_TRUE(grid()->IsEditing());

    QPointer<QWidget> editor = grid()->viewport()->findChild<QWidget *>();
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor; }));
    EXPECT_TRUE(m_window->IsCloseEnabled());
    QTest::mouseMove(m_window, closeBox.center() + QPoint(1, 0));
    QTest::mouseClick(m_window, Qt::LeftButton, {}, closeBox.center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window; }));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(SysParamWindowTest, ElementValuesDropsAnEmptiedRowAndMovesOnlyWithinTheList)
{
    CElementValuesDlg dialog(nullptr, "a {b c} d");
    m_dialogs.on<CElementValuesDlg>([](CElementValuesDlg *d) {
        CSpreadSheet *grid = d->Grid();
        ASSERT_EQ(d->Elements(), (QStringList{"a", "b c", "d"}));
        grid->setCurrentCell(0, 0);
        QTest::mouseClick(d->GetDlgItem<QPushButton>(CElementValuesDlg::IDC_MOVE_UP), Qt::LeftButton);
        grid->setCurrentCell(2, 0);
        QTest::mouseClick(d->GetDlgItem<QPushButton>(CElementValuesDlg::IDC_MOVE_DOWN), Qt::LeftButton);
        EXPECT_EQ(d->Elements(), (QStringList{"a", "b c", "d"}));
        grid->item(1, 0)->setText(QString());
        QTest::qWait(1);
        QCoreApplication::processEvents();
        EXPECT_EQ(d->Elements(), (QStringList{"a", "d"}));
        grid->setCurrentCell(1, 0);
        QTest::mouseClick(d->GetDlgItem<QPushButton>(CElementValuesDlg::IDC_DELETE), Qt::LeftButton);
        QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strList, QStringLiteral("a "));
}

TEST_F(SysParamWindowTest, AHelpScriptThatTriesExecIsReportedAndStartsNothing)
{
    QFile help("admincv.tcl");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly | QIODevice::Truncate));
    help.write("set sys_tmo_menu {Menu time-out.}\nexec touch started\n");
    help.close();
    m_boxes->answer(IDOK);
    open();
    EXPECT_TRUE(m_boxes->texts().value(0).startsWith("Read help file error!\nError - {"));
    EXPECT_FALSE(QFile::exists("started"));
    clickRow(rowOf("sys_tmo_menu"));
    EXPECT_EQ(m_window->RightView()->Text(), QStringLiteral("Menu time-out."));
}

TEST_F(SysParamWindowTest, AHelpScriptThatBuildsAHugeValueIsRefusedAndThePaneStaysEmpty)
{
    QFile help("admincv.tcl");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // One command past the limit at once, so that no other limit comes first.
    help.write("set sys_tmo_menu {Menu time-out.}\nset s [string repeat x 100000000]\nappend s $s\n");
    help.close();
    m_boxes->answer(IDOK);
    open();
    EXPECT_TRUE(m_boxes->texts().value(0).startsWith("Read help file error!\nError - {the script takes more than"))
        << m_boxes->texts().value(0).toStdString();
    clickRow(rowOf("sys_tmo_menu"));
    EXPECT_EQ(m_window->RightView()->Text(), QString());
    clickRow(rowOf("sys_default_language"));
    EXPECT_EQ(m_window->RightView()->Text(), QString());
}

TEST_F(SysParamWindowTest, AHelpScriptThatWouldEndItsProcessIsRefusedAndTheWindowGoesOn)
{
    QFile help("admincv.tcl");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // The value is built inside one command, past what Tcl can hold.
    help.write("set sys_tmo_menu kept\nset a [string repeat x 1000000]\nset b " +
               QByteArray("$a").repeated(2200) + "\nset sys_default_language [string length $b]\n");
    help.close();
    m_boxes->answer(IDOK);
    open();
    EXPECT_EQ(m_boxes->texts().value(0),
              QStringLiteral("Read help file error!\nError - {the script takes more than "
                             "65536 KB of memory; a help script only sets short texts}"));
    clickRow(rowOf("sys_tmo_menu"));
    EXPECT_EQ(m_window->RightView()->Text(), QString());
    EXPECT_EQ(grid()->currentRow(), rowOf("sys_tmo_menu"));
}

TEST_F(SysParamWindowTest, WithoutAHelpScriptInTheCurrentFolderTheInstalledOneIsRead)
{
    ASSERT_TRUE(QFile::remove("admincv.tcl"));
    open();
    EXPECT_EQ(m_boxes->texts(), QStringList());
    clickRow(rowOf("sys_tmo_menu"));
    EXPECT_EQ(m_window->RightView()->Text(),
              QStringLiteral("How long, in milliseconds, a menu waits for the caller's first key before it plays its "
                             "prompt again."));
    EXPECT_EQ(CConfigSystemParamRightView::HelpFilePath(),
              QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/verbanta/admincv.tcl"));
}

TEST_F(SysParamWindowTest, RemoveIsGreyedInTheContextMenuOutsideTheRows)
{
    open();
    const QPoint below(20, grid()->viewport()->height() - 5);
    emit grid()->customContextMenuRequested(below);
    ASSERT_TRUE(m_window->LeftView()->ContextMenu());
    QList<QAction *> actions = m_window->LeftView()->ContextMenu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&Add"));
    EXPECT_TRUE(actions[0]->isEnabled());
    EXPECT_FALSE(actions[1]->isEnabled());
    m_window->LeftView()->ContextMenu()->close();

    const int row = rowOf("sys_tmo_menu");
    emit grid()->customContextMenuRequested(grid()->visualItemRect(grid()->item(row, 1)).center());
    actions = m_window->LeftView()->ContextMenu()->actions();
    EXPECT_TRUE(actions[1]->isEnabled());
    EXPECT_EQ(grid()->currentRow(), row);
    m_window->LeftView()->ContextMenu()->close();
}

TEST_F(SysParamWindowTest, BoolAndPicklistCellsStoreWhatTheirChoiceMeans)
{
    open();
    const int flag = rowOf("sys_multiple_language");
    grid()->item(flag, 1)->setText("TRUE");
    EXPECT_EQ(m_window->GetDocument()->Values().value("sys_multiple_language"), QStringLiteral("1"));
    const int language = rowOf("sys_default_language");
    grid()->item(language, 1)->setText("French");
    EXPECT_EQ(m_window->GetDocument()->Values().value("sys_default_language"), QStringLiteral("French"));
    // Without a valid choice the stored value stays, and shows again.
    grid()->item(language, 1)->setText("Klingon");
    EXPECT_EQ(m_window->GetDocument()->Values().value("sys_default_language"), QStringLiteral("French"));
    EXPECT_EQ(grid()->item(language, 1)->text(), QStringLiteral("French"));
}

TEST_F(SysParamWindowTest, ServerChecksAskOnlyForTextsTheyCanJudge)
{
    open();
    const int row = rowOf("sys_application_path");
    m_boxes->answer({IDOK, IDOK});
    grid()->item(row, 1)->setText(QString());
    EXPECT_TRUE(m_server->commandTexts().isEmpty());
    EXPECT_EQ(grid()->item(row, 1)->text(), QStringLiteral("C:/Verbanta/apps"));
    grid()->item(row, 1)->setText("C:/Program Files/[exec x]");
    EXPECT_EQ(m_server->commandTexts(), QStringList{"is_valid_directory {C:/Program Files/[exec x]}"});
    EXPECT_EQ(grid()->item(row, 1)->text(), QStringLiteral("C:/Verbanta/apps"));
    EXPECT_EQ(m_boxes->texts(),
              QStringList(2, "There is no such directory on the server, changing to previous saved value!"));
    EXPECT_FALSE(m_window->GetDocument()->IsModified());
}

struct LocalCheck {
    const char *name;
    const char *text;
    bool accepted;
};

TEST_F(SysParamWindowTest, LocalChecksByParameterName)
{
    open();
    const LocalCheck checks[] = {
        {"sys_rings_no_answer", "0", false},
        {"sys_rings_no_answer", "1", true},
        {"sys_rings_no_answer", "9", true},
        {"sys_rings_no_answer", "10", false},
        {"sys_fixed_len_3", "0", false},
        {"sys_fixed_len_3", "9", false},
        {"sys_fixed_len_3", "", true},
        {"sys_fixed_len_3", "5", true},
        {"sys_amis_max_node", "0", true},
        {"sys_amis_max_node", "257", false},
        {"sys_amis_max_node", "", false},
        {"sys_amis_area_code", "12", false},
        {"sys_amis_area_code", "123", true},
        {"sys_tmo_menu", "1999", false},
        {"sys_tmo_menu", "2000", true},
        {"sys_tmo_dtmf", "1200", true},
        {"sys_statistics_interval", "999", false},
        {"sys_short_pause", "", false},
        {"sys_anything_else", "", true},
    };
    for (const LocalCheck &check : checks) {
        SCOPED_TRACE(std::string(check.name) + " = " + check.text);
        if (!check.accepted)
            m_boxes->answer(IDOK);
        EXPECT_EQ(m_window->LeftView()->ValidateParamValue(check.text, check.name), check.accepted);
    }
    m_window->GetDocument()->Values().insert("sys_min_sec_code_len", "6");
    m_boxes->answer(IDOK);
    EXPECT_FALSE(m_window->LeftView()->ValidateParamValue("4", "sys_max_sec_code_len"));
    EXPECT_EQ(m_boxes->texts().last(),
              QStringLiteral("Please enter a number between sys_min_sec_code_len and 16"));
}

TEST(ElementValuesJoinTest, JoinsRowsAsAListThatReadsBackTheSame)
{
    struct Case {
        QStringList elements;
        QString joined;
    } const cases[] = {
        {{"a", "b"}, "a b "},     {{"a", "b c"}, "{a} {b c} "}, {{}, ""},
        {{"a}", "b"}, "a\\} b "}, {{"x y", "{"}, "{x y} \\{ "},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CElementValuesDlg::JoinElements(c.elements), c.joined);
}

} // namespace
