// The mailbox property sheet; see mailboxpps.h.
#include "admin/useragents/mailboxpps.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/admindoc.h"
#include "admin/useragents/boxlistdlg.h"
#include "admin/useragents/cosdoc.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpage.h"
#include "admin/useragents/pagescrollarea.h"
#include "admin/useragents/unifiedmessagingpage.h"
#include "admin/widgets/htmlhelp.h"
#include "admin/widgets/mdiplacement.h"
#include "admin/widgets/resizewatcher.h"
#include "platform/mfc/dialogdefs.h"
#include "platform/mfc/dlgitem.h"
#include "platform/mfc/propertypage.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>

namespace {

// Numbers the sheets of the process: each shows its caption as "%s (%d)".
std::atomic<int> g_sheetCounter{0};

// A class-of-service chain deeper than this is taken for one the server
// holds in a loop that the visited list somehow misses.
constexpr int kMaxParentWalk = 1000;

const char kAnswerMethodsScript[] = "if {[catch {set answer_method_list} _tempv] != 0} {\r\n"
                                    "set _tempv \"!ERROR: answer methods not defined.\"}\r\n"
                                    "set _tempv\r\n";

// The number of the box a GetUA reply is about; nothing for a reply that
// does not carry one.
std::optional<qint32> replyBoxNumber(const QString &reply)
{
    const CTclList splitter;
    QStringList elements;
    splitter.SplitList(reply, elements);
    if (elements.isEmpty())
        return std::nullopt;
    QStringList header;
    splitter.SplitList(elements.first(), header);
    if (header.isEmpty())
        return std::nullopt;
    return ParseUANumber(header.first());
}

// The pages with a help topic of their own, by dialog id: options,
// attendant, auto, groups, info, menus, notify, unified messaging, ASR.
constexpr int kPagesWithHelp[] = {131, 166, 136, 133, 134, 168, 137, 228, 262};

// "A", "A and B", "A, B, and C".
QString joinNames(const QStringList &names)
{
    if (names.size() <= 1)
        return names.value(0);
    if (names.size() == 2)
        return names.at(0) + QStringLiteral(" and ") + names.at(1);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(", and ") +
           names.last();
}

} // namespace

CMailboxPps::CMailboxPps(const QString &caption, CServerCommandChannel *channel, long firstNumber,
                         CAdminDoc *document, QWidget *parent, int selectPage)
    : CPropertySheet(QStringLiteral("%1 (%2)").arg(caption).arg(++g_sheetCounter), parent, selectPage),
      m_channel(channel), m_firstNumber(firstNumber), m_document(document),
      // Sheets are made on the user-interface thread only: the counter is ours.
      m_sheetNumber(g_sheetCounter)
{
    Q_ASSERT(channel);
}

CMailboxPps::~CMailboxPps()
{
    ReleasePages();
    unregisterWindow();
}

void CMailboxPps::ReleasePages()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (auto *page = dynamic_cast<CMailboxPage *>(GetPage(i)))
            page->OnSheetClosing();
    }
    // Replies still on their way (the list, a box) are dropped: acting on
    // them would ask the session that is about to end.
    if (m_list)
        m_list->StopReceiving();
    unregisterWindow();
}

void CMailboxPps::AddPages()
{
    if (!m_pageFactory)
        return;
    m_pages = m_pageFactory(*this);
    for (const auto &page : m_pages)
        AddPage(page.get());
}

bool CMailboxPps::IsCOSEditor() const
{
    return dynamic_cast<const CCOSDoc *>(m_document) != nullptr;
}

