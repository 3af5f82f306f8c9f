// The property editor, the distribution-list editor and the administrator
// accounts, opened from the main frame's menu entries against the
// simulator's demo company, with real widgets offscreen: the exact lines
// they send, the injection table arriving as data, refusals that keep a
// window open, and the rights checks.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/administratorlistdlg.h"
#include "admin/app/changesecuritycodedlg.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/manageadminsdlg.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/session/tcllist.h"
#include "admin/session/zeltsession.h"
#include "admin/uatools/ranges/copyuseragentdlg.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/createuseragentdlg.h"
#include "admin/uatools/distlist/distlistframe.h"
#include "admin/uatools/distlist/distlistfrm.h"
#include "admin/uatools/propedit/newvariabledlg.h"
#include "admin/uatools/propedit/propeditframe.h"
#include "admin/uatools/propedit/propeditfrm.h"
#include "admin/useragents/useragent.h"
#include "admin/widgets/colorlistctrl.h"
#include "admin/widgets/spreadsheet.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// Every column of `list` at least as wide as its heading, and the cells of
// `columns` whole: not shortened with "..." as the list paints them, with
// its padding (4 pixels in the first column, 12 in the others) and the
// row's image.
void ExpectHeadingsAndCellsWhole(CColorListCtrl *list, const QList<int> &columns)
{
    for (int column = 0; column < list->columnCount(); ++column)
        EXPECT_GE(list->columnWidth(column), list->header()->sectionSizeHint(column))
            << list->GetColumnHeading(column).toStdString();
    const QFontMetrics metrics(list->font());
    for (int column : columns) {
        for (int row = 0; row < list->GetItemCount(); ++row) {
            const QString text = list->GetItemText(row, column);
            const bool image = !list->topLevelItem(row)->icon(column).isNull();
            const int width = list->columnWidth(column) - (image ? list->iconSize().width() + 4 : 0);
            EXPECT_EQ(CColorListCtrl::MakeShortString(metrics, text, width, column == 0 ? 4 : 12), text);
        }
    }
}

// Values that would be code if they were pasted into a command.
const QStringList kInjection = {QStringLiteral("a[exec x]$y"), QStringLiteral("}"), QStringLiteral("back\\")};

class MaintenanceWindows : public FrameTestBase {
protected:
    void TearDown() override
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<CAdministratorListDlg *>(window))
                delete window;
        FrameTestBase::TearDown();
    }
    void login(uint32_t rights = 0x80FFFFFF, const QString &ranges = QStringLiteral("All"),
               const QString &user = QStringLiteral("boss"),
               const QString &password = QStringLiteral("boss-pw"))
    {
        m_server->setAccount(user, password, rights, ranges);
        ASSERT_NO_FATAL_FAILURE(logInAndShowFrame(user, password));
        m_server->clearLog();
    }
    QStringList received(const QString &word) const
    {
        QStringList found;
        for (const QString &text : m_server->commandTexts())
            if (text.startsWith(word))
                found.append(text);
        return found;
    }
    QString execute(const QString &command) { return m_app->GetSession()->Execute(command); }
    // A property as the server stores it now.
    QString stored(long number, const QString &name)
    {
        CUserAgent record;
        EXPECT_TRUE(record.Parse(execute(QStringLiteral("GetUA %1").arg(number)), CTclList()));
        return record.GetProperty(name);
    }
    template <class Frame> Frame *openedFrame() const
    {
        for (QMdiSubWindow *child : m_frame->MdiArea()->subWindowList())
            if (auto *frame = qobject_cast<Frame *>(child))
                return frame;
        return nullptr;
    }
    static void click(CDialog *dialog, int id)
    {
        auto *button = dialog->GetDlgItem<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        ASSERT_TRUE(button->isEnabled()) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, text);
    }
    static void screenshot(QWidget *window, const QString &name)
    {
        const QString folder =
            qEnvironmentVariable("VERBANTA_BINARY_DIR", QStringLiteral(".")) + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(folder + QLatin1Char('/') + name));
    }
};

// --- property editor ----------------------------------------------------------

class PropertyEditor : public MaintenanceWindows {
protected:
    // On a slow run the login window of the editor's own session shows,
    // takes the activation and, hidden again, leaves no window active: no
    // window manager hands it back here, and leaving a field needs it.
    void activateFrame()
    {
        QCoreApplication::processEvents();
        m_frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    }
    CPropEditFrm *open(long number)
    {
        m_boxes->answer(IDYES);
        openFromMenu(ID_PROPERTY_EDITOR);
        auto *frame = openedFrame<CPropEditFrame>();
        EXPECT_NE(frame, nullptr);
        if (!frame)
            return nullptr;
        CPropEditFrm *form = frame->GetActiveView();
        auto *edit = form->GetDlgItem<QLineEdit>(CPropEditFrm::IDC_NUMBER);
        type(edit, QString::number(number));
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_TRUE(WaitFor([form] { return form->GetDlgItem(CPropEditFrm::IDC_VARIABLES)->isEnabled(); }));
        activateFrame();
        return form;
    }
    static int rowOf(CPropEditFrm *form, const QString &name)
    {
        auto *list = form->GetDlgItem<CColorListCtrl>(CPropEditFrm::IDC_VARIABLES);
        for (int row = 0; row < list->GetItemCount(); ++row)
            if (list->GetItemText(row, 0) == name)
                return row;
        return -1;
    }
};

