// The Holidays page of the configuration window: the server variable
// `holidays` as a list of yearly and fixed-date holidays. The administrator
// picks a date and adds or removes it; the grid lists the holidays of the
// picked date's year, the yearly ones marked "+". Dates from 1970 to 2037
// can be added or removed; outside them a warning shows and both buttons are
// disabled. Picking a day in the picker's calendar asks to add it.
#pragma once

#include "admin/config/window/configproppage.h"
#include "admin/config/records/holidaylist.h"

#include <QDate>
#include <QStringList>

class CSpreadSheetEx;
class QDateEdit;
class QLabel;
class QPushButton;

class CConfigHolidaysPropPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum {
        IDD = 1208,
        IDC_HOLIDAY_ADD = 1457,
        IDC_HOLIDAY_REMOVE = 1458,
        IDC_HOLIDAY_GRID = 1461,
        IDC_HOLIDAY_FRAME = 1462,
        IDC_HOLIDAY_RANGE_WARNING = 1491,
        IDC_HOLIDAY_PICKER = 1492,
    };

    CConfigHolidaysPropPage();

    void LoadFromDepot() override;
    void SaveToDepot() override;

    // For tests and the sheet: what the page holds.
    const CHolidayList &FixedDates() const { return m_fixed; }
    const CHolidayList &Yearly() const { return m_yearly; }
    int ShownYear() const { return m_shownYear; }
    QDateEdit *Picker() const { return m_picker; }
    CSpreadSheetEx *Grid() const { return m_grid; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    // The wizard's holiday step: loading, saving, adding and removing
    // neither mark the page modified nor move the focus.
    void SetQuietEdits() { m_quietEdits = true; }

private:
    static bool isValidDate(const QDate &date);
    bool checkRange(const QDate &date);
    void refreshGrid();
    void syncWithPicker();
    void pickerDateChanged(const QDate &date);
    void addHoliday();
    void removeHoliday();
    void rowChosen(int row);
    void checkToday(bool &changed);
    QString rowText(HolidayRecord holiday) const;
    void markModified(bool modified);
    void focusOn(QWidget *widget);

    CSpreadSheetEx *m_grid = nullptr;
    QLabel *m_rangeWarning = nullptr;
    QDateEdit *m_picker = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    bool m_initialised = false;
    bool m_quietEdits = false;
    QDate m_today;
    CHolidayList m_fixed;
    CHolidayList m_yearly;
    CHolidayList m_shown;
    // Words of the server's text that are no holiday, written back as they came.
    // The text the holidays were read from: what was not changed goes back
    // as it is there.
    QString m_serverText;
    int m_shownYear = 0;
    HolidayRecord m_selected;
};
