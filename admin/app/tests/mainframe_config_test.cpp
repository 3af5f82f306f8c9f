// The main frame's Configuration commands with the real configuration window,
// the simulator behind it: a page command opens the window once and shows
// that page, the page's menu entry is checked and its Configuration Tools
// button pressed, and closing the frame first asks the window about its
// changes.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/config/window/configpropframe.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/voiceportsppg.h"
#include "admin/widgets/spreadsheetex.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

class MainFrameConfiguration : public FrameTestBase {
protected:
    void SetUp() override
    {
        FrameTestBase::SetUp();
        m_server->loadConfiguration();
        m_server->setAccount("configadmin", "config-secret", 0x40000001u, "All");
        ASSERT_NO_FATAL_FAILURE(
            logInAndLoadFrame(QStringLiteral("configadmin"), QStringLiteral("config-secret")));
        m_frame->resize(1000, 720);
        m_frame->show();
        m_server->clearLog();
    }
    QList<QMdiSubWindow *> windows() const { return m_frame->MdiArea()->subWindowList(); }
    CConfigPropFrame *configWindow() const
    {
        for (QMdiSubWindow *window : windows())
            if (auto *frame = qobject_cast<CConfigPropFrame *>(window))
                return frame;
        return nullptr;
    }
    bool checked(int id) const
    {
        m_frame->UpdateCommandUI();
        return m_frame->CommandAction(id)->isChecked();
    }
    bool buttonPressed(int id) const
    {
        QAction *action = m_frame->CommandAction(id);
        auto *button = qobject_cast<QToolButton *>(m_frame->ConfigurationToolBar()->widgetForAction(action));
        return button && button->isChecked();
    }
    // Runs a command as a click on its Configuration Tools button.
    void clickButton(int id)
    {
        QAction *action = m_frame->CommandAction(id);
        QTest::mouseClick(m_frame->ConfigurationToolBar()->widgetForAction(action), Qt::LeftButton);
    }
};

TEST_F(MainFrameConfiguration, APageCommandOpensTheWindowOnceOnItsPage)
{
    clickButton(ID_CONFIG_VOICE_PORTS);
    ASSERT_TRUE(WaitFor([&] { return checked(ID_CONFIG_VOICE_PORTS); }));
    ASSERT_NE(configWindow(), nullptr);
    EXPECT_TRUE(buttonPressed(ID_CONFIG_VOICE_PORTS));
    EXPECT_FALSE(checked(ID_CONFIG_ANSWER_METHODS));
    CVoicePortsPpg *page = configWindow()->Sheet()->FindPage<CVoicePortsPpg>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Grid()->rowCount(), 96);
    const int reads = commands().size();
    EXPECT_GT(reads, 0) << "the configuration was read from the server";

    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
    QDir().mkpath(folder);
    m_frame->grab().save(folder + "/config-window-in-main-frame.png");

    // Open: the command only shows its page again; nothing more is read.
    clickButton(ID_CONFIG_VOICE_PORTS);
    QTest::qWait(50);
    EXPECT_EQ(windows().size(), 1);
    EXPECT_EQ(commands().size(), reads);
    EXPECT_TRUE(checked(ID_CONFIG_VOICE_PORTS));

    // Cancel closes it; the button goes up and the command opens it again.
    QTest::mouseClick(configWindow()->Sheet()->GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return configWindow() == nullptr; }));
    EXPECT_FALSE(checked(ID_CONFIG_VOICE_PORTS));
    EXPECT_FALSE(buttonPressed(ID_CONFIG_VOICE_PORTS));
    m_frame->OnCommand(ID_CONFIG_VOICE_PORTS);
    EXPECT_TRUE(WaitFor([&] { return configWindow() != nullptr && checked(ID_CONFIG_VOICE_PORTS); }));
}

// The part of the tab bar between its scroll arrows.
QRect tabsInView(QTabBar *tabs)
{
    QRect shown = tabs->rect();
    for (auto *arrow : tabs->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
        if (!arrow->isVisible())
            continue;
        if (arrow->geometry().center().x() < shown.center().x())
            shown.setLeft(std::max(shown.left(), arrow->geometry().right() + 1));
        else
            shown.setRight(std::min(shown.right(), arrow->geometry().left() - 1));
    }
    return shown;
}

