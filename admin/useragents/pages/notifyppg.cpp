// The notifications page; see notifyppg.h.
#include "admin/useragents/pages/notifyppg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/newnotificationdlg.h"
#include "admin/useragents/pages/notificationlistctrl.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/useragents/pages/timeofdayedit.h"
#include "admin/widgets/daymaskctrl.h"
#include "platform/mfc/dataexchange.h"
#include "platform/msgbox/msgbox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Adding notifications and editing templates take this permission.
constexpr quint32 kTemplatePermission = 0x10;
constexpr unsigned kMinute = 60000;
constexpr int kMaxMinutes = 999;
constexpr int kEndOfDay = 2359;
// The notification's fields start after the three every page heads its table with.
constexpr int kFirstField = 3;

// The eleven properties of a notification, in the table's order.
const char *const kFields[] = {"Disable",   "DayOfWeek",   "Holidays",   "From",       "To",      "InitDial",
                               "RepeatDelay", "RepeatCount", "Accessible", "LineGroup", "Variable"};

void exchangeCheck(CDataExchange *dx, int id, CPageBoolValue &value)
{
    int checked = value.GetValue() ? 1 : 0;
    DDX_Check(dx, id, checked);
    if (dx->m_bSaveAndValidate && (checked == 1) != value.GetValue())
        value.SetValue(checked == 1);
}

} // namespace

QString CNotifyPpg::Owner::GetProperty(const QString &name) const
{
    return m_page.Sheet().Record().GetProperty(name);
}

int CNotifyPpg::Owner::GetScenarioNumber() const
{
    return m_page.Sheet().Record().GetScenarioNumber();
}

bool CNotifyPpg::Owner::IsResetting() const
{
    return m_page.Sheet().IsResetting();
}