TEST_F(PropertyEditor, AsksTheWarningAndShowsTheRecordTheNumberNames)
{
    login();
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    const MessageBoxScript::ShownBox warning = m_boxes->transcript().front();
    EXPECT_TRUE(
        warning.text.startsWith(QStringLiteral("The Property Editor is a powerful and dangerous utility")));
    EXPECT_EQ(warning.type & MB_TYPEMASK, MB_YESNO);
    EXPECT_EQ(received(QStringLiteral("GetUA ")), QStringList{QStringLiteral("GetUA 101")});
    EXPECT_EQ(received(QStringLiteral("GetUAList")).size(), 1);
    EXPECT_GE(rowOf(form, QStringLiteral("&Name1")), 0);
    auto *parents = form->GetDlgItem<QComboBox>(CPropEditFrm::IDC_PARENT);
    EXPECT_EQ(parents->itemText(parents->count() - 1), QStringLiteral("No parent"));
    EXPECT_EQ(parents->findText(QStringLiteral("101")), -1) << "never its own parent";
    EXPECT_EQ(parents->currentText(), QStringLiteral("10"));
    ExpectHeadingsAndCellsWhole(form->GetDlgItem<CColorListCtrl>(CPropEditFrm::IDC_VARIABLES), {0});
    screenshot(openedFrame<CPropEditFrame>(), QStringLiteral("property_editor.png"));
}

TEST_F(PropertyEditor, AnsweringNoOpensNothing)
{
    login();
    m_boxes->answer(IDNO);
    openFromMenu(ID_PROPERTY_EDITOR);
    EXPECT_EQ(openedFrame<CPropEditFrame>(), nullptr);
}

TEST_F(PropertyEditor, NewVariablesArriveAsDataAndApplyReadsTheRecordBack)
{
    login();
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    for (int i = 0; i < kInjection.size(); ++i) {
        const QString name = QStringLiteral("Note%1").arg(i);
        m_dialogs.on<CNewVariableDlg>([&](CNewVariableDlg *dialog) {
            type(dialog->GetDlgItem<QLineEdit>(CNewVariableDlg::IDC_NAME), name);
            type(dialog->GetDlgItem<QLineEdit>(CNewVariableDlg::IDC_VALUE), kInjection.at(i));
            click(dialog, IDOK);
        });
        click(form, CPropEditFrm::IDC_NEW);
        EXPECT_TRUE(form->IsModified());
        m_server->clearLog();
        click(form, CPropEditFrm::IDC_APPLY);
        EXPECT_TRUE(WaitFor([&] { return received(QStringLiteral("GetUA ")).size() == 1; }));
        EXPECT_EQ(stored(101, name), kInjection.at(i));
        EXPECT_FALSE(form->IsModified());
    }
    EXPECT_TRUE(m_boxes->texts().size() == 1) << m_boxes->texts().join('\n').toStdString();
}

TEST_F(PropertyEditor, RefusesANameThatIsNoPlainWord)
{
    login();
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    for (const QString &bad :
         {QStringLiteral("two words"), QStringLiteral("a[b]"), QStringLiteral("~Store_Message"), QString()}) {
        m_boxes->answer(IDOK);
        m_dialogs.on<CNewVariableDlg>([&](CNewVariableDlg *dialog) {
            type(dialog->GetDlgItem<QLineEdit>(CNewVariableDlg::IDC_NAME), bad);
            click(dialog, IDOK);
            EXPECT_TRUE(dialog->isVisible()) << "stays open";
            click(dialog, IDCANCEL);
        });
        click(form, CPropEditFrm::IDC_NEW);
        EXPECT_TRUE(m_boxes->texts().last().startsWith(QStringLiteral("A variable name needs")));
    }
    EXPECT_FALSE(form->IsModified());
}

TEST_F(PropertyEditor, RemovesAnOwnVariableAndRefusesAnInheritedOne)
{
    login();
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    auto *list = form->GetDlgItem<CColorListCtrl>(CPropEditFrm::IDC_VARIABLES);
    ASSERT_GE(rowOf(form, QStringLiteral("Store_Message")), 0);
    list->SelectItem(rowOf(form, QStringLiteral("Store_Message"))); // the class of service's
    m_boxes->answer(IDOK);
    click(form, CPropEditFrm::IDC_REMOVE);
    EXPECT_EQ(m_boxes->transcript().back().text,
              QStringLiteral("Variable Store_Message is inherited and therefore, it can not be deleted."));
    list->SelectItem(rowOf(form, QStringLiteral("&Ext")));
    click(form, CPropEditFrm::IDC_REMOVE);
    EXPECT_EQ(rowOf(form, QStringLiteral("&Ext")), -1);
    m_server->clearLog();
    click(form, CPropEditFrm::IDC_APPLY);
    ASSERT_EQ(received(QStringLiteral("UpdateUA")).size(), 1);
    EXPECT_TRUE(received(QStringLiteral("UpdateUA")).first().contains(QStringLiteral("~&Ext {}")));
}

TEST_F(PropertyEditor, ANumberOutsideTheRightsSendsNothingHoweverItIsEntered)
{
    login(0x10000030, QStringLiteral("100-105 200"));
    m_boxes->answer({IDYES, IDOK});
    openFromMenu(ID_PROPERTY_EDITOR);
    CPropEditFrm *form = openedFrame<CPropEditFrame>()->GetActiveView();
    auto *edit = form->GetDlgItem<QLineEdit>(CPropEditFrm::IDC_NUMBER);
    type(edit, QStringLiteral("300"));
    QTest::keyClick(edit, Qt::Key_Tab); // the first number, before any record
    EXPECT_EQ(m_boxes->beeps(), 1);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(received(QStringLiteral("GetUA")).isEmpty());
}

