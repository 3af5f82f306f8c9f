// The view of a mailbox editor window: it hosts the mailbox property sheet
// as a child filling its client area, and passes the window's close, help,
// size-limit question and activation on to the sheet. It gives its frame
// the program's icon.
#pragma once

#include "platform/messages/messagetarget.h"

#include <QWidget>

class CAdminDoc;
class CMailboxPps;
class CServerCommandChannel;

class CAdminView : public QWidget, public CMessageTarget {
    Q_OBJECT
public:
    // `document` stays the frame's and outlives the view.
    // `applicationChannel` (the application's session, may be null) tells
    // the sheet whether the server offers directory synchronisation.
    explicit CAdminView(CAdminDoc *document, CServerCommandChannel *applicationChannel = nullptr,
                        QWidget *parent = nullptr);
    ~CAdminView() override;

    // Makes the sheet with the document's channel and first box.
    void OnInitialUpdate();
    void SetInitialFocus();
    // Asks the sheet whether the window may close (unsaved changes).
    bool QueryClose();
    // The window closes: the sheet's pages let go of what they hold on the
    // server while the editor's session still stands.
    void OnClosing();

    CAdminDoc *GetDocument() const { return m_document; }
    CMailboxPps *Sheet() const { return m_sheet; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

signals:
    void messageLineChanged(const QString &text);
    void directorySyncRequested();
    // An editor window of this box alone is wanted (see CMailboxPps).
    void ownEditorRequested(long number);

private:
    CAdminDoc *m_document;
    CServerCommandChannel *m_applicationChannel;
    CMailboxPps *m_sheet = nullptr; // a Qt child of the view
};
