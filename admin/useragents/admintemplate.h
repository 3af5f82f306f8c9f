// Opens mailbox editor windows: a document of the template's kind with a
// session of its own on the application's session, its MDI window and its
// view, in the main frame's MDI area. The template counts the editors it
// opens, counted and list-limited ones alike, and the count never goes down:
// it numbers their titles.
#pragma once

#include "admin/session/logincredentials.h"
#include "admin/useragents/admindoc.h"

#include <QList>

#include <functional>
#include <memory>

class CChildFrame;
class CZELTSession;
class QMdiArea;

class CAdminTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CAdminDoc>()>;

    // `area` and `session` outlive the template; `login` is what each
    // editor's session logs in with. `openedBefore` carries on the count of
    // an earlier template of the same kind (one made for an earlier login).
    CAdminTemplate(QMdiArea *area, CZELTSession &session, CLoginCredentials login, DocumentFactory factory,
                   int openedBefore = 0);

    // An editor over the template's own boxes; null (after the document said
    // why) when it cannot open.
    CAdminDoc *OpenDocumentFile(bool makeVisible = true);
    // An editor limited to `numbers`, titled with the count.
    CAdminDoc *OpenUAListDocument(const QList<long> &numbers, bool makeVisible = true);
    CAdminDoc *OpenTitledDocument(const QString &title);
    // An editor titled `title` when it is the template's first, else
    // `title` and the running count of the editors it opened this way.
    CAdminDoc *OpenCountedDocument(const QString &title);

    // What the editors opened from now on log in with (the account's
    // password changed while the program runs).
    void SetLogin(const CLoginCredentials &login) { m_login = login; }

    // Editors counted so far.
    int OpenedCount() const { return m_opened; }
    CAdminDoc *LastDocument() const { return m_lastDocument; }
    CChildFrame *LastFrame() const { return m_lastFrame; }

private:
    CAdminDoc *open(std::unique_ptr<CAdminDoc> document, bool makeVisible);

    QMdiArea *m_area;
    CZELTSession &m_session;
    CLoginCredentials m_login;
    DocumentFactory m_factory;
    CAdminDoc *m_lastDocument = nullptr;
    CChildFrame *m_lastFrame = nullptr;
    int m_opened;
};
