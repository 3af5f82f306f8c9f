// The menu manager against real Qt menus offscreen: images by command id from
// the toolbar strips, shortcut texts from the accelerator table, items given
// back their own texts, other components' items left alone, mnemonics.
#include "admin/app/coolmenumanager.h"

#include "admin/app/commandids.h"
#include "admin/app/commandtable.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QWidgetAction>

#include <gtest/gtest.h>

namespace {

constexpr uint8_t kCtrl = CAccelerator::VirtualKey | CAccelerator::Control;
// A command of the test menus that the frame does not have.
constexpr int kSaveCommand = 57603;

QImage stripSlice(const QString &strip, int position)
{
    return QImage(strip).copy(position * 16, 0, 16, 15).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage imageOf(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A frame with one File menu holding commands with and without keys.
class MenuFrame {
public:
    MenuFrame()
    {
        m_file = m_frame.menuBar()->addMenu(QStringLiteral("&File"));
        m_save = addCommand(QStringLiteral("&Save"), kSaveCommand);
        m_mailbox = addCommand(QStringLiteral("&Mailbox"), ID_EDIT_UA_MAILBOX);
        m_exit = addCommand(QStringLiteral("E&xit"), ID_APP_EXIT);
    }

    QAction *addCommand(const QString &text, int id)
    {
        QAction *action = m_file->addAction(text);
        SetCommandId(action, id);
        return action;
    }

    void openAndClose(QMenu *menu)
    {
        menu->popup(QPoint(10, 10));
        m_textsWhileOpen.clear();
        for (QAction *action : menu->actions())
            m_textsWhileOpen.append(action->text());
        menu->hide();
    }

    QMainWindow m_frame;
    QMenu *m_file;
    QAction *m_save;
    QAction *m_mailbox;
    QAction *m_exit;
    QStringList m_textsWhileOpen;
};

TEST(CoolMenuManager, LoadsOneImagePerButtonOfBothToolbars)
{
    CCoolMenuManager manager;
    ASSERT_TRUE(manager.LoadToolbars({IDR_MAINFRAME, IDR_CONFIG_TOOLBAR}));
    EXPECT_EQ(manager.Toolbars(), (QList<int>{IDR_MAINFRAME, IDR_CONFIG_TOOLBAR}));
    EXPECT_EQ(manager.BitmapSize(), QSize(16, 15));
    EXPECT_EQ(manager.ButtonSize(), QSize(20, 19));
    EXPECT_FALSE(manager.CommandImage(ID_EDIT_UA_MAILBOX).isNull());
    EXPECT_FALSE(manager.CommandImage(ID_VOICE_PORT_STATUS).isNull());
    EXPECT_FALSE(manager.CommandImage(ID_CONFIG_WIZARD).isNull());
    EXPECT_TRUE(manager.CommandImage(ID_APP_EXIT).isNull());
}

TEST(CoolMenuManager, ImagesFollowButtonPositionsPastSeparators)
{
    CCoolMenuManager manager;
    ASSERT_TRUE(manager.LoadToolbars({IDR_MAINFRAME, IDR_CONFIG_TOOLBAR}));
    const QString strip191 = QStringLiteral(":/admin/icons/toolbar191.png");
    EXPECT_EQ(imageOf(manager.CommandImage(ID_VOICE_PORT_STATUS)),
              stripSlice(QStringLiteral(":/admin/icons/toolbar120.png"), 1));
    EXPECT_EQ(imageOf(manager.CommandImage(ID_CONFIG_WIZARD)), stripSlice(strip191, 0));
    EXPECT_EQ(imageOf(manager.CommandImage(ID_CONFIG_INTEGRATION)), stripSlice(strip191, 1));
    EXPECT_EQ(imageOf(manager.CommandImage(ID_SYSTEM_PARAMETERS)), stripSlice(strip191, 11));
}

TEST(CoolMenuManager, RefusesAnUnknownToolbar)
{
    CCoolMenuManager manager;
    EXPECT_FALSE(manager.LoadToolbar(4711));
    EXPECT_TRUE(manager.Toolbars().isEmpty());
}

TEST(CoolMenuManager, RefreshReloadsTheImagesOfEveryToolbar)
{
    CCoolMenuManager manager;
    ASSERT_TRUE(manager.LoadToolbars({IDR_MAINFRAME, IDR_CONFIG_TOOLBAR}));
    QAction button(QStringLiteral("Mailbox"));
    SetCommandId(&button, ID_EDIT_UA_MAILBOX);
    manager.ApplyImage(&button);
    const qint64 before = manager.CommandImage(ID_EDIT_UA_MAILBOX).cacheKey();
    EXPECT_EQ(button.icon().cacheKey(), before);

    manager.Refresh();

    EXPECT_EQ(manager.Toolbars(), (QList<int>{IDR_MAINFRAME, IDR_CONFIG_TOOLBAR}));
    const qint64 after = manager.CommandImage(ID_EDIT_UA_MAILBOX).cacheKey();
    EXPECT_NE(after, before);
    EXPECT_EQ(button.icon().cacheKey(), after);
    EXPECT_FALSE(manager.CommandImage(ID_SYSTEM_PARAMETERS).isNull());
}

TEST(CoolMenuManager, OpenPopupShowsImagesAndShortcutsAndClosedOneGivesTextsBack)
{
    MenuFrame frame;
    const CAcceleratorTable table({{kCtrl, Qt::Key_S, kSaveCommand}});
    CCoolMenuManager manager;
    manager.SetAcceleratorTable(&table);
    ASSERT_TRUE(manager.LoadToolbar(IDR_MAINFRAME));
    manager.Install(&frame.m_frame);

    frame.openAndClose(frame.m_file);

    EXPECT_EQ(frame.m_textsWhileOpen, (QStringList{QStringLiteral("&Save\tCtrl+S"),
                                                   QStringLiteral("&Mailbox\t"), QStringLiteral("E&xit\t")}));
    EXPECT_FALSE(frame.m_mailbox->icon().isNull());
    EXPECT_TRUE(frame.m_exit->icon().isNull());
    EXPECT_EQ(frame.m_save->text(), QStringLiteral("&Save"));
    EXPECT_EQ(frame.m_mailbox->text(), QStringLiteral("&Mailbox"));
}

TEST(CoolMenuManager, CommandOnTwoKeysShowsBothInTableOrder)
{
    MenuFrame frame;
    const CAcceleratorTable table({{kCtrl, Qt::Key_S, kSaveCommand},
                                   {kCtrl, Qt::Key_N, ID_FILE_NEW},
                                   {CAccelerator::VirtualKey, Qt::Key_F12, kSaveCommand}});
    CCoolMenuManager manager;
    manager.SetAcceleratorTable(&table);
    manager.Install(&frame.m_frame);

    frame.openAndClose(frame.m_file);

    EXPECT_EQ(frame.m_textsWhileOpen.value(0), QStringLiteral("&Save\tCtrl+S, F12"));
}

TEST(CoolMenuManager, ReadsANewAcceleratorTableAtTheNextPopup)
{
    MenuFrame frame;
    const CAcceleratorTable first({{kCtrl, Qt::Key_S, kSaveCommand}});
    const CAcceleratorTable second(
        {{CAccelerator::VirtualKey | CAccelerator::Shift, Qt::Key_F2, kSaveCommand}});
    CCoolMenuManager manager;
    manager.SetAcceleratorTable(&first);
    manager.Install(&frame.m_frame);
    frame.openAndClose(frame.m_file);
    ASSERT_EQ(frame.m_textsWhileOpen.value(0), QStringLiteral("&Save\tCtrl+S"));

    manager.SetAcceleratorTable(&second);
    frame.openAndClose(frame.m_file);

    EXPECT_EQ(frame.m_textsWhileOpen.value(0), QStringLiteral("&Save\tShift+F2"));
}

TEST(CoolMenuManager, ReplacesAShortcutTextTheItemAlreadyHad)
{
    MenuFrame frame;
    frame.m_save->setText(QStringLiteral("&Save\tOld+Key"));
    const CAcceleratorTable table({{kCtrl, Qt::Key_S, kSaveCommand}});
    CCoolMenuManager manager;
    manager.SetAcceleratorTable(&table);
    manager.Install(&frame.m_frame);

    frame.openAndClose(frame.m_file);

    EXPECT_EQ(frame.m_textsWhileOpen.value(0), QStringLiteral("&Save\tCtrl+S"));
    EXPECT_EQ(frame.m_save->text(), QStringLiteral("&Save"));
}

TEST(CoolMenuManager, LeavesOtherComponentsItemsAlone)
{
    MenuFrame frame;
    QAction *foreign = frame.m_file->addAction(QStringLiteral("&Foreign\tF9"));
    auto *drawn = new QWidgetAction(frame.m_file);
    drawn->setDefaultWidget(new QLabel(QStringLiteral("Drawn by its owner")));
    SetCommandId(drawn, ID_EDIT_UA_MAILBOX);
    frame.m_file->addAction(drawn);
    const CAcceleratorTable table({{kCtrl, Qt::Key_S, kSaveCommand}});
    CCoolMenuManager manager;
    manager.SetAcceleratorTable(&table);
    ASSERT_TRUE(manager.LoadToolbar(IDR_MAINFRAME));
    manager.Install(&frame.m_frame);

    frame.openAndClose(frame.m_file);

    EXPECT_EQ(frame.m_textsWhileOpen.value(3), QStringLiteral("&Foreign\tF9"));
    EXPECT_EQ(foreign->text(), QStringLiteral("&Foreign\tF9"));
    EXPECT_TRUE(drawn->icon().isNull());
}

TEST(CoolMenuManager, WithoutButtonsNothingIsConverted)
{
    MenuFrame frame;
    const CAcceleratorTable table({{kCtrl, Qt::Key_S, kSaveCommand}});
    CCoolMenuManager manager;
    manager.SetAcceleratorTable(&table);
    ASSERT_TRUE(manager.LoadToolbar(IDR_MAINFRAME));
    manager.SetShowButtons(false);
    manager.Install(&frame.m_frame);

    frame.openAndClose(frame.m_file);

    EXPECT_EQ(frame.m_textsWhileOpen.value(0), QStringLiteral("&Save"));
    EXPECT_TRUE(frame.m_mailbox->icon().isNull());
}

TEST(CoolMenuManager, SubmenusAreTakenOverToo)
{
    MenuFrame frame;
    QMenu *submenu = frame.m_file->addMenu(QStringLiteral("&More"));
    QAction *inner = submenu->addAction(QStringLiteral("&New"));
    SetCommandId(inner, ID_FILE_NEW);
    const CAcceleratorTable table({{kCtrl, Qt::Key_N, ID_FILE_NEW}});
    CCoolMenuManager manager;
    manager.SetAcceleratorTable(&table);
    manager.Install(&frame.m_frame);

    frame.openAndClose(submenu);

    EXPECT_EQ(frame.m_textsWhileOpen.value(0), QStringLiteral("&New\tCtrl+N"));
}

TEST(CoolMenuManager, SameMnemonicTwiceSelectsInTurnAndEnterRunsTheSelectedOne)
{
    MenuFrame frame;
    QAction *send = frame.addCommand(QStringLiteral("&Send"), ID_FILE_NEW);
    CCoolMenuManager manager;
    manager.Install(&frame.m_frame);
    QSignalSpy saved(frame.m_save, &QAction::triggered);
    QSignalSpy sent(send, &QAction::triggered);

    frame.m_file->popup(QPoint(10, 10));
    QTest::keyClick(frame.m_file, Qt::Key_S);
    EXPECT_EQ(frame.m_file->activeAction(), frame.m_save);
    QTest::keyClick(frame.m_file, Qt::Key_S);
    EXPECT_EQ(frame.m_file->activeAction(), send);
    QTest::keyClick(frame.m_file, Qt::Key_Return);

    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(sent.count(), 1);
}

struct AcceleratorTextCase {
    CAccelerator entry;
    const char *text;
};

class AcceleratorText : public ::testing::TestWithParam<AcceleratorTextCase> {};

TEST_P(AcceleratorText, NamesModifiersInTheirOrderThenTheKey)
{
    EXPECT_EQ(GetParam().entry.text(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    CoolMenuManager, AcceleratorText,
    ::testing::Values(AcceleratorTextCase{{kCtrl, Qt::Key_S, kSaveCommand}, "Ctrl+S"},
                      AcceleratorTextCase{{CAccelerator::VirtualKey, Qt::Key_F1, ID_HELP}, "F1"},
                      AcceleratorTextCase{{CAccelerator::VirtualKey | CAccelerator::Alt |
                                               CAccelerator::Control | CAccelerator::Shift,
                                           Qt::Key_Delete, ID_FILE_CLOSE},
                                          "Alt+Ctrl+Shift+Del"},
                      AcceleratorTextCase{{CAccelerator::Alt, 'x', ID_APP_EXIT}, "Alt+x"}));

} // namespace
