// The Box List window: the mailbox editor's list of boxes, detached from
// the sheet into a resizable window of its own. It owns no data: the sheet
// moves its list control in (TakeList) and out again, and this window only
// asks the sheet to take the list back (message 0x806): when it is closed
// (Escape, the close box) or dropped onto the sheet's bottom strip.
//
// Dragging: the strip at the top of the window is its caption for dragging.
// A press there starts a drag whose frame follows the mouse; releasing over
// the sheet, at or below its list button, re-attaches the list, and with
// Ctrl held (or anywhere else) only moves the window there. Escape during a
// drag leaves the window where it was. The drag state is this window's own,
// so two editors' Box List windows never disturb each other's drags.
//
// Closing the window is no end of anything: the editor's session and the
// sheet go on, so nothing is marked as an expected disconnection.
#pragma once

#include "platform/mfc/dialog.h"

#include <QPointer>
#include <QRect>

class QRubberBand;

class CBoxListDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDD = 143, IDC_SHEET_LIST_BUTTON = 1213 };
    // To the sheet: take the list back.
    static constexpr UINT WM_ATTACH_LIST = 0x806;
    // The drag frame's thickness in pixels.
    static constexpr int DragFrameThickness = 5;
    // The height of the strip by which the window is dragged.
    static constexpr int CaptionHeight = 20;

    // `sheet` owns the window (a Qt child shown as a window of its own) and
    // receives 0x806. The window is made hidden; the sheet shows it.
    explicit CBoxListDlg(CDialog *sheet);
    ~CBoxListDlg() override;

    // The sheet's list control, placed to fill the window below the strip.
    void TakeList(QWidget *list);
    // The strip's rectangle, in this window's coordinates.
    QRect CaptionRect() const;
    // Whether a point (screen coordinates) is over the sheet's attach area:
    // inside the sheet and not above the top of its list button.
    bool IsOverAttachArea(QPoint screenPoint) const;
    bool IsDragging() const { return m_dragging; }
    // The drag frame's rectangle in screen coordinates, while dragging.
    QRect DragRect() const { return m_dragRect; }

protected:
    // Enter does not close the window.
    void OnOK() override {}
    void OnCancel() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void beginDrag(QPoint screenPoint);
    void moveDrag(QPoint screenPoint, bool ctrl);
    void endDrag(QPoint screenPoint, bool ctrl);
    void stopDrag();
    void chooseCursor(bool ctrl);
    void placeList();

    CDialog *m_sheet;
    QPointer<QWidget> m_list;
    bool m_dragging = false;
    QRect m_dragRect;
    QPoint m_lastPoint;
    QRubberBand *m_dragFrame;
};
