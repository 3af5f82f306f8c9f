// The dialog base: how a dialog starts, ends and reaches its controls.
#include "platform/mfc/dialog.h"

#include "modalrun.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

class SampleDlg : public CDialog {
public:
    explicit SampleDlg(bool focusSecond = false)
        : CDialog(146, QStringLiteral("Sample")), m_focusSecond(focusSecond)
    {
        auto *layout = new QVBoxLayout(this);
        auto *group = new QWidget(this);
        auto *inner = new QVBoxLayout(group);
        m_first = SetDlgCtrlID(new QLineEdit(group), 1216);
        m_second = SetDlgCtrlID(new QLineEdit(group), 1215);
        inner->addWidget(m_first);
        inner->addWidget(m_second);
        layout->addWidget(group);
        layout->addWidget(SetDlgCtrlID(new QCheckBox(QStringLiteral("Remember"), this), 1009));
        layout->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Previous"), this), 1222));
        layout->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Send"), this), IDOK));
        layout->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Done"), this), IDCANCEL));
    }

    QStringList m_log;
    QLineEdit *m_first;
    QLineEdit *m_second;

protected:
    bool OnInitDialog() override
    {
        m_log << QStringLiteral("init visible=%1").arg(isVisible());
        if (m_focusSecond) {
            m_second->setFocus();
            return false;
        }
        return true;
    }
    bool OnCommand(int id) override
    {
        m_log << QStringLiteral("command %1").arg(id);
        return CDialog::OnCommand(id);
    }
    void OnCancel() override
    {
        m_log << QStringLiteral("cancel");
        CDialog::OnCancel();
    }

private:
    bool m_focusSecond;
};

// A dialog nested in another (as a page is in its sheet) keeps its controls.
class NestedDlg : public CDialog {
public:
    explicit NestedDlg(QWidget *parent) : CDialog(131, parent)
    {
        setWindowFlags(Qt::Widget);
        SetDlgCtrlID(new QLineEdit(this), 1216);
        SetDlgCtrlID(new QLineEdit(this), 1226);
    }
};

} // namespace

TEST(Dialog, OkEndsTheModalRunWithIdOk)
{
    SampleDlg dialog;
    EXPECT_EQ(RunModal(dialog, {[&] { ClickDlgItem(dialog, IDOK); }}), IDOK);
    EXPECT_EQ(dialog.m_log, (QStringList{QStringLiteral("init visible=0"), QStringLiteral("command 1")}));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Dialog, EscapeAndTheCloseBoxGoThroughOnCancel)
{
    SampleDlg dialog;
    EXPECT_EQ(RunModal(dialog, {[&] { QTest::keyClick(&dialog, Qt::Key_Escape); }}), IDCANCEL);
    EXPECT_TRUE(dialog.m_log.contains(QStringLiteral("cancel")));

    SampleDlg closed;
    EXPECT_EQ(RunModal(closed, {[&] { closed.close(); }}), IDCANCEL);
    EXPECT_TRUE(closed.m_log.contains(QStringLiteral("cancel")));
}

TEST(Dialog, EnterPressesTheOkButton)
{
    SampleDlg dialog;
    EXPECT_EQ(RunModal(dialog, {[&] { QTest::keyClick(dialog.m_first, Qt::Key_Return); }}), IDOK);
}

// Enter on a push button holding the focus presses that button, from the
// main keyboard or the keypad, also where the button is no default one (as
// most of the suite's buttons are not); Enter on any other control presses
// the default button, OK.
struct EnterCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int focused; // the control holding the focus
    int pressed; // the button that Enter presses
};

void PrintTo(const EnterCase &c, std::ostream *out)
{
    *out << c.name;
}

class DialogEnter : public testing::TestWithParam<EnterCase> {};

TEST_P(DialogEnter, PressesTheFocusedPushButtonElseTheDefaultOne)
{
    const EnterCase &c = GetParam();
    SampleDlg dialog;
    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        button->setAutoDefault(false);
    const int result = RunModal(dialog, {[&] {
                                             dialog.activateWindow();
                                             QWidget *control = dialog.GetDlgItem(c.focused);
                                             control->setFocus();
                                             QTest::keyClick(control, c.key, c.modifiers);
                                         },
                                         [&] { dialog.EndDialog(99); }});
    const QStringList commands = dialog.m_log.filter(QStringLiteral("command "));
    ASSERT_FALSE(commands.isEmpty());
    EXPECT_EQ(commands.first(), QStringLiteral("command %1").arg(c.pressed));
    EXPECT_EQ(commands.size(), 1) << "one key, one press";
    EXPECT_EQ(result, c.pressed == 1222 ? 99 : c.pressed);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogEnter,
    testing::Values(EnterCase{"ReturnOnAButton", Qt::Key_Return, Qt::NoModifier, 1222, 1222},
                    EnterCase{"KeypadEnterOnAButton", Qt::Key_Enter, Qt::KeypadModifier, 1222, 1222},
                    EnterCase{"ReturnOnCancel", Qt::Key_Return, Qt::NoModifier, IDCANCEL, IDCANCEL},
                    EnterCase{"ReturnOnACheckBox", Qt::Key_Return, Qt::NoModifier, 1009, IDOK},
                    EnterCase{"ReturnInAnEdit", Qt::Key_Return, Qt::NoModifier, 1216, IDOK}),
    [](const testing::TestParamInfo<EnterCase> &info) { return std::string(info.param.name); });

