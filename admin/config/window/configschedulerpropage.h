// The Scheduler page of the configuration window: the server's scheduled
// actions (Tcl texts the server runs at a start time, once or repeatedly).
// The action grid lists the jobs; the controls beside it show the selected
// job's schedule (start date and time, repeat unit and interval, monthly
// mode, active days) and the server's next run. Edits change the job's
// action or schedule text and mark it for the write-back, which removes
// and schedules jobs one by one (configdepot.h); afterwards the page reads
// the jobs again as the server keeps them.
//
// A job whose schedule does not have the shape the server keeps
// (jobschedule.h) is shown without its schedule and cannot be edited,
// only removed.
#pragma once

#include "admin/config/depot/configjob.h"
#include "admin/config/window/configproppage.h"

#include <QList>

class CDaySelector;
class CJobSchedule;
class CSpreadSheetEx;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class CConfigSchedulerPropPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum {
        IDD = 1225,
        IDC_ACTION_GRID = 1539,
        IDC_ADD = 1540,
        IDC_REMOVE = 1541,
        IDC_RANGE_WARNING = 1542,
        IDC_TIMETABLE = 1543,
        IDC_NEXT_RUN = 1546,
        IDC_DAYS = 1553,
        IDC_ACTIVE = 1554,
        IDC_INACTIVE = 1555,
        IDC_IGNORED = 1556,
        IDC_REPEAT_GRID = 1557,
        IDC_START_GRID = 1558,
        IDC_MONTHLY_GRID = 1560,
        // The date picker is made at run time; its id is ours.
        IDC_START_DATE = 1561,
    };
    // The one row of the start, repeat and monthly grids: a label in
    // column 1, the values in columns 2 and 3.
    enum Column { LabelColumn = 1, ValueColumn, ChoiceColumn };

    CConfigSchedulerPropPage();

    void LoadFromDepot() override;
    void SaveToDepot() override;
    void AfterWriteBack() override;

    const QList<CConfigJob> &Jobs() const { return m_jobs; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void refreshActionList();
    void fitColumns();
    int listedCount() const;
    // The record shown in the controls, null when there is none.
    CConfigJob *shownJob();
    void showJob(int index);
    void showSchedule(const CJobSchedule &schedule);
    void showRepeat(const CJobSchedule &schedule);
    void setScheduleControlsEnabled(bool enabled);
    void setChoice(CSpreadSheetEx *grid, const QString &list, int index);
    int choice(CSpreadSheetEx *grid, int col = ChoiceColumn) const;
    QTime startGridTime() const;

    // Edits of the shown job's schedule: the change is made on a copy and
    // stored with state "changed".
    template <class Edit> void editSchedule(Edit edit);
    bool restart(CJobSchedule &schedule);
    void onDateChanged();
    void onStartChanged(int col, int row);
    void onRepeatChanged(int col, int row);
    void onMonthlyChanged(int col, int row);
    void onDaysChanged(int mask);
    void onActionChanged(int col, int row);
    void onActionClicked(int col, int row);
    void toLabelColumn(CSpreadSheetEx *grid, int col, int row);
    void addJob();
    void removeJob();

    CSpreadSheetEx *m_actionGrid;
    CSpreadSheetEx *m_startGrid;
    CSpreadSheetEx *m_repeatGrid;
    CSpreadSheetEx *m_monthlyGrid;
    QLabel *m_rangeWarning;
    QDateEdit *m_startDate;
    CDaySelector *m_days;
    QLineEdit *m_nextRun;
    QPushButton *m_add;
    QPushButton *m_remove;
    bool m_initialised = false;
    // Controls are being filled from a job: their signals are not edits.
    bool m_showing = false;
    QList<CConfigJob> m_jobs;
    // Index into m_jobs of the job shown, -1 for none.
    int m_shown = -1;
};
