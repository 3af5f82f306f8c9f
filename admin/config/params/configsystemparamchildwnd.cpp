// The System Parameters window's frame; see configsystemparamchildwnd.h.
#include "admin/config/params/configsystemparamchildwnd.h"

#include "admin/config/params/closeboxcover.h"
#include "admin/config/params/configsystemparamdoc.h"
#include "admin/config/params/configsystemparamleftview.h"
#include "admin/config/params/configsystemparamrightview.h"
#include "admin/widgets/htmlhelp.h"
#include "admin/widgets/spreadsheet.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
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

CConfigSystemParamChildWnd::~CConfigSystemParamChildWnd()
{
    // The menu bar's buttons outlive the window and serve the next one.
    delete m_menuBarCover;
}

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
    coverMenuBarCloseBox();
}

void CConfigSystemParamChildWnd::changeEvent(QEvent *event)
{
    QMdiSubWindow::changeEvent(event);
    // The buttons move to the menu bar once the change is done.
    if (event->type() == QEvent::WindowStateChange && !m_closeEnabled)
        QMetaObject::invokeMethod(this, &CConfigSystemParamChildWnd::coverMenuBarCloseBox,
                                  Qt::QueuedConnection);
}

QWidget *CConfigSystemParamChildWnd::MenuBarButtons() const
{
    if (!isMaximized() || !mdiArea())
        return nullptr;
    const auto *main = qobject_cast<QMainWindow *>(mdiArea()->window());
    const auto *bar = main ? qobject_cast<QMenuBar *>(main->menuWidget()) : nullptr;
    return bar ? bar->cornerWidget(Qt::TopRightCorner) : nullptr;
}

QRect CConfigSystemParamChildWnd::MenuBarCloseBoxRect(QWidget *buttons)
{
    QStyleOptionComplex option;
    option.initFrom(buttons);
    option.subControls = QStyle::SC_MdiMinButton | QStyle::SC_MdiNormalButton | QStyle::SC_MdiCloseButton;
    return buttons->style()->subControlRect(QStyle::CC_MdiControls, &option, QStyle::SC_MdiCloseButton,
                                            buttons);
}

void CConfigSystemParamChildWnd::coverMenuBarCloseBox()
{
    delete m_menuBarCover;
    QWidget *buttons = MenuBarButtons();
    if (m_closeEnabled || !buttons)
        return;
    m_menuBarCover = new CCloseBoxCover(buttons);
    m_menuBarCover->setGeometry(MenuBarCloseBoxRect(buttons));
    m_menuBarCover->show();
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
    if (!hasTitleBar())
        return QRect();
    const QStyleOptionTitleBar option = titleBarOption();
    return style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, this);
}

bool CConfigSystemParamChildWnd::hasTitleBar() const
{
    return !(windowFlags() & Qt::FramelessWindowHint) && !MenuBarButtons();
}

QStyle::SubControl CConfigSystemParamChildWnd::titleBarControlAt(const QPoint &position) const
{
    if (!hasTitleBar())
        return QStyle::SC_None;
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
