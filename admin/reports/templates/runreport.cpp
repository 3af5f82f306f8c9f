// The Generate Reports dialog; see runreport.h. Template files are read as
// hostile and their keys must be properties of the template's kind, so
// nothing from a file reaches the server but the kind's own property names.
#include "admin/reports/templates/runreport.h"

#include "admin/reports/db/option2logtable.h"
#include "admin/reports/questionreply.h"
#include "admin/reports/reportdate.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportjob.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "platform/mfc/dataexchange.h"
#include "platform/mfc/focusmove.h"
#include "platform/mfc/waitcursor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNoTemplate = QStringLiteral("You must create a template file before running report");
const QString kDot = QStringLiteral(".");

// The mailbox report's columns that come from event maps: key and event.
constexpr std::pair<const char *, int> kEvents[] = {
    {"RNA", 18},   {"DONE", 55},  {"BUSY", 17},  {"FAX", 27},   {"MODEM", 28},
    {"MENU0", 4},  {"MENU1", 5},  {"MENU2", 6},  {"MENU3", 7},  {"MENU4", 8},
    {"MENU5", 9},  {"MENU6", 10}, {"MENU7", 11}, {"MENU8", 12}, {"MENU9", 13},
};

// Values that are times (seconds since 1970) in the mailbox report.
bool IsTimeKey(const QString &key)
{
    return key == QLatin1String("m_l_transfered") || key == QLatin1String("m_l_called") ||
           key == QLatin1String("m_l_notified") || key == QLatin1String("m_changed_time") ||
           key == QLatin1String("Last_Logon");
}

QString Cut(const QString &value)
{
    return value.left(ReportColumnValue::ValueChars);
}

} // namespace

CRunReport::CRunReport(CServerCommandChannel &channel, std::function<bool(qint64)> isAllowed, QWidget *parent,
                       std::function<QDateTime()> now)
    : CDialog(IDD, QStringLiteral("Generate Reports"), parent), m_channel(channel),
      m_isAllowed(std::move(isAllowed)),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTime(); }),
      m_kinds(SetDlgCtrlID(new QComboBox(this), IDC_KIND)),
      m_templates(SetDlgCtrlID(new QComboBox(this), IDC_TEMPLATE))
{
    m_kinds->setMinimumWidth(200);
    connect(m_kinds, &QComboBox::activated, this, &CRunReport::OnSelchangeType);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("User Agent Type"), m_kinds);
    fields->addRow(QStringLiteral("Template Name"), m_templates);
    auto *date = new QHBoxLayout;
    date->addWidget(SetDlgCtrlID(new QLineEdit(this), IDC_START_DATE));
    date->addWidget(new QLabel(QStringLiteral("(mm/dd/yy)"), this));
    fields->addRow(QStringLiteral("Statistic Start Date"), date);
    fields->addRow(QStringLiteral("First User ID"), SetDlgCtrlID(new QLineEdit(this), IDC_FIRST_ID));
    fields->addRow(QStringLiteral("Last User ID"), SetDlgCtrlID(new QLineEdit(this), IDC_LAST_ID));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("Cancel")), IDCANCEL),
                       QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CRunReport::~CRunReport() = default;

void CRunReport::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_START_DATE, m_strStartDate);
    DDX_Text(dx, IDC_FIRST_ID, m_nFirstUserID);
    DDV_MinMaxInt(dx, m_nFirstUserID, 0, 2147483647);
    DDX_Text(dx, IDC_LAST_ID, m_nLastUserID);
    DDV_MinMaxInt(dx, m_nLastUserID, 0, 2147483647);
}

