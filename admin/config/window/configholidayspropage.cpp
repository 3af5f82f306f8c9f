// See configholidayspropage.h. The picker is a date edit with a calendar
// drop-down; a day clicked in the calendar is an add request, while a date
// typed or stepped in the edit only moves the grid to its year.
#include "admin/config/window/configholidayspropage.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

} // namespace

CConfigHolidaysPropPage::CConfigHolidaysPropPage()
    : CConfigPropPage(IDD, QStringLiteral("Holidays"), CConfigPropSheet::ID_CONFIG_HOLIDAYS)
{
    m_grid = SetDlgCtrlID(new CSpreadSheetEx(1, this), IDC_HOLIDAY_GRID);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumSize(300, 300);

    auto *frame =
        SetDlgCtrlID(new QGroupBox(QStringLiteral("Add or Remove Holidays"), this), IDC_HOLIDAY_FRAME);
    m_picker = SetDlgCtrlID(new QDateEdit(frame), IDC_HOLIDAY_PICKER);
    m_picker->setObjectName(QStringLiteral("DateTime"));
    m_picker->setCalendarPopup(true);
    m_picker->setDisplayFormat(QStringLiteral("dddd, MMMM d, yyyy"));
    m_picker->setLocale(kEnglish);
    m_picker->setDateRange(QDate(1900, 1, 1), QDate(2100, 12, 31));
    m_add = SetDlgCtrlID(new QPushButton(QStringLiteral("Add"), frame), IDC_HOLIDAY_ADD);
    m_remove = SetDlgCtrlID(new QPushButton(QStringLiteral("Remove"), frame), IDC_HOLIDAY_REMOVE);
    m_rangeWarning =
        SetDlgCtrlID(new QLabel(QStringLiteral("The selected date is not within the valid range. You can "
                                               "add new holiday in or within 1970 and 2037."),
                                frame),
                     IDC_HOLIDAY_RANGE_WARNING);
    m_rangeWarning->setWordWrap(true);
    m_rangeWarning->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_rangeWarning->hide();

    auto *frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(m_picker, 0, 0, 1, 2);
    frameLayout->addWidget(m_add, 1, 0);
    frameLayout->addWidget(m_remove, 1, 1);
    frameLayout->addWidget(m_rangeWarning, 2, 0, 1, 2);
    frameLayout->setRowStretch(3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 3);
    layout->addWidget(frame, 2);

    connect(m_picker, &QDateEdit::dateChanged, this, &CConfigHolidaysPropPage::pickerDateChanged);
    // A day picked in the calendar (clicked, or Enter on it) is an add
    // request; queued, so that the edit takes the day before the add reads it.
    connect(m_picker->calendarWidget(), &QCalendarWidget::clicked, this, &CConfigHolidaysPropPage::addHoliday,
            Qt::QueuedConnection);
    connect(m_picker->calendarWidget(), &QCalendarWidget::activated, this,
            &CConfigHolidaysPropPage::addHoliday, Qt::QueuedConnection);
    connect(m_grid, &CSpreadSheet::Click, this, [this](int, int row) { rowChosen(row); });
    connect(m_grid, &CSpreadSheet::LeaveCell, this,
            [this](int, int, int, int newRow, bool *) { rowChosen(newRow); });
}

bool CConfigHolidaysPropPage::isValidDate(const QDate &date)
{
    return date.isValid() && date.year() >= HolidayText::FirstValidYear &&
           date.year() <= HolidayText::LastValidYear;
}

void CConfigHolidaysPropPage::LoadFromDepot()
{
    m_serverText = Depot()->m_holidays;
    QStringList unreadable;
    HolidayText::Parse(m_serverText, m_fixed, m_yearly, unreadable);
    markModified(false);
    if (m_initialised) {
        refreshGrid();
        syncWithPicker();
    }
}

void CConfigHolidaysPropPage::SaveToDepot()
{
    if (!m_initialised)
        return;
    Depot()->m_holidays = HolidayText::FormatKeeping(m_serverText, m_fixed, m_yearly);
    markModified(false);
    focusOn(m_grid);
}

void CConfigHolidaysPropPage::markModified(bool modified)
{
    if (!m_quietEdits)
        SetModified(modified);
}

void CConfigHolidaysPropPage::focusOn(QWidget *widget)
{
    if (!m_quietEdits)
        widget->setFocus();
}

bool CConfigHolidaysPropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_today = QDate::currentDate();
    m_shownYear = m_today.year();
    m_grid->SetMaxCols(1);
    m_grid->SetColWidth(1, m_grid->GetColWidth(1) * 2);
    m_grid->horizontalHeader()->setMinimumHeight(2 * m_grid->horizontalHeader()->sizeHint().height());
    {
        const QSignalBlocker quiet(m_picker);
        m_picker->setDate(m_today);
    }
    m_rangeWarning->hide();
    m_initialised = true;
    refreshGrid();
    syncWithPicker();
    return true;
}

bool CConfigHolidaysPropPage::OnCommand(int id)
{
    if (id == IDC_HOLIDAY_ADD) {
        addHoliday();
        return true;
    }
    if (id == IDC_HOLIDAY_REMOVE) {
        removeHoliday();
        return true;
    }
    return CConfigPropPage::OnCommand(id);
}

bool CConfigHolidaysPropPage::checkRange(const QDate &date)
{
    const bool valid = isValidDate(date);
    m_rangeWarning->setVisible(!valid);
    return valid;
}

