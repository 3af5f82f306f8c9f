// The MDI window of a distribution-list editor. It owns the document (and
// with it the window's session) and the form. Closing saves a grid cell
// left in edit first and stays open when that save is refused; otherwise
// the session ends as the window's own doing. Open makes the whole window,
// as the application's distribution-list template does, over every list or
// over the numbers given (lists just created or copied).
#pragma once

#include "admin/uatools/distlist/distlistfrm.h"
#include "admin/useragents/admindoc.h"

#include <QList>
#include <QMdiSubWindow>

#include <memory>

class CDistListDoc;
class CLoginCredentials;
class CZELTSession;
class QMdiArea;

class CDistListFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CDistListFrame(std::unique_ptr<CDistListDoc> document, CDistListFrm::Services services,
                   QWidget *parent = nullptr);
    ~CDistListFrame() override;

    // A new editor in `area` on a session of its own made on `session`;
    // null (after the session said why) when it cannot log in.
    static CDistListFrame *Open(QMdiArea *area, CZELTSession &session, const CLoginCredentials &login,
                                CAdminDoc::Account account, CDistListFrm::Services services,
                                const QList<long> &numbers = {});

    CDistListDoc *GetActiveDocument() const { return m_document.get(); }
    CDistListFrm *GetActiveView() const { return m_view; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<CDistListDoc> m_document;
    CDistListFrm *m_view;
    bool m_closing = false;
};
