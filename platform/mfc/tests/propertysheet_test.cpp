// Property sheets: the order in which pages are asked, the three buttons, the
// Apply button's state, and pages that outlive or die before their sheet.
#include "platform/mfc/propertypage.h"
#include "platform/mfc/propertysheet.h"

#include "modalrun.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// A page that writes every call the sheet makes into a shared log and can be
// told to refuse.
class LoggingPage : public CPropertyPage {
public:
    LoggingPage(const QString &name, QStringList *log, int dialogId = 131)
        : CPropertyPage(dialogId, name), m_name(name), m_log(log)
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(SetDlgCtrlID(new QLineEdit(this), 1226));
        layout->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Lock"), this), 32835));
        layout->addStretch();
    }

    bool m_refuseKill = false;
    bool m_refuseApply = false;
    bool m_refuseCancel = false;

protected:
    bool OnInitDialog() override { return record(QStringLiteral("init"), CPropertyPage::OnInitDialog()); }
    bool OnSetActive() override { return record(QStringLiteral("setactive"), CPropertyPage::OnSetActive()); }
    bool OnKillActive() override { return record(QStringLiteral("killactive"), !m_refuseKill); }
    bool OnApply() override { return record(QStringLiteral("apply"), !m_refuseApply); }
    bool OnQueryCancel() override { return record(QStringLiteral("querycancel"), !m_refuseCancel); }
    void OnReset() override { record(QStringLiteral("reset"), true); }
    bool OnCommand(int id) override { return record(QStringLiteral("command %1").arg(id), true); }

private:
    bool record(const QString &call, bool result)
    {
        *m_log << m_name + QLatin1Char(' ') + call;
        return result;
    }

    QString m_name;
    QStringList *m_log;
};

class SheetFixture : public ::testing::Test {
protected:
    SheetFixture()
    {
        for (const char *name : {"options", "menus", "info"}) {
            m_pages.push_back(std::make_unique<LoggingPage>(QString::fromLatin1(name), &m_log));
            m_sheet.AddPage(m_pages.back().get());
        }
    }
    QPushButton *applyButton() { return m_sheet.GetDlgItem<QPushButton>(ID_APPLY_NOW); }
    QTabWidget *tabs() { return m_sheet.findChild<QTabWidget *>(); }
    LoggingPage &page(int index) { return *m_pages.at(index); }

    QStringList m_log;
    // Declared before the sheet: the sheet goes first and leaves them alone.
    std::vector<std::unique_ptr<LoggingPage>> m_pages;
    CPropertySheet m_sheet{QStringLiteral("Mailbox")};
};

} // namespace

TEST_F(SheetFixture, PagesAreMadeWhenFirstShownAndAskedInOrder)
{
    const int result =
        RunModal(m_sheet, {[&] { tabs()->setCurrentIndex(1); }, [&] { tabs()->setCurrentIndex(0); },
                           [&] { ClickDlgItem(m_sheet, IDOK); }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_log, (QStringList{"options init", "options setactive", "options killactive", "menus init",
                                  "menus setactive", "menus killactive", "options setactive",
                                  "options killactive", "options apply", "menus apply"}))
        << "the info page never shown has no window and is not applied";
    EXPECT_FALSE(page(2).HasWindow());
}

TEST_F(SheetFixture, StartsOnTheChosenPage)
{
    CPropertySheet sheet(QStringLiteral("Mailbox"), nullptr, 2);
    LoggingPage first(QStringLiteral("first"), &m_log);
    LoggingPage chosen(QStringLiteral("chosen"), &m_log);
    sheet.AddPage(&first);
    sheet.AddPage(&chosen);
    RunModal(sheet, {[&] {
                 EXPECT_EQ(sheet.GetActivePage(), &chosen) << "a start page past the end is the last page";
                 ClickDlgItem(sheet, IDCANCEL);
             }});
    EXPECT_FALSE(first.HasWindow());
}

TEST_F(SheetFixture, APageThatRefusesToBeLeftStaysShown)
{
    page(0).m_refuseKill = true;
    RunModal(m_sheet, {[&] { tabs()->setCurrentIndex(2); },
                       [&] {
                           EXPECT_EQ(tabs()->currentIndex(), 0);
                           EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
                           EXPECT_FALSE(m_sheet.SetActivePage(1));
                           ClickDlgItem(m_sheet, IDOK);
                       },
                       [&] {
                           EXPECT_TRUE(m_sheet.isVisible()) << "OK asks the active page first";
                           page(0).m_refuseKill = false;
                           ClickDlgItem(m_sheet, IDOK);
                       }});
    EXPECT_FALSE(page(2).HasWindow());
}

TEST_F(SheetFixture, APageThatRefusesItsChangesIsShownAndTheSheetStays)
{
    page(0).m_refuseApply = true;
    RunModal(m_sheet, {[&] { m_sheet.SetActivePage(1); }, [&] { ClickDlgItem(m_sheet, IDOK); },
                       [&] {
                           EXPECT_TRUE(m_sheet.isVisible());
                           EXPECT_EQ(m_sheet.GetActivePage(), &page(0));
                           m_sheet.EndDialog(IDCANCEL);
                       }});
    EXPECT_FALSE(m_log.contains(QStringLiteral("menus apply")));
}

struct PageKeyCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int from;
    int to;
};