bool CRunReport::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(false);
    CReportEngine *engine = CReportEngine::Current();
    const QString folder = engine ? engine->TemplateFolder() : QString();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return true; // empty boxes
    m_folder = folder;
    QStringList names;
    for (const ReportTemplateKind &kind : CReportTemplateKinds::Kinds())
        names << QString::fromLatin1(kind.name);
    names.sort();
    m_kinds->addItems(names);
    for (const char *kind : {"Voice Mailbox", "Amis Gateway", "Vpim Gateway"}) {
        m_kinds->setCurrentIndex(m_kinds->findText(QString::fromLatin1(kind)));
        m_strExtension = CReportTemplateKinds::ExtensionOf(CReportTemplateKinds::FindByName(kind)->typeId);
        FillTemplateList();
        if (m_templates->count() > 0)
            break;
    }
    if (m_templates->count() == 0) {
        AfxMessageBox(kNoTemplate, MB_OK);
        // The dialog has not begun to run yet: it ends as soon as it does.
        QMetaObject::invokeMethod(this, [this] { EndDialog(IDCANCEL); }, Qt::QueuedConnection);
        return true;
    }
    m_table = std::make_unique<COption2LogTable>(engine->DatabasePath(), 1, 100);
    // A file that cannot be had is told of at OK.
    m_table->EnsureTable();
    return true;
}

void CRunReport::FillTemplateList()
{
    m_templates->clear();
    if (!m_strExtension.isEmpty() && !m_folder.isEmpty())
        m_templates->addItems(CReportTemplateFile::List(m_folder, m_strExtension));
    m_templates->setCurrentIndex(m_templates->count() > 0 ? 0 : -1);
    UpdateData(false);
}

void CRunReport::OnSelchangeType()
{
    UpdateData(true);
    if (const ReportTemplateKind *kind = CReportTemplateKinds::FindByName(m_kinds->currentText()))
        m_strExtension = QString::fromLatin1(kind->extension);
    FillTemplateList();
}

