// The wizard's holiday step: the configuration window's Holidays page under
// the wizard's dialog and control numbers. Its edits neither mark the page
// modified nor move the focus: the wizard writes every shown step at its
// update step, whatever was changed.
#pragma once

#include "admin/config/window/configholidayspropage.h"

class CWizHolidaysPpg : public CConfigHolidaysPropPage {
    Q_OBJECT
public:
    enum {
        IDD = 1597,
        IDC_HOLIDAY_GRID = 1622,
        IDC_HOLIDAY_FRAME = 1624,
        IDC_HOLIDAY_ADD = 1628,
        IDC_HOLIDAY_REMOVE = 1629,
        IDC_HOLIDAY_RANGE_WARNING = 1630,
    };

    CWizHolidaysPpg();

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id) override;
};