bool CMailboxPps::OnInitDialog()
{
    if (!CPropertySheet::OnInitDialog())
        return false;
    addExtraButton(IDC_LIST_BUTTON, AdminString(IDS_DETACH_LIST), 0);
    addExtraButton(IDC_REFRESH, AdminString(IDS_REFRESH), 1);
    addExtraButton(IDC_RESET, AdminString(IDS_RESET), 2);
    addExtraButton(IDC_DELETE, AdminString(IDS_DELETE), 3);
    if (m_copyAction)
        addExtraButton(IDC_COPY, AdminString(IDS_COPY), 4);
    auto *tabs = findChild<QTabWidget *>(QString(), Qt::FindDirectChildrenOnly);
    if (GetPageCount() == 0 && tabs)
        tabs->hide();
    else if (tabs)
        scrollPages(tabs);
    if (isWindow() == false) {
        // A child of the editor's view: its frame closes it, not OK or Cancel.
        for (int id : {IDOK, IDCANCEL}) {
            if (QWidget *button = GetDlgItem(id)) {
                button->hide();
                button->setEnabled(false);
            }
        }
    }

    // The list closes the window that holds the sheet when no box is left.
    HWND holder = GetSafeHwnd();
    for (QWidget *up = parentWidget(); up; up = up->parentWidget()) {
        if (auto *target = dynamic_cast<CMessageTarget *>(up)) {
            holder = target->GetSafeHwnd();
            break;
        }
    }
    CUserAgentArray::AllowedFilter allowed;
    if (m_document)
        allowed = [document = m_document](long number) { return document->IsUAAllowed(number); };
    m_list = SetDlgCtrlID(new CMailboxListCtrl(m_channel, std::move(allowed), this, holder, this),
                          IDC_MAILBOX_LIST);
    connect(m_list, &CMailboxListCtrl::openEditorRequested, this, &CMailboxPps::ownEditorRequested);
    // Made hidden, and shown only when the list is detached: a window shown
    // now, even for a moment, would take the activation from the editor.
    m_boxList = new CBoxListDlg(this);
    m_boxList->setWindowTitle(QStringLiteral("%1 (%2)").arg(m_boxList->windowTitle()).arg(m_sheetNumber));
    placeAttachedList();
    followArea();
    shareListWithPages();
    // The list learns the first box now, so that filling it neither asks
    // for another box nor selects a row the sheet is not about to show.
    if (m_firstNumber != -1)
        SendMessage(m_list->GetSafeHwnd(), WM_SELECT_SHOWN_UA, WPARAM(m_firstNumber), 0);
    RefillList();
    if (m_firstNumber != -1)
        SendGetUA(m_firstNumber);
    readDirectorySync();
    return true;
}

void CMailboxPps::readDirectorySync()
{
    if (!m_applicationChannel)
        return;
    const QString reply = m_applicationChannel->Execute(QStringLiteral("GetAliasList"), true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    m_directorySync = reply.contains(QLatin1String("ASRAADirectorySync"));
}

void CMailboxPps::offerDirectorySync()
{
    if (!m_commonFields.namesChanged || !m_directorySync)
        return;
    // Either answer settles the names saved so far: the question comes
    // again only for a name changed after it.
    m_commonFields.namesChanged = false;
    if (AfxMessageBox(QStringLiteral("Would you like to synchronize now?"), MB_YESNO | MB_ICONQUESTION) ==
        IDYES)
        emit directorySyncRequested();
}

QPushButton *CMailboxPps::addExtraButton(int id, const QString &caption, int position)
{
    // The dialog base turns its click into WM_COMMAND with the id, as for
    // every button of the sheet: the one road to OnCommand.
    auto *button = SetDlgCtrlID(new QPushButton(caption, this), id);
    button->setAutoDefault(false);
    buttonRow()->insertWidget(position, button);
    return button;
}

void CMailboxPps::SendGetUA(long number)
{
    if (number == -1)
        return;
    m_requestedNumber = number;
    const HRESULT sent = m_channel->SendAsync(this, WM_SERVER_REPLY, GetUARequestCode,
                                              AdminString(IDS_SEND_GETUA).arg(number), true, 1);
    if (SUCCEEDED(sent) && !m_waitCursor)
        m_waitCursor = std::make_unique<CWaitCursor>();
}

void CMailboxPps::RefillList()
{
    if (!m_list)
        return;
    const QString numbers = m_document ? m_document->GetUAListText() : QString();
    m_channel->SendAsync(
        m_list, WM_SERVER_REPLY, ListRequestCode,
        QStringLiteral("get_parms_for_ua_type %1").arg(numbers.isEmpty() ? QStringLiteral("All") : numbers),
        true, 1);
}

void CMailboxPps::SetInitialFocus()
{
    if (m_mode == ModeResetting)
        return;
    if (m_list && m_attached)
        m_list->setFocus();
    else
        setFocus();
}

LRESULT CMailboxPps::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SERVER_REPLY: {
        const QString reply = *reinterpret_cast<const QString *>(lParam);
        ReplyMessage(0);
        OnServerReply(wParam, reply);
        return 0;
    }
    case WM_SAVE_CHANGES:
        SaveChanges();
        return 0;
    case WM_APPLY_USER_AGENT:
        OnApplyUserAgent();
        return 0;
    case WM_HELP:
        OnHelp();
        return 1;
    case WM_SIZE_LIMITS:
        return OnSizeLimits(reinterpret_cast<MINMAXINFO *>(lParam));
    case WM_CLOSE:
        if (QueryClose()) {
            ReleasePages();
            DestroyWindow();
        }
        return 0;
    case WM_ATTACH_LIST:
        AttachList();
        return 1;
    default:
        return CPropertySheet::WindowProc(message, wParam, lParam);
    }
}