// Brings tab `index` into view with the bar's arrows, as the user does.
void scrollToTab(QTabBar *tabs, int index)
{
    for (int step = 0; step < 2 * tabs->count() && !tabsInView(tabs).contains(tabs->tabRect(index)); ++step) {
        const bool left = tabs->tabRect(index).left() < tabsInView(tabs).left();
        auto *arrow = tabs->findChild<QToolButton *>(left ? "ScrollLeftButton" : "ScrollRightButton");
        ASSERT_NE(arrow, nullptr);
        QTest::mouseClick(arrow, Qt::LeftButton);
    }
}

// At admin's first frame size (two thirds of a 1280 x 1024 screen) the
// window lies within the frame's room with its buttons, and every page's
// tab can be clicked.
TEST_F(MainFrameConfiguration, TheWindowFitsTheFirstFrameSize)
{
    m_frame->resize(853, 682);
    clickButton(ID_CONFIG_INTEGRATION);
    ASSERT_TRUE(WaitFor([&] { return checked(ID_CONFIG_INTEGRATION); }));
    CConfigPropFrame *window = configWindow();
    ASSERT_NE(window, nullptr);
    QWidget *room = m_frame->MdiArea()->viewport();
    const auto inRoom = [room](QWidget *widget) {
        return widget && widget->isVisible() &&
               room->rect().contains(QRect(widget->mapTo(room, QPoint(0, 0)), widget->size()));
    };
    EXPECT_TRUE(room->rect().contains(window->geometry()))
        << window->width() << "x" << window->height() << " in " << room->width() << "x" << room->height();
    CConfigPropSheet *sheet = window->Sheet();
    for (int id : {int(IDOK), int(IDCANCEL), int(ID_APPLY_NOW), int(IDHELP)})
        EXPECT_TRUE(inRoom(sheet->GetDlgItem<QPushButton>(id))) << id;
    auto *tabs = sheet->findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 10);
    EXPECT_TRUE(inRoom(tabs));
    for (int index = 0; index < tabs->count(); ++index) {
        scrollToTab(tabs, index);
        ASSERT_TRUE(tabsInView(tabs).contains(tabs->tabRect(index))) << index;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        EXPECT_EQ(sheet->GetActiveIndex(), index);
        EXPECT_TRUE(inRoom(sheet->GetActivePage())) << index;
        EXPECT_TRUE(SaveScreenshot(m_frame.get(),
                                   QStringLiteral("config-window-first-frame-size-%1.png").arg(index)));
    }
    QTest::mouseClick(sheet->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return configWindow() == nullptr; }));
}