CNotifyPpg::CNotifyPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(
          IDD, IDS_NOTIFY_PAGE,
          {
              {&m_enabled, QStringLiteral("Nf_%s_Disable"), IDC_ENABLED, IDC_ENABLED, false, IDS_ENABLED_NOT_LOCKABLE,
               0, 32957},
              {&m_days, QStringLiteral("Nf_%s_DayOfWeek"), IDC_DAYS, 1315, false, -1, 0, 32958},
              {&m_holidays, QStringLiteral("Nf_%s_Holidays"), IDC_HOLIDAYS_IGNORED, 1531, false, -1, 0, 32959},
              {&m_from, QStringLiteral("Nf_%s_From"), IDC_FROM, 1330, false, -1, 0, 32960},
              {&m_to, QStringLiteral("Nf_%s_To"), IDC_TO, 1316, false, -1, 0, 32961},
              {&m_initDial, QStringLiteral("Nf_%s_InitDial"), IDC_NOTIFY_AFTER, 1317, false, -1, 0, 32962},
              {&m_repeatDelay, QStringLiteral("Nf_%s_RepeatDelay"), IDC_CONTINUE_EVERY, 1319, false, -1, 0, 32963},
              {&m_repeatCount, QStringLiteral("Nf_%s_RepeatCount"), IDC_MAXIMUM_TIMES, 1323, false, -1, 0, 32964},
              {&m_accessible, QStringLiteral("Nf_%s_Accessible"), IDC_ACCESSIBLE, IDC_ACCESSIBLE, false, -1, 0, 32965},
              {&m_lineGroup, QStringLiteral("Nf_%s_LineGroup"), IDC_LINE_GROUP, 1326, false, -1, 0, 32966},
              {&m_variable, QStringLiteral("Nf_%s_Variable"), IDC_VARIABLE, 1310, false, IDS_VARIABLE_NOT_LOCKABLE, 0,
               32967},
          },
          sheet, services),
      m_owner(*this)
{
    // Checked is enabled: the stored Disable flag is 0, an absent one reads as enabled.
    m_enabled.SetInverted();

    m_list = SetDlgCtrlID(new CNotificationListCtrl(m_owner, Services(), this), IDC_LIST);
    m_list->setMinimumHeight(130);
    Body()->addWidget(m_list, 1);
    auto *buttons = new QHBoxLayout;
    for (auto [id, text] : {std::pair{int(IDC_ADD), "Add"}, std::pair{int(IDC_DELETE), "Delete"},
                            std::pair{int(IDC_TEMPLATE_EDITOR), "Template Editor"}}) {
        auto *button = SetDlgCtrlID(new QPushButton(QString::fromLatin1(text), this), id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    Body()->addLayout(buttons);

    QGridLayout *fields = AddGrid();
    fields->addWidget(new QLabel(QStringLiteral("Title:"), this), 0, 0, Qt::AlignLeft);
    QLineEdit *title = MakeEdit(IDC_TITLE, 150);
    title->setReadOnly(true);
    fields->addWidget(title, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Event:"), this), 0, 2, Qt::AlignLeft);
    QLineEdit *event = MakeEdit(IDC_EVENT, 150);
    event->setReadOnly(true);
    fields->addWidget(event, 0, 3);
    fields->addWidget(MakeCheck(IDC_ENABLED, QStringLiteral("Enabled")), 1, 0, Qt::AlignLeft);
    fields->addWidget(MakeCheck(IDC_ACCESSIBLE, QStringLiteral("User mode accessible")), 1, 1, Qt::AlignLeft);
    fields->addWidget(MakeLabel(1310, QStringLiteral("Variable:")), 1, 2, Qt::AlignLeft);
    fields->addWidget(MakeEdit(IDC_VARIABLE, 150), 1, 3);
    fields->addWidget(MakeLabel(1315, QStringLiteral("Days of week:")), 2, 0, Qt::AlignLeft);
    m_dayMask = SetDlgCtrlID(new CDayMaskCtrl(this), IDC_DAYS);
    fields->addWidget(m_dayMask, 2, 1, 1, 3, Qt::AlignLeft);
    fields->addWidget(MakeLabel(1531, QStringLiteral("Holidays:")), 3, 0, Qt::AlignLeft);
    auto *holidays = new QHBoxLayout;
    holidays->addWidget(MakeRadio(IDC_HOLIDAYS_IGNORED, QStringLiteral("Ignored")));
    holidays->addWidget(MakeRadio(IDC_HOLIDAYS_ACTIVE, QStringLiteral("Active")));
    holidays->addWidget(MakeRadio(IDC_HOLIDAYS_INACTIVE, QStringLiteral("Inactive")));
    holidays->addStretch(1);
    fields->addLayout(holidays, 3, 1, 1, 3);
    for (auto [labelId, text, id, row, column] :
         {std::tuple{1330, "From:", int(IDC_FROM), 4, 0}, std::tuple{1316, "To:", int(IDC_TO), 4, 2}}) {
        fields->addWidget(MakeLabel(labelId, QString::fromLatin1(text)), row, column, Qt::AlignLeft);
        auto *time = SetDlgCtrlID(new CTimeOfDayEdit(this), id);
        connect(time, &QTimeEdit::timeChanged, this, [this, id = id] { timeChanged(id); });
        fields->addWidget(time, row, column + 1, Qt::AlignLeft);
    }
    fields->addWidget(MakeLabel(1317, QStringLiteral("Notify after (minutes):")), 5, 0, Qt::AlignLeft);
    fields->addWidget(MakeSpinEdit(IDC_NOTIFY_AFTER, 1139, 0, kMaxMinutes), 5, 1);
    fields->addWidget(MakeLabel(1319, QStringLiteral("Continue every (minutes):")), 5, 2, Qt::AlignLeft);
    fields->addWidget(MakeSpinEdit(IDC_CONTINUE_EVERY, 1137, 0, kMaxMinutes), 5, 3);
    fields->addWidget(MakeLabel(1323, QStringLiteral("Maximum times:")), 6, 0, Qt::AlignLeft | Qt::AlignTop);
    fields->addWidget(MakeSpinEdit(IDC_MAXIMUM_TIMES, 1135, 0, 99), 6, 1, Qt::AlignTop);
    fields->addWidget(MakeLabel(1326, QStringLiteral("Notification port group:")), 6, 2, Qt::AlignLeft | Qt::AlignTop);
    m_lineGroups = SetDlgCtrlID(new QListWidget(this), IDC_LINE_GROUP);
    m_lineGroups->setFixedSize(150, 60);
    fields->addWidget(m_lineGroups, 6, 3);
    fields->setColumnStretch(4, 1);

    connect(m_dayMask, &CDayMaskCtrl::MaskChanged, this, [this] { fieldEdited(IDC_DAYS); });
    // A choice is a selection: the list also moves its current row by
    // itself (to the first group when Tab enters it), which chooses nothing.
    connect(m_lineGroups, &QListWidget::itemSelectionChanged, this, [this] { lineGroupChosen(); });
}

CNotifyPpg::~CNotifyPpg() = default;

bool CNotifyPpg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    GetDlgItem(IDC_DELETE)->setEnabled(false);
    if (!(Services().rights & kTemplatePermission)) {
        GetDlgItem(IDC_ADD)->setEnabled(false);
        GetDlgItem(IDC_TEMPLATE_EDITOR)->setEnabled(false);
    }
    setFieldsEditable(false);
    m_dirty = false;
    m_list->Refresh(Sheet().Record().GetUANumber());
    Sheet().AddChangedFlags(InitialisedBit());
    loadPortGroups();
    SetControlTips(*this, {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970}, {1303, 61625}, {1311, 32957},
                           {1324, 32965}, {1308, 32967}, {1734, 32966}, {1314, 32958}, {1529, 61610}, {1524, 61611},
                           {1528, 61612}, {1312, 32960}, {1313, 32961}, {1318, 32962}, {1322, 32963}, {1073, 32964}});
    return true;
}

QList<CPageValue *> CNotifyPpg::notificationValues()
{
    return {&m_enabled, &m_days,       &m_holidays,   &m_from,      &m_to,      &m_initDial,
            &m_repeatDelay, &m_repeatCount, &m_accessible, &m_lineGroup, &m_variable};
}

void CNotifyPpg::setKey(const QString &key)
{
    m_currentKey = key;
    SetSubstitution(key);
}

void CNotifyPpg::OnUserAgentLoaded(WPARAM wParam, LPARAM lParam)
{
    clearFields();
    CMailboxPageBase::OnUserAgentLoaded(wParam, lParam);
}

void CNotifyPpg::clearFields()
{
    for (CPageValue *value : notificationValues())
        value->Reset();
    m_repeatCount.SetValue(1);
    m_to.SetValue(kEndOfDay);
    m_accessibleLocked = false;
    setFieldsEditable(false);
    m_dirty = false;
    setKey(QString());
    {
        const QSignalBlocker titleBlocker(GetDlgItem(IDC_TITLE));
        const QSignalBlocker eventBlocker(GetDlgItem(IDC_EVENT));
        SetDlgItemText(IDC_TITLE, QString());
        SetDlgItemText(IDC_EVENT, QString());
    }
    {
        const QSignalBlocker blocker(m_lineGroups);
        m_lineGroups->clear();
    }
    GetDlgItem(IDC_DELETE)->setEnabled(false);
    if (HasWindow())
        LoadControls();
}

void CNotifyPpg::setFieldsEditable(bool editable)
{
    if (editable == m_fieldsEditable)
        return;
    m_fieldsEditable = editable;
    const QList<CPageValue *> values = notificationValues();
    for (int i = 0; i < values.size(); ++i) {
        values[i]->SetDisabled(!editable || (values[i] == &m_accessible && m_accessibleLocked));
        RefreshEntry(kFirstField + i);
    }
    GetDlgItem(IDC_HOLIDAYS_ACTIVE)->setEnabled(editable);
    GetDlgItem(IDC_HOLIDAYS_INACTIVE)->setEnabled(editable);
}

void CNotifyPpg::followEnabled()
{
    // The fields after Enabled can be changed only while it is checked.
    const bool enabled = m_enabled.GetValue() && m_fieldsEditable;
    const QList<CPageValue *> values = notificationValues();
    for (int i = 1; i < values.size(); ++i) {
        values[i]->SetDisabled(!enabled || (values[i] == &m_accessible && m_accessibleLocked));
        RefreshEntry(kFirstField + i);
    }
    GetDlgItem(IDC_HOLIDAYS_ACTIVE)->setEnabled(enabled);
    GetDlgItem(IDC_HOLIDAYS_INACTIVE)->setEnabled(enabled);
    for (const int spin : {1139, 1137, 1135}) {
        if (QWidget *arrows = GetDlgItem(spin))
            arrows->setEnabled(enabled);
    }
}

QString CNotifyPpg::keyOfRow(int row) const
{
    const qintptr data = m_list->ItemData(row);
    if (data >= 0)
        return QString::number(data);
    const int eventId = m_list->EventId(m_list->GetItemText(row, CNotificationListCtrl::Event));
    return QStringLiteral("%1!%2!%3").arg(data).arg(eventId).arg(m_list->GetItemText(row, CNotificationListCtrl::Title));
}

void CNotifyPpg::rowSelected(int row)
{
    // While the Reset runs, only its own selections load a row.
    if (m_resetting && !m_resetSelecting)
        return;
    m_selectedRow = row;
    if (row < 0)
        return;
    setFieldsEditable(true);
    setKey(keyOfRow(row));
    const QString title = m_list->GetItemText(row, CNotificationListCtrl::Title);
    {
        const QSignalBlocker titleBlocker(GetDlgItem(IDC_TITLE));
        const QSignalBlocker eventBlocker(GetDlgItem(IDC_EVENT));
        SetDlgItemText(IDC_TITLE, title);
        SetDlgItemText(IDC_EVENT, m_list->GetItemText(row, CNotificationListCtrl::Event));
    }
    m_accessibleLocked = m_list->UIDisabledTitles().contains(title);
    const bool owned = m_list->GetItemText(row, CNotificationListCtrl::Owned) == QLatin1String("Yes");
    for (CPageValue *value : notificationValues())
        value->SetInheritanceOff(owned);
    fillLineGroups();
    TransferData(false);
    followEnabled();
    GetDlgItem(IDC_DELETE)->setEnabled(owned);
}

void CNotifyPpg::rowDeselected(int row)
{
    if (!m_currentKey.isEmpty()) {
        TransferData(true);
        m_list->FillRow(row, m_currentKey);
    }
    m_selectedRow = -1;
}

void CNotifyPpg::loadPortGroups()
{
    QString reply;
    try {
        CPendingCommand pending = Sheet().Channel()->BeginCommand(QStringLiteral("get_notify_port_groups"));
        reply = Sheet().Channel()->WaitReply(pending);
    } catch (const CZltException &e) {
        reply = QStringLiteral("!") + e.text();
    }
    // A refusal keeps the groups known before.
    if (IsErrorReply(reply))
        return;
    CTclList().SplitList(reply, m_portGroups);
}

void CNotifyPpg::fillLineGroups()
{
    const QSignalBlocker blocker(m_lineGroups);
    m_lineGroups->clear();
    const CTclList splitter;
    for (const QString &group : std::as_const(m_portGroups)) {
        QStringList items;
        splitter.SplitList(group, items);
        if (!items.isEmpty())
            m_lineGroups->addItem(items.first());
    }
}

void CNotifyPpg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    exchangeCheck(dx, IDC_ENABLED, m_enabled);
    if (!m_accessibleLocked)
        exchangeCheck(dx, IDC_ACCESSIBLE, m_accessible);
    else if (!dx->m_bSaveAndValidate)
        // User mode cannot reach the title, whatever the stored value says;
        // that value stays as it is.
        GetDlgItem<QCheckBox>(IDC_ACCESSIBLE)->setChecked(false);
    DDX_Text(dx, IDC_VARIABLE, m_variable.GetValueRef());
    // Delays show in whole minutes; only what the administrator typed goes
    // back, so a delay left alone keeps its exact milliseconds.
    for (auto [id, value] :
         {std::pair{int(IDC_NOTIFY_AFTER), &m_initDial}, std::pair{int(IDC_CONTINUE_EVERY), &m_repeatDelay}}) {
        unsigned minutes = value->GetValue() / kMinute;
        DDX_Text(dx, id, minutes);
        CheckTypedRange(dx, id, minutes, 0, kMaxMinutes);
        if (dx->m_bSaveAndValidate && GetDlgItem<QLineEdit>(id)->isModified())
            value->SetValue(minutes * kMinute);
    }
    unsigned times = m_repeatCount.GetValue();
    DDX_Text(dx, IDC_MAXIMUM_TIMES, times);
    CheckTypedRange(dx, IDC_MAXIMUM_TIMES, times, 0, kMaxMinutes);
    if (dx->m_bSaveAndValidate) {
        if (times != m_repeatCount.GetValue())
            m_repeatCount.SetValue(times);
        int holidays = m_holidays.GetValue();
        SaveRadio({IDC_HOLIDAYS_IGNORED, IDC_HOLIDAYS_ACTIVE, IDC_HOLIDAYS_INACTIVE}, holidays);
        if (holidays != m_holidays.GetValue())
            m_holidays.SetValue(holidays);
        if (unsigned(m_dayMask->Mask()) != m_days.GetValue())
            m_days.SetValue(unsigned(m_dayMask->Mask()));
        // From and To took each time the administrator set (timeChanged); a
        // time the picker could not show stays as the server sent it.
        return;
    }
    LoadRadio({IDC_HOLIDAYS_IGNORED, IDC_HOLIDAYS_ACTIVE, IDC_HOLIDAYS_INACTIVE}, m_holidays.GetValue());
    m_dayMask->SetMask(int(m_days.GetValue()));
    GetDlgItem<CTimeOfDayEdit>(IDC_FROM)->ShowStoredTime(m_from.GetValue());
    GetDlgItem<CTimeOfDayEdit>(IDC_TO)->ShowStoredTime(m_to.GetValue());
    {
        const QSignalBlocker blocker(m_lineGroups);
        const QList<QListWidgetItem *> found = m_lineGroups->findItems(m_lineGroup.GetText(), Qt::MatchExactly);
        // A stored group the list lacks (or none) shows no choice, and stays stored.
        m_lineGroups->clearSelection();
        m_lineGroups->setCurrentItem(m_lineGroup.GetText().isEmpty() || found.isEmpty() ? nullptr : found.first());
    }
    followEnabled();
}

