// The main frame's agent list commands: each opens its kind's list window,
// keeps one at a time, and opens a new one once it is closed; the same for
// the IVR alias editor.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/uatools/agents/configamisuadlg.h"
#include "admin/uatools/agents/configvpimuseragentsdlg.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/createuseragentdlg.h"
#include "admin/uatools/agents/directsenduadlg.h"
#include "admin/uatools/aliases/ivraliaseditordlg.h"
#include "admin/uatools/agents/ivruseragentsdlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

class MainFrameAgentLists : public FrameTestBase {
protected:
    void SetUp() override
    {
        FrameTestBase::SetUp();
        ASSERT_NO_FATAL_FAILURE(logInAndLoadFrame(QStringLiteral("admin"), QStringLiteral("admin")));
        m_frame->show();
        m_server->clearLog();
    }
    template <class Window> static QList<Window *> shown()
    {
        QList<Window *> found;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
                found.append(window);
        return found;
    }
    template <class Window> void opensOneAtATime(int command, const char *caption, int firstRow)
    {
        SCOPED_TRACE(caption);
        m_server->clearLog();
        m_frame->UpdateCommandUI();
        ASSERT_TRUE(m_frame->CommandAction(command)->isEnabled());
        m_frame->CommandAction(command)->trigger();
        m_frame->CommandAction(command)->trigger();
        const QList<Window *> windows = shown<Window>();
        ASSERT_EQ(windows.size(), 1);
        QPointer<Window> window = windows.first();
        EXPECT_TRUE(WaitFor([&] { return !window->IsFilling(); }));
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(caption));
        EXPECT_EQ(m_server->commandTexts().filter(QRegularExpression("^ParmsForUAType")).size(), 1);
        EXPECT_EQ(window->List()->topLevelItem(0)->text(0), QString::number(firstRow));
        QTest::mouseClick(window->template GetDlgItem<QPushButton>(CUserAgentListDlg::IDC_CLOSE),
                          Qt::LeftButton);
        EXPECT_TRUE(WaitFor([&] { return window.isNull(); }));
        m_frame->CommandAction(command)->trigger();
        EXPECT_EQ(m_server->commandTexts().filter(QRegularExpression("^ParmsForUAType")).size(), 2);
        ASSERT_EQ(shown<Window>().size(), 1);
        window = shown<Window>().first();
        QTest::mouseClick(window->template GetDlgItem<QPushButton>(CUserAgentListDlg::IDC_CLOSE),
                          Qt::LeftButton);
        EXPECT_TRUE(WaitFor([&] { return window.isNull(); }));
    }
};

TEST_F(MainFrameAgentLists, EachListCommandKeepsOneWindowOfItsKind)
{
    opensOneAtATime<CIvrUserAgentsDlg>(ID_EDIT_UA_IVR, "Edit IVR User Agents", 400);
    opensOneAtATime<CDirectSendFaxUADlg>(ID_EDIT_UA_DS_FAX, "Edit Direct Send Fax User Agents", 540);
    opensOneAtATime<CDirectSendVoiceUADlg>(ID_EDIT_UA_DS_VOICE, "Edit Direct Send Voice User Agents", 530);
    opensOneAtATime<CConfigVpimUserAgentsDlg>(ID_EDIT_UA_VPIM_GATEWAY, "Configure VPIM Gateway User Agents",
                                              520);
    opensOneAtATime<CConfigVpimUserAgentsDlg>(ID_EDIT_UA_VPIM_PROXY, "Configure VPIM Proxy User Agents", 521);
    opensOneAtATime<CConfigAmisUADlg>(ID_EDIT_UA_AMIS_PROXY, "Configure AMIS Proxy User Agents", 510);
}

TEST_F(MainFrameAgentLists, AmisGatewayListKeepsTheNodeListAndOneWindow)
{
    // The demo has no node list: the first window writes it, and says so
    // when it closes.
    m_boxes->answer(IDOK);
    opensOneAtATime<CConfigAmisUADlg>(ID_EDIT_UA_AMIS_GATEWAY, "Configure AMIS Gateway User Agents", 500);
    EXPECT_EQ(m_server->commandTexts().filter(QRegularExpression("^ConfigSetString")),
              QStringList{"ConfigSetString sys_remote_amis_node_list {500} 1"});
    EXPECT_EQ(m_boxes->texts().size(), 1);
}

TEST_F(MainFrameAgentLists, GatewayAndProxyListsAreSeparateWindows)
{
    m_frame->CommandAction(ID_EDIT_UA_VPIM_GATEWAY)->trigger();
    m_frame->CommandAction(ID_EDIT_UA_VPIM_PROXY)->trigger();
    EXPECT_EQ(shown<CConfigVpimUserAgentsDlg>().size(), 2);
}

TEST_F(MainFrameAgentLists, EditIvrAliasKeepsOneWindow)
{
    m_frame->UpdateCommandUI();
    ASSERT_TRUE(m_frame->CommandAction(ID_EDIT_IVR_ALIAS)->isEnabled());
    m_frame->CommandAction(ID_EDIT_IVR_ALIAS)->trigger();
    m_frame->CommandAction(ID_EDIT_IVR_ALIAS)->trigger();
    ASSERT_EQ(shown<CIvrAliasEditorDlg>().size(), 1);
    EXPECT_EQ(m_server->commandTexts().count("GetAliasList"), 1);
    QPointer<CIvrAliasEditorDlg> editor = shown<CIvrAliasEditorDlg>().first();
    QTest::mouseClick(editor->GetDlgItem<QPushButton>(CIvrAliasEditorDlg::IDC_CLOSE), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return editor.isNull(); }));
    m_frame->CommandAction(ID_EDIT_IVR_ALIAS)->trigger();
    EXPECT_EQ(m_server->commandTexts().count("GetAliasList"), 2);
}

TEST_F(MainFrameAgentLists, CreatingIvrAgentsShowsThemInTheIvrList)
{
    m_dialogs.on<CCreateUserAgentDlg>([](CCreateUserAgentDlg *d) {
        d->GetDlgItem<QLineEdit>(CCreateUserAgentDlg::IDC_RANGE)->setText("410-411");
        QTimer::singleShot(0, d,
                           [d] { QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton); });
    });
    m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *p) {
        EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
        QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_frame->CommandAction(ID_CREATE_UA_IVR)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    const QList<CIvrUserAgentsDlg *> lists = shown<CIvrUserAgentsDlg>();
    ASSERT_EQ(lists.size(), 1);
    EXPECT_TRUE(WaitFor([&] { return !lists.first()->IsFilling(); }));
    QStringList numbers;
    for (int i = 0; i < lists.first()->List()->topLevelItemCount(); ++i)
        numbers.append(lists.first()->List()->topLevelItem(i)->text(0));
    EXPECT_EQ(numbers, (QStringList{"400", "401", "402", "410", "411"}));
}

} // namespace