// The window is resized and maximised like any other; on every page, also
// the tallest, its tabs and buttons stay in sight and only the page's
// content scrolls. Each page is opened by its Configuration Tools button.
TEST_F(MainFrameConfiguration, TabsAndButtonsStayInSightOnEveryPageAtTheFirstSizeAndMaximised)
{
    m_frame->resize(853, 682);
    const int commandsInTabOrder[] = {ID_CONFIG_INTEGRATION,  ID_CONFIG_ANSWER_METHODS, ID_CONFIG_VOICE_PORTS,
                                      ID_CONFIG_SERIAL_PORTS, ID_CONFIG_NOTIFY_GROUPS,  ID_CONFIG_STAT_GROUPS,
                                      ID_CONFIG_IVR_HOSTS,    ID_CONFIG_HOLIDAYS,       ID_CONFIG_SCHEDULER,
                                      ID_CONFIG_LANGUAGE};
    clickButton(ID_CONFIG_SERIAL_PORTS);
    ASSERT_TRUE(WaitFor([&] { return checked(ID_CONFIG_SERIAL_PORTS); }));
    CConfigPropFrame *window = configWindow();
    ASSERT_NE(window, nullptr);
    CConfigPropSheet *sheet = window->Sheet();
    QWidget *room = m_frame->MdiArea()->viewport();
    QWidget *view = window->widget();
    ASSERT_NE(view, nullptr);
    const auto inSight = [&](QWidget *widget) {
        if (!widget || !widget->isVisible())
            return false;
        const QRect inRoom(widget->mapTo(room, QPoint(0, 0)), widget->size());
        const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
        const QRect windowInRoom(window->mapTo(room, QPoint(0, 0)), window->size());
        return room->rect().contains(inRoom) && window->rect().contains(inWindow) &&
               room->rect().contains(windowInRoom);
    };
    const auto checkEveryPage = [&](const QString &shotName) {
        for (int index = 0; index < 10; ++index) {
            SCOPED_TRACE(index);
            clickButton(commandsInTabOrder[index]);
            ASSERT_TRUE(WaitFor([&] { return sheet->GetActiveIndex() == index; }));
            for (int id : {int(IDOK), int(IDCANCEL), int(ID_APPLY_NOW), int(IDHELP)})
                EXPECT_TRUE(inSight(sheet->GetDlgItem<QPushButton>(id))) << id;
            EXPECT_TRUE(inSight(sheet->findChild<QTabBar *>()));
            EXPECT_TRUE(SaveScreenshot(m_frame.get(), shotName.arg(index)));
        }
    };
    checkEveryPage(QStringLiteral("config-window-first-size-page-%1.png"));

    // Maximised with a double click on its title bar, as the user does.
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const QPoint title(window->width() / 2, titleBar / 2);
    QTest::mouseMove(window, title);
    QTest::mouseDClick(window, Qt::LeftButton, {}, title);
    ASSERT_TRUE(WaitFor([&] { return window->isMaximized(); }));
    checkEveryPage(QStringLiteral("config-window-maximised-page-%1.png"));

    // Back to its size, and smaller by the user's hand: still nothing but a
    // page scrolls.
    window->showNormal();
    window->resize(window->minimumSizeHint());
    checkEveryPage(QStringLiteral("config-window-least-size-page-%1.png"));
}

TEST_F(MainFrameConfiguration, ClosingTheFrameAsksTheWindowFirst)
{
    m_frame->OnCommand(ID_CONFIG_VOICE_PORTS);
    ASSERT_TRUE(WaitFor([&] { return checked(ID_CONFIG_VOICE_PORTS); }));
    CVoicePortsPpg *page = configWindow()->Sheet()->FindPage<CVoicePortsPpg>();
    page->Grid()->item(3, 1)->setText("3004");
    ASSERT_TRUE(configWindow()->Sheet()->IsApplyEnabled());
    m_server->clearLog();

    m_boxes->answer(IDYES);
    m_frame->close();
    ASSERT_TRUE(WaitFor([&] { return !m_frame->isVisible(); }));
    EXPECT_EQ(m_boxes->texts(),
              QStringList({"You are about to close the configuration window.\n Do you save your "
                           "changes to VerbantaES server before closing the window?"}));
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent[0].contains("ConfigSetString Line4 {3004 Support} 1"));
}

TEST_F(MainFrameConfiguration, AWindowThatStaysKeepsTheFrameOpen)
{
    m_server->refuseVariable("Line4");
    m_frame->OnCommand(ID_CONFIG_VOICE_PORTS);
    ASSERT_TRUE(WaitFor([&] { return checked(ID_CONFIG_VOICE_PORTS); }));
    configWindow()->Sheet()->FindPage<CVoicePortsPpg>()->Grid()->item(3, 1)->setText("3004");

    m_boxes->answer({IDYES, IDOK});
    m_frame->close();
    QTest::qWait(200);
    EXPECT_TRUE(m_frame->isVisible());
    ASSERT_NE(configWindow(), nullptr);
    EXPECT_EQ(m_boxes->texts().size(), 2);
    EXPECT_EQ(m_boxes->texts().value(1), "Server reported error while updating configuration 'Line4'.\n\n"
                                         "Not stored: Line4.\nStored: none.\n\nWhat was not stored stays in "
                                         "the window: correct it or write it again.");

    // Asked again, the window closes without saving and so does the frame.
    m_boxes->answer(IDNO);
    m_frame->close();
    EXPECT_TRUE(WaitFor([&] { return !m_frame->isVisible(); }));
}

} // namespace