TEST_F(PropertyEditor, LeavingTheNumberForANumberOutsideTheRightsPutsTheShownOneBack)
{
    login(0x10000030, QStringLiteral("100-105 200"));
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    m_server->clearLog();
    auto *edit = form->GetDlgItem<QLineEdit>(CPropEditFrm::IDC_NUMBER);
    m_boxes->answer(IDOK);
    type(edit, QStringLiteral("300"));
    QTest::keyClick(edit, Qt::Key_Tab); // to the parent box
    EXPECT_EQ(m_boxes->beeps(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("101"));
    EXPECT_TRUE(received(QStringLiteral("GetUA ")).isEmpty());

    // A number the account may edit is read when the field is left.
    type(edit, QStringLiteral("102"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(WaitFor([this] { return received(QStringLiteral("GetUA ")).size() == 1; }));
    EXPECT_EQ(received(QStringLiteral("GetUA ")), QStringList{QStringLiteral("GetUA 102")});
}

TEST_F(PropertyEditor, ARecordThatFailsToLoadLeavesTheShownOneAsItWas)
{
    login();
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    m_server->failCommand(QStringLiteral("GetUA"), QStringLiteral("database busy"));
    m_boxes->answer(IDOK);
    auto *edit = form->GetDlgItem<QLineEdit>(CPropEditFrm::IDC_NUMBER);
    type(edit, QStringLiteral("102"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(WaitFor([this] { return !m_boxes->texts().isEmpty() && m_boxes->texts().size() == 2; }));
    EXPECT_TRUE(m_boxes->texts().last().startsWith(
        QStringLiteral("Could not retrieve the user agent from Verbanta ES: ")));
    EXPECT_EQ(edit->text(), QStringLiteral("101"));
    EXPECT_GE(rowOf(form, QStringLiteral("&Name1")), 0);
    EXPECT_EQ(form->GetDlgItem<CColorListCtrl>(CPropEditFrm::IDC_VARIABLES)
                  ->GetItemText(rowOf(form, QStringLiteral("&Name1")), 1),
              QStringLiteral("Bruno"));
    EXPECT_FALSE(form->GetDlgItem(CPropEditFrm::IDC_APPLY)->isEnabled());
}

TEST_F(PropertyEditor, ClosingWithUnappliedChangesAsks)
{
    login();
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    auto *list = form->GetDlgItem<CColorListCtrl>(CPropEditFrm::IDC_VARIABLES);
    list->SelectItem(rowOf(form, QStringLiteral("&Name1")));
    type(form->GetDlgItem<QLineEdit>(CPropEditFrm::IDC_VALUE), QStringLiteral("Brunhilde"));
    click(form, CPropEditFrm::IDC_SET);
    m_boxes->answer(IDCANCEL);
    openedFrame<CPropEditFrame>()->close();
    EXPECT_EQ(m_boxes->texts().last(), QStringLiteral("Discard changes?"));
    ASSERT_NE(openedFrame<CPropEditFrame>(), nullptr) << "kept open";
    m_boxes->answer(IDOK);
    openedFrame<CPropEditFrame>()->close();
    EXPECT_TRUE(WaitFor([this] { return openedFrame<CPropEditFrame>() == nullptr; }));
    EXPECT_EQ(stored(101, QStringLiteral("&Name1")), QStringLiteral("Bruno"));
}

// A number typed over the shown one and then left for Apply or Undo, with
// the form active: the click acts on the record shown, without a question
// about discarding its changes and without reading the typed number; left
// for another field, the number is read as before.
TEST_F(PropertyEditor, ANumberLeftForApplyOrUndoGivesWayToTheRecordShown)
{
    login();
    CPropEditFrm *form = open(101);
    ASSERT_NE(form, nullptr);
    auto *number = form->GetDlgItem<QLineEdit>(CPropEditFrm::IDC_NUMBER);
    const auto change = [&](const QString &value) {
        auto *list = form->GetDlgItem<CColorListCtrl>(CPropEditFrm::IDC_VARIABLES);
        list->SelectItem(rowOf(form, QStringLiteral("&Name1")));
        type(form->GetDlgItem<QLineEdit>(CPropEditFrm::IDC_VALUE), value);
        click(form, CPropEditFrm::IDC_SET);
        ASSERT_TRUE(form->IsModified());
        type(number, QStringLiteral("102"));
        m_server->clearLog();
    };

    change(QStringLiteral("Brunhilde"));
    click(form, CPropEditFrm::IDC_APPLY);
    EXPECT_TRUE(WaitFor([this] { return !received(QStringLiteral("GetUA ")).isEmpty(); }));
    EXPECT_EQ(received(QStringLiteral("GetUA ")), QStringList{QStringLiteral("GetUA 101")});
    EXPECT_EQ(stored(101, QStringLiteral("&Name1")), QStringLiteral("Brunhilde"));
    EXPECT_EQ(number->text(), QStringLiteral("101"));

    change(QStringLiteral("Bruno"));
    click(form, CPropEditFrm::IDC_UNDO);
    EXPECT_TRUE(WaitFor([form] { return !form->IsModified(); }));
    EXPECT_EQ(received(QStringLiteral("GetUA ")), QStringList{QStringLiteral("GetUA 101")});
    EXPECT_TRUE(received(QStringLiteral("UpdateUA")).isEmpty());
    EXPECT_EQ(stored(101, QStringLiteral("&Name1")), QStringLiteral("Brunhilde"));
    EXPECT_EQ(number->text(), QStringLiteral("101"));
    EXPECT_TRUE(m_boxes->texts().size() == 1) << m_boxes->texts().join('\n').toStdString(); // the opening warning

    // Left for another field, the number still asks before it drops the changes.
    change(QStringLiteral("Bruno"));
    m_boxes->answer(IDOK);
    form->GetDlgItem(CPropEditFrm::IDC_PARENT)->setFocus();
    EXPECT_EQ(m_boxes->texts().last(), QStringLiteral("Discard changes?"));
    EXPECT_TRUE(WaitFor([this] { return !received(QStringLiteral("GetUA ")).isEmpty(); }));
    EXPECT_EQ(received(QStringLiteral("GetUA ")), QStringList{QStringLiteral("GetUA 102")});
    EXPECT_EQ(m_boxes->texts().size(), 2);
}

// --- administrator accounts ---------------------------------------------------

class Accounts : public MaintenanceWindows {
protected:
    CAdministratorListDlg *openList()
    {
        openFromMenu(ID_MANAGE_ADMINS);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *list = qobject_cast<CAdministratorListDlg *>(window); list && list->isVisible())
                return list;
        ADD_FAILURE() << "no list window";
        return nullptr;
    }
    static void select(CAdministratorListDlg *dialog, const QString &name)
    {
        CColorListCtrl *list = dialog->List();
        for (int row = 0; row < list->GetItemCount(); ++row)
            if (list->GetItemText(row, 0) == name)
                list->SelectItem(row);
    }
    static QStringList names(CAdministratorListDlg *dialog)
    {
        QStringList found;
        for (int row = 0; row < dialog->List()->GetItemCount(); ++row)
            found.append(dialog->List()->GetItemText(row, 0));
        return found;
    }
};

TEST_F(Accounts, ListsOnlyAccountsBelowTheOwnLevel)
{
    login(0x400000A9);
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    const QStringList shown = names(dialog);
    EXPECT_TRUE(shown.contains(QStringLiteral("dept")));
    EXPECT_TRUE(shown.contains(QStringLiteral("nightops")));
    EXPECT_FALSE(shown.contains(QStringLiteral("admin"))) << "same level";
    EXPECT_FALSE(shown.contains(QStringLiteral("Cardomel"))) << "higher level";
    ExpectHeadingsAndCellsWhole(dialog->List(), {0, 1, 2});
    screenshot(dialog, QStringLiteral("manage_administrators.png"));
    m_frame->UpdateCommandUI();
    openFromMenu(ID_MANAGE_ADMINS); // a second time: the open window stays the one
    int open = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        open += qobject_cast<CAdministratorListDlg *>(window) && window->isVisible();
    EXPECT_EQ(open, 1);
}

TEST_F(Accounts, AddSendsTheLineWithItsTwoBlanks)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *add) {
        EXPECT_EQ(add->windowTitle(), QStringLiteral("Add Administrator"));
        screenshot(add, QStringLiteral("add_administrator.png"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME), QStringLiteral("frontdesk"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_PASSWORD), QStringLiteral("secret"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_CONFIRM), QStringLiteral("secret"));
        QTest::mouseClick(add->GetDlgItem<QRadioButton>(CManageAdminsDlg::IDC_DEPARTMENT), Qt::LeftButton);
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_RANGE), QStringLiteral("100-105"));
        click(add, CManageAdminsDlg::IDC_OK);
    });
    click(dialog, CAdministratorListDlg::IDC_ADD);
    EXPECT_EQ(received(QStringLiteral("AddRemoteUser")),
              QStringList{QStringLiteral("AddRemoteUser  {frontdesk} secret 268435504 {100-105} {}")});
    EXPECT_TRUE(names(dialog).contains(QStringLiteral("frontdesk")));
    EXPECT_EQ(dialog->SelectedName(), QStringLiteral("frontdesk"));
}