void CNotifyPpg::fieldEdited(int id)
{
    if (!rowSelectedNow())
        return;
    m_dirty = true;
    OnEditChange(id);
}

void CNotifyPpg::timeChanged(int id)
{
    if (!rowSelectedNow())
        return;
    const int value = GetDlgItem<CTimeOfDayEdit>(id)->StoredTime();
    CPageIntValue &tracker = id == IDC_FROM ? m_from : m_to;
    if (tracker.GetValue() == value)
        return;
    tracker.SetValue(value);
    fieldEdited(id);
}

void CNotifyPpg::lineGroupChosen()
{
    if (!rowSelectedNow())
        return;
    const QList<QListWidgetItem *> chosen = m_lineGroups->selectedItems();
    if (chosen.isEmpty())
        return;
    m_lineGroup.PutText(chosen.first()->text());
    fieldEdited(IDC_LINE_GROUP);
}

void CNotifyPpg::addNotification()
{
    if (m_dirty && !m_currentKey.isEmpty())
        TransferData(true);
    m_list->LoadTitles();
    QStringList events;
    for (const auto &event : Services().notificationEvents)
        events.append(event.second);
    CNewNotificationDlg dialog(m_list->KnownTitles(), events, this);
    if (dialog.DoModal() != IDOK) {
        m_dirty = false;
        return;
    }
    // The row shown so far keeps what was edited in it.
    m_list->SelectItem(-1);
    const QString title = dialog.GetTitle();
    const QString key =
        QStringLiteral("%1!%2!%3").arg(m_nextPendingId).arg(m_list->EventId(dialog.GetEvent())).arg(title);
    m_dirty = true;
    setKey(key);
    Sheet().Record().AddToFirstList(key);
    SetPageModified(true);

    for (CPageValue *value : notificationValues())
        value->Reset();
    m_enabled.SetValue(true);
    m_days.SetValue(CDayMaskCtrl::EveryDay);
    m_to.SetValue(kEndOfDay);
    m_repeatCount.SetValue(1);
    m_accessibleLocked = m_list->UIDisabledTitles().contains(title);
    setFieldsEditable(true);
    LoadControls();
    for (const int id : {IDC_ENABLED, IDC_DAYS, IDC_HOLIDAYS_IGNORED, IDC_FROM, IDC_TO, IDC_MAXIMUM_TIMES,
                         IDC_ACCESSIBLE, IDC_LINE_GROUP})
        OnEditChange(id);
    TransferData(true);

    const int row = m_list->AddRow(title, dialog.GetEvent(), m_nextPendingId);
    --m_nextPendingId;
    m_selectedRow = row;
    m_list->FillRow(row, key);
}

