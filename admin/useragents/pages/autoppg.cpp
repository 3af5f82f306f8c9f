// The schedule page; see autoppg.h.
#include "admin/useragents/pages/autoppg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/widgets/colorlistctrl.h"
#include "admin/widgets/daymaskctrl.h"
#include "platform/mfc/dataexchange.h"
#include "platform/msgbox/msgbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimeEdit>

namespace {

// The controls of the selected record, enabled and disabled together.
// clang-format off
constexpr int kRecordControls[] = {
    CAutoPpg::IDC_EXTENSION, CAutoPpg::IDC_RINGS, CAutoPpg::IDC_GREETING, CAutoPpg::IDC_VOICE_MENU,
    CAutoPpg::IDC_COUNT, CAutoPpg::IDC_COUNT_SPIN, CAutoPpg::IDC_RINGS_SPIN, CAutoPpg::IDC_ENABLED,
    CAutoPpg::IDC_DND, CAutoPpg::IDC_CALL_SCREENING, CAutoPpg::IDC_HOLIDAYS_IGNORED, CAutoPpg::IDC_NEXT_CHANGE,
    CAutoPpg::IDC_UNIT, CAutoPpg::IDC_DAYS, CAutoPpg::IDC_DATE, CAutoPpg::IDC_TIME,
    CAutoPpg::IDC_HOLIDAYS_ACTIVE, CAutoPpg::IDC_HOLIDAYS_INACTIVE,
};
// clang-format on

// The edits whose change is no change of the schedule: the mailbox number,
// the list itself and the display of the next change.
constexpr int kIgnoredEdits[] = {1226, CAutoPpg::IDC_LIST, CAutoPpg::IDC_NEXT_CHANGE};

const char kUnreadableRow[] = "Kept";

} // namespace