// Enter in any field of Add Administrator presses its OK, the default
// button, wherever the typing ended.
class AccountsEnter : public Accounts, public testing::WithParamInterface<int> {};

TEST_P(AccountsEnter, PressesOkFromTheField)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *add) {
        add->activateWindow();
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME), QStringLiteral("frontdesk"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_PASSWORD), QStringLiteral("secret"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_CONFIRM), QStringLiteral("secret"));
        QTest::mouseClick(add->GetDlgItem<QRadioButton>(CManageAdminsDlg::IDC_DEPARTMENT), Qt::LeftButton);
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_RANGE), QStringLiteral("100-105"));
        QWidget *field = add->GetDlgItem(GetParam());
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        if (add->isVisible()) {
            ADD_FAILURE() << "Enter left the dialog open";
            click(add, IDCANCEL);
        }
    });
    click(dialog, CAdministratorListDlg::IDC_ADD);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(received(QStringLiteral("AddRemoteUser")),
              QStringList{QStringLiteral("AddRemoteUser  {frontdesk} secret 268435504 {100-105} {}")});
    EXPECT_EQ(dialog->SelectedName(), QStringLiteral("frontdesk"));
    EXPECT_EQ(m_boxes->beeps(), 0);
}

INSTANTIATE_TEST_SUITE_P(Fields, AccountsEnter,
                         testing::Values(int(CManageAdminsDlg::IDC_NAME), int(CManageAdminsDlg::IDC_CONFIRM),
                                         int(CManageAdminsDlg::IDC_RANGE), int(CManageAdminsDlg::IDC_REPORTS)),
                         [](const testing::TestParamInfo<int> &info) {
                             switch (info.param) {
                             case CManageAdminsDlg::IDC_NAME:
                                 return std::string("Name");
                             case CManageAdminsDlg::IDC_CONFIRM:
                                 return std::string("ConfirmPassword");
                             case CManageAdminsDlg::IDC_RANGE:
                                 return std::string("MailboxRange");
                             default:
                                 return std::string("RunReportCheck");
                             }
                         });