QString CConfigHolidaysPropPage::rowText(HolidayRecord holiday) const
{
    const QDate date(m_shownYear, holiday.Month(), holiday.Day());
    // A day the year does not have (2/30) is still shown as the server keeps it.
    const QString text = date.isValid() ? kEnglish.toString(date, QStringLiteral("dddd, MMMM d, yyyy"))
                                        : QStringLiteral("%1 %2, %3")
                                              .arg(kEnglish.monthName(holiday.Month()))
                                              .arg(holiday.Day())
                                              .arg(m_shownYear);
    return holiday.IsYearly() ? text + QLatin1Char('+') : text;
}

void CConfigHolidaysPropPage::refreshGrid()
{
    if (!m_initialised)
        return;
    m_shown.Clear();
    for (HolidayRecord holiday : m_yearly.Items())
        m_shown.Insert(holiday);
    for (HolidayRecord holiday : m_fixed.Items()) {
        if (holiday.Year() > m_shownYear)
            break;
        if (holiday.Year() == m_shownYear)
            m_shown.Insert(holiday);
    }
    m_grid->SetMaxRows(m_shown.Count());
    m_grid->SetCol(1);
    m_grid->SetRow(0);
    m_grid->SetText(QStringLiteral("Today\n") +
                    kEnglish.toString(m_today, QStringLiteral("dddd, MMMM dd, yyyy")));
    for (int i = 0; i < m_shown.Count(); ++i) {
        m_grid->SetRow(i + 1);
        m_grid->SetText(rowText(m_shown.At(i)));
        m_grid->SetLock(true);
    }
}

void CConfigHolidaysPropPage::syncWithPicker()
{
    const QDate date = m_picker->date();
    if (!checkRange(date)) {
        m_add->setEnabled(false);
        m_remove->setEnabled(false);
        m_grid->clearSelection();
        return;
    }
    int row = m_shown.IndexOf(HolidayRecord::Make(date.day(), date.month(), 0));
    if (row < 0)
        row = m_shown.IndexOf(HolidayRecord::Make(date.day(), date.month(), date.year()));
    if (row < 0) {
        m_add->setEnabled(true);
        m_remove->setEnabled(false);
        m_grid->clearSelection();
        return;
    }
    m_remove->setEnabled(true);
    m_add->setEnabled(false);
    m_grid->selectRow(row);
    m_selected = m_shown.At(row);
}

void CConfigHolidaysPropPage::pickerDateChanged(const QDate &date)
{
    if (!m_initialised)
        return;
    if (isValidDate(date) && date.year() != m_shownYear) {
        m_shownYear = date.year();
        refreshGrid();
    }
    syncWithPicker();
}

void CConfigHolidaysPropPage::checkToday(bool &changed)
{
    const QDate today = QDate::currentDate();
    if (today != m_today) {
        m_today = today;
        changed = true;
    }
}

void CConfigHolidaysPropPage::addHoliday()
{
    const QDate date = m_picker->date();
    focusOn(m_picker);
    if (!isValidDate(date))
        return;
    bool changed = false;
    const int answer = AfxMessageBox(
        QStringLiteral(
            "Do you want to set this date automatically for every year? If you press Yes, the selected "
            "day will be set as repeated holiday in every year. If you press No, the selected day will be "
            "set as a fixed-date holiday effective only in the selected year. Press Cancel if you don't "
            "want to add new holiday."),
        MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return;
    if (answer == IDYES) {
        changed = m_yearly.Insert(HolidayRecord::Make(date.day(), date.month(), 0));
    } else {
        m_shownYear = date.year();
        changed = m_fixed.Insert(HolidayRecord::Make(date.day(), date.month(), date.year()));
    }
    checkToday(changed);
    if (changed) {
        refreshGrid();
        syncWithPicker();
    }
    markModified(true);
}

void CConfigHolidaysPropPage::removeHoliday()
{
    const QDate date = m_picker->date();
    focusOn(m_picker);
    const QString question =
        m_selected.IsYearly()
            ? QStringLiteral(
                  "The selected holiday is a repeated holiday in every year. Are you sure you want to "
                  "remove the selected holiday?")
            : QStringLiteral("Are you sure you want to remove the selected fixed-date holiday?");
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (isValidDate(date)) {
        m_yearly.Remove(HolidayRecord::Make(date.day(), date.month(), 0));
        if (m_fixed.Remove(HolidayRecord::Make(date.day(), date.month(), date.year())))
            m_shownYear = date.year();
    }
    bool changed = true;
    checkToday(changed);
    refreshGrid();
    syncWithPicker();
    markModified(true);
    focusOn(m_grid);
}

void CConfigHolidaysPropPage::rowChosen(int row)
{
    if (row == 0)
        row = m_grid->currentRow() + 1;
    if (row < 0)
        return;
    if (row >= 1 && row <= m_shown.Count()) {
        const HolidayRecord holiday = m_shown.At(row - 1);
        const QDate date(m_shownYear, holiday.Month(), holiday.Day());
        if (date.isValid()) {
            const QSignalBlocker quiet(m_picker);
            m_picker->setDate(date);
        }
        m_selected = holiday;
        m_add->setEnabled(false);
        m_remove->setEnabled(true);
        m_rangeWarning->hide();
        return;
    }
    m_add->setEnabled(true);
    m_remove->setEnabled(false);
}
