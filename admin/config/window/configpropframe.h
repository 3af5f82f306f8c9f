// The configuration window's MDI frame, first fitted to its sheet and to the
// main window's room; then resized and maximised like any MDI window (the
// sheet follows; its tabs and a page larger than its room scroll, its
// buttons stay in sight). It owns the document (and with it the window's
// session) and the view. It takes WM_SHOW_CONFIG_PAGE from the main frame
// (activates itself and shows that page) and WM_CLOSE, which it turns into
// the sheet's Cancel with the closing question; it closes once the sheet is
// gone.
#pragma once

#include "platform/messages/messagetarget.h"

#include <QMdiSubWindow>

#include <memory>

class CConfigDoc;
class CConfigPropSheet;
class CConfigView;
struct CConfigLogin;

class CConfigPropFrame : public QMdiSubWindow, public CMessageTarget {
    Q_OBJECT
public:
    // `document` has been opened; the frame deletes itself when closed.
    CConfigPropFrame(std::unique_ptr<CConfigDoc> document, HWND mainWindow, QWidget *parent = nullptr);
    ~CConfigPropFrame() override;

    // Makes the view and the sheet (which loads the depot) and fits the
    // frame to the sheet; false when the depot could not be loaded.
    bool InitialUpdate(const CConfigLogin &login);
    void CenterWindow();

    CConfigDoc *GetDocument() const { return m_document.get(); }
    CConfigView *GetView() const { return m_view; }
    CConfigPropSheet *Sheet() const { return m_sheet; }
    // The sheet's destruction: the frame closes on the WM_CLOSE that follows.
    void SheetDestroyed() { m_sheet = nullptr; }
    void ClearClosingMark() { m_closing = false; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The frame's size around a sheet of that size, at most the main
    // window's room.
    QSize fittedSize(const QSize &sheet);
    // True when the frame may go now.
    bool askToClose();

    std::unique_ptr<CConfigDoc> m_document;
    CConfigView *m_view = nullptr;
    CConfigPropSheet *m_sheet = nullptr;
    HWND m_mainWindow;
    bool m_closing = false;
};