// With the dialog active, as under an administrator's hand: leaving a
// field for another checks it there, and a click on OK checks it once.
TEST_F(Accounts, AFieldLeftForOkIsCheckedOnce)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    m_boxes->answer({IDOK, IDOK});
    m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *add) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(add));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME), QStringLiteral("frontdesk"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_PASSWORD), QStringLiteral("secret"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_CONFIRM), QStringLiteral("secreT"));
        add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME)->setFocus();
        EXPECT_EQ(m_boxes->texts(),
                  QStringList{QStringLiteral("Passwords do not match.  Please re-enter your password")});
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_PASSWORD), QStringLiteral("secret"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_CONFIRM), QStringLiteral("secreT"));
        click(add, CManageAdminsDlg::IDC_OK);
        EXPECT_EQ(m_boxes->texts().size(), 2);
        EXPECT_EQ(m_boxes->texts().value(1),
                  QStringLiteral("Passwords do not match.  Please reenter your password"));
        click(add, IDCANCEL);
    });
    click(dialog, CAdministratorListDlg::IDC_ADD);
    EXPECT_TRUE(received(QStringLiteral("AddRemoteUser")).isEmpty());
}

TEST_F(Accounts, PasswordsArriveAsData)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    const QStringList passwords = {QStringLiteral("a[exec_x]$y"), QStringLiteral("}"),
                                   QStringLiteral("back\\")};
    for (int i = 0; i < passwords.size(); ++i) {
        const QString name = QStringLiteral("inject%1").arg(i);
        m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *add) {
            type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME), name);
            type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_PASSWORD), passwords.at(i));
            type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_CONFIRM), passwords.at(i));
            click(add, CManageAdminsDlg::IDC_OK);
        });
        click(dialog, CAdministratorListDlg::IDC_ADD);
        // The account logs in with exactly the password typed.
        CZELTSession session(patientSettings());
        EXPECT_NO_THROW(session.Connect(CLoginCredentials{m_server->host(), name, passwords.at(i)})) << i;
    }
}

TEST_F(Accounts, ARefusedSaveKeepsTheDialogOpenWithTheReason)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    m_boxes->answer(IDOK);
    bool stayedOpen = false;
    m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *add) {
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME), QStringLiteral("dept"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_PASSWORD), QStringLiteral("pw"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_CONFIRM), QStringLiteral("pw"));
        click(add, CManageAdminsDlg::IDC_OK);
        stayedOpen = add->isVisible();
        click(add, IDCANCEL);
    });
    click(dialog, CAdministratorListDlg::IDC_ADD);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(m_boxes->texts().last().contains(QStringLiteral("already exists")));
}

TEST_F(Accounts, ModifyWithoutChangesSendsNothing)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    select(dialog, QStringLiteral("dept"));
    m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *modify) {
        EXPECT_EQ(modify->windowTitle(), QStringLiteral("Modify Department Administrator"));
        screenshot(modify, QStringLiteral("modify_administrator.png"));
        click(modify, CManageAdminsDlg::IDC_OK);
    });
    click(dialog, CAdministratorListDlg::IDC_MODIFY);
    EXPECT_TRUE(received(QStringLiteral("ChangeRemoteUser")).isEmpty());
}

TEST_F(Accounts, ModifySendsTheStoredNameAndKeepsAnUntouchedPassword)
{
    m_server->setAccount(QStringLiteral("ops.team"), QStringLiteral("ops-pw"), 0x10000020,
                         QStringLiteral("200"));
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    select(dialog, QStringLiteral("ops.team"));
    m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *modify) {
        EXPECT_EQ(modify->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME)->text(),
                  QStringLiteral("opsteam"));
        QTest::mouseClick(modify->GetDlgItem<QCheckBox>(CManageAdminsDlg::IDC_TEMPLATES), Qt::LeftButton);
        click(modify, CManageAdminsDlg::IDC_OK);
    });
    click(dialog, CAdministratorListDlg::IDC_MODIFY);
    EXPECT_EQ(received(QStringLiteral("ChangeRemoteUser")),
              QStringList{QStringLiteral("ChangeRemoteUser {ops.team} {} 268435504 {200} {}")});
    CZELTSession session(patientSettings());
    EXPECT_NO_THROW(session.Connect(CLoginCredentials{m_server->host(), "ops.team", "ops-pw"}));
}

