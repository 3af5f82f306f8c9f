// The AMIS agent list against the simulator's demo company (gateway 500,
// proxy 510): what it lists, how it keeps the gateways' node list, and that
// its session ends however the window goes.
#include "admin/testsupport/uatoolstestbase.h"

#include "admin/uatools/agents/configamisuadlg.h"
#include "admin/session/tcllist.h"
#include "admin/uatools/agents/amisuseragentdlg.h"
#include "platform/msgbox/messageboxscript.h"

#include <QPointer>
#include <QTreeWidget>

#include <functional>

namespace {

const char kRestart[] = "Changes to the AMIS gateway configuration require the restart\n"
                        "of the VerbantaES server.  Remember to restart the server.";

class ConfigAmisUADlgTest : public UAToolsTestBase {
protected:
    CLoginCredentials login() const { return CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"}; }
    QPointer<CConfigAmisUADlg> open(const QString &type)
    {
        auto *dialog = new CConfigAmisUADlg(*m_session, login(), type, "AMIS_GATEWAY", "AMIS_PROXY");
        dialog->Create();
        EXPECT_TRUE(WaitFor([dialog] { return !dialog->IsFilling(); }));
        return QPointer<CConfigAmisUADlg>(dialog);
    }
    static QStringList numbers(CConfigAmisUADlg *dialog)
    {
        QStringList texts;
        for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i)
            texts.append(dialog->List()->topLevelItem(i)->text(0));
        return texts;
    }
    static void select(CConfigAmisUADlg *dialog, const QString &number)
    {
        QTreeWidget *list = dialog->List();
        const QList<QTreeWidgetItem *> found = list->findItems(number, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << number.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    }
    QString nodeList() const
    {
        return m_session->Execute(QStringLiteral("if {[info exists sys_remote_amis_node_list]} "
                                                 "{set sys_remote_amis_node_list} else {set x MISSING}"));
    }
    void closeByButton(CConfigAmisUADlg *dialog)
    {
        QPointer<CConfigAmisUADlg> guard(dialog);
        click(dialog, CUserAgentListDlg::IDC_CLOSE);
        EXPECT_TRUE(WaitFor([&] { return guard.isNull(); }));
    }
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &box : m_boxes->transcript())
            texts.push_back(box.text.toStdString());
        return texts;
    }
};

TEST_F(ConfigAmisUADlgTest, ListsEachKindWithoutTheRootsAndTitlesByMode)
{
    m_simulator->seed(QStringLiteral("ua 501 -parent 2147483644 {&Comment {Second {office}}}\n"
                                     "var sys_remote_amis_node_list {501 500}"));
    struct Case {
        const char *type;
        CConfigAmisUADlg::Mode mode;
        const char *title;
        QStringList numbers;
    } cases[] = {
        {"AMIS_GATEWAY", CConfigAmisUADlg::ModeGateway, "Configure AMIS Gateway User Agents", {"500", "501"}},
        {"AMIS_PROXY", CConfigAmisUADlg::ModeProxy, "Configure AMIS Proxy User Agents", {"510", "511"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        m_simulator->clearLog();
        QPointer<CConfigAmisUADlg> dialog = open(c.type);
        EXPECT_EQ(dialog->GetMode(), c.mode);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(numbers(dialog), c.numbers);
        EXPECT_FALSE(dialog->GetDlgItem(CUserAgentListDlg::IDC_MODIFY)->isEnabled());
        // The same numbers in another order are the same list.
        EXPECT_TRUE(received("ConfigSetString").isEmpty());
        screenshot(dialog, QStringLiteral("configamisua_%1.png").arg(QString::fromLatin1(c.type).toLower()));
        closeByButton(dialog);
    }
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(ConfigAmisUADlgTest, OpeningWithoutANodeListWritesTheGateways)
{
    ASSERT_EQ(nodeList(), "MISSING");
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
    EXPECT_EQ(received("ConfigSetString"), QStringList{"ConfigSetString sys_remote_amis_node_list {500} 1"});
    EXPECT_TRUE(dialog->GatewayChanged());
    m_boxes->answer(IDOK);
    closeByButton(dialog);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kRestart});
    connectSession();
    EXPECT_EQ(nodeList(), "500");
}

TEST_F(ConfigAmisUADlgTest, WindowDestroyedByItsOwnerStillRemindsOfTheRestart)
{
    const int before = m_simulator->connectionCount();
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
    ASSERT_TRUE(dialog->GatewayChanged());
    m_boxes->answer(IDOK);
    delete dialog.data();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kRestart});
    EXPECT_TRUE(WaitFor([&] { return m_simulator->connectionCount() == before; }));
}

