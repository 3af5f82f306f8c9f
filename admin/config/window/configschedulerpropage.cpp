// The Scheduler page; see configschedulerpropage.h.
//
// The page keeps its own copy of the depot's job records. Row r of the
// action grid is record r - 1: records of removed jobs are kept after all
// others, out of the grid, until the write-back removes them from the
// server. The controls beside the grid always show one record (m_shown);
// every edit of them changes that record's schedule text and marks it
// changed.
#include "admin/config/window/configschedulerpropage.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/controls/dayselector.h"
#include "admin/config/records/jobschedule.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

const QString kStartChoices = QStringLiteral("One time only\tRepeat");
const QString kUnitChoices = QStringLiteral("minute\thour\tday\tweek\tmonth\tyear");
const QString kModeChoices = QStringLiteral("day of month\tactive day in month");
const QString kOccurrenceChoices = QStringLiteral("1st\t2nd\t3rd\t4th\tlast");
const QString kRangeWarning = QStringLiteral(
    "The selected date is not within the valid range. You can schedule a date in or within 1970 and 2037.");
const QString kRemoveQuestion = QStringLiteral(
    "If you remove the selected Action from the list, it remains in effect in the server until you apply your "
    "configuration changes by pressing the Apply or OK buttons.\nDo you want to remove the selected Action?");
const QString kNoJobScheduled = QStringLiteral("No job scheduled");
const QString kEmptyAction = QStringLiteral(
    "Empty Scheduled Action is invalid. Try to enter a valid action after closing this message box.");
const QString kInvalidTime = QStringLiteral("Invalid start time '%1'. Enter the time of day as six digits HHMMSS "
                                            "after closing this message box.");
const QString kInvalidInterval = QStringLiteral("The valid range for the repeat interval is 1-255.");
const QString kTimeFormat = QStringLiteral("HHmmss");

enum StartChoice { OneTimeOnly = 0, Repeat = 1 };
enum ModeChoice { DayOfMonthMode = 0, OccurrenceMode = 1 };

// "1st" to "31st" and "last": the day of the month, index + 1 (last = 32).
QString dayChoices()
{
    QStringList days;
    for (int day = 1; day <= 31; ++day) {
        const int tens = day % 100 / 10;
        const char *suffix = "th";
        if (tens != 1 && day % 10 == 1)
            suffix = "st";
        else if (tens != 1 && day % 10 == 2)
            suffix = "nd";
        else if (tens != 1 && day % 10 == 3)
            suffix = "rd";
        days.append(QString::number(day) + QLatin1String(suffix));
    }
    days.append(QStringLiteral("last"));
    return days.join(u'\t');
}

bool isMonthlyUnit(int unit)
{
    return unit == CJobSchedule::MonthUnit || unit == CJobSchedule::Year;
}

// A grid of one row: a label cell and two value cells, no headings.
CSpreadSheetEx *oneRowGrid(QWidget *parent, int id, const QString &label)
{
    auto *grid = SetDlgCtrlID(new CSpreadSheetEx(3, parent), id);
    grid->SetMaxRows(1);
    grid->horizontalHeader()->hide();
    grid->SetColWidth(0, 0);
    grid->SetColWidth(CConfigSchedulerPropPage::LabelColumn, 11);
    grid->SetColWidth(CConfigSchedulerPropPage::ValueColumn, 14);
    grid->SetColWidth(CConfigSchedulerPropPage::ChoiceColumn, 16);
    grid->SetScrollBars(CSpreadSheet::ScrollBarsNone);
    grid->SetCol(CConfigSchedulerPropPage::LabelColumn);
    grid->SetRow(1);
    grid->SetText(label);
    grid->SetLock(true);
    grid->SetHeadingStyle(true);
    grid->setFixedHeight(grid->rowHeight(0) + 2 * grid->frameWidth());
    grid->setMinimumWidth(300);
    return grid;
}

} // namespace