void CNotifyPpg::dropNotification(qintptr data, const QString &key)
{
    CScenarioUserAgent &record = Sheet().Record();
    record.RemoveFromList(qint32(data), key);
    if (data < 0)
        return;
    // A stored notification's properties go with its record; none of them
    // is written back.
    record.RenameNotification(key, QString());
    for (const char *field : kFields)
        record.AddToSecondList(QStringLiteral("Nf_%1_%2").arg(key, QLatin1String(field)));
}

void CNotifyPpg::deleteNotification()
{
    if (m_currentKey.isEmpty()) {
        AfxMessageBox(QStringLiteral("Please select the notification you want to delete, then press the Delete "
                                     "button."),
                      MB_ICONINFORMATION);
        return;
    }
    if (AfxMessageBox(QStringLiteral("Are you sure you want to delete the selected notification"), MB_YESNO) != IDYES)
        return;
    const QString key = m_currentKey;
    qintptr data = 0;
    if (!m_list->TakeSelectedOwned(data))
        return;
    m_selectedRow = -1;
    dropNotification(data, key);
    clearFields();
    m_dirty = true;
    SetPageModified(true);
}

void CNotifyPpg::ResetToParent()
{
    m_resetting = true;
    TransferData(true);
    // Every notification of the box's own goes.
    for (int row = 0; row < m_list->GetItemCount();) {
        m_resetSelecting = true;
        m_list->SelectItem(row);
        m_resetSelecting = false;
        if (m_list->GetItemText(row, CNotificationListCtrl::Owned) != QLatin1String("Yes")) {
            ++row;
            continue;
        }
        const QString key = keyOfRow(row);
        qintptr data = 0;
        if (m_list->GetSelectedItem() != row || !m_list->TakeSelectedOwned(data)) {
            ++row;
            continue;
        }
        dropNotification(data, key);
        clearFields();
        m_dirty = true;
        SetPageModified(true);
        row = 0;
    }
    // Those of the class of service take its values again.
    for (int row = 0; row < m_list->GetItemCount(); ++row) {
        m_resetSelecting = true;
        m_list->SelectItem(row);
        m_resetSelecting = false;
        setKey(QString::number(m_list->ItemData(row)));
        ResetToCOS();
        LoadControls();
        TransferData(true);
        m_list->FillRow(row, m_currentKey);
    }
    m_resetting = false;
    m_list->SelectItem(-1);
    m_selectedRow = -1;
    if (m_list->GetItemCount() > 0)
        m_list->SelectItem(0);
}