CMailboxPps::AttachedListPlacement CMailboxPps::AttachedListPlacementFor(int screenWidth)
{
    if (screenWidth <= 800)
        return {120, 80};
    return {105, 95};
}

void CMailboxPps::scrollPages(QTabWidget *tabs)
{
    // The scroller takes the tabs' place in the layout before it takes the
    // tabs: a widget leaving the sheet leaves its layout too.
    m_pageScroller = new CPageScrollArea(this);
    delete layout()->replaceWidget(tabs, m_pageScroller);
    m_pageScroller->setWidget(tabs);
}

QWidget *CMailboxPps::holdingWindow()
{
    QWidget *holder = this;
    while (!holder->isWindow() && !qobject_cast<QMdiSubWindow *>(holder) && holder->parentWidget())
        holder = holder->parentWidget();
    return holder;
}

void CMailboxPps::placeAttachedList()
{
    Q_ASSERT(m_list);
    QWidget *holder = holdingWindow();
    const QScreen *screen = holder->screen();
    const AttachedListPlacement placement = AttachedListPlacementFor(screen ? screen->geometry().width() : 0);
    auto *box = static_cast<QVBoxLayout *>(layout());
    ensurePolished();
    const QSize sheet = box->sizeHint();
    // The pages and buttons keep their size; the band below them is the list's.
    box->addStretch(1);
    QMargins margins = box->contentsMargins();
    margins.setBottom(margins.bottom() + placement.band);
    box->setContentsMargins(margins);
    m_listTop = sheet.height() + placement.band - placement.rise;
    m_listRise = placement.rise;

    // Wide enough for the list's columns, also before the pages have come.
    const int listWidth = m_list->header()->length() + 2 * m_list->frameWidth() +
                          m_list->verticalScrollBar()->sizeHint().width();
    const QSize client(std::max(sheet.width(), listWidth + 2 * AttachedListMargin),
                       sheet.height() + placement.band);
    QSize frame;
    if (holder != this) {
        const QMargins edges = holder->contentsMargins();
        frame = QSize(edges.left() + edges.right(), edges.top() + edges.bottom());
    }
    m_attachedSize = client + frame;
    m_detachedSize = QSize(m_attachedSize.width(), m_attachedSize.height() - placement.rise);
    m_attachedClientHeight = client.height();
    if (m_pageScroller)
        m_pageScroller->KeepPagesWhole();
    m_leastAttachedSize = box->minimumSize() + frame;
    holder->resize(fitToRoom(m_attachedSize));
    fitAttachedList();
}

QSize CMailboxPps::holderRoom()
{
    const auto *frame = qobject_cast<QMdiSubWindow *>(holdingWindow());
    const QMdiArea *area = frame ? frame->mdiArea() : nullptr;
    if (!area || !area->isVisible())
        return {};
    return area->contentsRect().size();
}

QSize CMailboxPps::leastSize() const
{
    return m_attached ? m_leastAttachedSize
                      : QSize(m_leastAttachedSize.width(), m_leastAttachedSize.height() - m_listRise);
}

QSize CMailboxPps::fitToRoom(QSize size)
{
    const QSize room = holderRoom();
    if (!room.isValid())
        return size;
    return size.boundedTo(room).expandedTo(leastSize());
}

void CMailboxPps::followArea()
{
    const auto *frame = qobject_cast<QMdiSubWindow *>(holdingWindow());
    if (frame && frame->mdiArea())
        // The viewport, the part the window shows in, takes its size after the area's own.
        (new CResizeWatcher(this, [this] { fitArea(); }))->watch(frame->mdiArea()->viewport());
}

void CMailboxPps::fitArea()
{
    // The window was sized for the room the area had then (the frame may
    // still have been taking its first size): it shrinks with the area, its
    // pages scrolling, so that its buttons and its close box stay in sight.
    auto *frame = qobject_cast<QMdiSubWindow *>(holdingWindow());
    if (!frame || frame->isMaximized() || frame->isMinimized() || !m_attachedSize.isValid())
        return;
    emit sizeLimitsChanged();
    const QSize fitted = fitToRoom(frame->size());
    if (fitted != frame->size())
        frame->resize(fitted);
    KeepInSight(frame);
}

