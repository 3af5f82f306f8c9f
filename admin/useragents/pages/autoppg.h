// The sixth page of the mailbox sheet, "Auto": the box's automatic
// schedule, a list of dated changes (CAutoSchedRecord) that each, when due
// and then at its repetition, change some of the box's settings. The whole
// list is the one property "/AutoSchedRec"; a box has a list of its own or
// takes its class of service's ("Use COS/Default schedule entries").
//
// The property is written back only after the administrator changed the
// schedule, and records nobody touched go back exactly as they came. A
// record that could not be read is listed read-only and kept as it is.
// Every change to a record makes the schedule the box's own, so no edit is
// lost to an inherited list. When a change date falls on a month's last
// day, the page asks once for that date whether the change belongs on the
// last day of every month.
#pragma once

#include "admin/useragents/pages/autoschedrecord.h"
#include "admin/useragents/pages/mailboxpagebase.h"

#include <QDate>

#include <memory>
#include <vector>

class CColorListCtrl;
class CDayMaskCtrl;
class QDateEdit;
class QTimeEdit;

class CAutoPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int {
        IDD = 136,
        IDC_USE_COS = 1025,
        IDC_DND = 1057,
        IDC_CALL_SCREENING = 1065,
        IDC_RINGS = 1181,
        IDC_GREETING = 1186,
        IDC_VOICE_MENU = 1188,
        IDC_DAYS = 1314,
        IDC_COUNT = 1322,
        IDC_LIST = 1470,
        IDC_UNIT = 1474,
        IDC_ENABLED = 1478,
        IDC_EXTENSION = 1479,
        IDC_COUNT_SPIN = 1480,
        IDC_DATE = 1481,
        IDC_TIME = 1482,
        IDC_DELETE = 1483,
        IDC_ADD = 1484,
        IDC_NEXT_CHANGE = 1493,
        IDC_HOLIDAYS_INACTIVE = 1524,
        IDC_HOLIDAYS_ACTIVE = 1528,
        IDC_HOLIDAYS_IGNORED = 1529,
        IDC_RINGS_SPIN = 1797,
    };
    static constexpr const char *Property = "/AutoSchedRec";
    static constexpr const char *MonthEndQuestion = "Set the change on the last day of the month?";

    CAutoPpg(CMailboxPps &sheet, const CMailboxPageServices &services);
    ~CAutoPpg() override;

    unsigned InitialisedBit() const override { return 0x10000; }
    void ResetToParent() override;
    bool TransferData(bool save) override;
    void OnEditChange(int controlId) override;

    int GetRecordCount() const { return int(m_records.size()); }
    const CAutoSchedRecord &GetRecord(int row) const { return *m_records.at(row); }
    int GetSelectedRow() const { return m_selected; }
    // The last day of its month, as the server counts it (every fourth
    // February has 29 days).
    static bool IsLastDayOfMonth(const QDate &date);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CAutoSchedRecord *selectedRecord() const;
    void rebuildList();
    void appendRow(std::unique_ptr<CAutoSchedRecord> record);
    void fillRow(int row);
    void selectionChanged();
    void showRecord(const CAutoSchedRecord &record);
    void storeSelected();
    // The fields' values into `record`, each its own part of the record.
    void writeFields(CAutoSchedRecord *record) const;
    void loadFieldControls();
    void setRecordControlsEnabled(bool enable);
    QString serialise();
    void writeSchedule();
    void dateOrTimeChanged();
    qint64 pickedTime() const;
    void addRecord();
    void deleteRecord();
    void useCosClicked();
    void makeOwn();
    void showInheritedSchedule();

    CPageTextValue m_schedule;
    std::vector<std::unique_ptr<CAutoSchedRecord>> m_records;
    int m_selected = -1;
    // The shown row was edited since it was selected.
    bool m_rowEdited = false;
    // The schedule was changed since the box was loaded.
    bool m_scheduleEdited = false;
    // The last month-end answer, for the row and date it was given for.
    int m_monthEndRow = -1;
    QDate m_monthEndDate;
    bool m_monthEndYes = false;
    // The schedule whose unreadable records were last reported, and its box.
    long m_reportedBox = -1;
    QString m_reportedSchedule;

    // The selected record's fields, as the controls exchange them.
    QString m_unitName;
    QString m_rings;
    int m_days = CAutoSchedRecord::EveryDay;
    int m_dnd = CAutoSchedRecord::Unchanged;
    int m_enabled = 1;
    QString m_extension;
    int m_callScreening = CAutoSchedRecord::Unchanged;
    int m_count = 0;
    QString m_greeting;
    int m_holidays = CAutoSchedRecord::HolidaysIgnored;
    QString m_voiceMenu;

    CColorListCtrl *m_list = nullptr;
    CDayMaskCtrl *m_dayCtrl = nullptr;
    QDateEdit *m_datePicker = nullptr;
    QTimeEdit *m_timePicker = nullptr;
};