CConfigSchedulerPropPage::CConfigSchedulerPropPage()
    : CConfigPropPage(IDD, tr("Scheduler"), CConfigPropSheet::ID_CONFIG_SCHEDULER),
      m_actionGrid(SetDlgCtrlID(new CSpreadSheetEx(1, this), IDC_ACTION_GRID)),
      m_startGrid(oneRowGrid(this, IDC_START_GRID, tr("Start at"))),
      m_repeatGrid(oneRowGrid(this, IDC_REPEAT_GRID, tr("Every"))),
      m_monthlyGrid(oneRowGrid(this, IDC_MONTHLY_GRID, tr("On the"))),
      m_rangeWarning(SetDlgCtrlID(new QLabel(kRangeWarning, this), IDC_RANGE_WARNING)),
      m_startDate(SetDlgCtrlID(new QDateEdit(this), IDC_START_DATE)),
      m_days(SetDlgCtrlID(new CDaySelector(this), IDC_DAYS)),
      m_nextRun(SetDlgCtrlID(new QLineEdit(this), IDC_NEXT_RUN)),
      m_add(SetDlgCtrlID(new QPushButton(tr("Add"), this), IDC_ADD)),
      m_remove(SetDlgCtrlID(new QPushButton(tr("Remove"), this), IDC_REMOVE))
{
    buildControls();
}

void CConfigSchedulerPropPage::buildControls()
{
    m_actionGrid->setMinimumWidth(220);
    m_rangeWarning->setWordWrap(true);
    m_rangeWarning->setStyleSheet(QStringLiteral("color: darkred"));
    m_rangeWarning->hide();
    m_startDate->setCalendarPopup(true);
    m_startDate->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    m_nextRun->setReadOnly(true);

    // The holiday setting and the timetable are the server's business; the
    // page shows them as the dialog has them and changes nothing there.
    auto *holidays = new QGroupBox(tr("Holidays always:"), this);
    auto *holidayButtons = new QHBoxLayout(holidays);
    for (auto [id, text] : {std::pair{IDC_ACTIVE, "Active"}, {IDC_INACTIVE, "Inactive"}, {IDC_IGNORED, "Ignored"}}) {
        auto *button = SetDlgCtrlID(new QRadioButton(tr(text), holidays), id);
        button->setEnabled(false);
        holidayButtons->addWidget(button);
    }
    auto *timetable = SetDlgCtrlID(new QPushButton(tr("Timetable"), this), IDC_TIMETABLE);
    timetable->setEnabled(false);

    auto *schedule = new QGridLayout;
    schedule->addWidget(new QLabel(tr("Effective from"), this), 0, 0);
    schedule->addWidget(m_startDate, 0, 1);
    schedule->addWidget(m_startGrid, 1, 0, 1, 2);
    schedule->addWidget(m_repeatGrid, 2, 0, 1, 2);
    schedule->addWidget(m_monthlyGrid, 3, 0, 1, 2);
    schedule->addWidget(new QLabel(tr("Active days:"), this), 4, 0);
    schedule->addWidget(m_days, 4, 1);
    schedule->addWidget(holidays, 5, 0, 1, 2);
    schedule->addWidget(m_rangeWarning, 6, 0, 1, 2);
    schedule->addWidget(new QLabel(tr("Next run:"), this), 7, 0);
    schedule->addWidget(m_nextRun, 7, 1);
    schedule->setRowStretch(8, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    buttons->addWidget(timetable);

    auto *left = new QVBoxLayout;
    left->addWidget(m_actionGrid);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(schedule);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(m_actionGrid, &CSpreadSheet::Change, this, &CConfigSchedulerPropPage::onActionChanged);
    connect(m_actionGrid, &CSpreadSheet::Click, this, &CConfigSchedulerPropPage::onActionClicked);
    connect(m_actionGrid, &CSpreadSheet::LeaveCell, this,
            [this](int, int, int, int newRow, bool *) { onActionClicked(1, newRow); });
    connect(m_startGrid, &CSpreadSheet::Change, this, &CConfigSchedulerPropPage::onStartChanged);
    connect(m_repeatGrid, &CSpreadSheet::Change, this, &CConfigSchedulerPropPage::onRepeatChanged);
    connect(m_monthlyGrid, &CSpreadSheet::Change, this, &CConfigSchedulerPropPage::onMonthlyChanged);
    for (CSpreadSheetEx *grid : {m_startGrid, m_repeatGrid, m_monthlyGrid}) {
        connect(grid, &CSpreadSheet::Click, this, [this, grid](int col, int row) { toLabelColumn(grid, col, row); });
        connect(grid, &CSpreadSheet::LeaveCell, this,
                [this, grid](int, int, int newCol, int newRow, bool *) { toLabelColumn(grid, newCol, newRow); });
    }
    connect(m_startDate, &QDateEdit::dateChanged, this, &CConfigSchedulerPropPage::onDateChanged);
    connect(m_days, &CDaySelector::Change, this, &CConfigSchedulerPropPage::onDaysChanged);
}

// --- the depot ------------------------------------------------------------------------

void CConfigSchedulerPropPage::LoadFromDepot()
{
    m_jobs = Depot()->m_jobs;
    for (CConfigJob &job : m_jobs)
        if (job.state == CConfigJob::Changed)
            job.state = CConfigJob::Unchanged;
    m_shown = m_jobs.isEmpty() ? -1 : 0;
    SetModified(false);
    if (m_initialised) {
        refreshActionList();
        showJob(m_shown);
    }
}

void CConfigSchedulerPropPage::SaveToDepot()
{
    if (!m_initialised)
        return;
    Depot()->m_jobs = m_jobs;
    Depot()->m_jobCount = int(m_jobs.size());
    SetModified(false);
}

void CConfigSchedulerPropPage::AfterWriteBack()
{
    if (!m_initialised)
        return;
    Depot()->ReloadJobs();
    LoadFromDepot();
}

bool CConfigSchedulerPropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_actionGrid->SetColWidth(1, m_actionGrid->GetColWidth(1) * 2);
    SetGridCellText(m_actionGrid, 1, 0, tr("Scheduled Action"));
    setChoice(m_startGrid, kStartChoices, OneTimeOnly);
    setChoice(m_repeatGrid, kUnitChoices, -1);
    setChoice(m_monthlyGrid, kModeChoices, DayOfMonthMode);
    m_initialised = true;
    fitColumns();
    refreshActionList();
    showJob(m_shown);
    return true;
}

