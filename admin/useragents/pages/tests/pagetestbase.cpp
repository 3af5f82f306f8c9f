// The page tests' base; see pagetestbase.h.
#include "admin/useragents/pages/tests/pagetestbase.h"

#include "admin/session/zeltsession.h"
#include "admin/useragents/cosdoc.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/pages/mailboxpages.h"
#include "platform/mfc/dialog.h"
#include "platform/mfc/dialogdefs.h"
#include "platform/mfc/propertypage.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

void PageTestBase::SetUp()
{
    SessionTestBase::SetUp();
    m_simulator = std::make_unique<testserver::SimulatorProcess>();
    m_session = std::make_unique<CZELTSession>(quickSettings(m_simulator->port()));
    m_session->Connect(login());
    m_services.userApps = QStringList{"Voicemail", "AutoAttendant", "Directory"};
    m_services.applicationChannel = m_session.get();
    m_services.mailboxRootText = "MB";
    m_services.serverTimeZone = m_session->ServerTimeZone();
    m_services.loginMailbox = 106;
    m_services.askSecurityCode = [this](QWidget *, const QString &typed) {
        m_codesAsked.append(typed);
        return m_codeAnswer;
    };
}

void PageTestBase::TearDown()
{
    m_sheet.reset();
    m_document.reset();
    m_session.reset();
    m_simulator.reset();
    SessionTestBase::TearDown();
}

CLoginCredentials PageTestBase::login() const
{
    return CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"};
}

void PageTestBase::openSheet(long number, int page)
{
    const CMailboxPageServices services = m_services;
    CAdminDoc::Account account{[](long) { return true; }, true, 0, [](const QString &name) {
                                   if (name == "EmrId_MsgCopy_Normal")
                                       return QStringLiteral("22");
                                   if (name == "EmrId_MsgCopy_Urgent")
                                       return QStringLiteral("58");
                                   if (name == "EmrId_AIM_Normal")
                                       return QStringLiteral("22");
                                   return QString();
                               }};
    m_document = m_cosEditor ? std::make_unique<CCOSDoc>(account) : std::make_unique<CAdminDoc>(account);
    ASSERT_TRUE(m_document->OnNewDocument(*m_session, login()));
    CServerCommandChannel *channel = m_document->Channel();
    if (m_wrapChannel)
        channel = m_wrapChannel(*channel);
    m_sheet = std::make_unique<CMailboxPps>(QStringLiteral("Mailbox Configuration"), channel,
                                            number, m_document.get(), nullptr, page);
    m_sheet->SetServerVariables(account.serverVariable);
    if (m_offerDirectorySync)
        m_sheet->SetApplicationChannel(m_session.get());
    m_sheet->SetPageFactory([services](CMailboxPps &sheet) { return CMailboxPages::Make(sheet, services); });
    m_sheet->AddPages();
    m_sheet->resize(900, 820);
    m_sheet->Create();
    m_sheet->show();
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == number; })) << number;
    ASSERT_TRUE(waitUntil([&] {
        auto *shown = dynamic_cast<CInhPropertyPg *>(m_sheet->GetActivePage());
        return shown && shown->GetMailboxNumber() == number;
    }));
    waitUntil([] { return false; }, 200);
    m_openingLog = m_simulator->commandLog();
    m_simulator->clearLog();
}

QList<testserver::LoggedCommand> PageTestBase::receivedWhileOpening(const QString &word) const
{
    QList<testserver::LoggedCommand> found;
    for (const testserver::LoggedCommand &command : m_openingLog)
        if (command.text.startsWith(word))
            found.append(command);
    return found;
}

QStringList PageTestBase::received(const QString &word)
{
    QStringList found;
    for (const QString &text : m_simulator->commandTexts())
        if (text.startsWith(word))
            found.append(text);
    return found;
}

void PageTestBase::apply()
{
    QWidget *button = m_sheet->GetDlgItem(ID_APPLY_NOW);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    const QString reload = QStringLiteral("GetUA %1").arg(m_sheet->ShownNumber());
    waitUntil([&] { return received(reload).contains(reload); }, 5000);
    waitUntil([] { return false; }, 300);
}

void PageTestBase::click(int id)
{
    auto *page = dynamic_cast<CDialog *>(m_sheet->GetActivePage());
    auto *button = page ? page->GetDlgItem<QAbstractButton>(id) : nullptr;
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void PageTestBase::type(int id, const QString &text)
{
    auto *page = dynamic_cast<CDialog *>(m_sheet->GetActivePage());
    auto *edit = page ? page->GetDlgItem<QLineEdit>(id) : nullptr;
    ASSERT_NE(edit, nullptr) << id;
    edit->setFocus();
    QTest::qWait(20);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    // Leaving the field: the focus goes to the mailbox-number field.
    page->GetDlgItem(1230)->setFocus();
    QTest::qWait(20);
}

void PageTestBase::typeIn(int id, const QString &text)
{
    auto *page = dynamic_cast<CDialog *>(m_sheet->GetActivePage());
    auto *edit = page ? page->GetDlgItem<QLineEdit>(id) : nullptr;
    ASSERT_NE(edit, nullptr) << id;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void PageTestBase::activate()
{
    m_sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_sheet.get()));
}

void PageTestBase::visitAnotherWindow(const std::function<void()> &whileAway)
{
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    waitUntil([] { return false; }, 100);
    whileAway();
    elsewhere.hide();
    activate();
}

void PageTestBase::choose(int id, const QString &text)
{
    auto *page = dynamic_cast<CDialog *>(m_sheet->GetActivePage());
    auto *combo = page ? page->GetDlgItem<QComboBox>(id) : nullptr;
    ASSERT_NE(combo, nullptr) << id;
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setFocus();
    // The list drops down and the item is clicked, as the administrator would.
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    ASSERT_TRUE(waitUntil([&] { return list->isVisible(); }, 2000));
    list->scrollTo(list->model()->index(index, 0));
    const QRect item = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    waitUntil([&] { return !list->isVisible(); }, 2000);
}

void PageTestBase::saveScreenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(m_sheet->grab().save(folder + QLatin1Char('/') + name));
}