TEST_F(ConfigAmisUADlgTest, NoGatewaysAndANewListWriteNothing)
{
    ASSERT_FALSE(IsErrorReply(m_session->Execute(QStringLiteral("DeleteUA 500"))));
    m_simulator->clearLog();
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
    EXPECT_EQ(dialog->List()->topLevelItemCount(), 0);
    EXPECT_TRUE(received("ConfigSetString").isEmpty());
    EXPECT_FALSE(dialog->GatewayChanged());
    closeByButton(dialog);
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(ConfigAmisUADlgTest, ModifyEditsTheAgentAndShowsItsNewComment)
{
    m_simulator->seed(QStringLiteral("var sys_remote_amis_node_list 500"));
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
    // Values that would be code if they were not quoted.
    for (const QString &value :
         {QStringLiteral("a[exec x]$y"), QStringLiteral("}"), QStringLiteral("Main office")}) {
        SCOPED_TRACE(value.toStdString());
        m_simulator->clearLog();
        select(dialog, "500");
        m_dialogs.on<CAmisUserAgentDlg>([&value](CAmisUserAgentDlg *edit) {
            EXPECT_EQ(edit->windowTitle(), "Edit AMIS Gateway User Agent");
            if (value == "Main office")
                screenshot(edit, QStringLiteral("configamisua_modify.png"));
            type(edit->GetDlgItem<QLineEdit>(CMessagingAgentDlg::IDC_COMMENT), value);
            click(edit, IDOK);
        });
        click(dialog.data(), CUserAgentListDlg::IDC_MODIFY);
        EXPECT_EQ(m_dialogs.pending(), 0);
        EXPECT_EQ(received("UpdateUA").size(), 1);
        EXPECT_EQ(received("GetUAPropertyInfo"), QStringList{"GetUAPropertyInfo 500 &Comment"});
        EXPECT_EQ(dialog->List()->findItems("500", Qt::MatchExactly).first()->text(1), value);
        QStringList info;
        CTclList().SplitList(m_session->Execute(QStringLiteral("GetUAPropertyInfo 500 &Comment")), info);
        EXPECT_EQ(info.value(1), value);
    }
    closeByButton(dialog);
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(ConfigAmisUADlgTest, DeletingAGatewayRewritesTheNodeList)
{
    m_simulator->seed(QStringLiteral("ua 501 -parent 2147483644 {&Comment Second}\n"
                                     "var sys_remote_amis_node_list {500 501}"));
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
    ASSERT_TRUE(received("ConfigSetString").isEmpty());
    select(dialog, "500");
    m_boxes->answer(IDYES);
    click(dialog.data(), CUserAgentListDlg::IDC_DELETE);
    EXPECT_EQ(received("DeleteUA"), QStringList{"DeleteUA 500"});
    EXPECT_EQ(received("ConfigSetString"), QStringList{"ConfigSetString sys_remote_amis_node_list {501} 1"});
    EXPECT_EQ(numbers(dialog), QStringList{"501"});
    m_boxes->answer(IDOK);
    closeByButton(dialog);
    const auto shown = m_boxes->transcript();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Are you sure you would like to remove User Agent 500?");
    EXPECT_EQ(shown[1].text, kRestart);
}

TEST_F(ConfigAmisUADlgTest, DeleteWithTheSelectionTakenBackDeletesNothing)
{
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_PROXY");
    select(dialog, "510");
    QTreeWidget *list = dialog->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->findItems("510", Qt::MatchExactly).first()).center());
    ASSERT_TRUE(list->selectedItems().isEmpty());
    EXPECT_TRUE(dialog->GetDlgItem(CUserAgentListDlg::IDC_DELETE)->isEnabled());
    m_boxes->answer(IDOK);
    click(dialog.data(), CUserAgentListDlg::IDC_DELETE);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"No User Agent to be deleted"});
    EXPECT_TRUE(received("DeleteUA").isEmpty());
    EXPECT_EQ(numbers(dialog), (QStringList{"510", "511"}));
    closeByButton(dialog);
}

