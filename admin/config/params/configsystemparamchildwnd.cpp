// The System Parameters window's frame; see configsystemparamchildwnd.h.
#include "admin/config/params/configsystemparamchildwnd.h"

#include "admin/config/params/configsystemparamdoc.h"
#include "admin/config/params/configsystemparamleftview.h"
#include "admin/config/params/configsystemparamrightview.h"
#include "admin/widgets/htmlhelp.h"
#include "admin/widgets/spreadsheet.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QSplitter>
#include <QStyleOptionTitleBar>

CConfigSystemParamChildWnd::CConfigSystemParamChildWnd(std::unique_ptr<CConfigSystemParamDoc> document,
                                                       CServerCommandChannel *applicationChannel,
                                                       QWidget *parent)
    : QMdiSubWindow(parent), m_document(std::move(document)), m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_left(new CConfigSystemParamLeftView(*m_document, applicationChannel, m_splitter)),
      m_right(new CConfigSystemParamRightView(*m_document, m_splitter))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_focusPolicy = focusPolicy();
    setWindowTitle(m_document->GetTitle());
    m_splitter->addWidget(m_left);
    m_splitter->addWidget(m_right);
    m_splitter->setSizes({400, 200});
    setWidget(m_splitter);
    resize(640, 360);
    connect(m_left, &CConfigSystemParamLeftView::SelectionChanged, m_right,
            &CConfigSystemParamRightView::OnUpdate);
    connect(m_left, &CConfigSystemParamLeftView::CloseEnabled, this,
            &CConfigSystemParamChildWnd::EnableClose);
}

CConfigSystemParamChildWnd::~CConfigSystemParamChildWnd() = default;

void CConfigSystemParamChildWnd::InitialUpdate()
{
    m_left->OnInitialUpdate();
    m_right->OnInitialUpdate();
    m_left->Grid()->setFocus();
}

void CConfigSystemParamChildWnd::closeEvent(QCloseEvent *event)
{
    if (!m_document->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void CConfigSystemParamChildWnd::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        CallHtmlHelp(HWND(), QStringLiteral("admin.chm"), HH_HELP_CONTEXT, kHelpContext);
        return;
    }
    QMdiSubWindow::keyPressEvent(event);
}

void CConfigSystemParamChildWnd::EnableClose(bool enabled)
{
    m_closeEnabled = enabled;
    // A click on the title bar would take the focus, and with it end the
    // edit that greyed the box.
    setFocusPolicy(enabled ? m_focusPolicy : Qt::NoFocus);
    for (QAction *action : systemMenu()->actions())
        if (action->shortcut() == QKeySequence(QKeySequence::Close))
            action->setEnabled(enabled);
    update();
}

QStyleOptionTitleBar CConfigSystemParamChildWnd::titleBarOption() const
{
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = windowFlags();
    option.titleBarState = windowState();
    option.text = windowTitle();
    option.icon = windowIcon();
    const bool active = mdiArea() && mdiArea()->activeSubWindow() == this;
    option.state.setFlag(QStyle::State_Active, active);
    if (active)
        option.titleBarState |= QStyle::State_Active;
    option.palette.setCurrentColorGroup(active ? QPalette::Active : QPalette::Inactive);
    const int height = style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this);
    option.rect = QRect(0, 0, width(), height);
    return option;
}

QRect CConfigSystemParamChildWnd::CloseBoxRect() const
{
    if (windowFlags() & Qt::FramelessWindowHint)
        return QRect();
    const QStyleOptionTitleBar option = titleBarOption();
    return style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, this);
}

QStyle::SubControl CConfigSystemParamChildWnd::titleBarControlAt(const QPoint &position) const
{
    const QStyleOptionTitleBar option = titleBarOption();
    return style()->hitTestComplexControl(QStyle::CC_TitleBar, &option, position, this);
}

void CConfigSystemParamChildWnd::paintEvent(QPaintEvent *event)
{
    QMdiSubWindow::paintEvent(event);
    if (!m_closeEnabled)
        drawGreyedCloseBox();
}

void CConfigSystemParamChildWnd::drawGreyedCloseBox()
{
    const QRect box = CloseBoxRect();
    if (box.isEmpty())
        return;
    QStyleOptionTitleBar option = titleBarOption();
    QPainter painter(this);
    painter.setClipRect(box);
    // The title bar's background over the box, then the box's mark greyed.
    option.subControls = QStyle::SC_None;
    style()->drawComplexControl(QStyle::CC_TitleBar, &option, &painter, this);
    const QIcon mark = style()->standardIcon(QStyle::SP_TitleBarCloseButton, &option, this);
    mark.paint(&painter, box, Qt::AlignCenter, QIcon::Disabled);
}

void CConfigSystemParamChildWnd::mousePressEvent(QMouseEvent *event)
{
    if (!m_closeEnabled && titleBarControlAt(event->position().toPoint()) == QStyle::SC_TitleBarCloseButton) {
        event->accept();
        return;
    }
    QMdiSubWindow::mousePressEvent(event);
}

void CConfigSystemParamChildWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_closeEnabled && titleBarControlAt(event->position().toPoint()) == QStyle::SC_TitleBarCloseButton) {
        event->accept();
        return;
    }
    QMdiSubWindow::mouseReleaseEvent(event);
}

// A double click on the window's icon closes it, as the Close item does.
void CConfigSystemParamChildWnd::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QStyle::SubControl control = titleBarControlAt(event->position().toPoint());
    if (!m_closeEnabled &&
        (control == QStyle::SC_TitleBarSysMenu || control == QStyle::SC_TitleBarCloseButton)) {
        event->accept();
        return;
    }
    QMdiSubWindow::mouseDoubleClickEvent(event);
}