void CMailboxPps::setListBand(bool attached)
{
    auto *box = static_cast<QVBoxLayout *>(layout());
    QMargins margins = box->contentsMargins();
    margins.setBottom(margins.bottom() + (attached ? m_listRise : -m_listRise));
    box->setContentsMargins(margins);
}

void CMailboxPps::DetachList()
{
    if (!m_attached || !m_list)
        return;
    m_attached = false;
    const int listWidth = m_list->width();
    m_boxList->TakeList(m_list);
    if (!m_boxListPlaced) {
        // First shown below the window that holds the sheet, as wide as the
        // list was; later where and as large as the administrator left it.
        m_boxListPlaced = true;
        QWidget *holder = holdingWindow();
        m_boxList->resize(listWidth, m_listRise * 3);
        m_boxList->move(holder->mapToGlobal(QPoint(0, fitToRoom(m_detachedSize).height())));
    }
    m_boxList->show();
    m_boxList->raise();
    m_boxList->activateWindow();
    m_list->setFocus();
    QWidget *holder = holdingWindow();
    if (holder->isMaximized())
        holder->showNormal();
    setListBand(false);
    emit sizeLimitsChanged();
    holder->resize(fitToRoom(m_detachedSize));
    if (auto *button = GetDlgItem(IDC_LIST_BUTTON))
        static_cast<QPushButton *>(button)->setText(AdminString(IDS_ATTACH_LIST));
}

void CMailboxPps::AttachList()
{
    if (m_attached || !m_list)
        return;
    const QWidget *focus = QApplication::focusWidget();
    const bool focusInBoxList = focus && (focus == m_boxList || m_boxList->isAncestorOf(focus));
    QWidget *holder = holdingWindow();
    // Drawn once, when everything is in place.
    holder->setUpdatesEnabled(false);
    m_attached = true;
    m_list->setParent(this);
    setListBand(true);
    emit sizeLimitsChanged();
    holder->resize(fitToRoom(QSize(m_attachedSize.width(), std::max(holder->height(), m_attachedSize.height()))));
    fitAttachedList();
    m_list->show();
    m_boxList->hide();
    holder->setUpdatesEnabled(true);
    if (focusInBoxList) {
        // The list shows the box the sheet shows, and has the focus back.
        SendMessage(m_list->GetSafeHwnd(), WM_SELECT_SHOWN_UA, WPARAM(m_record.GetUANumber()), 0);
        holder->activateWindow();
        SetInitialFocus();
    }
    if (auto *button = GetDlgItem(IDC_LIST_BUTTON))
        static_cast<QPushButton *>(button)->setText(AdminString(IDS_DETACH_LIST));
}

void CMailboxPps::fitAttachedList()
{
    if (!m_list || !m_attached || !m_attachedSize.isValid())
        return;
    // The top-left corner stays; the list takes what the window grows by.
    // A window shorter than the layout has its pages give up the difference,
    // and the buttons and the list move up by as much.
    const int top = m_listTop - std::max(0, m_attachedClientHeight - height());
    m_list->setGeometry(AttachedListMargin, top, std::max(0, width() - 2 * AttachedListMargin),
                        std::max(0, height() - AttachedListMargin - top));
}

void CMailboxPps::keyPressEvent(QKeyEvent *event)
{
    // In the editor's window the sheet ends with the window, which its
    // frame closes: Escape in a field ends nothing (the dialog's Escape
    // would take the sheet away and leave the window empty).
    if (!isWindow() && event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    CPropertySheet::keyPressEvent(event);
}

void CMailboxPps::resizeEvent(QResizeEvent *event)
{
    CPropertySheet::resizeEvent(event);
    fitAttachedList();
}

LRESULT CMailboxPps::OnSizeLimits(MINMAXINFO *limits)
{
    Q_ASSERT(limits);
    if (m_attachedSize.isValid()) {
        const QSize layout = m_attached ? m_attachedSize : m_detachedSize;
        // No smaller than the layout, but for a frame too small to hold it:
        // there the pages scroll rather than the buttons and the list going
        // out of sight.
        const QSize least = fitToRoom(layout);
        limits->ptMinTrackSize = {least.width(), least.height()};
        limits->ptMaxSize.x = layout.width();
        limits->ptMaxTrackSize.x = layout.width();
    }
    return 1;
}

bool CMailboxPps::OnCommand(int id)
{
    switch (id) {
    case ID_APPLY_NOW:
        SaveChanges();
        return true;
    case IDC_LIST_BUTTON:
        if (m_attached)
            DetachList();
        else
            AttachList();
        return true;
    case IDC_REFRESH:
        OnRefresh();
        return true;
    case IDC_RESET:
        OnReset();
        return true;
    case IDC_DELETE:
        OnDeleteMailbox();
        return true;
    case IDC_COPY:
        if (m_copyAction && m_record.GetUANumber() != -1)
            m_copyAction(*this, m_record.GetUANumber());
        return true;
    case IDHELP:
        OnHelp();
        return true;
    default:
        return CPropertySheet::OnCommand(id);
    }
}

bool CMailboxPps::anyPageChanged() const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i)->IsModified())
            return true;
    }
    return false;
}