CAutoPpg::CAutoPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(IDD, IDS_AUTO_PAGE, {}, sheet, services)
{
    m_list = SetDlgCtrlID(new CColorListCtrl(this), IDC_LIST);
    m_list->SetShowSelectionAlways(true);
    m_list->setMinimumHeight(150);
    Body()->addWidget(m_list, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Add"), this), IDC_ADD));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Delete"), this), IDC_DELETE));
    buttons->addSpacing(20);
    buttons->addWidget(
        MakeCheck(IDC_USE_COS, QStringLiteral("&Use COS/Default schedule entries for this User Agent")));
    buttons->addStretch(1);
    Body()->addLayout(buttons);

    QGridLayout *grid = AddGrid();
    grid->setHorizontalSpacing(10);
    m_datePicker = SetDlgCtrlID(new QDateEdit(this), IDC_DATE);
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    m_datePicker->setDateRange(QDate(1998, 1, 1), QDate(2038, 1, 18));
    m_datePicker->setKeyboardTracking(false);
    m_datePicker->setMinimumWidth(130);
    m_timePicker = SetDlgCtrlID(new QTimeEdit(this), IDC_TIME);
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm"));
    m_timePicker->setKeyboardTracking(false);
    grid->addWidget(new QLabel(QStringLiteral("Change date:"), this), 0, 0);
    grid->addWidget(m_datePicker, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Change time:"), this), 0, 2);
    grid->addWidget(m_timePicker, 0, 3, Qt::AlignLeft);
    grid->addWidget(MakeCheck(IDC_ENABLED, QStringLiteral("Enabled")), 0, 4);

    grid->addWidget(new QLabel(QStringLiteral("and Every:"), this), 1, 0);
    auto *every = new QHBoxLayout;
    every->addWidget(MakeSpinEdit(IDC_COUNT, IDC_COUNT_SPIN, 0, CAutoSchedRecord::MaxCount, 50));
    QComboBox *units = MakeCombo(IDC_UNIT, false);
    units->setMinimumWidth(90);
    every->addWidget(units);
    every->addStretch(1);
    grid->addLayout(every, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Next change:"), this), 1, 2);
    QLineEdit *next = MakeEdit(IDC_NEXT_CHANGE, 150);
    next->setReadOnly(true);
    grid->addWidget(next, 1, 3, 1, 2, Qt::AlignLeft);

    grid->addWidget(new QLabel(QStringLiteral("Days:"), this), 2, 0);
    m_dayCtrl = SetDlgCtrlID(new CDayMaskCtrl(this), IDC_DAYS);
    grid->addWidget(m_dayCtrl, 2, 1, 1, 4, Qt::AlignLeft);

    grid->addWidget(new QLabel(QStringLiteral("Holidays:"), this), 3, 0);
    auto *holidays = new QHBoxLayout;
    holidays->addWidget(MakeRadio(IDC_HOLIDAYS_IGNORED, QStringLiteral("Ignored")));
    holidays->addWidget(MakeRadio(IDC_HOLIDAYS_ACTIVE, QStringLiteral("Active")));
    holidays->addWidget(MakeRadio(IDC_HOLIDAYS_INACTIVE, QStringLiteral("Inactive")));
    holidays->addStretch(1);
    grid->addLayout(holidays, 3, 1, 1, 4);

    grid->addWidget(new QLabel(QStringLiteral("Extension:"), this), 4, 0);
    grid->addWidget(MakeEdit(IDC_EXTENSION, 120), 4, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Rings:"), this), 4, 2);
    grid->addWidget(MakeSpinEdit(IDC_RINGS, IDC_RINGS_SPIN, 1, 9, 40), 4, 3);
    QCheckBox *dnd = MakeCheck(IDC_DND, QStringLiteral("Do not disturb"));
    QCheckBox *screening = MakeCheck(IDC_CALL_SCREENING, QStringLiteral("Call screening"));
    // Greyed: the record leaves the setting as it is.
    dnd->setTristate(true);
    screening->setTristate(true);
    grid->addWidget(dnd, 5, 1);
    grid->addWidget(screening, 5, 3);
    grid->addWidget(new QLabel(QStringLiteral("Greeting:"), this), 6, 0);
    grid->addWidget(MakeEdit(IDC_GREETING, 120), 6, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Instructional greeting:"), this), 6, 2);
    grid->addWidget(MakeEdit(IDC_VOICE_MENU, 120), 6, 3, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(4, 1);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CAutoPpg::selectionChanged);
    connect(units, &QComboBox::activated, this, [this] { OnEditChange(IDC_UNIT); });
    connect(m_dayCtrl, &CDayMaskCtrl::MaskChanged, this, [this] { OnEditChange(IDC_DAYS); });
    connect(m_datePicker, &QDateEdit::dateChanged, this, &CAutoPpg::dateOrTimeChanged);
    connect(m_timePicker, &QTimeEdit::timeChanged, this, &CAutoPpg::dateOrTimeChanged);
}

CAutoPpg::~CAutoPpg() = default;

bool CAutoPpg::IsLastDayOfMonth(const QDate &date)
{
    switch (date.month()) {
    case 2:
        return date.day() == (date.year() % 4 == 0 ? 29 : 28);
    case 4:
    case 6:
    case 9:
    case 11:
        return date.day() == 30;
    default:
        return date.day() == 31;
    }
}

bool CAutoPpg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    const struct {
        const char *heading;
        int width;
        int format;
    } columns[] = {{"Event", 40, LVCFMT_LEFT},         {"Date", 64, LVCFMT_CENTER},
                   {"At Time", 48, LVCFMT_LEFT},       {"Every", 64, LVCFMT_CENTER},
                   {"Rings", 40, LVCFMT_RIGHT},        {"DND", 40, LVCFMT_CENTER},
                   {"Call Screen", 72, LVCFMT_CENTER}, {"Greeting", 56, LVCFMT_RIGHT},
                   {"VoiceMenu", 56, LVCFMT_RIGHT},    {"Ext", 56, LVCFMT_LEFT}};
    int index = 0;
    for (const auto &column : columns)
        m_list->InsertColumn(index++, QString::fromLatin1(column.heading), column.format,
                             column.width * 3 / 2);
    auto *units = GetDlgItem<QComboBox>(IDC_UNIT);
    for (const CAutoSchedRecord::Unit &unit : CAutoSchedRecord::Units)
        units->addItem(QString::fromLatin1(unit.name));
    if (Sheet().Record().IsPropertyUnlisted(QString::fromLatin1(Property))) {
        auto *useCos = GetDlgItem<QCheckBox>(IDC_USE_COS);
        useCos->setChecked(true);
        useCos->setEnabled(false);
    }
    Sheet().AddChangedFlags(InitialisedBit());
    SetControlTips(*this,
                   {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970}, {1470, 61604}, {1478, 61605},
                    {1025, 61606}, {1314, 61607}, {1322, 61608}, {1474, 61609}, {1481, 61620}, {1482, 61621},
                    {1529, 61610}, {1528, 61611}, {1524, 61612}, {1493, 61613}, {1479, 61614}, {1181, 61615},
                    {1057, 61616}, {1065, 61617}, {1186, 61618}, {1188, 61619}});
    return true;
}

CAutoSchedRecord *CAutoPpg::selectedRecord() const
{
    return m_selected >= 0 && m_selected < int(m_records.size()) ? m_records[m_selected].get() : nullptr;
}

bool CAutoPpg::TransferData(bool save)
{
    const QString property = QString::fromLatin1(Property);
    if (save) {
        storeSelected();
        // An untouched schedule stays as the server gave it: nothing to send.
        if (m_scheduleEdited)
            writeSchedule();
        return CMailboxPageBase::TransferData(true);
    }
    Sheet().Record().GetPropertyText(property, m_schedule);
    m_scheduleEdited = false;
    m_monthEndRow = -1;
    rebuildList();
    auto *useCos = GetDlgItem<QCheckBox>(IDC_USE_COS);
    useCos->setEnabled(m_schedule.own);
    useCos->setChecked(!m_schedule.own || m_schedule.showsInherited);
    return CMailboxPageBase::TransferData(false);
}

QString CAutoPpg::serialise()
{
    QString text;
    for (const auto &record : m_records)
        text += TclWord(record->ToString()) + QLatin1Char(' ');
    return text;
}

void CAutoPpg::writeSchedule()
{
    if (!m_schedule.showsInherited)
        m_schedule.PutText(serialise());
    Sheet().Record().SetProperty(QString::fromLatin1(Property), m_schedule);
}

void CAutoPpg::rebuildList()
{
    m_selected = -1;
    m_rowEdited = false;
    showRecord(CAutoSchedRecord(Services().applicationChannel));
    {
        const QSignalBlocker blocker(m_list);
        m_list->DeleteAllItems();
    }
    m_records.clear();
    // The sheet delivers a box to a new page more than once: a record that
    // cannot be read is reported once for the box's schedule.
    const QString schedule = m_schedule.GetText();
    const bool report = m_reportedBox != Sheet().ShownNumber() || m_reportedSchedule != schedule;
    m_reportedBox = Sheet().ShownNumber();
    m_reportedSchedule = schedule;
    QStringList texts;
    // Split as it came: blanks around a list separate nothing, and trimming
    // them would take an escaped blank off the end of the last record.
    CTclList().SplitList(schedule, texts);
    for (const QString &text : std::as_const(texts)) {
        bool propertyError = false;
        auto record = std::make_unique<CAutoSchedRecord>(Services().applicationChannel, text, &propertyError);
        if (propertyError && report)
            AfxMessageBox(
                QStringLiteral("Sorry. Can't proceed. Expected property pairs from server but received '%1'.")
                    .arg(text.mid(CAutoSchedRecord::HeaderLength).trimmed()));
        appendRow(std::move(record));
    }
    setRecordControlsEnabled(false);
}

void CAutoPpg::appendRow(std::unique_ptr<CAutoSchedRecord> record)
{
    const QSignalBlocker blocker(m_list);
    m_records.push_back(std::move(record));
    m_list->InsertItem(m_list->GetItemCount(), QString());
    fillRow(int(m_records.size()) - 1);
}

void CAutoPpg::fillRow(int row)
{
    const CAutoSchedRecord &record = *m_records.at(row);
    QString date;
    QString time;
    record.GetNextChangeDateTime(date, time);
    const QString texts[] = {
        record.IsUnreadable() ? QString::fromLatin1(kUnreadableRow)
                              : (record.IsEnabled() ? QStringLiteral("Next") : QStringLiteral("Never")),
        date,
        time,
        QStringLiteral("%1 %2").arg(record.Count()).arg(CAutoSchedRecord::UnitName(record.UnitCodeValue())),
        record.Rings(),
        CAutoSchedRecord::TriText(record.Dnd()),
        CAutoSchedRecord::TriText(record.CallScreening()),
        record.Greeting(),
        record.VoiceMenu(),
        record.Extension(),
    };
    for (int column = 0; column < 10; ++column)
        m_list->SetItemText(row, column, texts[column]);
    if (record.IsUnreadable()) {
        const QString tip = QStringLiteral("This record could not be read; it is kept as it is: %1")
                                .arg(record.OriginalText());
        for (int column = 0; column < 10; ++column)
            m_list->topLevelItem(row)->setToolTip(column, tip);
    }
}

void CAutoPpg::selectionChanged()
{
    const int now = m_list->GetSelectedItem();
    if (now == m_selected)
        return;
    if (m_selected >= 0) {
        storeSelected();
        showRecord(CAutoSchedRecord(Services().applicationChannel));
    }
    m_selected = now;
    m_rowEdited = false;
    if (CAutoSchedRecord *record = selectedRecord()) {
        showRecord(*record);
        setRecordControlsEnabled(!record->IsUnreadable());
    } else {
        setRecordControlsEnabled(false);
    }
}

void CAutoPpg::showRecord(const CAutoSchedRecord &record)
{
    const QDateTime when = QDateTime::fromSecsSinceEpoch(record.ChangeTime());
    m_days = record.DayByte();
    m_holidays = record.GetHolidays();
    m_dnd = record.Dnd();
    m_enabled = record.IsEnabled() ? 1 : 0;
    m_extension = record.Extension();
    m_greeting = record.Greeting();
    m_voiceMenu = record.VoiceMenu();
    m_unitName = CAutoSchedRecord::UnitName(record.UnitCodeValue());
    m_count = record.Count();
    m_rings = record.Rings();
    m_callScreening = record.CallScreening();
    {
        const QSignalBlocker dateBlocker(m_datePicker);
        const QSignalBlocker timeBlocker(m_timePicker);
        m_datePicker->setDate(when.date());
        m_timePicker->setTime(QTime(when.time().hour(), when.time().minute()));
    }
    SetDlgItemText(IDC_NEXT_CHANGE, &record == selectedRecord() ? record.GetNextChangeText() : QString());
    loadFieldControls();
}

void CAutoPpg::loadFieldControls()
{
    // Showing a record is no edit of it.
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget *child : findChildren<QWidget *>())
        blockers.push_back(std::make_unique<QSignalBlocker>(child));
    UpdateData(false);
}