TEST_F(ConfigAmisUADlgTest, DeletingAProxyNeverTouchesTheNodeList)
{
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_PROXY");
    select(dialog, "510");
    m_boxes->answer(IDYES);
    click(dialog.data(), CUserAgentListDlg::IDC_DELETE);
    EXPECT_EQ(received("DeleteUA"), QStringList{"DeleteUA 510"});
    EXPECT_EQ(numbers(dialog), QStringList{"511"});
    closeByButton(dialog);
    EXPECT_TRUE(received("ConfigSetString").isEmpty());
    EXPECT_EQ(m_boxes->transcript().size(), 1u);
}

TEST_F(ConfigAmisUADlgTest, RefusedListLeavesTheNodeListAlone)
{
    m_simulator->seed(QStringLiteral("var sys_remote_amis_node_list {500 777}"));
    m_simulator->failCommand(QStringLiteral("ParmsForUAType"), QStringLiteral("database busy"));
    m_boxes->answer(IDOK);
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
    EXPECT_TRUE(received("ConfigSetString").isEmpty());
    ASSERT_EQ(m_boxes->transcript().size(), 1u);
    EXPECT_TRUE(m_boxes->transcript().front().text.contains("database busy"));
    closeByButton(dialog);
    connectSession();
    EXPECT_EQ(nodeList(), "500 777");
}

TEST_F(ConfigAmisUADlgTest, RefusedNodeListWriteIsNamedAndNeedsNoRestart)
{
    m_simulator->refuseVariable(QStringLiteral("sys_remote_amis_node_list"), QStringLiteral("read-only"));
    m_boxes->answer(IDOK);
    QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(dialog->GatewayChanged());
    ASSERT_EQ(m_boxes->transcript().size(), 1u);
    const QString text = m_boxes->transcript().front().text;
    EXPECT_TRUE(text.contains("AMIS node list could not be written")) << text.toStdString();
    EXPECT_TRUE(text.contains("read-only")) << text.toStdString();
    closeByButton(dialog);
    EXPECT_EQ(m_boxes->transcript().size(), 1u);
}

TEST_F(ConfigAmisUADlgTest, SessionEndsAsExpectedHoweverTheWindowCloses)
{
    m_simulator->seed(QStringLiteral("var sys_remote_amis_node_list 500"));
    const std::pair<const char *, std::function<void(CConfigAmisUADlg *)>> ways[] = {
        {"close button", [](CConfigAmisUADlg *d) { click(d, CUserAgentListDlg::IDC_CLOSE); }},
        {"escape", [](CConfigAmisUADlg *d) { QTest::keyClick(d, Qt::Key_Escape); }},
        {"window close", [](CConfigAmisUADlg *d) { d->close(); }},
        {"deleted", [](CConfigAmisUADlg *d) { delete d; }},
    };
    for (const auto &[name, close] : ways) {
        SCOPED_TRACE(name);
        const int before = m_simulator->connectionCount();
        QPointer<CConfigAmisUADlg> dialog = open("AMIS_GATEWAY");
        ASSERT_TRUE(WaitFor([&] { return m_simulator->connectionCount() == before + 1; }));
        close(dialog);
        EXPECT_TRUE(WaitFor([&] { return dialog.isNull(); }));
        EXPECT_TRUE(WaitFor([&] { return m_simulator->connectionCount() == before; }));
    }
    EXPECT_TRUE(boxTexts().empty());
}

} // namespace
