// The mailbox list's behaviour: filling from the list reply, statistics,
// selection, sorting, type-ahead and the GetUA requests for the sheet.
// Statistics records are matched to boxes through a table built once, so a
// long list costs one pass over the statistics reply, not one per row.
#include "admin/useragents/mailboxlistctrl.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/colorlistctrl.h"
#include "platform/msgbox/msgbox.h"

#include <QContextMenuEvent>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int ColumnWidths[CMailboxListModel::ColumnCount] = {64, 64, 312, 64, 160, 64, 64};
// Headings are at most this long, as the list control keeps them.
constexpr int HeadingLimit = 64;

QByteArray splittable(QByteArrayView element)
{
    return QByteArray::fromRawData(element.data(), element.size());
}

// Where a heading's sort marker ("<" or ">") stands, looked for from the
// second character on; -1 for none.
qsizetype markerPosition(const QString &heading)
{
    const qsizetype ascending = heading.indexOf(QLatin1Char('>'), 1);
    const qsizetype descending = heading.indexOf(QLatin1Char('<'), 1);
    return ascending < 0 ? descending : (descending < 0 ? ascending : qMin(ascending, descending));
}

} // namespace

CMailboxListCtrl::CMailboxListCtrl(CServerCommandChannel *channel, CUserAgentArray::AllowedFilter allowed,
                                   CMessageTarget *replyWindow, HWND windowToClose, QWidget *parent)
    : QTreeView(parent), CMessageTarget(this), m_channel(channel), m_replyWindow(replyWindow),
      m_windowToClose(windowToClose), m_array(std::move(allowed)), m_model(m_array)
{
    Q_ASSERT(channel);
    setModel(&m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    // The widths are minimums: a column is at least as wide as its heading.
    for (int column = 0; column < CMailboxListModel::ColumnCount; ++column)
        setColumnWidth(column, std::max(ColumnWidths[column], header()->sectionSizeHint(column)));

    connect(header(), &QHeaderView::sectionClicked, this, &CMailboxListCtrl::OnColumnClick);
    connect(this, &QAbstractItemView::clicked, this, [this] { onClick(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = selectionModel()->selectedRows();
        m_selectedRow = rows.isEmpty() ? -1 : rows.first().row();
    });
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] { m_selectedRow = -1; });
    SetTimer(GetSafeHwnd(), TypeAheadTimerId, 1000);
}

CMailboxListCtrl::~CMailboxListCtrl()
{
    unregisterWindow();
}

void CMailboxListCtrl::StopReceiving()
{
    unregisterWindow();
}

int CMailboxListCtrl::FindItemByText(const QString &text) const
{
    // Number texts are the plain decimal of the box, so only such a text can match.
    const QString wanted = text.trimmed();
    bool ok = false;
    const long number = wanted.toLong(&ok);
    if (!ok || QString::number(number) != wanted)
        return -1;
    for (int row = 0; row < m_model.rowCount(); ++row) {
        if (m_array.GetNumber(m_model.ArrayIndex(row)) == number)
            return row;
    }
    return -1;
}

void CMailboxListCtrl::UpdateSortMarker()
{
    if (m_sortColumn < 0)
        return;
    QString heading = m_model.Heading(m_sortColumn).left(HeadingLimit);
    const qsizetype marker = markerPosition(heading);
    if (marker >= 0)
        heading.truncate(marker + 1);
    m_model.SetHeading(m_sortColumn, heading + m_typed);
}

