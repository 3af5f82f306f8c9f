// The MDI window of a mailbox editor. It owns the editor's document (and
// with it the editor's session) and its view; closing the window asks the
// view's sheet about unsaved changes, then ends the document's session as
// this window's own doing.
#pragma once

#include "platform/messages/messagetarget.h"

#include <QMdiSubWindow>

#include <memory>

class CAdminDoc;
class CAdminView;
class CServerCommandChannel;

class CChildFrame : public QMdiSubWindow, public CMessageTarget {
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CAdminDoc> document, CServerCommandChannel *applicationChannel,
                QWidget *parent = nullptr);
    ~CChildFrame() override;

    CAdminDoc *GetActiveDocument() const { return m_document.get(); }
    CAdminView *GetActiveView() const { return m_view; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<CAdminDoc> m_document;
    CAdminView *m_view;
    bool m_closed = false;
};
