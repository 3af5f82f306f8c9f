// The MDI window of admin's voice-port status: it owns the port-status
// document (and with it the window's own session) and shows the port list
// over it. The list goes before the document, so the list's unsubscribe
// still finds the session alive. The window shows admin's small icon.
#pragma once

#include <QMdiSubWindow>

#include <memory>

class CPortStatusDoc;
class CPortStatusView;

class CChanviewFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // The size the window opens with.
    static constexpr int OpenWidth = 640;
    static constexpr int OpenHeight = 176;

    // `document` has been opened; the frame deletes itself when closed.
    explicit CChanviewFrame(std::unique_ptr<CPortStatusDoc> document, QWidget *parent = nullptr);
    ~CChanviewFrame() override;

    CPortStatusView *GetActiveView() const { return m_view; }
    CPortStatusDoc *GetDocument() const { return m_document.get(); }

    // The window has just become the active one: the main frame's
    // Configuration menu is greyed for the accounts that may not use it.
    void ActivateFrame();

protected:
    // The frame's window area resizing: the window stays inside it.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

signals:
    // The window has gone and the status window may be opened again.
    void closedDocument();

private:
    void fitArea();

    std::unique_ptr<CPortStatusDoc> m_document;
    CPortStatusView *m_view;
};
