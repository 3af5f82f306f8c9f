// The "Change system clock" dialog: one date and one time, edited with a date
// picker and a time picker. The caller sets m_time (the server's clock, in
// local time) before DoModal and reads it after IDOK. The caller also marks
// its session's coming disconnection as expected, since the clock change may
// drop the link; the dialog knows no session.
#pragma once

#include "platform/mfc/dialog.h"

#include <QDateTime>

class QDateEdit;
class QTimeEdit;

class CSystemClockDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 213, IDC_DATE = 1494, IDC_TIME = 1495 };

    explicit CSystemClockDlg(QWidget *parent = nullptr);

    QDateTime m_time;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QDateEdit *m_datePicker;
    QTimeEdit *m_timePicker;
};