TEST_F(Accounts, AnUnreadableLengthLimitIsNoLimitOfZero)
{
    m_server->seed(QStringLiteral("var sys_maximum_box_length 4"));
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    m_boxes->answer(IDNO);
    m_dialogs.on<CManageAdminsDlg>([&](CManageAdminsDlg *add) {
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_NAME), QStringLiteral("ranges"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_PASSWORD), QStringLiteral("pw"));
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_CONFIRM), QStringLiteral("pw"));
        QTest::mouseClick(add->GetDlgItem<QRadioButton>(CManageAdminsDlg::IDC_DEPARTMENT), Qt::LeftButton);
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_RANGE), QStringLiteral("12345"));
        click(add, CManageAdminsDlg::IDC_OK); // five digits: asked, and No refuses
        EXPECT_TRUE(add->isVisible());
        type(add->GetDlgItem<QLineEdit>(CManageAdminsDlg::IDC_RANGE), QStringLiteral("100-105"));
        click(add, CManageAdminsDlg::IDC_OK); // three digits: the maximum of 4 applies
    });
    click(dialog, CAdministratorListDlg::IDC_ADD);
    ASSERT_EQ(m_boxes->texts().size(), 1u);
    EXPECT_EQ(m_boxes->texts().front(),
              QStringLiteral("User Agents beginning with 1 are limited to 4 digits.\nIs 12345 correct?"));
    EXPECT_EQ(received(QStringLiteral("AddRemoteUser")).size(), 1);
}

TEST_F(Accounts, AnAccountThatCannotBeReadIsNeitherShownNorSent)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    select(dialog, QStringLiteral("dept"));
    m_server->failCommand(QStringLiteral("GetRemoteUser"), QStringLiteral("busy"));
    m_boxes->answer(IDOK);
    click(dialog, CAdministratorListDlg::IDC_MODIFY); // the account dialog ends by itself
    EXPECT_EQ(m_boxes->texts(), QStringList{QStringLiteral("Unable to get dept")});
    EXPECT_TRUE(received(QStringLiteral("ChangeRemoteUser")).isEmpty());
}

TEST_F(Accounts, DeleteAsksAndRemovesTheRow)
{
    login();
    CAdministratorListDlg *dialog = openList();
    ASSERT_NE(dialog, nullptr);
    select(dialog, QStringLiteral("helpdesk"));
    m_boxes->answer(IDYES);
    click(dialog, CAdministratorListDlg::IDC_DELETE);
    EXPECT_EQ(m_boxes->texts().last(),
              QStringLiteral("Are you sure you would like to remove Administrator helpdesk?"));
    EXPECT_EQ(received(QStringLiteral("DeleteRemoteUser")),
              QStringList{QStringLiteral("DeleteRemoteUser {helpdesk}")});
    EXPECT_FALSE(names(dialog).contains(QStringLiteral("helpdesk")));
    click(dialog, CAdministratorListDlg::IDC_CLOSE);
    EXPECT_TRUE(WaitFor([this] {
        m_frame->UpdateCommandUI();
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<CAdministratorListDlg *>(window))
                return false;
        return true;
    }));
}

// --- distribution lists -------------------------------------------------------

class DistributionLists : public MaintenanceWindows {
protected:
    CDistListFrm *open()
    {
        openFromMenu(ID_EDIT_UA_DISTLIST);
        auto *frame = openedFrame<CDistListFrame>();
        EXPECT_NE(frame, nullptr);
        return frame ? frame->GetActiveView() : nullptr;
    }
    static QString cell(CDistListFrm *form, int col, int row)
    {
        form->Grid()->SetCol(col);
        form->Grid()->SetRow(row);
        return form->Grid()->GetText();
    }
    // The administrator's edit of a grid cell, then the cell left.
    static bool editCell(CDistListFrm *form, int col, int row, const QString &text)
    {
        form->Grid()->item(row - 1, col - 1)->setText(text);
        return form->SaveFieldChange();
    }
};

TEST_F(DistributionLists, ShowsEveryListWithTheQueryThePartsGive)
{
    login();
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(received(QStringLiteral("ParmsForUAType")),
              QStringList{QStringLiteral(
                  "ParmsForUAType {DL} {System_Distribution_List &Name2 Group_List} {All}\n")});
    ASSERT_EQ(form->RowCount(), 3);
    EXPECT_EQ(cell(form, CDistListFrm::ColNumber, 1), QStringLiteral("300"));
    EXPECT_EQ(cell(form, CDistListFrm::ColMembers, 1), QStringLiteral("100 101 102"));
    EXPECT_EQ(cell(form, CDistListFrm::ColSecurityCode, 1), QStringLiteral("        "));
    EXPECT_EQ(form->GetDlgItem<QLabel>(CDistListFrm::IDC_NUMBER_CAPTION)->text(),
              QStringLiteral(" Distribution List Number: 300"));
    EXPECT_EQ(form->GetDlgItem<QLineEdit>(CDistListFrm::IDC_NAME)->text(), QStringLiteral("Sales team"));
    openedFrame<CDistListFrame>()->resize(760, 460);
    screenshot(openedFrame<CDistListFrame>(), QStringLiteral("distribution_list_editor.png"));
}