qint64 CAutoPpg::pickedTime() const
{
    const QTime time = m_timePicker->time();
    return QDateTime(m_datePicker->date(), QTime(time.hour(), time.minute())).toSecsSinceEpoch();
}

void CAutoPpg::storeSelected()
{
    CAutoSchedRecord *record = selectedRecord();
    // Only what the administrator changed goes into the record: a record
    // merely looked at keeps its text to the second.
    if (!record || record->IsUnreadable() || !m_rowEdited || !UpdateData(true))
        return;
    writeFields(record);
    fillRow(m_selected);
}

void CAutoPpg::writeFields(CAutoSchedRecord *record) const
{
    record->SetDays(m_days);
    record->SetHolidays(m_holidays);
    record->SetChangeTime(pickedTime());
    record->SetDnd(m_dnd);
    record->SetEnabled(m_enabled == 1);
    record->SetExtension(m_extension);
    record->SetGreeting(m_greeting);
    record->SetVoiceMenu(m_voiceMenu);
    record->SetRepetition(m_unitName, m_count);
    record->SetRings(m_rings);
    record->SetCallScreening(m_callScreening);
}

void CAutoPpg::setRecordControlsEnabled(bool enable)
{
    for (const int id : kRecordControls) {
        if (QWidget *control = GetDlgItem(id))
            control->setEnabled(enable);
    }
}