LRESULT CRunReport::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        // OK reads the date itself (one that does not parse is the current
        // date, as after Enter in the field) and Cancel needs no check:
        // checking on the way to either would refuse a date the click then
        // goes on without. Another window or a message box taking the focus
        // is no time to check either.
        if (LOWORD(wParam) == IDC_START_DATE && FocusMovedWithin(this, {GetDlgItem(IDOK), GetDlgItem(IDCANCEL)}))
            OnKillfocusStartDate();
        return 0;
    }
    if (message == WM_CLOSE) {
        EndWithOK();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CRunReport::OnKillfocusStartDate()
{
    auto *edit = GetDlgItem<QLineEdit>(IDC_START_DATE);
    if (edit->text().isEmpty() || CReportDate::Parse(edit->text()))
        return;
    AfxMessageBox(QStringLiteral("Invalid Date!!! Please try gain!!"), MB_OK);
    edit->clear();
    GotoDlgCtrl(edit);
}

void CRunReport::OnOK()
{
    if (!UpdateData(true))
        return;
    if (m_nLastUserID == 0) {
        AfxMessageBox(QStringLiteral("Please enter last user ID!!"), MB_OK);
        return;
    }
    if (m_templates->count() == 0) {
        AfxMessageBox(kNoTemplate, MB_OK);
        return;
    }
    // Nothing is asked of the server while its answer could not be kept;
    // the choices stay for the next OK.
    if (const QString why = openTable(); !why.isEmpty()) {
        AfxMessageBox(why, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    LoadTemplate();
    EndWithOK();
}

QString CRunReport::openTable()
{
    Q_ASSERT(m_table); // made with the first template
    if (m_table->IsOpen() && !m_table->IsLocked())
        return QString();
    // A file another program held when the dialog opened may be free now.
    return m_table->EnsureTable() ? QString() : m_table->LastError();
}

void CRunReport::OnCancel()
{
    m_table.reset();
    EndDialog(IDCANCEL);
}

void CRunReport::EndWithOK()
{
    m_table.reset();
    EndDialog(IDOK);
}

bool CRunReport::LoadTemplate()
{
    const QString name = m_templates->currentText();
    if (name.isEmpty() || !CReportTemplateFile::IsValidName(name))
        return false;
    const QString path = QDir(m_folder).filePath(CReportTemplateFile::FileName(name, m_strExtension));
    if (!QFileInfo::exists(path))
        return false;
    QList<ReportTemplateRecord> records;
    QString error;
    const int count = int(CReportTemplateKinds::ColumnsOf(m_strExtension).size());
    if (!CReportTemplateFile::Read(path, count, records, error)) {
        AfxMessageBox(QStringLiteral("The template %1 cannot be used. %2").arg(name, error), MB_OK);
        return false;
    }
    RunReport(records);
    return true;
}

bool CRunReport::RunReport(const QList<ReportTemplateRecord> &records)
{
    if (const ReportTemplateKind *kind = CReportTemplateKinds::FindByName(m_kinds->currentText()))
        m_nTypeId = kind->typeId;
    // A key that is not a property of the kind never reaches the server.
    const std::span<const ReportTemplateColumn> rows = CReportTemplateKinds::ColumnsOf(m_strExtension);
    Columns columns;
    int placed = 0;
    for (const ReportTemplateRecord &record : records) {
        if (placed == 10)
            break;
        if (record.column < 1 || record.column > 10)
            continue;
        const bool known = std::any_of(rows.begin(), rows.end(),
                                       [&](const ReportTemplateColumn &row) { return record.key == row.key; });
        if (!known) {
            AfxMessageBox(QStringLiteral("The template holds the property \"%1\", which a %2 does not have.")
                              .arg(QString::fromLatin1(record.key), m_kinds->currentText()),
                          MB_OK);
            return false;
        }
        ReportColumnValue &column = columns[size_t(record.column - 1)];
        if (!column.key.isEmpty()) {
            AfxMessageBox(QStringLiteral("The template %1 gives column %2 twice; it is not run. Number its "
                                         "columns again in its template editor.")
                              .arg(m_templates->currentText())
                              .arg(record.column),
                          MB_OK);
            return false;
        }
        column.caption = QString::fromLatin1(record.caption.left(ReportColumnValue::CaptionChars));
        column.key = QString::fromLatin1(record.key.left(ReportColumnValue::KeyChars));
        ++placed;
    }
    if (placed == 0) {
        AfxMessageBox(
            QStringLiteral("The template %1 places no property in a column from 1 to 10; it is not run. "
                           "Number its columns from 1 on in its template editor.")
                .arg(m_templates->currentText()),
            MB_OK);
        return false;
    }
    // The report's columns are the first `placed`: one left empty before
    // the last would lose the last.
    if (const int gap = firstEmptyColumn(columns); gap < placed) {
        AfxMessageBox(QStringLiteral("The template %1 skips column %2; it is not run. Number its columns from 1 "
                                     "on without a gap in its template editor.")
                          .arg(m_templates->currentText())
                          .arg(gap + 1),
                      MB_OK);
        return false;
    }
    switch (m_nTypeId) {
    case 2:
    case 5:
    case 6:
    case 7:
        return RunUserAgentReport(columns, placed, m_nTypeId);
    default:
        return RunMailboxReport(columns, placed);
    }
}

int CRunReport::firstEmptyColumn(const Columns &columns)
{
    const auto empty = std::find_if(columns.begin(), columns.end(),
                                    [](const ReportColumnValue &column) { return column.key.isEmpty(); });
    return int(empty - columns.begin());
}

bool CRunReport::request(const QString &command, QString &reply)
{
    CPendingCommand pending = m_channel.BeginCommand(command, true, 1);
    reply = m_channel.WaitReply(pending);
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply, MB_OK);
        return false;
    }
    return true;
}

bool CRunReport::RunMailboxReport(Columns &columns, int count)
{
    CWaitCursor wait;
    QString datePart = QStringLiteral("{-1} {-1} ");
    auto dateOf = [](QDate date) {
        return QStringLiteral("{00 %1 %2 %3} {-1}").arg(date.day()).arg(date.month() - 1).arg(date.year());
    };
    if (!m_strStartDate.isEmpty())
        datePart = dateOf(CReportDate::Parse(m_strStartDate).value_or(m_now().date()));
    QString keys;
    for (int i = 0; i < count; ++i)
        keys += QStringLiteral(" %1 ").arg(columns[size_t(i)].key);
    const QString head = QStringLiteral("Tcl_MailboxReport {%1 %2} { %3} ").arg(m_nFirstUserID).arg(m_nLastUserID).arg(keys);
    QString reply;
    for (;;) {
        if (!request(head + datePart, reply))
            return false;
        if (!IsQuestionReply(reply))
            break;
        QString question = reply;
        question[0] = QLatin1Char(' ');
        if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
            return false;
        const std::optional<QDate> from = CReportDate::QuestionDate(reply);
        if (!from) {
            AfxMessageBox(QStringLiteral("The server's question names no start date; the report is not run."),
                          MB_OK);
            return false;
        }
        // The whole date part is the proposed day's, with or without a start date before.
        datePart = dateOf(*from);
    }
    const CTclList splitter;
    QStringList reportRows;
    splitter.SplitList(reply, reportRows);
    QString agents;
    if (!request(QStringLiteral("AllUA"), agents))
        return false;
    // The user agents by number, for the join below.
    QHash<QString, QString> agentByNumber;
    QStringList elements;
    splitter.SplitList(agents, elements);
    for (const QString &element : std::as_const(elements)) {
        QStringList parts;
        splitter.SplitList(element, parts);
        QStringList header;
        if (!parts.isEmpty())
            splitter.SplitList(parts[0], header);
        if (!header.isEmpty())
            agentByNumber.insert(header[0], element);
    }
    QList<Columns> stored;
    bool toldOutside = false;
    for (const QString &row : std::as_const(reportRows)) {
        for (ReportColumnValue &column : columns)
            column.value = kDot;
        QHash<QString, QString> values;
        splitter.SplitPairs(row, values);
        if (m_isAllowed) {
            const auto mailbox = values.constFind(QStringLiteral("Mailbox"));
            if (mailbox == values.cend())
                continue;
            bool ok = false;
            const qint64 number = mailbox->trimmed().toLongLong(&ok);
            if (!ok || !m_isAllowed(number)) {
                if (!toldOutside)
                    AfxMessageBox(QStringLiteral("Mailboxes outside of this administrator level will not appear in report."),
                                  MB_OK);
                toldOutside = true;
                continue;
            }
        }
        for (int i = 0; i < count; ++i) {
            ReportColumnValue &column = columns[size_t(i)];
            const QString value = values.value(column.key);
            if (value.isEmpty())
                continue;
            column.value = Cut(IsTimeKey(column.key) ? CReportDate::LogonText(value.toLongLong(), CReportDate::MidnightHour::Zero) : value);
        }
        const auto agent = agentByNumber.constFind(columns[0].value);
        if (agent != agentByNumber.cend()) {
            for (int i = 0; i < count; ++i) {
                ReportColumnValue &column = columns[size_t(i)];
                if (column.key == QLatin1String("Nf_%d_Variable"))
                    column.key = QStringLiteral("Nf_8_Variable");
                else if (column.key == QLatin1String("Nf_%d_InitDial"))
                    column.key = QStringLiteral("Nf_8_InitDial");
            }
            QHash<QString, QString> properties;
            splitter.SplitPairs(*agent, properties);
            for (int i = 0; i < count; ++i) {
                ReportColumnValue &column = columns[size_t(i)];
                const QString value = properties.value(column.key);
                if (value.isEmpty())
                    continue;
                if (column.key == QLatin1String("Nf_8_InitDial"))
                    column.value = QString::number(value.toLongLong() / 60000);
                else if (column.key == QLatin1String("Last_Logon"))
                    column.value = CReportDate::LogonText(value.toLongLong(), CReportDate::MidnightHour::Zero);
                else if (column.key == QLatin1String("Max_Msg_Length") || column.key == QLatin1String("Max_Busy_Length") ||
                         column.key == QLatin1String("Max_Def_Length"))
                    column.value = QString::number(value.toLongLong() / 1000);
                else
                    column.value = Cut(value);
            }
            GetEventMaps(columns, count, columns[0].value);
        }
        stored.append(columns);
    }
    if (reportRows.isEmpty()) {
        for (ReportColumnValue &column : columns)
            column.value = QStringLiteral(" ");
        stored.append(columns);
    }
    if (!store(columns, count, stored))
        return false;
    showReport(QStringLiteral("VoiceMailbox.rpt"), QStringLiteral("Mailbox Report Option2"));
    return true;
}

void CRunReport::GetEventMaps(Columns &columns, int count, const QString &userAgent)
{
    const CTclList splitter;
    for (const auto &[key, event] : kEvents) {
        for (int i = 0; i < count; ++i) {
            ReportColumnValue &column = columns[size_t(i)];
            if (column.key != QLatin1String(key) || column.value != kDot)
                continue;
            QStringList ids;
            splitter.SplitList(m_channel.Execute(QStringLiteral("GetEventMaps4Event %1 %2").arg(userAgent).arg(event), false, 1),
                               ids);
            if (ids.size() != 2)
                continue;
            QStringList map;
            splitter.SplitList(m_channel.Execute(QStringLiteral("GetEventMap %1").arg(ids[1]), false, 1), map);
            const qsizetype app = map.indexOf(QStringLiteral("app"));
            if (app >= 0 && app + 1 < map.size())
                column.value = Cut(map[app + 1]);
        }
    }
}

bool CRunReport::RunUserAgentReport(Columns &columns, int count, int typeId)
{
    CWaitCursor wait;
    const char *population = typeId == 2 ? "2147483644" : typeId == 5 ? "2147483643" : typeId == 6 ? "2147483640" : "2147483639";
    QString keys;
    for (int i = 0; i < count; ++i)
        keys += QStringLiteral(" %1 ").arg(columns[size_t(i)].key);
    QString reply;
    if (!request(QStringLiteral("Tcl_UAPropertiesReport %1 {%2 %3} { %4} ")
                     .arg(QLatin1String(population))
                     .arg(m_nFirstUserID)
                     .arg(m_nLastUserID)
                     .arg(keys),
                 reply))
        return false;
    const CTclList splitter;
    QStringList reportRows;
    splitter.SplitList(reply, reportRows);
    QList<Columns> stored;
    for (const QString &row : std::as_const(reportRows)) {
        for (ReportColumnValue &column : columns)
            column.value = kDot;
        QHash<QString, QString> values;
        splitter.SplitPairs(row, values);
        for (int i = 0; i < count; ++i) {
            const QString value = values.value(columns[size_t(i)].key);
            if (!value.isEmpty())
                columns[size_t(i)].value = Cut(value);
        }
        stored.append(columns);
    }
    if (!store(columns, count, stored))
        return false;
    const bool amis = typeId == 2 || typeId == 5;
    showReport(amis ? QStringLiteral("AmisReport.rpt") : QStringLiteral("VpimReport.rpt"),
               amis ? QStringLiteral("Report AMIS User Agent") : QStringLiteral("Report VPIM User Agent"));
    return true;
}

bool CRunReport::store(Columns &columns, int count, const QList<Columns> &rows)
{
    if (!m_table || !m_table->BeginRun() || !m_table->PurgeTable()) {
        if (m_table)
            m_table->EndRun(false);
        AfxMessageBox(QStringLiteral("The report could not be stored: %1")
                          .arg(m_table ? m_table->LastError() : QStringLiteral("there is no report database.")),
                      MB_OK);
        return false;
    }
    for (const Columns &row : rows)
        m_table->AddRecord(count, row);
    m_table->AddFieldNameRecord(count, columns);
    const int failed = m_table->FailedRows();
    if (!m_table->EndRun(true)) {
        AfxMessageBox(QStringLiteral("The report could not be stored: %1").arg(m_table->LastError()), MB_OK);
        return false;
    }
    if (failed > 0)
        AfxMessageBox(QStringLiteral("%1 rows of the report could not be stored.").arg(failed), MB_OK);
    return true;
}

void CRunReport::showReport(const QString &layout, const QString &title)
{
    CReportEngine *engine = CReportEngine::Current();
    CReportJob *job = engine ? engine->OpenJob(layout) : nullptr;
    if (!job) {
        AfxMessageBox(engine ? engine->GetErrorText() : QStringLiteral("The report engine is not open."), MB_OK);
        return;
    }
    if (!job->OutputToWindow(title, 70, 100, 600, 500) || !job->Start())
        AfxMessageBox(job->GetErrorText(), MB_OK);
    // The window keeps the report; the job is not needed any more.
    delete job;
}
