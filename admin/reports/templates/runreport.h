// The Generate Reports dialog: a user-agent report laid out by a report
// template. The administrator chooses a kind and one of its templates, a
// range of user-agent numbers and, for mailboxes, a statistics start date;
// the dialog asks the server for the template's properties of every user
// agent in the range, stores one row per user agent in "OPTION2LOG" and the
// column captions in "FIELDNAMELOG" in one transaction, and shows the
// kind's layout. It uses the application's session and closes after one
// run, whatever the run gave.
#pragma once

#include "admin/reports/db/reportcolumnvalue.h"
#include "admin/reports/templates/reporttemplatefile.h"
#include "platform/mfc/dialog.h"

#include <QDateTime>

#include <array>
#include <functional>
#include <memory>

class CServerCommandChannel;
class COption2LogTable;
class QComboBox;

class CRunReport : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 211,
        IDC_TEMPLATE = 1463,
        IDC_FIRST_ID = 1487,
        IDC_LAST_ID = 1488,
        IDC_START_DATE = 1489,
        IDC_KIND = 1490,
    };
    using Columns = std::array<ReportColumnValue, 10>;

    // `isAllowed`: whether the administrator may see a mailbox; empty when
    // the administrator is not restricted. `now` gives the local date and
    // time (tests fix it).
    CRunReport(CServerCommandChannel &channel, std::function<bool(qint64)> isAllowed, QWidget *parent = nullptr,
               std::function<QDateTime()> now = {});
    ~CRunReport() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    void FillTemplateList();
    void OnSelchangeType();
    void OnKillfocusStartDate();
    // Opens the report table if it is not open yet; why not, else empty.
    QString openTable();
    bool LoadTemplate();
    bool RunReport(const QList<ReportTemplateRecord> &records);
    // The index of the first column without a key; the column count when
    // every column has one.
    static int firstEmptyColumn(const Columns &columns);
    bool RunMailboxReport(Columns &columns, int count);
    bool RunUserAgentReport(Columns &columns, int count, int typeId);
    void GetEventMaps(Columns &columns, int count, const QString &userAgent);
    void EndWithOK();
    // One report query; false (after showing it) for an error reply.
    bool request(const QString &command, QString &reply);
    bool store(Columns &columns, int count, const QList<Columns> &rows);
    void showReport(const QString &layout, const QString &title);

    CServerCommandChannel &m_channel;
    std::function<bool(qint64)> m_isAllowed;
    std::function<QDateTime()> m_now;
    std::unique_ptr<COption2LogTable> m_table;
    int m_nFirstUserID = 0;
    int m_nLastUserID = 99999999;
    int m_nTypeId = 1;
    QString m_strStartDate;
    QString m_strExtension;
    QString m_folder;
    QComboBox *m_kinds;
    QComboBox *m_templates;
};