void CConfigSchedulerPropPage::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    fitColumns();
}

// The last column of each grid takes the width the others leave.
void CConfigSchedulerPropPage::fitColumns()
{
    if (!m_initialised)
        return;
    m_actionGrid->SizeColumns(1, true);
    m_actionGrid->RestoreColumnWidth(listedCount());
    for (CSpreadSheetEx *grid : {m_startGrid, m_repeatGrid, m_monthlyGrid}) {
        grid->SizeColumns(ChoiceColumn, true);
        grid->RestoreColumnWidth(1);
    }
}

// The jobs the action grid lists: all but the removed ones, which follow
// them.
int CConfigSchedulerPropPage::listedCount() const
{
    int listed = 0;
    while (listed < m_jobs.size() && m_jobs[listed].state != CConfigJob::Deleted)
        ++listed;
    return listed;
}

bool CConfigSchedulerPropPage::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        addJob();
        return true;
    case IDC_REMOVE:
        removeJob();
        return true;
    default:
        return CConfigPropPage::OnCommand(id);
    }
}

// --- showing ---------------------------------------------------------------------------

void CConfigSchedulerPropPage::refreshActionList()
{
    if (!m_initialised)
        return;
    // Removed jobs go after all others, each group in its order.
    QList<int> order(m_jobs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_partition(order.begin(), order.end(),
                          [this](int i) { return m_jobs[i].state != CConfigJob::Deleted; });
    QList<CConfigJob> sorted;
    for (int i : order) {
        if (i == m_shown)
            m_shown = int(sorted.size());
        sorted.append(m_jobs[i]);
    }
    m_jobs = sorted;

    const int listed = listedCount();
    m_actionGrid->RestoreColumnWidth(listed);
    for (int row = 1; row <= listed; ++row) {
        const CConfigJob &job = m_jobs[row - 1];
        SetGridCellText(m_actionGrid, 1, row, job.action);
        // A schedule the page cannot read is not scheduled again from here.
        m_actionGrid->SetLock(!CJobSchedule(job.schedule).IsReadable());
    }
    m_remove->setEnabled(listed > 0);
    if (m_shown >= listed)
        m_shown = listed > 0 ? listed - 1 : -1;
    const CConfigJob *job = shownJob();
    m_nextRun->setText(job ? job->nextRun : QString());
}

CConfigJob *CConfigSchedulerPropPage::shownJob()
{
    if (m_shown < 0 || m_shown >= m_jobs.size() || m_jobs[m_shown].state == CConfigJob::Deleted)
        return nullptr;
    return &m_jobs[m_shown];
}

void CConfigSchedulerPropPage::showJob(int index)
{
    m_shown = index;
    CConfigJob *job = shownJob();
    const QScopedValueRollback showing(m_showing, true);
    m_rangeWarning->hide();
    if (!job) {
        m_nextRun->clear();
        setScheduleControlsEnabled(false);
        return;
    }
    // A job the server has not scheduled yet has no next run to ask for.
    if (!job->id.isEmpty())
        Depot()->GetNextScheduledJob(job->nextRun, job->id);
    m_nextRun->setText(job->nextRun.isEmpty() ? kNoJobScheduled : job->nextRun);
    const CJobSchedule schedule(job->schedule);
    setScheduleControlsEnabled(schedule.IsReadable());
    if (schedule.IsReadable())
        showSchedule(schedule);
}

void CConfigSchedulerPropPage::setScheduleControlsEnabled(bool enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{m_startDate, m_startGrid, m_repeatGrid, m_monthlyGrid, m_days})
        control->setEnabled(enabled);
    if (!enabled) {
        m_repeatGrid->hide();
        m_monthlyGrid->hide();
    }
}

