// The MDI window of a mailbox editor. It owns the editor's document (and
// with it the editor's session) and its view; closing the window asks the
// view's sheet about unsaved changes, then ends the document's session as
// this window's own doing. Its size limits are the sheet's: asked through
// the view (WM_GETMINMAXINFO, passed on as the sheet's size-limit message)
// whenever the window is shown, and kept as the window's minimum and
// maximum size.
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

    // The window has just become the active one: the focus goes to the
    // sheet's list, and the main frame's Configuration menu is greyed for
    // the accounts that may not use it.
    void ActivateFrame();
    // Asks for the size limits and applies those that come back.
    void UpdateSizeLimits();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<CAdminDoc> m_document;
    CAdminView *m_view;
    bool m_closed = false;
};