// Alt with a button's mnemonic presses that button of the dialog holding the
// focus, before a shortcut of the window around it, and types nothing; a
// key no button of the dialog has is left to that window.
TEST(Dialog, AltWithAButtonsMnemonicPressesItBeforeTheWindowsShortcut)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    SampleDlg dialog;
    dialog.setParent(&window, Qt::Widget);
    layout->addWidget(&dialog);
    int menuPressed = 0;
    for (const char *key : {"Alt+P", "Alt+X"}) {
        auto *menu = new QAction(&window);
        menu->setShortcut(QKeySequence(QString::fromLatin1(key)));
        window.addAction(menu);
        QObject::connect(menu, &QAction::triggered, [&menuPressed] { ++menuPressed; });
    }
    dialog.Create(&window, WS_CHILD);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    dialog.m_first->setFocus();

    QTest::keyClick(dialog.m_first, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.m_log.contains(QStringLiteral("command 1222")); }));
    EXPECT_EQ(menuPressed, 0);
    EXPECT_TRUE(dialog.m_first->text().isEmpty());

    QTest::keyClick(dialog.m_first, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(menuPressed, 1) << "no button of the dialog has the mnemonic";

    dialog.GetDlgItem(1222)->setEnabled(false);
    QTest::keyClick(dialog.m_first, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(menuPressed, 2) << "a disabled button leaves the key to the window";
    EXPECT_EQ(dialog.m_log.count(QStringLiteral("command 1222")), 1);
    dialog.setParent(nullptr);
}

TEST(Dialog, EveryButtonClickReachesOnCommandWithItsId)
{
    SampleDlg dialog;
    EXPECT_EQ(RunModal(dialog, {[&] { ClickDlgItem(dialog, 1222); }, [&] { ClickDlgItem(dialog, 1009); },
                                [&] { dialog.EndDialog(42); }}),
              42);
    EXPECT_TRUE(dialog.m_log.contains(QStringLiteral("command 1222")));
    EXPECT_TRUE(dialog.m_log.contains(QStringLiteral("command 1009")));
}

TEST(Dialog, InitialFocusGoesToTheFirstControlUnlessInitPlacedIt)
{
    SampleDlg dialog;
    RunModal(dialog, {[&] {
                 EXPECT_EQ(dialog.focusWidget(), dialog.m_first);
                 dialog.EndDialog(IDOK);
             }});
    SampleDlg placed(true);
    RunModal(placed, {[&] {
                 EXPECT_EQ(placed.focusWidget(), placed.m_second);
                 placed.EndDialog(IDOK);
             }});
}

TEST(Dialog, EachRunInitialisesAgain)
{
    SampleDlg dialog;
    RunModal(dialog, {[&] { ClickDlgItem(dialog, IDOK); }});
    RunModal(dialog, {[&] { ClickDlgItem(dialog, IDOK); }});
    EXPECT_EQ(dialog.m_log.count(QStringLiteral("init visible=0")), 2);
    EXPECT_EQ(dialog.m_log.count(QStringLiteral("command 1")), 2)
        << "a button is tied once however often it runs";
}

TEST(Dialog, ControlsAreFoundByIdInsideContainersButNotInNestedDialogs)
{
    SampleDlg dialog;
    auto *nested = new NestedDlg(&dialog);
    EXPECT_EQ(dialog.GetDlgItem(1216), dialog.m_first);
    EXPECT_EQ(dialog.GetDlgItem<QLineEdit>(1215), dialog.m_second);
    EXPECT_EQ(dialog.GetDlgItem<QCheckBox>(1215), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(1226), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(0), nullptr);
    ASSERT_NE(nested->GetDlgItem(1216), nullptr);
    EXPECT_NE(nested->GetDlgItem(1216), dialog.m_first);
    EXPECT_EQ(GetDlgCtrlID(dialog.m_second), 1215);
    EXPECT_EQ(GetDlgCtrlID(&dialog), 0);

    dialog.SetDlgItemText(1216, QStringLiteral("set"));
    EXPECT_EQ(dialog.GetDlgItemText(1216), QStringLiteral("set"));
    EXPECT_EQ(dialog.GetDlgItemText(IDOK), QStringLiteral("&Send"));
    EXPECT_EQ(dialog.GetDialogId(), 146);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sample"));
}

TEST(Dialog, ModelessDialogShowsAndDestroysItself)
{
    class SelfOwned : public SampleDlg {
    public:
        explicit SelfOwned(bool *destroyed) : m_destroyed(destroyed) {}
        ~SelfOwned() override { *m_destroyed = true; }

    protected:
        void OnCancel() override { DestroyWindow(); }
        void PostNcDestroy() override { deleteLater(); }

    private:
        bool *m_destroyed;
    };
    bool destroyed = false;
    auto *dialog = new SelfOwned(&destroyed);
    ASSERT_TRUE(dialog->Create());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->m_log.value(0), QStringLiteral("init visible=0"));
    ClickDlgItem(*dialog, IDCANCEL);
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(destroyed);
}