void CConfigSchedulerPropPage::showSchedule(const CJobSchedule &schedule)
{
    m_days->SetValue(schedule.GetField(CJobSchedule::ActiveDays));
    const qint64 seconds = schedule.StartTime();
    const QDateTime start = seconds == 0 ? QDateTime::currentDateTime() : QDateTime::fromSecsSinceEpoch(seconds);
    m_startDate->setDate(start.date());
    SetGridCellText(m_startGrid, ValueColumn, 1, start.toString(kTimeFormat));
    const int unit = schedule.GetField(CJobSchedule::RepeatUnit);
    setChoice(m_startGrid, kStartChoices, unit != CJobSchedule::OneTimeOnly ? Repeat : OneTimeOnly);
    showRepeat(schedule);
}

void CConfigSchedulerPropPage::showRepeat(const CJobSchedule &schedule)
{
    const int unit = schedule.GetField(CJobSchedule::RepeatUnit);
    m_repeatGrid->setVisible(unit != CJobSchedule::OneTimeOnly);
    setChoice(m_repeatGrid, kUnitChoices, CJobSchedule::UnitIndex(unit));
    SetGridCellText(m_repeatGrid, ValueColumn, 1, QString::number(schedule.GetField(CJobSchedule::Interval)));
    const bool monthly = isMonthlyUnit(unit);
    if (monthly && !m_monthlyGrid->isVisible()) {
        m_monthlyGrid->show();
        // Fitted while hidden, it takes its width now.
        m_monthlyGrid->SizeColumns(ChoiceColumn, true);
        m_monthlyGrid->RestoreColumnWidth(1);
    }
    m_monthlyGrid->setVisible(monthly);
    if (!monthly)
        return;
    m_monthlyGrid->SetCol(ValueColumn);
    m_monthlyGrid->SetRow(1);
    m_monthlyGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
    if (schedule.GetField(CJobSchedule::MonthlyMode) == CJobSchedule::OnDayOfMonth) {
        setChoice(m_monthlyGrid, kModeChoices, DayOfMonthMode);
        m_monthlyGrid->SetCol(ValueColumn);
        m_monthlyGrid->SetTypeComboBoxList(dayChoices());
        m_monthlyGrid->SetTypeComboBoxCurSel(schedule.GetField(CJobSchedule::DayOfMonth) - 1);
    } else {
        setChoice(m_monthlyGrid, kModeChoices, OccurrenceMode);
        m_monthlyGrid->SetCol(ValueColumn);
        m_monthlyGrid->SetTypeComboBoxList(kOccurrenceChoices);
        m_monthlyGrid->SetTypeComboBoxCurSel(schedule.GetField(CJobSchedule::Occurrence) - 1);
    }
}