class SheetPageKeys : public SheetFixture, public testing::WithParamInterface<PageKeyCase> {};

// Typed in a page's edit, as under an administrator's hand: the key turns
// the page, and the focus goes into the page shown.
TEST_P(SheetPageKeys, TurnThePagesFromInsideThePage)
{
    const PageKeyCase &c = GetParam();
    RunModal(m_sheet, {[&] {
                           m_sheet.activateWindow();
                           ASSERT_TRUE(m_sheet.SetActivePage(c.from));
                           QWidget *edit = page(c.from).GetDlgItem(1226);
                           edit->setFocus();
                           QTest::keyClick(edit, c.key, c.modifiers);
                       },
                       [&] {
                           EXPECT_EQ(m_sheet.GetActiveIndex(), c.to);
                           EXPECT_EQ(tabs()->currentIndex(), c.to);
                           EXPECT_EQ(QApplication::focusWidget(), page(c.to).GetDlgItem(1226));
                           ClickDlgItem(m_sheet, IDCANCEL);
                       }});
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SheetPageKeys,
    testing::Values(PageKeyCase{"CtrlPageDown", Qt::Key_PageDown, Qt::ControlModifier, 0, 1},
                    PageKeyCase{"CtrlPageDownFromTheLast", Qt::Key_PageDown, Qt::ControlModifier, 2, 0},
                    PageKeyCase{"CtrlPageUp", Qt::Key_PageUp, Qt::ControlModifier, 2, 1},
                    PageKeyCase{"CtrlPageUpFromTheFirst", Qt::Key_PageUp, Qt::ControlModifier, 0, 2},
                    PageKeyCase{"CtrlTab", Qt::Key_Tab, Qt::ControlModifier, 1, 2},
                    PageKeyCase{"CtrlShiftTab", Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 1, 0},
                    PageKeyCase{"CtrlBacktab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0, 2}),
    [](const testing::TestParamInfo<PageKeyCase> &info) { return std::string(info.param.name); });

TEST_F(SheetFixture, APageThatRefusesToBeLeftStaysShownUnderThePageKeys)
{
    page(0).m_refuseKill = true;
    RunModal(m_sheet, {[&] {
                           m_sheet.activateWindow();
                           QWidget *edit = page(0).GetDlgItem(1226);
                           edit->setFocus();
                           QTest::keyClick(edit, Qt::Key_PageDown, Qt::ControlModifier);
                       },
                       [&] {
                           EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
                           EXPECT_EQ(tabs()->currentIndex(), 0);
                           page(0).m_refuseKill = false;
                           ClickDlgItem(m_sheet, IDCANCEL);
                       }});
    EXPECT_FALSE(page(1).HasWindow());
}

TEST_F(SheetFixture, ApplyIsEnabledWhileAPageHoldsChanges)
{
    RunModal(m_sheet, {[&] {
                           EXPECT_FALSE(applyButton()->isEnabled());
                           page(0).SetModified(true);
                           EXPECT_TRUE(applyButton()->isEnabled());
                           page(0).SetModified(false);
                           EXPECT_FALSE(applyButton()->isEnabled());
                           page(0).SetModified();
                           m_log.clear();
                           ClickDlgItem(m_sheet, ID_APPLY_NOW);
                       },
                       [&] {
                           EXPECT_TRUE(m_sheet.isVisible()) << "Apply keeps the sheet open";
                           EXPECT_FALSE(applyButton()->isEnabled());
                           EXPECT_FALSE(page(0).IsModified());
                           ClickDlgItem(m_sheet, IDCANCEL);
                       }});
    EXPECT_EQ(m_log,
              (QStringList{"options killactive", "options apply", "options querycancel", "options reset"}));
}

TEST_F(SheetFixture, CancelAsksTheActivePageThenResetsEveryMadePage)
{
    page(1).m_refuseCancel = true;
    const int result =
        RunModal(m_sheet, {[&] { m_sheet.SetActivePage(1); }, [&] { ClickDlgItem(m_sheet, IDCANCEL); },
                           [&] {
                               EXPECT_TRUE(m_sheet.isVisible());
                               page(1).m_refuseCancel = false;
                               m_log.clear();
                               ClickDlgItem(m_sheet, IDCANCEL);
                           }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(m_log, (QStringList{"menus querycancel", "options reset", "menus reset"}));
}

TEST_F(SheetFixture, ButtonsOfAPageReachThePage)
{
    RunModal(m_sheet, {[&] {
                 ClickDlgItem(page(0), 32835);
                 ClickDlgItem(m_sheet, IDCANCEL);
             }});
    EXPECT_TRUE(m_log.contains(QStringLiteral("options command 32835")));
    EXPECT_EQ(m_sheet.GetDlgItem(1226), nullptr) << "a page's controls are the page's";
    EXPECT_NE(page(0).GetDlgItem(1226), nullptr);
}

// Enter on a button holding the focus presses it, the sheet's Apply as well
// as a page's own button, and leaves the sheet open; OK is not pressed.
TEST_F(SheetFixture, EnterOnAFocusedButtonPressesItNotOk)
{
    RunModal(m_sheet, {[&] {
                           m_sheet.activateWindow();
                           page(0).SetModified();
                           m_log.clear();
                           applyButton()->setFocus();
                           QTest::keyClick(applyButton(), Qt::Key_Return);
                       },
                       [&] {
                           EXPECT_TRUE(m_sheet.isVisible());
                           EXPECT_TRUE(m_log.contains(QStringLiteral("options apply")));
                           QWidget *lock = page(0).GetDlgItem(32835);
                           lock->setFocus();
                           QTest::keyClick(lock, Qt::Key_Enter, Qt::KeypadModifier);
                       },
                       [&] {
                           EXPECT_TRUE(m_sheet.isVisible());
                           EXPECT_EQ(m_log.count(QStringLiteral("options command 32835")), 1);
                           ClickDlgItem(m_sheet, IDCANCEL);
                       }});
    EXPECT_EQ(m_sheet.result(), IDCANCEL);
}

namespace {

// A sheet with a button of its own in the row, added when it initialises,
// as the mailbox editor adds Refresh, Reset and Delete.
class SheetWithExtraButton : public CPropertySheet {
public:
    static constexpr int IDC_EXTRA = 1281;
    using CPropertySheet::CPropertySheet;
    QStringList commands;

protected:
    bool OnInitDialog() override
    {
        CPropertySheet::OnInitDialog();
        auto *extra = SetDlgCtrlID(new QPushButton(QStringLiteral("&Refresh"), this), IDC_EXTRA);
        buttonRow()->insertWidget(0, extra);
        return true;
    }
    bool OnCommand(int id) override
    {
        commands << QString::number(id);
        return CPropertySheet::OnCommand(id);
    }
};

} // namespace

TEST(PropertySheet, OneClickOnAnyButtonIsOneCommand)
{
    QStringList log;
    LoggingPage counted(QStringLiteral("options"), &log);
    SheetWithExtraButton sheet(QStringLiteral("Mailbox"));
    sheet.AddPage(&counted);
    ASSERT_TRUE(sheet.Create());
    for (int id : {SheetWithExtraButton::IDC_EXTRA, int(ID_APPLY_NOW)}) {
        auto *button = sheet.GetDlgItem<QPushButton>(id);
        ASSERT_NE(button, nullptr) << id;
        button->setEnabled(true);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QTest::mouseClick(counted.GetDlgItem<QPushButton>(32835), Qt::LeftButton);
    EXPECT_EQ(sheet.commands, (QStringList{"1281", QString::number(ID_APPLY_NOW)}));
    EXPECT_EQ(log.count(QStringLiteral("options command 32835")), 1);
}

TEST_F(SheetFixture, ModelessSheetRunsTheSameWay)
{
    ASSERT_TRUE(m_sheet.Create());
    EXPECT_TRUE(m_sheet.isVisible());
    EXPECT_EQ(m_log, (QStringList{"options init", "options setactive"}));
    page(0).SetModified();
    ClickDlgItem(m_sheet, ID_APPLY_NOW);
    EXPECT_TRUE(m_sheet.isVisible());
    EXPECT_TRUE(m_log.contains(QStringLiteral("options apply")));
    ClickDlgItem(m_sheet, IDOK);
    EXPECT_FALSE(m_sheet.isVisible());
    EXPECT_EQ(m_sheet.result(), IDOK);
}

TEST(PropertySheet, PagesMayDieBeforeOrAfterTheSheet)
{
    QStringList log;
    auto before = std::make_unique<LoggingPage>(QStringLiteral("before"), &log);
    {
        CPropertySheet sheet(QStringLiteral("Sheet"));
        auto *gone = new LoggingPage(QStringLiteral("gone"), &log);
        sheet.AddPage(before.get());
        sheet.AddPage(gone);
        delete gone;
        EXPECT_EQ(sheet.GetPageCount(), 1);
        EXPECT_EQ(sheet.GetPage(1), nullptr);
        EXPECT_TRUE(sheet.SetActivePage(0));
    }
    EXPECT_EQ(before->parent(), nullptr) << "the sheet handed its page back";
}

namespace {

// A wizard step that offers the buttons it is given and answers Back, Next
// and Finish as told.
class WizardStep : public LoggingPage {
public:
    WizardStep(int dialogId, const QString &name, QStringList *log, UINT buttons)
        : LoggingPage(name, log, dialogId), m_buttons(buttons)
    {
    }
    LRESULT m_next = 0;
    bool m_finish = true;

protected:
    bool OnSetActive() override
    {
        GetParentSheet()->SetWizardButtons(m_buttons);
        return LoggingPage::OnSetActive();
    }
    LRESULT OnWizardNext() override { return m_next; }
    bool OnWizardFinish() override { return m_finish; }

private:
    UINT m_buttons;
};

class Wizard : public ::testing::Test {
protected:
    Wizard()
    {
        m_steps.push_back(std::make_unique<WizardStep>(1, QStringLiteral("welcome"), &m_log, PSWIZB_NEXT));
        m_steps.push_back(
            std::make_unique<WizardStep>(2, QStringLiteral("ports"), &m_log, PSWIZB_BACK | PSWIZB_NEXT));
        m_steps.push_back(
            std::make_unique<WizardStep>(3, QStringLiteral("finish"), &m_log, PSWIZB_BACK | PSWIZB_FINISH));
        for (auto &step : m_steps)
            m_sheet.AddPage(step.get());
        m_sheet.SetWizardMode();
    }
    bool shown(int id) { return m_sheet.GetDlgItem(id)->isVisibleTo(&m_sheet); }
    bool enabled(int id) { return m_sheet.GetDlgItem(id)->isEnabled(); }

    QStringList m_log;
    std::vector<std::unique_ptr<WizardStep>> m_steps;
    CPropertySheet m_sheet{QStringLiteral("Configuration Wizard")};
};

} // namespace

TEST_F(Wizard, StepsForwardAndBackAndEndsWithFinish)
{
    m_steps[1]->setWindowTitle(QStringLiteral("Configuration Wizard - Set Up Voice Ports"));
    const int result =
        RunModal(m_sheet, {[&] {
                               EXPECT_FALSE(shown(IDOK));
                               EXPECT_FALSE(shown(ID_APPLY_NOW));
                               EXPECT_FALSE(enabled(ID_WIZBACK));
                               EXPECT_TRUE(enabled(ID_WIZNEXT));
                               EXPECT_FALSE(shown(ID_WIZFINISH));
                               ClickDlgItem(m_sheet, ID_WIZNEXT);
                           },
                           [&] {
                               EXPECT_EQ(m_sheet.windowTitle(),
                                         QStringLiteral("Configuration Wizard - Set Up Voice Ports"));
                               EXPECT_TRUE(enabled(ID_WIZBACK));
                               ClickDlgItem(m_sheet, ID_WIZBACK);
                           },
                           [&] {
                               EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
                               ClickDlgItem(m_sheet, ID_WIZNEXT);
                               ClickDlgItem(m_sheet, ID_WIZNEXT);
                           },
                           [&] {
                               EXPECT_TRUE(shown(ID_WIZFINISH));
                               EXPECT_FALSE(shown(ID_WIZNEXT));
                               ClickDlgItem(m_sheet, ID_WIZFINISH);
                           }});
    EXPECT_EQ(result, ID_WIZFINISH);
    EXPECT_EQ(result, 12325);
    EXPECT_EQ(m_log,
              (QStringList{"welcome init", "welcome setactive", "welcome killactive", "ports init",
                           "ports setactive", "ports killactive", "welcome setactive", "welcome killactive",
                           "ports setactive", "ports killactive", "finish init", "finish setactive"}));
}

// The steps' captions become the window title, not tabs: long ones must not
// make the wizard as wide as all of them together.
TEST(WizardSize, LongStepCaptionsDoNotWidenTheWizard)
{
    QStringList log;
    std::vector<std::unique_ptr<WizardStep>> steps;
    CPropertySheet sheet(QStringLiteral("Configuration Wizard"));
    for (int id = 1; id <= 4; ++id) {
        steps.push_back(std::make_unique<WizardStep>(id, QStringLiteral("step"), &log, PSWIZB_NEXT));
        steps.back()->setWindowTitle(QStringLiteral("Configuration Wizard - A Step With A Long Caption %1").arg(id));
        sheet.AddPage(steps.back().get());
    }
    sheet.SetWizardMode();
    const int oneCaption = sheet.fontMetrics().horizontalAdvance(steps.front()->windowTitle());
    EXPECT_LT(sheet.sizeHint().width(), 2 * oneCaption);
}

TEST_F(Wizard, APageCanHoldTheStepOrJumpToAnother)
{
    m_steps[0]->m_next = -1;
    m_steps[2]->m_finish = false;
    const int result = RunModal(m_sheet, {[&] { ClickDlgItem(m_sheet, ID_WIZNEXT); },
                                          [&] {
                                              EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
                                              m_steps[0]->m_next = 3;
                                              ClickDlgItem(m_sheet, ID_WIZNEXT);
                                          },
                                          [&] {
                                              EXPECT_EQ(m_sheet.GetActiveIndex(), 2)
                                                  << "Next went to dialog 3";
                                              EXPECT_FALSE(m_steps[1]->HasWindow());
                                              ClickDlgItem(m_sheet, ID_WIZFINISH);
                                          },
                                          [&] {
                                              EXPECT_TRUE(m_sheet.isVisible()) << "the page held the Finish";
                                              ClickDlgItem(m_sheet, IDCANCEL);
                                          }});
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(Wizard, HelpButtonReachesTheSheet)
{
    class HelpSheet : public CPropertySheet {
    public:
        HelpSheet() : CPropertySheet(QStringLiteral("Configuration Wizard")) {}
        bool m_help = false;

    protected:
        bool OnCommand(int id) override
        {
            m_help = m_help || id == IDHELP;
            return CPropertySheet::OnCommand(id);
        }
    };
    HelpSheet sheet;
    EXPECT_FALSE(sheet.GetDlgItem(IDHELP)->isVisibleTo(&sheet));
    sheet.ShowHelpButton(true);
    EXPECT_TRUE(sheet.GetDlgItem(IDHELP)->isVisibleTo(&sheet));
    RunModal(sheet, {[&] {
                 ClickDlgItem(sheet, IDHELP);
                 ClickDlgItem(sheet, IDCANCEL);
             }});
    EXPECT_TRUE(sheet.m_help);
}