void CMailboxListCtrl::SelectItem(int row)
{
    if (row < 0 || row >= m_model.rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_model.index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void CMailboxListCtrl::OnColumnClick(int column)
{
    if (column < 0 || column >= CMailboxListModel::ColumnCount)
        return;
    const QString selectedNumber = m_selectedRow >= 0 ? GetItemText(m_selectedRow, 0).trimmed() : QString();
    SelectItem(-1);
    if (m_sortColumn >= 0)
        m_model.SetHeading(m_sortColumn, withoutMarker(m_model.Heading(m_sortColumn)));
    if (column == m_sortColumn) {
        m_descending = !m_descending;
    } else {
        m_sortColumn = column;
        m_descending = false;
    }
    m_model.Sort(m_sortColumn, m_descending);
    if (!selectedNumber.isEmpty())
        SelectItem(FindItemByText(selectedNumber));
    m_model.SetHeading(m_sortColumn, m_model.Heading(m_sortColumn) +
                                         (m_descending ? QStringLiteral(" <") : QStringLiteral(" >")));
    m_typed.clear();
}

LRESULT CMailboxListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SERVER_REPLY: {
        // The text is ours to copy before the sender is let go.
        const QString reply = *reinterpret_cast<const QString *>(lParam);
        ReplyMessage(0);
        onServerReply(wParam, reply);
        return 0;
    }
    case WM_USERAGENT_LOADED:
    case WM_SELECT_SHOWN_UA:
        m_currentNumber = long(std::int32_t(wParam));
        selectNumber(m_currentNumber);
        return 0;
    case WM_TIMER:
        if (wParam == TypeAheadTimerId)
            onTimer();
        return 0;
    default:
        return CMessageTarget::WindowProc(message, wParam, lParam);
    }
}

void CMailboxListCtrl::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    // The selection shows whether or not the list has the focus.
    const bool selected = selectionModel()->isRowSelected(index.row(), index.parent());
    CColorListCtrl::PaintReportRow(*this, painter, option, index, selected);
}

void CMailboxListCtrl::keyPressEvent(QKeyEvent *event)
{
    // Tab still moves the focus on; every other key is the list's.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QTreeView::keyPressEvent(event);
        return;
    }
    event->accept();
    switch (event->key()) {
    case Qt::Key_Backspace:
        m_typed.chop(1);
        typeAhead();
        return;
    case Qt::Key_Up:
        moveSelection(-1);
        return;
    case Qt::Key_Down:
        moveSelection(1);
        return;
    case Qt::Key_Space:
        onClick();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 0x30 && text[0].unicode() <= 0x7e) {
        m_typed += text;
        typeAhead();
    }
}

void CMailboxListCtrl::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    if (m_selectedRow < 0)
        return;
    emit openEditorRequested(m_array.GetNumber(m_model.ArrayIndex(m_selectedRow)));
}

void CMailboxListCtrl::onServerReply(WPARAM code, const QString &reply)
{
    if (code != ListRequestCode)
        return;
    if (IsErrorReply(reply)) {
        AfxMessageBox(AdminString(IDS_UA_LIST_FAILED).arg(reply));
        return;
    }
    const CUserAgentArray::FillResult result = m_array.FillFromReply(reply.toUtf8());
    if (result.malformed > 0)
        AfxMessageBox(QStringLiteral("Can't parse %1").arg(result.firstMalformed));
    loadRows();
}

void CMailboxListCtrl::loadRows()
{
    m_model.Reload();
    if (m_array.IsEmpty()) {
        AfxMessageBox(QStringLiteral(
            "All of the User Agents administered by your account are deleted. This editor will be closed"));
        SendMessage(m_windowToClose, WM_CLOSE, 0, 0);
        return;
    }
    loadStatistics();
    if (m_sortColumn >= 0) {
        m_model.Sort(m_sortColumn, m_descending);
        m_typed.clear();
    }
    if (m_currentNumber == -1 && m_model.rowCount() > 0) {
        m_currentNumber = m_array.GetNumber(m_model.ArrayIndex(0));
        if (m_currentNumber != -1)
            sendGetUA(m_currentNumber);
    }
    selectNumber(m_currentNumber);
}

