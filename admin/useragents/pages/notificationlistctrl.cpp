// The notification list; see notificationlistctrl.h.
#include "admin/useragents/pages/notificationlistctrl.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/pages/aliasresolver.h"
#include "admin/useragents/pages/notificationowner.h"
#include "admin/useragents/pages/pagestrings.h"
#include "platform/msgbox/msgbox.h"

#include <QHash>
#include <QSignalBlocker>

namespace {

const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

QString hhmm(int value)
{
    return QStringLiteral("%1:%2").arg(value / 100, 2, 10, QLatin1Char('0')).arg(value % 100, 2, 10, QLatin1Char('0'));
}

// "GetNotifications N {ID ID ...}" over the server's notification events.
QString fetchCommand(long number, const QList<QPair<int, QString>> &events)
{
    QStringList ids;
    for (const auto &event : events)
        ids.append(QString::number(event.first));
    return PageString(IDS_GETNOTIFICATIONS)
        .arg(number)
        .arg(QLatin1Char('{') + ids.join(QLatin1Char(' ')) + QLatin1Char('}'));
}

} // namespace

// One asynchronous fetch: its reply reaches the list only while it is the
// latest request.
class CNotificationListCtrl::Request : public CMessageTarget {
public:
    explicit Request(CNotificationListCtrl &list) : m_list(list) {}
    ~Request() override { unregisterWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_SERVER_REPLY)
            return 0;
        const QString reply = *reinterpret_cast<const QString *>(lParam);
        // The session's dispatcher goes on before any message box shows.
        ReplyMessage(0);
        if (wParam == RequestCode)
            m_list.takeReply(this, reply);
        return 0;
    }

private:
    CNotificationListCtrl &m_list;
};

CNotificationListCtrl::CNotificationListCtrl(INotificationOwner &owner, const CMailboxPageServices &services,
                                             QWidget *parent)
    : CColorListCtrl(parent), CMessageTarget(this), m_owner(owner), m_services(services)
{
    const struct {
        const char *heading;
        int width;
        int format;
    } columns[] = {{"Owned", 54, LVCFMT_LEFT},     {"Enabled", 63, LVCFMT_LEFT}, {"Title", 105, LVCFMT_LEFT},
                   {"Event", 113, LVCFMT_LEFT},    {"Days", 83, LVCFMT_LEFT},    {"From", 52, LVCFMT_LEFT},
                   {"To", 52, LVCFMT_LEFT},        {"After", 39, LVCFMT_RIGHT},  {"Every", 47, LVCFMT_RIGHT},
                   {"Retries", 55, LVCFMT_RIGHT},  {"Variable", 95, LVCFMT_LEFT}, {"Line Group", 95, LVCFMT_LEFT}};
    int column = 0;
    for (const auto &c : columns)
        InsertColumn(column++, QString::fromLatin1(c.heading), c.format, c.width);
    SetShowSelectionAlways(true);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
}

CNotificationListCtrl::~CNotificationListCtrl()
{
    unregisterWindow();
}

void CNotificationListCtrl::LoadTitles()
{
    m_knownTitles = m_services.notificationApps;
    m_uiDisabledTitles = m_services.tuiDisabledApps;
    CServerCommandChannel *channel = m_services.applicationChannel;
    if (!channel)
        return;
    const QString list = channel->Execute(PageString(IDS_GETALIASLIST));
    QStringList names;
    if (!IsErrorReply(list))
        CTclList().SplitList(list, names);
    if (names.isEmpty())
        return;
    const QList<CAliasResolver::Alias> aliases =
        CAliasResolver::ParseBatchReply(channel->Execute(CAliasResolver::BatchScript(names)));
    m_knownTitles.append(CAliasResolver::Resolve(m_services.notificationApps, aliases));
    m_uiDisabledTitles.append(CAliasResolver::Resolve(m_services.tuiDisabledApps, aliases));
}

QString CNotificationListCtrl::EventName(int id) const
{
    for (const auto &[eventId, name] : m_services.notificationEvents) {
        if (eventId == id)
            return name;
    }
    return QStringLiteral("Event_%1").arg(id);
}

int CNotificationListCtrl::EventId(const QString &name) const
{
    for (const auto &[eventId, eventName] : m_services.notificationEvents) {
        if (eventName == name)
            return eventId;
    }
    return -1;
}

void CNotificationListCtrl::fetch(long number)
{
    if (m_owner.IsResetting())
        return;
    setEnabled(false);
    m_request.reset();
    if (number == -1 || !m_services.applicationChannel)
        return;
    m_request = std::make_unique<Request>(*this);
    m_services.applicationChannel->SendAsync(m_request.get(), WM_SERVER_REPLY, RequestCode,
                                            fetchCommand(number, m_services.notificationEvents));
}

void CNotificationListCtrl::takeReply(const Request *request, const QString &reply)
{
    // A request replaced since (another box was loaded) is not taken; the
    // latest stays until the next fetch replaces it.
    if (request != m_request.get())
        return;
    FillFromReply(reply);
}