void CAutoPpg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    DDX_CBString(dx, IDC_UNIT, m_unitName);
    DDX_Text(dx, IDC_RINGS, m_rings);
    if (dx->m_bSaveAndValidate)
        m_days = m_dayCtrl->Mask();
    else
        m_dayCtrl->SetMask(m_days);
    DDX_Check(dx, IDC_DND, m_dnd);
    DDX_Check(dx, IDC_ENABLED, m_enabled);
    DDX_Text(dx, IDC_EXTENSION, m_extension);
    DDX_Check(dx, IDC_CALL_SCREENING, m_callScreening);
    DDX_Text(dx, IDC_COUNT, m_count);
    if (selectedRecord())
        CheckTypedRange(dx, IDC_COUNT, m_count, 0, CAutoSchedRecord::MaxCount);
    DDX_Text(dx, IDC_GREETING, m_greeting);
    if (dx->m_bSaveAndValidate)
        SaveRadio({IDC_HOLIDAYS_IGNORED, IDC_HOLIDAYS_ACTIVE, IDC_HOLIDAYS_INACTIVE}, m_holidays);
    else
        LoadRadio({IDC_HOLIDAYS_IGNORED, IDC_HOLIDAYS_ACTIVE, IDC_HOLIDAYS_INACTIVE}, m_holidays);
    DDX_Text(dx, IDC_VOICE_MENU, m_voiceMenu);
}