bool CMailboxPps::isAwaited(long number) const
{
    // A reply is awaited when it is for the box the sheet asked for last, or
    // for the box of the list's selected row (the list asks on a click).
    if (number == m_requestedNumber)
        return true;
    if (!m_list || m_list->GetSelectedItem() < 0)
        return m_requestedNumber == -1;
    const std::optional<qint32> selected = ParseUANumber(m_list->GetItemText(m_list->GetSelectedItem(), 0));
    return !selected || *selected == number;
}

void CMailboxPps::OnServerReply(WPARAM code, const QString &reply)
{
    if (code != GetUARequestCode)
        return;
    if (!IsErrorReply(reply)) {
        // A reply for a box the administrator has already left is stale.
        const std::optional<qint32> number = replyBoxNumber(reply);
        if (number && !isAwaited(*number))
            return;
        if (number && *number == m_requestedNumber)
            m_requestedNumber = -1;
    } else {
        m_requestedNumber = -1;
    }
    m_waitCursor.reset();
    if (m_record.GetUANumber() != -1 && anyPageChanged() && m_mode == ModeNormal &&
        AfxMessageBox(AdminString(IDS_DISCARD_CHANGES), MB_OKCANCEL) != IDOK) {
        SendMessageToDescendants(GetSafeHwnd(), WM_SELECT_SHOWN_UA, WPARAM(m_record.GetUANumber()), 0);
        return;
    }
    if (IsErrorReply(reply)) {
        // A switch waiting for this load is not applied later to whatever
        // box loads next.
        if (isUnifiedMessagingPending())
            m_mode = ModeNormal;
        AfxMessageBox(AdminString(IDS_SELECTED_MAILBOX_NOT_RETRIEVED).arg(reply));
        return;
    }
    // The record is replaced only by a reply that parses whole.
    CScenarioUserAgent loaded;
    if (!loaded.Parse(reply, CTclList(), *m_channel))
        return;
    m_record = loaded;
    // A box just loaded holds no changed name to synchronise.
    m_commonFields.namesChanged = false;
    if (isUnifiedMessagingPending()) {
        // The switch belongs to the box it was chosen on; any other box
        // just loads.
        if (m_record.GetUANumber() == m_pendingActionNumber) {
            OnApplyUserAgent();
            return;
        }
        m_mode = ModeNormal;
    }
    if (m_mode == ModeResetting)
        return;
    // The Box List window is a child of the sheet in the window tree: a
    // detached list hears of the load with the pages.
    SendMessageToDescendants(GetSafeHwnd(), WM_USERAGENT_LOADED, WPARAM(m_record.GetUANumber()), 0);
    if (!m_attached)
        SetInitialFocus();
}

bool CMailboxPps::storePages()
{
    const int count = GetPageCount();
    // Every page validates before any is stored, so a refused field leaves
    // the record exactly as it was.
    for (int i = 0; i < count; ++i) {
        CPropertyPage *page = GetPage(i);
        if (page->HasWindow() && !page->OnKillActive()) {
            SetActivePage(page);
            return false;
        }
    }
    const int start = GetActiveIndex() + 1;
    for (int k = 0; k < count; ++k) {
        CPropertyPage *page = GetPage((start + k) % count);
        if (page->HasWindow() && !page->OnApply()) {
            SetActivePage(page);
            return false;
        }
    }
    return true;
}

CMailboxPps::ServerState CMailboxPps::IsChangedOnServer()
{
    const QString reply = m_channel->Execute(
        QStringLiteral("GetUA %1 %2").arg(m_record.GetUANumber()).arg(QStringLiteral("&Ext")), true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(AdminString(IDS_UPDATE_FAILED).arg(reply));
        return ServerState::Unchanged;
    }
    const CTclList splitter;
    QStringList elements;
    splitter.SplitList(reply, elements);
    if (elements.size() < 2 || (elements.size() - 2) % 2 != 0) {
        AfxMessageBox(QStringLiteral("Can't parse %1").arg(reply));
        return ServerState::Unchanged;
    }
    QStringList header;
    splitter.SplitList(elements.first(), header);
    if (header.size() < 5)
        return ServerState::Unchanged;
    bool ok = false;
    const int stamp = header.at(2).toInt(&ok);
    return ok && stamp == m_record.GetChangeStamp() ? ServerState::Unchanged : ServerState::Changed;
}