// A refusal of megabytes is quoted in part, with its length: laid out whole
// it froze the interface for seconds.
TEST_F(DistributionLists, AHugeRefusalIsQuotedInPartWithItsLength)
{
    login();
    const QString word(2 * 1024 * 1024, QLatin1Char('w'));
    m_server->failCommand(QStringLiteral("ParmsForUAType"), word);
    m_boxes->answer(IDOK);
    openFromMenu(ID_EDIT_UA_DISTLIST);
    ASSERT_TRUE(WaitFor([this] { return !m_boxes->texts().isEmpty(); }));
    const QString text = m_boxes->texts().last();
    EXPECT_TRUE(text.startsWith(QLatin1Char('!'))) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("w… (")) && text.endsWith(QStringLiteral(" characters)")))
        << text.right(100).toStdString();
    EXPECT_LE(text.size(), 400);
}

TEST_F(DistributionLists, UpdateListStoresMembersWithBlanks)
{
    login();
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    form->GetDlgItem<QPlainTextEdit>(CDistListFrm::IDC_MEMBERS)->setPlainText(QStringLiteral("100,101"));
    click(form, CDistListFrm::IDC_UPDATE);
    EXPECT_EQ(received(QStringLiteral("UpdateUA")),
              QStringList{QStringLiteral("UpdateUA 300 WithForce System_Distribution_List \"100 101\"")});
    EXPECT_EQ(stored(300, QStringLiteral("System_Distribution_List")), QStringLiteral("100 101"));
    EXPECT_EQ(cell(form, CDistListFrm::ColMembers, 1), QStringLiteral("100 101"));
}

TEST_F(DistributionLists, AListNamingItselfIsRefusedAndTheCellGetsTheServersListBack)
{
    login();
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    m_boxes->answer(IDOK);
    EXPECT_FALSE(editCell(form, CDistListFrm::ColMembers, 1, QStringLiteral("100 300")));
    EXPECT_EQ(m_boxes->texts().last(),
              QStringLiteral("Destination List should not include itself as a member"));
    EXPECT_EQ(received(QStringLiteral("GetUA ")),
              QStringList{QStringLiteral("GetUA 300 System_Distribution_List")});
    EXPECT_TRUE(received(QStringLiteral("UpdateUA")).isEmpty());
    EXPECT_EQ(cell(form, CDistListFrm::ColMembers, 1), QStringLiteral("100 101 102"));

    // When even the server's list cannot be read, the cell keeps the last
    // one known, never an error text.
    m_server->failCommand(QStringLiteral("GetUA"), QStringLiteral("busy"));
    m_boxes->answer(IDOK);
    EXPECT_FALSE(editCell(form, CDistListFrm::ColMembers, 1, QStringLiteral("5 3-7")));
    EXPECT_EQ(m_boxes->texts().last(), QStringLiteral("Entries 5 and 3-7 contain duplicates."));
    EXPECT_EQ(cell(form, CDistListFrm::ColMembers, 1), QStringLiteral("100 101 102"));
}

TEST_F(DistributionLists, NamesArriveAsDataAndAnEmptyNameIsOneBlank)
{
    login();
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    for (const QString &value : kInjection) {
        EXPECT_TRUE(editCell(form, CDistListFrm::ColName, 2, value));
        EXPECT_EQ(stored(301, QStringLiteral("&Name2")), value);
    }
    m_server->clearLog();
    EXPECT_TRUE(editCell(form, CDistListFrm::ColName, 2, QString()));
    EXPECT_EQ(received(QStringLiteral("UpdateUA")),
              QStringList{QStringLiteral("UpdateUA 301 WithForce &Name2 \" \"")});
    EXPECT_EQ(stored(301, QStringLiteral("&Name2")), QStringLiteral(" "));
}

TEST_F(DistributionLists, AFailedSaveKeepsTheWindowOpen)
{
    login();
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    m_server->failCommand(QStringLiteral("UpdateUA"), QStringLiteral("disk full"));
    form->Grid()->item(0, CDistListFrm::ColGroup - 1)->setText(QStringLiteral("12"));
    m_boxes->answer(IDOK);
    click(form, CDistListFrm::IDC_CLOSE);
    EXPECT_TRUE(m_boxes->texts().last().startsWith(QStringLiteral("Could not change the group for 300: ")));
    EXPECT_NE(openedFrame<CDistListFrame>(), nullptr);
    EXPECT_EQ(cell(form, CDistListFrm::ColGroup, 1), QString()) << "the cell shows what the server holds";
    m_server->clearFailure(QStringLiteral("UpdateUA"));
    click(form, CDistListFrm::IDC_CLOSE);
    EXPECT_TRUE(WaitFor([this] { return openedFrame<CDistListFrame>() == nullptr; }));
}

// A code typed in the box, with the form active: another window taking the
// focus asks nothing and sends nothing; back on the form, Update asks once
// and sends the code once.
TEST_F(DistributionLists, ACodeIsAskedForOnceAndOnlyWhenTheBoxIsLeftForTheForm)
{
    login();
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    int asked = 0;
    m_dialogs.on<CChangeSecurityCodeDlg>([&asked](CChangeSecurityCodeDlg *d) {
        ++asked;
        d->GetDlgItem<QLineEdit>(CChangePasswordDlg::IDC_CONFIRM_VALUE)->setText(QStringLiteral("7777"));
        d->GetDlgItem<QPushButton>(IDOK)->click();
    });
    auto *code = form->GetDlgItem<QLineEdit>(CDistListFrm::IDC_SECURITY_CODE);
    type(code, QStringLiteral("7777"));

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    QTest::qWait(100);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(code->text(), QStringLiteral("7777"));
    EXPECT_TRUE(received(QStringLiteral("SetUASAC")).isEmpty());

    elsewhere.hide();
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    code->setFocus();
    click(form, CDistListFrm::IDC_UPDATE);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(received(QStringLiteral("SetUASAC")).size(), 1);
    EXPECT_TRUE(received(QStringLiteral("SetUASAC")).first().startsWith(QStringLiteral("SetUASAC 300 ")));
    EXPECT_TRUE(received(QStringLiteral("SetUASAC")).first().endsWith(QStringLiteral(" 7777")));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('\n').toStdString();
}

