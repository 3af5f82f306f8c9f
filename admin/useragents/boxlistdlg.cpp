// The Box List window; see boxlistdlg.h.
#include "admin/useragents/boxlistdlg.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace {

// The window's own caption text, numbered like its sheet's.
const char kCaption[] = "Box List";

} // namespace

CBoxListDlg::CBoxListDlg(CDialog *sheet)
    : CDialog(IDD, QString::fromLatin1(kCaption), sheet), m_sheet(sheet),
      m_dragFrame(new QRubberBand(QRubberBand::Rectangle))
{
    Q_ASSERT(sheet);
    setSizeGripEnabled(true);
    setFocusPolicy(Qt::StrongFocus);
    setContentsMargins(0, CaptionHeight, 0, 0);
}

CBoxListDlg::~CBoxListDlg()
{
    unregisterWindow();
    delete m_dragFrame;
}

void CBoxListDlg::TakeList(QWidget *list)
{
    Q_ASSERT(list);
    m_list = list;
    list->setParent(this);
    placeList();
    list->show();
}

QRect CBoxListDlg::CaptionRect() const
{
    return QRect(0, 0, width(), CaptionHeight);
}

bool CBoxListDlg::IsOverAttachArea(QPoint screenPoint) const
{
    const QWidget *button = m_sheet->GetDlgItem(IDC_SHEET_LIST_BUTTON);
    if (!button)
        return false;
    const QRect sheet = m_sheet->isWindow() ? m_sheet->frameGeometry()
                                            : QRect(m_sheet->mapToGlobal(QPoint(0, 0)), m_sheet->size());
    return sheet.contains(screenPoint) && screenPoint.y() >= button->mapToGlobal(QPoint(0, 0)).y();
}

void CBoxListDlg::OnCancel()
{
    SendMessage(m_sheet->GetSafeHwnd(), WM_ATTACH_LIST, 0, 0);
}

void CBoxListDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && CaptionRect().contains(event->position().toPoint())) {
        beginDrag(event->globalPosition().toPoint());
        chooseCursor(event->modifiers() & Qt::ControlModifier);
        event->accept();
        return;
    }
    CDialog::mousePressEvent(event);
}

void CBoxListDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        CDialog::mouseMoveEvent(event);
        return;
    }
    moveDrag(event->globalPosition().toPoint(), event->modifiers() & Qt::ControlModifier);
}

void CBoxListDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        CDialog::mouseReleaseEvent(event);
        return;
    }
    endDrag(event->globalPosition().toPoint(), event->modifiers() & Qt::ControlModifier);
}

void CBoxListDlg::keyPressEvent(QKeyEvent *event)
{
    if (!m_dragging) {
        CDialog::keyPressEvent(event);
        return;
    }
    // Every key belongs to the drag while it lasts.
    event->accept();
    if (event->key() == Qt::Key_Control)
        chooseCursor(true);
    else if (event->key() == Qt::Key_Escape)
        stopDrag();
}

void CBoxListDlg::keyReleaseEvent(QKeyEvent *event)
{
    if (!m_dragging) {
        CDialog::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->key() == Qt::Key_Control)
        chooseCursor(false);
}

void CBoxListDlg::resizeEvent(QResizeEvent *event)
{
    CDialog::resizeEvent(event);
    if (width() > 0 && height() > 0)
        placeList();
}

void CBoxListDlg::paintEvent(QPaintEvent *event)
{
    CDialog::paintEvent(event);
    // The strip to drag the window by, titled like the window.
    QPainter painter(this);
    const QRect strip = CaptionRect();
    painter.fillRect(strip, palette().highlight());
    painter.setPen(palette().highlightedText().color());
    painter.drawText(strip.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
}

void CBoxListDlg::changeEvent(QEvent *event)
{
    CDialog::changeEvent(event);
    // A window that is no longer active has lost the mouse: the drag ends
    // where it is.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_dragging)
        stopDrag();
}

void CBoxListDlg::beginDrag(QPoint screenPoint)
{
    setFocus();
    m_dragging = true;
    m_lastPoint = screenPoint;
    m_dragRect = frameGeometry();
    m_dragFrame->setGeometry(m_dragRect);
    const QRect frame(QPoint(0, 0), m_dragRect.size());
    m_dragFrame->setMask(QRegion(frame).subtracted(
        QRegion(frame.adjusted(DragFrameThickness, DragFrameThickness, -DragFrameThickness, -DragFrameThickness))));
    m_dragFrame->show();
}

void CBoxListDlg::moveDrag(QPoint screenPoint, bool ctrl)
{
    m_dragRect.translate(screenPoint - m_lastPoint);
    m_lastPoint = screenPoint;
    m_dragFrame->move(m_dragRect.topLeft());
    chooseCursor(ctrl);
}

void CBoxListDlg::endDrag(QPoint screenPoint, bool ctrl)
{
    m_dragRect.translate(screenPoint - m_lastPoint);
    m_lastPoint = screenPoint;
    stopDrag();
    if (!ctrl && IsOverAttachArea(screenPoint)) {
        OnCancel();
        return;
    }
    move(m_dragRect.topLeft());
    update();
}

void CBoxListDlg::stopDrag()
{
    m_dragging = false;
    m_dragFrame->hide();
    unsetCursor();
}

void CBoxListDlg::chooseCursor(bool ctrl)
{
    const bool attach = !ctrl && IsOverAttachArea(m_lastPoint);
    setCursor(attach ? Qt::DragCopyCursor : Qt::ArrowCursor);
}

void CBoxListDlg::placeList()
{
    if (m_list && m_list->parentWidget() == this)
        m_list->setGeometry(contentsRect());
}