void CMailboxPps::SaveChanges()
{
    const CWaitCursor wait;
    if (!storePages())
        return;
    bool withForce = false;
    if (IsChangedOnServer() == ServerState::Changed) {
        switch (AfxMessageBox(
            QStringLiteral("This User Agent has been modified.\nPress No to discard your changes "
                           "and refresh this User Agent.\nPress Yes to commit your changes.\n"
                           "Press Cancel to review your changes."),
            MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2)) {
        case IDYES:
            withForce = true;
            break;
        case IDNO:
            // The reload replaces the edits: nothing is left to discard.
            for (int i = 0; i < GetPageCount(); ++i)
                GetPage(i)->SetModified(false);
            SendGetUA(m_record.GetUANumber());
            return;
        default:
            return;
        }
    }
    commit(withForce, true);
}

bool CMailboxPps::commit(bool withForce, bool reloadAfter)
{
    QString reply;
    switch (m_record.CommitEventMaps(*m_channel, reply, withForce)) {
    case CUserAgent::CommitSent:
        if (reloadAfter) {
            showMessageLine(AdminString(IDS_CHANGES_SAVED));
            for (int i = 0; i < GetPageCount(); ++i)
                GetPage(i)->SetModified(false);
            SendGetUA(m_record.GetUANumber());
            offerDirectorySync();
        }
        break;
    case CUserAgent::CommitNothingToSend:
        if (reloadAfter) {
            showMessageLine(AdminString(IDS_NO_CHANGES));
            // The pages hold what the server holds: the reload discards nothing.
            for (int i = 0; i < GetPageCount(); ++i)
                GetPage(i)->SetModified(false);
            SendGetUA(m_record.GetUANumber());
        }
        break;
    default:
        // Refused: the administrator sees why, and the edits stay in the
        // pages to be corrected and saved again.
        AfxMessageBox(AdminString(IDS_CHANGE_REFUSED).arg(reply), MB_ICONERROR);
        return false;
    }
    return true;
}

void CMailboxPps::OnOK()
{
    saveOnClose();
}

