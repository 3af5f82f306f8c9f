// Opens mailbox editor windows: a document of the template's kind with a
// session of its own on the application's session, its MDI window and its
// view, in the main frame's MDI area. Editors limited to a given list of
// boxes are numbered in the order they are opened.
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
    // editor's session logs in with.
    CAdminTemplate(QMdiArea *area, CZELTSession &session, CLoginCredentials login, DocumentFactory factory);

    // An editor over the template's own boxes; null (after the document said
    // why) when it cannot open.
    CAdminDoc *OpenDocumentFile(bool makeVisible = true);
    // An editor limited to `numbers`.
    CAdminDoc *OpenUAListDocument(const QList<long> &numbers, bool makeVisible = true);
    CAdminDoc *OpenTitledDocument(const QString &title);
    // An editor titled `title` when it is the template's first, else
    // `title` and the running count of the editors it opened this way.
    CAdminDoc *OpenCountedDocument(const QString &title);

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
    int m_listEditors = 0;
    int m_countedEditors = 0;
};
