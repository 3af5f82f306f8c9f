// The mailbox editor's and the voice-port status window's frames inside a
// main window, with real widgets offscreen: the main frame's Configuration
// menu that each greys when it is activated, for the accounts the rule
// names, and the program's icon the port status window shows.
#include "admin/ports/chanviewframe.h"
#include "admin/ports/portstatusdoc.h"
#include "admin/res/applicationicon.h"
#include "admin/useragents/admindoc.h"
#include "admin/useragents/childframe.h"
#include "admin/widgets/configurationmenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct RightsCase {
    const char *name;
    uint32_t rights;
    bool greyed;
};

const RightsCase kRightsCases[] = {
    {"LevelTwentyWithoutConfiguration", 0x20000000u, true},
    {"LevelTwentyWithOtherPermissionsOnly", 0x200000FEu, true},
    {"LevelTwentyWithConfiguration", 0x20000001u, false},
    {"LevelForty", 0x40000000u, false},
    {"TopLevel", 0x80000000u, false},
    {"DepartmentLevel", 0x10000000u, false},
    {"OtherTopByte", 0x21000000u, false},
};

CAdminDoc::Account accountWith(uint32_t rights)
{
    return CAdminDoc::Account{[](long) { return true; }, rights >= 0x20000000u, rights};
}

// A main window with the top-level menus of admin's frame and an MDI area
// holding one editor window and one port status window.
class FramesInMainWindow : public testing::TestWithParam<RightsCase> {
protected:
    void SetUp() override
    {
        for (const char *title :
             {"&File", "&Edit", "&Configuration", "&Reports", "&Tools", "&View", "&Window", "&Help"})
            m_main.menuBar()->addMenu(QString::fromLatin1(title));
        m_area = new QMdiArea(&m_main);
        m_main.setCentralWidget(m_area);
        m_main.resize(900, 600);
        const uint32_t rights = GetParam().rights;
        m_editor = new CChildFrame(std::make_unique<CAdminDoc>(accountWith(rights)), nullptr);
        m_ports = new CChanviewFrame(std::make_unique<CPortStatusDoc>(accountWith(rights)));
        m_area->addSubWindow(m_editor);
        m_area->addSubWindow(m_ports);
        m_main.show();
        m_editor->show();
        m_ports->show();
    }

    // Every menu usable again, then the window activated afresh.
    void activate(QMdiSubWindow *frame)
    {
        m_area->setActiveSubWindow(nullptr);
        for (QAction *menu : m_main.menuBar()->actions())
            menu->setEnabled(true);
        m_area->setActiveSubWindow(frame);
        ASSERT_EQ(m_area->activeSubWindow(), frame);
    }
    QList<bool> enabledMenus() const
    {
        QList<bool> enabled;
        for (QAction *menu : m_main.menuBar()->actions())
            enabled.append(menu->isEnabled());
        return enabled;
    }

    QMainWindow m_main;
    QMdiArea *m_area = nullptr;
    CChildFrame *m_editor = nullptr;
    CChanviewFrame *m_ports = nullptr;
};

TEST_P(FramesInMainWindow, ActivationGreysTheConfigurationMenuOnlyForTheRestrictedAccount)
{
    const bool greyed = GetParam().greyed;
    EXPECT_EQ(IsConfigurationMenuGreyed(GetParam().rights), greyed);
    const QList<bool> expected{true, true, !greyed, true, true, true, true, true};
    activate(m_editor);
    EXPECT_EQ(enabledMenus(), expected) << "mailbox editor";
    activate(m_ports);
    EXPECT_EQ(enabledMenus(), expected) << "voice-port status";
}

INSTANTIATE_TEST_SUITE_P(Rights, FramesInMainWindow, testing::ValuesIn(kRightsCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ChanviewFrame, ShowsTheProgramsSmallIcon)
{
    CChanviewFrame frame(std::make_unique<CPortStatusDoc>(accountWith(0x20000000u)));
    const QImage expected = QIcon(QStringLiteral(":/admin/icons/admin16.png")).pixmap(16).toImage();
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(frame.windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_EQ(frame.windowIcon().pixmap(16).toImage(), expected);
}

TEST(ConfigurationMenu, OutsideAMainWindowNothingHappens)
{
    QWidget lone;
    GreyConfigurationMenu(&lone, 0x20000000u);
    GreyConfigurationMenu(nullptr, 0x20000000u);
    QMainWindow withoutMenus;
    GreyConfigurationMenu(&withoutMenus, 0x20000000u);
    EXPECT_EQ(withoutMenus.menuWidget(), nullptr);
}

} // namespace