// The choice cell (column 3) of a one-row grid; -1 empties it.
void CConfigSchedulerPropPage::setChoice(CSpreadSheetEx *grid, const QString &list, int index)
{
    grid->SetCol(ChoiceColumn);
    grid->SetRow(1);
    grid->SetCellType(CSpreadSheet::CellTypeComboBox);
    grid->SetTypeComboBoxList(list);
    grid->SetTypeComboBoxCurSel(index);
}

int CConfigSchedulerPropPage::choice(CSpreadSheetEx *grid, int col) const
{
    grid->SetCol(col);
    grid->SetRow(1);
    return grid->GetTypeComboBoxCurSel();
}

QTime CConfigSchedulerPropPage::startGridTime() const
{
    return CJobSchedule::ParseTimeOfDay(GridCellText(m_startGrid, ValueColumn, 1)).value_or(QTime(0, 0));
}

// --- edits ---------------------------------------------------------------------------------

template <class Edit> void CConfigSchedulerPropPage::editSchedule(Edit edit)
{
    CConfigJob *job = shownJob();
    if (m_showing || !job)
        return;
    CJobSchedule schedule(job->schedule);
    if (!schedule.IsReadable() || !edit(schedule))
        return;
    job->schedule = schedule.Text();
    job->state = CConfigJob::Changed;
    SetModified(true);
}

// The start from the picker's date and the start grid's time of day.
bool CConfigSchedulerPropPage::restart(CJobSchedule &schedule)
{
    const bool inRange = schedule.SetStart(QDateTime(m_startDate->date(), startGridTime()));
    m_rangeWarning->setVisible(!inRange);
    return inRange;
}

void CConfigSchedulerPropPage::onDateChanged()
{
    editSchedule([this](CJobSchedule &schedule) { return restart(schedule); });
}

void CConfigSchedulerPropPage::onStartChanged(int col, int)
{
    editSchedule([this, col](CJobSchedule &schedule) {
        if (col == ValueColumn) {
            const QString typed = GridCellText(m_startGrid, ValueColumn, 1);
            if (!CJobSchedule::ParseTimeOfDay(typed)) {
                AfxMessageBox(kInvalidTime.arg(typed));
                const QScopedValueRollback showing(m_showing, true);
                showSchedule(schedule);
                return false;
            }
        } else if (col == ChoiceColumn) {
            const bool repeat = choice(m_startGrid) == Repeat;
            schedule.SetField(CJobSchedule::RepeatUnit, repeat ? CJobSchedule::Minute : CJobSchedule::OneTimeOnly);
            const QScopedValueRollback showing(m_showing, true);
            showRepeat(schedule);
        }
        restart(schedule);
        return true;
    });
}

void CConfigSchedulerPropPage::onRepeatChanged(int col, int)
{
    editSchedule([this, col](CJobSchedule &schedule) {
        if (col == ValueColumn) {
            const std::optional<int> interval =
                CJobSchedule::ParseInterval(GridCellText(m_repeatGrid, ValueColumn, 1));
            if (!interval) {
                AfxMessageBox(kInvalidInterval);
                const QScopedValueRollback showing(m_showing, true);
                showRepeat(schedule);
                return false;
            }
            schedule.SetField(CJobSchedule::Interval, *interval);
            return true;
        }
        if (col != ChoiceColumn)
            return false;
        const int index = choice(m_repeatGrid);
        if (index < 0)
            return false;
        schedule.SetField(CJobSchedule::RepeatUnit, CJobSchedule::UnitAt(index));
        const QScopedValueRollback showing(m_showing, true);
        showRepeat(schedule);
        return true;
    });
}

