// The main frame's System Parameters and Run IVR Alias commands against the
// demo data: System Parameters opens a new window with its own session each
// time (from the command and from File New), Run IVR Alias keeps one
// Register IVR Alias window.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/newtypedlg.h"
#include "admin/app/startupappsdlg.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/config/params/configsystemparamchildwnd.h"
#include "admin/config/params/configsystemparamleftview.h"
#include "admin/widgets/spreadsheet.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class MainFrameParams : public FrameTestBase {
protected:
    void SetUp() override
    {
        FrameTestBase::SetUp();
        m_oldFolder = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        QFile help("admincv.tcl");
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.write("set sys_tmo_menu {How long a menu waits for the caller's key, in milliseconds.}\n");
        help.close();
        ASSERT_NO_FATAL_FAILURE(logInAndLoadFrame(QStringLiteral("admin"), QStringLiteral("admin")));
        m_frame->resize(1000, 640);
        m_frame->show();
        m_server->clearLog();
    }
    void TearDown() override
    {
        FrameTestBase::TearDown();
        QDir::setCurrent(m_oldFolder);
    }
    int parameterWindows() const
    {
        int count = 0;
        for (QMdiSubWindow *window : m_frame->MdiArea()->subWindowList())
            count += qobject_cast<CConfigSystemParamChildWnd *>(window) != nullptr;
        return count;
    }

    QString m_oldFolder;
};

TEST_F(MainFrameParams, EachUseOpensANewWindowWithItsOwnSession)
{
    m_frame->UpdateCommandUI();
    ASSERT_TRUE(m_frame->CommandAction(ID_SYSTEM_PARAMETERS)->isEnabled());
    const int links = m_server->connectionCount();
    m_frame->CommandAction(ID_SYSTEM_PARAMETERS)->trigger();
    m_frame->CommandAction(ID_SYSTEM_PARAMETERS)->trigger();
    EXPECT_EQ(parameterWindows(), 2);
    EXPECT_EQ(m_server->connectionCount(), links + 2);
    // The hide list is asked on the application's session, once a window.
    EXPECT_EQ(m_server->commandTexts().count("set hide_list\r"), 2);
    const QString folder =
        qEnvironmentVariable("VERBANTA_BINARY_DIR", QCoreApplication::applicationDirPath()) +
        QStringLiteral("/screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_frame->grab().save(folder + "/sysparams_mainframe.png"));
}

// Maximised, the window's close box is in the main window's menu bar; it is
// greyed there too while a cell is edited, and closes nothing.
TEST_F(MainFrameParams, TheMenuBarsCloseBoxOfAMaximisedWindowIsGreyedWhileACellIsEdited)
{
    m_frame->CommandAction(ID_SYSTEM_PARAMETERS)->trigger();
    QPointer<CConfigSystemParamChildWnd> window =
        qobject_cast<CConfigSystemParamChildWnd *>(m_frame->MdiArea()->activeSubWindow());
    ASSERT_TRUE(window);
    window->showMaximized();
    ASSERT_TRUE(WaitFor([&] { return window->MenuBarButtons() != nullptr; }));
    QWidget *buttons = window->MenuBarButtons();
    // Clicked where the user sees it: the click goes to what lies there.
    const QPoint closeBox =
        buttons->mapTo(m_frame.get(), CConfigSystemParamChildWnd::MenuBarCloseBoxRect(buttons).center());

    CSpreadSheet *grid = window->LeftView()->Grid();
    grid->setCurrentCell(0, 1);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->IsEditing());
    QCoreApplication::processEvents();
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("sysparams_maximised_close_box_greyed.png")));
    QTest::mouseClick(m_frame->windowHandle(), Qt::LeftButton, {}, closeBox);
    QTest::qWait(50);
    ASSERT_TRUE(window);
    EXPECT_TRUE(grid->IsEditing());

    QPointer<QWidget> editor = grid->viewport()->findChild<QWidget *>();
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !editor; }));
    QTest::mouseClick(m_frame->windowHandle(), Qt::LeftButton, {}, closeBox);
    EXPECT_TRUE(WaitFor([&] { return !window; }));
}

TEST_F(MainFrameParams, FileNewOffersSystemParametersAndOpensIt)
{
    m_dialogs.on<CNewTypeDlg>([](CNewTypeDlg *dialog) {
        auto *types = dialog->GetDlgItem<QListWidget>(CNewTypeDlg::IDC_TYPES);
        const QList<QListWidgetItem *> found = types->findItems("System Parameters", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(types->viewport(), Qt::LeftButton, {},
                          types->visualItemRect(found.first()).center());
        QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_frame->CommandAction(ID_FILE_NEW)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(parameterWindows(), 1);
}

TEST_F(MainFrameParams, RunIvrAliasKeepsOneWindow)
{
    m_frame->UpdateCommandUI();
    ASSERT_TRUE(m_frame->CommandAction(ID_RUN_IVR_ALIAS)->isEnabled());
    m_frame->CommandAction(ID_RUN_IVR_ALIAS)->trigger();
    m_frame->CommandAction(ID_RUN_IVR_ALIAS)->trigger();
    const QList<QWidget *> tops = QApplication::topLevelWidgets();
    int shown = 0;
    QPointer<CStartupAppsDlg> dialog;
    for (QWidget *widget : tops)
        if (auto *startup = qobject_cast<CStartupAppsDlg *>(widget); startup && startup->isVisible()) {
            ++shown;
            dialog = startup;
        }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(m_server->commandTexts().count("GetAliasList"), 1);
    ASSERT_TRUE(dialog);
    QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return dialog.isNull(); }));
    m_frame->CommandAction(ID_RUN_IVR_ALIAS)->trigger();
    EXPECT_EQ(m_server->commandTexts().count("GetAliasList"), 2);
}

} // namespace