TEST_F(DistributionLists, TheLoginBoxsNewCodeIsRememberedOnlyOnceTheServerTookIt)
{
    // The administrator logged in as box 300, whose code is the password.
    login(0x80FFFFFF, QStringLiteral("All"), QStringLiteral("300"), QStringLiteral("4321"));
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    const auto changeCode = [&](const QString &code) {
        m_dialogs.on<CChangeSecurityCodeDlg>([code](CChangeSecurityCodeDlg *d) {
            d->GetDlgItem<QLineEdit>(CChangePasswordDlg::IDC_NEW_VALUE)->setText(code);
            d->GetDlgItem<QLineEdit>(CChangePasswordDlg::IDC_CONFIRM_VALUE)->setText(code);
            d->GetDlgItem<QPushButton>(IDOK)->click();
        });
        form->GetDlgItem<QLineEdit>(CDistListFrm::IDC_SECURITY_CODE)->setText(code);
        click(form, CDistListFrm::IDC_UPDATE);
    };
    m_server->failCommand(QStringLiteral("SetUASAC"), QStringLiteral("code in use"));
    m_boxes->answer(IDOK);
    changeCode(QStringLiteral("5555"));
    EXPECT_TRUE(m_boxes->texts().last().startsWith(QStringLiteral("Verbanta ES refused the change: ")));
    EXPECT_EQ(m_app->Password(), QStringLiteral("4321"));

    m_server->clearFailure(QStringLiteral("SetUASAC"));
    m_server->clearLog();
    changeCode(QStringLiteral("6666"));
    EXPECT_EQ(received(QStringLiteral("SetUASAC")), QStringList{QStringLiteral("SetUASAC 300 1 6666")});
    EXPECT_EQ(m_app->Password(), QStringLiteral("6666"));
    EXPECT_EQ(form->GetDlgItem<QLineEdit>(CDistListFrm::IDC_SECURITY_CODE)->text(),
              QStringLiteral("        "));
}

TEST_F(DistributionLists, ListsJustCreatedOpenInTheEditor)
{
    login();
    m_dialogs.on<CCreateUserAgentDlg>([](CCreateUserAgentDlg *d) {
        type(d->GetDlgItem<QLineEdit>(CCreateUserAgentDlg::IDC_RANGE), QStringLiteral("310-311"));
        QTimer::singleShot(0, d,
                           [d] { QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton); });
    });
    m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *p) {
        EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
        QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    openFromMenu(ID_CREATE_UA_DISTLIST);
    EXPECT_EQ(m_dialogs.pending(), 0);
    auto *frame = openedFrame<CDistListFrame>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(received(QStringLiteral("ParmsForUAType")),
              QStringList{QStringLiteral(
                  "ParmsForUAType {DL} {System_Distribution_List &Name2 Group_List} {310 311}\n")});
    EXPECT_EQ(frame->GetActiveView()->RowCount(), 2);
}

TEST_F(DistributionLists, ListsJustCopiedOpenInTheEditor)
{
    login();
    m_dialogs.on<CCopyUserAgentDlg>([](CCopyUserAgentDlg *d) {
        type(d->GetDlgItem<QLineEdit>(CCopyUserAgentDlg::IDC_FROM), QStringLiteral("300"));
        type(d->GetDlgItem<QLineEdit>(CCopyUserAgentDlg::IDC_TO), QStringLiteral("320-321"));
        QTimer::singleShot(0, d,
                           [d] { QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton); });
    });
    m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *p) {
        EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
        QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    openFromMenu(ID_COPY_UA);
    EXPECT_EQ(m_dialogs.pending(), 0);
    auto *frame = openedFrame<CDistListFrame>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(received(QStringLiteral("ParmsForUAType")),
              QStringList{QStringLiteral(
                  "ParmsForUAType {DL} {System_Distribution_List &Name2 Group_List} {320 321}\n")});
    EXPECT_EQ(frame->GetActiveView()->RowCount(), 2);
}

TEST_F(DistributionLists, DeletingTheLastRowShowsTheOneBefore)
{
    login();
    CDistListFrm *form = open();
    ASSERT_NE(form, nullptr);
    form->Grid()->cellClicked(2, 0);
    ASSERT_EQ(form->CurrentRow(), 3);
    m_boxes->answer(IDYES);
    click(form, CDistListFrm::IDC_DELETE);
    EXPECT_EQ(m_boxes->texts().last(), QStringLiteral("Do you really want to delete UA 302"));
    EXPECT_EQ(received(QStringLiteral("DeleteUA")), QStringList{QStringLiteral("DeleteUA 302")});
    EXPECT_EQ(form->RowCount(), 2);
    EXPECT_EQ(form->CurrentRow(), 2);
    EXPECT_EQ(form->GetDlgItem<QLabel>(CDistListFrm::IDC_NUMBER_CAPTION)->text(),
              QStringLiteral(" Distribution List Number: 301"));
}

} // namespace
