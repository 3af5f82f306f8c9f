// The three menu resources: the places the frame greys by position, what
// each rights level's menu holds, and that every item and toolbar button
// names a command of the command table.
#include "admin/app/menuresource.h"

#include "admin/app/commandids.h"
#include "admin/app/commandtable.h"
#include "admin/app/toolbarresource.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

class LoadedMenu {
public:
    explicit LoadedMenu(int menuId)
    {
        m_loaded = CMenuResource::Load(menuId, &m_bar, [this](int id) { return actionFor(id); });
    }

    QAction *actionFor(int id)
    {
        std::unique_ptr<QAction> &action = m_actions[id];
        if (!action) {
            const CommandEntry *entry = CCommandTable::Find(id);
            EXPECT_NE(entry, nullptr) << "command " << id << " has no entry";
            action = std::make_unique<QAction>(entry ? QString::fromUtf8(entry->text) : QString());
            SetCommandId(action.get(), id);
        }
        return action.get();
    }

    QStringList topTitles() const
    {
        QStringList titles;
        for (QAction *top : m_bar.actions())
            titles.append(top->text());
        return titles;
    }

    QMenu *top(int position) const { return m_bar.actions().value(position)->menu(); }
    bool holds(int id) const { return m_actions.count(id) != 0; }

    bool m_loaded = false;
    std::map<int, std::unique_ptr<QAction>> m_actions; // outlive the bar's menus
    QMenuBar m_bar;
};

class EveryMenu : public ::testing::TestWithParam<int> {};

TEST_P(EveryMenu, KeepsTheMenusTheFrameGreysByPosition)
{
    LoadedMenu menu(GetParam());
    ASSERT_TRUE(menu.m_loaded);
    EXPECT_EQ(menu.topTitles(), (QStringList{"&File", "&Edit", "&Configuration", "&Reports", "&Tools",
                                             "&View", "&Window", "&Help"}));
    QAction *reportOption2 =
        menu.top(CMenuResource::ReportsMenu)->actions().value(CMenuResource::ReportOption2Position);
    ASSERT_NE(reportOption2, nullptr);
    EXPECT_EQ(reportOption2->text(), QStringLiteral("Report Option&2"));
    ASSERT_NE(reportOption2->menu(), nullptr);
    EXPECT_EQ(menu.top(CMenuResource::ConfigurationMenu)->actions().value(0),
              menu.actionFor(ID_CONFIG_WIZARD));
}

TEST_P(EveryMenu, HoldsEveryToolbarCommand)
{
    LoadedMenu menu(GetParam());
    for (int toolbar : {IDR_MAINFRAME, IDR_CONFIG_TOOLBAR}) {
        const std::optional<CToolBarResource> resource = CToolBarResource::Find(toolbar);
        ASSERT_TRUE(resource);
        for (int id : resource->commands) {
            if (id != 0) {
                EXPECT_TRUE(menu.holds(id)) << "toolbar command " << id;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(MenuResource, EveryMenu,
                         ::testing::Values(IDR_MAINFRAME, IDR_MENU_ADMINISTRATOR, IDR_MENU_DEPARTMENT),
                         [](const auto &info) { return std::to_string(info.param); });

struct LevelCase {
    int menuId;
    bool tclSession;
    bool configurationToolbar;
};

class MenuOfLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(MenuOfLevel, LeavesOutWhatNeverWorksAtThatLevel)
{
    LoadedMenu menu(GetParam().menuId);
    EXPECT_EQ(menu.holds(ID_TCL_SESSION), GetParam().tclSession);
    EXPECT_EQ(menu.holds(ID_VIEW_CONFIG_TOOLBAR), GetParam().configurationToolbar);
    EXPECT_TRUE(menu.holds(ID_DATE_TIME));
    EXPECT_TRUE(menu.holds(ID_SHUTDOWN));
    EXPECT_TRUE(menu.holds(ID_CONNECT_TO_SERVER));
}

INSTANTIATE_TEST_SUITE_P(MenuResource, MenuOfLevel,
                         ::testing::Values(LevelCase{IDR_MAINFRAME, true, true},
                                           LevelCase{IDR_MENU_ADMINISTRATOR, false, true},
                                           LevelCase{IDR_MENU_DEPARTMENT, false, false}),
                         [](const auto &info) { return std::to_string(info.param.menuId); });

TEST(MenuResource, RefusesAnUnknownMenuAndLeavesTheBarAsItWas)
{
    LoadedMenu menu(IDR_MAINFRAME);
    EXPECT_FALSE(CMenuResource::Exists(4711));
    EXPECT_FALSE(CMenuResource::Load(4711, &menu.m_bar, [&](int id) { return menu.actionFor(id); }));
    EXPECT_EQ(menu.topTitles().size(), 8);
}

TEST(MenuResource, LoadingAgainReplacesTheMenus)
{
    LoadedMenu menu(IDR_MAINFRAME);
    ASSERT_TRUE(
        CMenuResource::Load(IDR_MENU_DEPARTMENT, &menu.m_bar, [&](int id) { return menu.actionFor(id); }));
    EXPECT_EQ(menu.topTitles().size(), 8);
    bool tclShown = false;
    for (QAction *top : menu.m_bar.actions())
        for (QAction *item : top->menu()->actions())
            tclShown = tclShown || CommandIdOf(item) == ID_TCL_SESSION;
    EXPECT_FALSE(tclShown);
}

} // namespace
