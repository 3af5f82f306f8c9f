// What the page tests stand on: the simulator with its demo data, the
// application's session, an editor document with its own session, and a
// sheet showing one box on the real pages, shown on an offscreen screen.
#pragma once

#include "admin/testsupport/sessiontestbase.h"
#include "admin/useragents/admindoc.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/mailboxpages.h"
#include "admin/useragents/pages/mailboxpageservices.h"
#include "platform/mfc/propertypage.h"
#include "testserver/harness/simulatorprocess.h"

#include <QStringList>

#include <functional>
#include <memory>

#include "admin/session/zeltsession.h"
class QWidget;

class PageTestBase : public SessionTestBase {
protected:
    void SetUp() override;
    void TearDown() override;

    CLoginCredentials login() const;
    // The sheet on `number`, with the pages, page `page` active, once the box shows.
    void openSheet(long number, int page);
    // The page shown, as its class.
    template <class Page> Page &page() { return *dynamic_cast<Page *>(m_sheet->GetActivePage()); }
    // The index of the page of class Page among the editor's pages.
    template <class Page> int pageIndex() const
    {
        CMailboxPps sheet(QString(), m_session.get(), -1, nullptr);
        const std::vector<std::unique_ptr<CPropertyPage>> pages = CMailboxPages::Make(sheet, m_services);
        for (size_t i = 0; i < pages.size(); ++i)
            if (dynamic_cast<Page *>(pages[i].get()))
                return int(i);
        return -1;
    }
    // The commands the server received since the sheet opened that begin with `word`.
    QStringList received(const QString &word);
    // The commands that begin with `word` among those the server received
    // while the sheet opened, with the connection each came on.
    QList<testserver::LoggedCommand> receivedWhileOpening(const QString &word) const;
    // Clicks the sheet's Apply and waits for the reload a save asks for.
    void apply();
    // Clicks a control of the active page.
    void click(int id);
    // Replaces the text of an edit of the active page as typed, then leaves the field.
    void type(int id, const QString &text);
    // Types into an edit of the active page and stays in it.
    void typeIn(int id, const QString &text);
    // Makes the sheet the active window, as under an administrator's hand,
    // so that leaving a field runs its check.
    void activate();
    // Another window takes the activation, `whileAway` runs, and the sheet
    // is activated again.
    void visitAnotherWindow(const std::function<void()> &whileAway);
    // Picks the item `text` of a combo box of the active page as the mouse would.
    void choose(int id, const QString &text);
    void saveScreenshot(const QString &name);

    std::unique_ptr<testserver::SimulatorProcess> m_simulator;
    std::unique_ptr<CZELTSession> m_session;
    std::unique_ptr<CAdminDoc> m_document;
    std::unique_ptr<CMailboxPps> m_sheet;
    // What the server received while the sheet opened.
    QList<testserver::LoggedCommand> m_openingLog;
    CMailboxPageServices m_services;
    // The sheet edits classes of service (a class-of-service editor's document).
    bool m_cosEditor = false;
    // The sheet knows the application's session, so it offers the directory
    // synchronisation after a name changed (the demo server has one).
    bool m_offerDirectorySync = false;
    // Puts a channel of the test's own between the sheet and the document;
    // none: the sheet talks through the document.
    std::function<CServerCommandChannel *(CServerCommandChannel &document)> m_wrapChannel;
    // What the security-code service was asked, and what it answers.
    QStringList m_codesAsked;
    std::optional<QString> m_codeAnswer;
};