void CNotificationListCtrl::Refresh(long number)
{
    m_request.reset();
    if (number == -1 || !m_services.applicationChannel)
        return;
    FillFromReply(m_services.applicationChannel->Execute(fetchCommand(number, m_services.notificationEvents)));
}

void CNotificationListCtrl::FillFromReply(const QString &reply)
{
    LoadTitles();
    {
        const QSignalBlocker blocker(this);
        DeleteAllItems();
        m_selectedRow = -1;
    }
    setEnabled(true);
    if (IsErrorReply(reply)) {
        AfxMessageBox(PageString(IDS_NOTIFICATIONS_FAILED).arg(reply));
        return;
    }
    const CTclList splitter;
    QStringList elements;
    splitter.SplitList(reply, elements);
    m_replyCount = int(elements.size());
    int position = 0;
    for (const QString &element : std::as_const(elements)) {
        ++position;
        QHash<QString, QString> fields;
        if (!splitter.SplitPairs(element, fields) || (fields.isEmpty() && !element.trimmed().isEmpty())) {
            AfxMessageBox(QStringLiteral("Expected pairs but received '%1' on row %2. Skipping display of remaining "
                                         "notifications.")
                              .arg(reply)
                              .arg(position));
            return;
        }
        QString title = fields.value(QStringLiteral("app"));
        const qsizetype dot = title.lastIndexOf(QLatin1Char('.'));
        if (dot > 0)
            title = title.mid(dot + 1);
        if (!m_knownTitles.contains(title))
            continue;
        const QString mapId = fields.value(QStringLiteral("evMapId"));
        const int row = InsertItem(GetItemCount(), fields.value(QStringLiteral("scenario")).toInt() ==
                                                           m_owner.GetScenarioNumber()
                                                       ? kYes
                                                       : kNo);
        SetItemData(row, quintptr(qintptr(mapId.toInt())));
        SetItemText(row, Title, title);
        SetItemText(row, Event, EventName(fields.value(QStringLiteral("eventId")).toInt()));
        FillRow(row, mapId);
    }
}

void CNotificationListCtrl::FillRow(int row, const QString &key)
{
    if (row < 0 || row >= GetItemCount())
        return;
    const auto property = [&](const char *field) {
        return m_owner.GetProperty(QStringLiteral("Nf_%1_%2").arg(key, QLatin1String(field)));
    };
    SetItemText(row, Enabled, property("Disable") == QLatin1String("1") ? kNo : kYes);
    const int mask = property("DayOfWeek").toInt();
    const QString letters = QStringLiteral("MTWTFSS");
    QString days;
    for (int day = 0; day < 7; ++day)
        days.append((mask >> day) & 1 ? letters.at(day) : QLatin1Char(' '));
    SetItemText(row, Days, days);
    SetItemText(row, From, hhmm(property("From").toInt()));
    SetItemText(row, To, hhmm(property("To").toInt()));
    SetItemText(row, After, QString::number(property("InitDial").toLongLong() / 60000));
    SetItemText(row, Every, QString::number(property("RepeatDelay").toLongLong() / 60000));
    SetItemText(row, Retries, property("RepeatCount"));
    SetItemText(row, Variable, property("Variable"));
    SetItemText(row, LineGroup, property("LineGroup"));
}

int CNotificationListCtrl::AddRow(const QString &title, const QString &eventName, qintptr data)
{
    int row = 0;
    {
        const QSignalBlocker blocker(this);
        row = InsertItem(GetItemCount(), kYes);
        SetItemText(row, Title, title);
        SetItemText(row, Event, eventName);
        SetItemData(row, quintptr(data));
    }
    SelectItem(row);
    setCurrentItem(topLevelItem(row));
    return row;
}

bool CNotificationListCtrl::TakeSelectedOwned(qintptr &data)
{
    const int row = GetSelectedItem();
    if (row < 0)
        return false;
    if (GetItemText(row, Owned) != kYes) {
        AfxMessageBox(QStringLiteral("The selected notification is not owned by this User Agent and can not be "
                                     "deleted."));
        return false;
    }
    data = ItemData(row);
    const QSignalBlocker blocker(this);
    DeleteItem(row);
    m_selectedRow = -1;
    return true;
}

void CNotificationListCtrl::selectionChanged()
{
    const int row = GetSelectedItem();
    if (row == m_selectedRow)
        return;
    const int left = m_selectedRow;
    m_selectedRow = row;
    if (left >= 0)
        tellOwner(WM_ROW_DESELECTED, left);
    if (row >= 0)
        tellOwner(WM_ROW_SELECTED, row);
}

void CNotificationListCtrl::tellOwner(UINT message, int row)
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *target = dynamic_cast<CMessageTarget *>(w)) {
            SendMessage(target->GetSafeHwnd(), message, 0, LPARAM(row));
            return;
        }
    }
}

LRESULT CNotificationListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == 0x802) {
        fetch(long(qint32(wParam)));
        return 0;
    }
    return CMessageTarget::WindowProc(message, wParam, lParam);
}