bool CMailboxPps::saveOnClose()
{
    if (!storePages())
        return false;
    bool withForce = false;
    if (IsChangedOnServer() == ServerState::Changed) {
        // Cancel is the administrator's choice to drop the edits.
        if (AfxMessageBox(
                QStringLiteral("Another operation has modified this User Agent.\nPress Cancel to discard "
                               "your changes or press OK to commit your changes."),
                MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return true;
        withForce = true;
    }
    return commit(withForce, false);
}

void CMailboxPps::OnCancel()
{
    // The editor's session ends with its document, marked as its own doing.
    ReleasePages();
    DestroyWindow();
}

bool CMailboxPps::QueryClose()
{
    if (!anyPageChanged())
        return true;
    if (AfxMessageBox(
            QStringLiteral("Do you want to close the Mailbox Editor window and discard the changes you "
                           "have made without updating the Mailbox data in the server?"),
            MB_YESNO) == IDNO)
        // A save that did not go through keeps the window and its edits.
        return saveOnClose();
    return true;
}

void CMailboxPps::showMessageLine(const QString &text)
{
    m_messageLine = text;
    emit messageLineChanged(text);
}

void CMailboxPps::OnHelp()
{
    const CPropertyPage *page = GetActivePage();
    const int id = page ? page->GetDialogId() : 0;
    if (std::find(std::begin(kPagesWithHelp), std::end(kPagesWithHelp), id) != std::end(kPagesWithHelp))
        CallHtmlHelp(GetSafeHwnd(), QStringLiteral("admin.chm"), HH_HELP_CONTEXT, uintptr_t(id));
    else
        CallHtmlHelp(GetSafeHwnd(), QStringLiteral("admin.chm"), HH_DISPLAY_TOPIC, 0);
}

void CMailboxPps::OnRefresh()
{
    if (m_document) {
        m_document->LoadOwnUAList();
        const QString title = m_document->GetTitle();
        const qsizetype cut = title.indexOf(QStringLiteral(" - New User Agents"));
        if (cut >= 0)
            m_document->SetTitle(title.left(cut));
    }
    SendGetUA(m_record.GetUANumber());
    if (m_list && m_document)
        m_channel->SendAsync(m_list, WM_SERVER_REPLY, ListRequestCode, m_document->GetListParmsCommand(),
                             true, 1);
}

void CMailboxPps::OnReset()
{
    m_commonFields.loaded = false;
    if (AfxMessageBox(AdminString(IDS_RESET_QUESTION), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_mode = ModeResetting;
    CPropertyPage *remembered = GetActivePage();
    QList<std::pair<unsigned, CMailboxPage *>> resettable;
    for (int i = 0; i < GetPageCount(); ++i) {
        auto *page = dynamic_cast<CMailboxPage *>(GetPage(i));
        // A page without a bit (Info) shows nothing a class of service gives.
        if (!page || page->InitialisedBit() == 0)
            continue;
        if (!TestChangedFlags(page->InitialisedBit()))
            SetActivePage(i);
        resettable.append({page->InitialisedBit(), page});
    }
    std::sort(resettable.begin(), resettable.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[bit, page] : std::as_const(resettable))
        page->ResetToParent();
    if (remembered)
        SetActivePage(remembered);
    m_mode = ModeNormal;
}

void CMailboxPps::OnDeleteMailbox()
{
    const long number = m_record.GetUANumber();
    if (number == -1)
        return;
    if (number == GetSystemAdminUANumber()) {
        AfxMessageBox(QStringLiteral("You can not delete the system admin mailbox."));
        return;
    }
    const QString children = m_channel->Execute(QStringLiteral("UAHasChildren %1").arg(number), true, 1);
    if (IsErrorReply(children)) {
        AfxMessageBox(AdminString(IDS_DELETE_FAILED).arg(children));
        return;
    }
    if (children == QLatin1String("yes")) {
        AfxMessageBox(
            QStringLiteral("Mailbox %1 Can not be deleted because its a Class Of Service mailbox with at "
                           "least 1 child.\nDelete all mailboxes based on %1 first.")
                .arg(number));
        return;
    }
    warnAboutAnswerMethods(number);
    if (AfxMessageBox(QStringLiteral("Are you sure you want to delete mailbox %1?").arg(number),
                      MB_YESNO | MB_ICONQUESTION) != IDYES) {
        SetInitialFocus();
        return;
    }
    const QString reply = m_channel->Execute(AdminString(IDS_DELETEUA).arg(number), true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(AdminString(IDS_DELETE_FAILED).arg(reply));
    } else {
        if (m_document)
            m_document->RemoveUANumber(number);
        forgetDeletedBox();
        RefillList();
    }
    SetInitialFocus();
}

void CMailboxPps::forgetDeletedBox()
{
    // The box is gone from the server: nothing may ask for it again (a
    // Refresh, a reply still on its way), and its edits went with it. The
    // list, refilled without it, then shows its first box.
    m_record = CScenarioUserAgent();
    m_requestedNumber = -1;
    m_waitCursor.reset();
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->SetModified(false);
    if (m_list)
        SendMessage(m_list->GetSafeHwnd(), WM_SELECT_SHOWN_UA, WPARAM(-1), 0);
}

void CMailboxPps::warnAboutAnswerMethods(long number)
{
    const QString reply = m_channel->Execute(QString::fromLatin1(kAnswerMethodsScript), false, 1);
    if (IsErrorReply(reply))
        return;
    const CTclList splitter;
    QStringList methods;
    splitter.SplitList(reply, methods);
    QStringList names;
    for (const QString &method : std::as_const(methods)) {
        QStringList fields;
        splitter.SplitList(method, fields);
        if (fields.size() < 2)
            continue;
        QStringList settings;
        splitter.SplitList(fields.at(1), settings);
        if (!settings.isEmpty() && settings.first() == QString::number(number))
            names.append(fields.first());
    }
    if (names.isEmpty())
        return;
    if (names.size() == 1) {
        AfxMessageBox(
            QStringLiteral("Answer method %1 defines %2 as a greeting user agent.  Remember to assign a "
                           "new greeting user agent to the referenced answer method.")
                .arg(names.first())
                .arg(number));
    } else {
        AfxMessageBox(
            QStringLiteral("Answer methods %1 define %2 as a greeting user agent.  Remember to assign a "
                           "new greeting user agent to the referenced answer methods.")
                .arg(joinNames(names))
                .arg(number));
    }
}

bool CMailboxPps::CheckParentCycle(long edited, long parent)
{
    QSet<long> visited;
    long current = parent;
    for (int step = 0; current != -1; ++step) {
        if (step >= kMaxParentWalk) {
            AfxMessageBox(QStringLiteral("Cycle detected in tree having COS %1.").arg(parent));
            return true;
        }
        const QString reply = m_channel->Execute(AdminString(IDS_SEND_GETUA).arg(current), true, 1);
        if (IsErrorReply(reply)) {
            AfxMessageBox(QStringLiteral("Error retrieving COS %1.").arg(current));
            return true;
        }
        CUserAgent box;
        if (!box.Parse(reply, CTclList()))
            return true;
        const long number = box.GetUANumber();
        if (visited.contains(number)) {
            AfxMessageBox(QStringLiteral("Cycle detected in tree having COS %1.").arg(parent));
            return true;
        }
        if (number == edited) {
            AfxMessageBox(edited == parent
                              ? QStringLiteral("You cannot make a COS a parent of itself.")
                              : QStringLiteral("COS %1 is a parent of COS %2.").arg(edited).arg(parent));
            return true;
        }
        visited.insert(number);
        if (box.IsOverHighMark())
            break;
        current = box.GetParentNumber();
    }
    return false;
}

bool CMailboxPps::ChangeParent(long parent)
{
    if (CheckParentCycle(m_record.GetUANumber(), parent))
        return false;
    if (!m_record.SetParent(parent, *m_channel))
        return false;
    SendGetUA(m_record.GetUANumber());
    return true;
}

void CMailboxPps::shareListWithPages()
{
    // The pages' mailbox-number field jumps to a box of this list, loaded
    // through this sheet.
    m_commonFields.list = m_list;
    m_commonFields.sheet = this;
}

void CMailboxPps::RegisterControl(QWidget *window)
{
    Q_ASSERT(window);
    m_controls.append(window);
    m_controlsForced = true;
}

void CMailboxPps::EnableAllControls(bool enable)
{
    if (enable == m_controlsEnabled && !m_controlsForced)
        return;
    for (const QPointer<QWidget> &control : std::as_const(m_controls)) {
        if (control)
            control->setEnabled(enable);
    }
    m_controlsEnabled = enable;
    m_controlsForced = false;
}

void CMailboxPps::SetPendingAction(Mode mode)
{
    Q_ASSERT(mode == ModeNormal || mode == ModeUnifiedOn || mode == ModeUnifiedOff);
    m_mode = mode;
    m_pendingActionNumber = m_record.GetUANumber();
}

bool CMailboxPps::isUnifiedMessagingPending() const
{
    return m_mode == ModeUnifiedOn || m_mode == ModeUnifiedOff;
}

void CMailboxPps::OnApplyUserAgent()
{
    const bool switchOn = m_mode == ModeUnifiedOn;
    m_mode = ModeNormal;
    const long number = m_record.GetUANumber();
    const QString notification =
        m_serverVariables ? m_serverVariables(QStringLiteral("EmrId_AIM_Normal")) : QString();
    if (number == -1)
        return;
    if (notification.isEmpty()) {
        // Without the notification's name the switch has no property; a
        // name-less one would be stored as a property of its own.
        AfxMessageBox(
            QStringLiteral("UA %1: the server names no unified messaging notification.").arg(number));
        return;
    }
    const QString property = CUserAgent::NameWord(QStringLiteral("Nf_%1_Disable").arg(notification));
    const QString script =
        QStringLiteral("catch {UpdateUA %1 WithForce %2 %3\r\nGetUA %1 \r\n} result\r\nset result")
            .arg(QString::number(number), property, QString::number(switchOn ? 0 : 1));
    const QString reply = m_channel->Execute(script, false, 1);
    const QString answer = QStringLiteral("GetUA");
    if (!IsErrorReply(reply) && reply.startsWith(answer)) {
        // The box as the server now holds it: the record and the pages reload.
        const QString record = reply.mid(answer.size() + 1);
        m_requestedNumber = number;
        SendMessage(GetSafeHwnd(), WM_SERVER_REPLY, GetUARequestCode, reinterpret_cast<LPARAM>(&record));
        // The page shows what the server now holds for this box.
        if (m_record.GetUANumber() == number)
            tellUnifiedMessagingState(m_record.GetProperty(QStringLiteral("Nf_%1_Disable").arg(notification)) !=
                                      QLatin1String("1"));
        return;
    }
    AfxMessageBox(QStringLiteral("UA %1: Received \"%2\". Sent \"%3\"").arg(number).arg(reply, script));
}

void CMailboxPps::tellUnifiedMessagingState(bool enabled)
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (auto *page = dynamic_cast<CUnifiedMessagingPage *>(GetPage(i)))
            page->SetUnifiedMessagingState(enabled);
    }
}