LRESULT CNotifyPpg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ROW_SELECTED) {
        rowSelected(int(lParam));
        return 0;
    }
    if (message == WM_ROW_DESELECTED) {
        rowDeselected(int(lParam));
        return 0;
    }
    if (message == WM_COMMAND) {
        const int id = int(LOWORD(wParam));
        const UINT code = HIWORD(wParam);
        if (code == BN_CLICKED) {
            switch (id) {
            case IDC_ADD:
                addNotification();
                return 0;
            case IDC_DELETE:
                deleteNotification();
                return 0;
            case IDC_TEMPLATE_EDITOR:
                if (Services().openTemplateEditor)
                    Services().openTemplateEditor(this);
                return 0;
            case IDC_ENABLED: {
                if (!rowSelectedNow())
                    return 0;
                const LRESULT result = CMailboxPageBase::WindowProc(message, wParam, lParam);
                m_enabled.SetValue(GetDlgItem<QCheckBox>(IDC_ENABLED)->isChecked());
                followEnabled();
                m_dirty = true;
                return result;
            }
            case IDC_ACCESSIBLE:
                if (!rowSelectedNow())
                    return 0;
                m_dirty = true;
                return CMailboxPageBase::WindowProc(message, wParam, lParam);
            case IDC_HOLIDAYS_IGNORED:
            case IDC_HOLIDAYS_ACTIVE:
            case IDC_HOLIDAYS_INACTIVE: {
                int holidays = m_holidays.GetValue();
                SaveRadio({IDC_HOLIDAYS_IGNORED, IDC_HOLIDAYS_ACTIVE, IDC_HOLIDAYS_INACTIVE}, holidays);
                if (holidays != m_holidays.GetValue())
                    m_holidays.SetValue(holidays);
                fieldEdited(IDC_HOLIDAYS_IGNORED);
                return 0;
            }
            default:
                break;
            }
        }
        if (code == EN_CHANGE) {
            switch (id) {
            case IDC_TITLE:
            case IDC_EVENT:
                // Shown, never edited.
                return 0;
            case IDC_NOTIFY_AFTER:
            case IDC_CONTINUE_EVERY:
            case IDC_MAXIMUM_TIMES:
            case IDC_VARIABLE:
                if (!rowSelectedNow())
                    return 0;
                m_dirty = true;
                break;
            default:
                break;
            }
        }
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}