bool CMailboxListCtrl::loadStatistics()
{
    QString numbers;
    for (int i = 0; i < m_array.GetSize(); ++i)
        numbers += QString::number(m_array.GetNumber(i)) + QLatin1Char(' ');
    const QString reply = m_channel->Execute(
        QStringLiteral("Tcl_MailboxMessageStatReportNoASR %1 {Mailbox %2 %3}")
            .arg(TclWord(numbers), QStringLiteral("m_t_msgcnt"), QStringLiteral("m_t_msglen")));
    if (IsErrorReply(reply)) {
        AfxMessageBox(QStringLiteral("Cannot retrieve message statistics for mailboxes."));
        return false;
    }
    if (isCosList())
        return true;

    const CTclList splitter;
    const CTclElements records = splitter.Split(reply.toUtf8());
    // Each box takes the first record with its number that no other row took.
    QHash<long, QList<qsizetype>> byNumber;
    byNumber.reserve(records.size());
    std::vector<CTclElements> fields(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        fields[i] = splitter.Split(splittable(records.at(i)));
        if (fields[i].size() > 1)
            byNumber[std::atol(fields[i].at(1).data())].append(i);
    }
    // Boxes without statistics are told in one message: a server with many
    // of them must not bury the administrator under one box each.
    long firstMissing = -1;
    int missing = 0;
    for (int row = 0; row < m_model.rowCount(); ++row) {
        const long number = m_array.GetNumber(m_model.ArrayIndex(row));
        auto found = byNumber.find(number);
        if (found == byNumber.end() || found->isEmpty()) {
            if (missing++ == 0)
                firstMissing = number;
            continue;
        }
        const CTclElements &record = fields[found->takeFirst()];
        const QByteArrayView notAvailable("N/A");
        m_model.SetStatistics(row, record.size() > 3 ? record.at(3) : notAvailable,
                              record.size() > 5 ? record.at(5) : notAvailable);
    }
    if (missing == 1)
        AfxMessageBox(QStringLiteral("Cannot retrieve message statistics for mailbox %1").arg(firstMissing));
    else if (missing > 1)
        AfxMessageBox(QStringLiteral("Cannot retrieve message statistics for %1 mailboxes, the first being "
                                     "mailbox %2")
                          .arg(missing)
                          .arg(firstMissing));
    return true;
}

void CMailboxListCtrl::selectNumber(long number)
{
    SelectItem(number == -1 ? -1 : FindItemByText(QString::number(number)));
}

void CMailboxListCtrl::sendGetUA(long number)
{
    m_channel->SendAsync(m_replyWindow, WM_SERVER_REPLY, GetUARequestCode,
                         QStringLiteral("GetUA %1").arg(number), true, 1);
}

void CMailboxListCtrl::onClick()
{
    if (m_selectedRow < 0)
        return;
    sendGetUA(GetItemText(m_selectedRow, 0).trimmed().toLong());
}

void CMailboxListCtrl::typeAhead()
{
    int match = -1;
    if (!m_typed.isEmpty()) {
        const int column = typeAheadColumn();
        for (int row = 0; row < m_model.rowCount() && match < 0; ++row) {
            // The number column is padded with blanks; the typed text matches the digits.
            if (m_model.Text(row, column).trimmed().startsWith(m_typed, Qt::CaseInsensitive))
                match = row;
        }
    }
    SelectItem(match);
    UpdateSortMarker();
    m_countdown = TypeAheadTicks;
}

void CMailboxListCtrl::moveSelection(int step)
{
    m_typed.clear();
    UpdateSortMarker();
    if (m_model.rowCount() == 0)
        return;
    const int from = m_selectedRow < 0 ? (step > 0 ? -1 : m_model.rowCount()) : m_selectedRow;
    SelectItem(qBound(0, from + step, m_model.rowCount() - 1));
}

void CMailboxListCtrl::onTimer()
{
    if (m_countdown == 0)
        return;
    if (--m_countdown == 0) {
        m_typed.clear();
        UpdateSortMarker();
    }
}

bool CMailboxListCtrl::isCosList() const
{
    const auto *sheet =
        m_replyWindow ? qobject_cast<const QWidget *>(m_replyWindow->messageObject()) : nullptr;
    return sheet && sheet->windowTitle().contains(QStringLiteral("COS"));
}

int CMailboxListCtrl::typeAheadColumn() const
{
    return m_sortColumn >= 0 ? m_sortColumn : CMailboxListModel::NumberColumn;
}

QString CMailboxListCtrl::withoutMarker(const QString &heading)
{
    const qsizetype marker = markerPosition(heading);
    return marker < 0 ? heading : heading.left(marker).trimmed();
}