void CAutoPpg::OnEditChange(int controlId)
{
    for (const int ignored : kIgnoredEdits) {
        if (controlId == ignored)
            return;
    }
    // The header's names and comment are the base's fields, not the schedule.
    if (controlId == IDC_NAME1 || controlId == IDC_NAME2 || controlId == IDC_COMMENT) {
        CMailboxPageBase::OnEditChange(controlId);
        return;
    }
    SetPageModified(true);
    makeOwn();
    if (selectedRecord())
        m_rowEdited = true;
}

void CAutoPpg::makeOwn()
{
    m_scheduleEdited = true;
    m_schedule.own = true;
    m_schedule.showsInherited = false;
    auto *useCos = GetDlgItem<QCheckBox>(IDC_USE_COS);
    useCos->setEnabled(true);
    useCos->setChecked(false);
}

void CAutoPpg::dateOrTimeChanged()
{
    CAutoSchedRecord *record = selectedRecord();
    if (!record || record->IsUnreadable() || !UpdateData(true))
        return;
    const QDate date = m_datePicker->date();
    bool lastDay = false;
    if (IsLastDayOfMonth(date)) {
        // One answer a date: a second notice of the same pick, or a new
        // time on the same day, is not asked again.
        if (m_monthEndRow != m_selected || m_monthEndDate != date) {
            m_monthEndRow = m_selected;
            m_monthEndDate = date;
            m_monthEndYes = AfxMessageBox(QString::fromLatin1(MonthEndQuestion), MB_YESNO) == IDYES;
        }
        lastDay = m_monthEndYes;
    }
    if (lastDay) {
        m_days = CAutoSchedRecord::EveryDay;
        m_unitName = QStringLiteral("Mons");
        m_count = 1;
        record->SetMonthEnd();
        record->SetDayOfMonth(CAutoSchedRecord::LastDayOfMonth);
    } else {
        record->SetDayOfMonth(date.day());
    }
    writeFields(record);
    SetDlgItemText(IDC_NEXT_CHANGE, record->GetNextChangeText());
    loadFieldControls();
    fillRow(m_selected);
    OnEditChange(IDC_DATE);
}

void CAutoPpg::addRecord()
{
    appendRow(std::make_unique<CAutoSchedRecord>(Services().applicationChannel));
    const int row = GetRecordCount() - 1;
    m_list->SelectItem(row);
    m_list->setFocus();
    setRecordControlsEnabled(true);
    OnEditChange(IDC_ADD);
}

void CAutoPpg::deleteRecord()
{
    if (!selectedRecord())
        return;
    const int row = m_selected;
    // The record goes with its row; its fields are not stored anywhere.
    m_selected = -1;
    m_rowEdited = false;
    {
        const QSignalBlocker blocker(m_list);
        m_list->DeleteItem(row);
        m_list->SelectItem(-1);
    }
    m_records.erase(m_records.begin() + row);
    m_monthEndRow = -1;
    showRecord(CAutoSchedRecord(Services().applicationChannel));
    setRecordControlsEnabled(false);
    m_list->viewport()->update();
    OnEditChange(IDC_DELETE);
}

void CAutoPpg::showInheritedSchedule()
{
    storeSelected();
    m_schedule.PutText(serialise());
    m_schedule.UseInherited(Sheet().Record().Fetch(QString::fromLatin1(Property), *Sheet().Channel()));
}

void CAutoPpg::useCosClicked()
{
    if (GetDlgItem<QCheckBox>(IDC_USE_COS)->isChecked())
        showInheritedSchedule();
    else
        m_schedule.Revert();
    m_schedule.own = true;
    m_scheduleEdited = true;
    rebuildList();
    SetPageModified(true);
}

void CAutoPpg::ResetToParent()
{
    showInheritedSchedule();
    m_schedule.own = true;
    m_scheduleEdited = true;
    writeSchedule();
    rebuildList();
    auto *useCos = GetDlgItem<QCheckBox>(IDC_USE_COS);
    useCos->setChecked(true);
    useCos->setEnabled(false);
    SetPageModified(true);
}

LRESULT CAutoPpg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (int(LOWORD(wParam))) {
        case IDC_ADD:
            addRecord();
            return 0;
        case IDC_DELETE:
            deleteRecord();
            return 0;
        case IDC_USE_COS:
            useCosClicked();
            return 0;
        case IDC_ENABLED:
        case IDC_HOLIDAYS_IGNORED:
        case IDC_HOLIDAYS_ACTIVE:
        case IDC_HOLIDAYS_INACTIVE:
        case IDC_DND:
        case IDC_CALL_SCREENING:
            OnEditChange(int(LOWORD(wParam)));
            return 0;
        default:
            break;
        }
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}