void CConfigSchedulerPropPage::onMonthlyChanged(int col, int)
{
    editSchedule([this, col](CJobSchedule &schedule) {
        const QScopedValueRollback showing(m_showing, true);
        if (col == ValueColumn) {
            const int index = choice(m_monthlyGrid, ValueColumn);
            if (index < 0)
                return false;
            if (schedule.GetField(CJobSchedule::MonthlyMode) == CJobSchedule::OnDayOfMonth)
                schedule.SetField(CJobSchedule::DayOfMonth, index + 1);
            else
                schedule.SetField(CJobSchedule::Occurrence, index + 1);
            return true;
        }
        if (col != ChoiceColumn)
            return false;
        if (choice(m_monthlyGrid) == OccurrenceMode) {
            schedule.SetField(CJobSchedule::MonthlyMode, CJobSchedule::OnOccurrence);
            schedule.SetField(CJobSchedule::Occurrence, 1);
        } else {
            schedule.SetField(CJobSchedule::MonthlyMode, CJobSchedule::OnDayOfMonth);
            schedule.SetField(CJobSchedule::DayOfMonth, 1);
            schedule.SetField(CJobSchedule::ActiveDays, CJobSchedule::kAllDays);
            m_days->SetValue(CJobSchedule::kAllDays);
        }
        showRepeat(schedule);
        return true;
    });
}

void CConfigSchedulerPropPage::onDaysChanged(int mask)
{
    editSchedule([mask](CJobSchedule &schedule) {
        schedule.SetField(CJobSchedule::ActiveDays, mask);
        return true;
    });
    m_repeatGrid->setFocus(Qt::OtherFocusReason);
}

void CConfigSchedulerPropPage::onActionChanged(int col, int row)
{
    if (col != 1 || row < 1 || row > m_jobs.size())
        return;
    CConfigJob &job = m_jobs[row - 1];
    const QString text = GridCellText(m_actionGrid, 1, row);
    // A changed job is removed and scheduled again: without an action it
    // would only be removed.
    if (text.trimmed().isEmpty()) {
        AfxMessageBox(kEmptyAction);
        SetGridCellText(m_actionGrid, 1, row, job.action);
        return;
    }
    job.action = text;
    job.state = CConfigJob::Changed;
    SetModified(true);
}

void CConfigSchedulerPropPage::onActionClicked(int, int row)
{
    if (row >= 1 && row - 1 != m_shown)
        showJob(row - 1);
}

// The label cell of the one-row grids takes no input: the cursor goes to
// the grid's heading column.
void CConfigSchedulerPropPage::toLabelColumn(CSpreadSheetEx *grid, int col, int row)
{
    if (col == LabelColumn && row >= 1) {
        grid->setCurrentCell(-1, -1);
        grid->setFocus(Qt::OtherFocusReason);
    }
}

void CConfigSchedulerPropPage::addJob()
{
    const std::optional<CJobSchedule> schedule =
        CJobSchedule::NewJob(QDateTime(QDate::currentDate(), startGridTime()));
    if (!schedule) {
        m_rangeWarning->show();
        return;
    }
    CConfigJob job;
    job.schedule = schedule->Text();
    job.state = CConfigJob::Changed;
    // Before the removed jobs, at the end of the list.
    const int at = listedCount();
    m_jobs.insert(at, job);
    m_shown = at;
    refreshActionList();
    showJob(at);
    PutGridCursor(m_actionGrid, 1, at + 1);
    SetModified(true);
}

void CConfigSchedulerPropPage::removeJob()
{
    CConfigJob *job = shownJob();
    if (!job)
        return;
    if (AfxMessageBox(kRemoveQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    job->schedule.clear();
    job->state = CConfigJob::Deleted;
    const int row = m_shown;
    refreshActionList();
    showJob(qMin(row, int(m_jobs.size()) - 1));
    if (CConfigJob *next = shownJob(); next)
        PutGridCursor(m_actionGrid, 1, m_shown + 1);
    SetModified(true);
}
