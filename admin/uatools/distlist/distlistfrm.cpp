// The distribution-list editor's form; see distlistfrm.h.
#include "admin/uatools/distlist/distlistfrm.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tclword.h"
#include "admin/uatools/distlist/distlistdoc.h"
#include "admin/uatools/distlist/distmembercheck.h"
#include "admin/useragents/useragent.h"
#include "admin/widgets/htmlhelp.h"
#include "admin/widgets/spreadsheet.h"
#include "platform/mfc/focusmove.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kCaption = " Distribution List Number: ";
const char *const kListProperties = "System_Distribution_List &Name2 Group_List";
const char *const kMembers = "System_Distribution_List";
const char *const kName = "&Name2";
const char *const kGroup = "Group_List";
const char *const kHiddenCode = "        "; // the code is never shown
const char *const kNameFailed = "Could not change the name for %1: %2";
const char *const kGroupFailed = "Could not change the group for %1: %2";
const char *const kMembersFailed = "Could not update distribution list for %1: %2";
const char *const kSelectToDelete = "Please select User Agent to be deleted";
const char *const kDeleteQuestion = "Do you really want to delete UA %1";
const char *const kTipName = "Enter the name of the distribution list.";
const char *const kTipMembers =
    "Enter the members of the list, separated by spaces.  Enter ranges like this: 203-210.";
const char *const kTipGroup = "Enter the IDs of the groups to which this list belongs.";
const char *const kTipCode = "Enter the security code.";
const char *const kHelpFile = "admin.chm";

// A value of an UpdateUA line, written between double quotes as the server
// has always seen it; a value that double quotes would not carry as plain
// text goes through the session's quoting helper instead.
QString quotedValue(const QString &value)
{
    for (QChar c : value)
        if (c == QLatin1Char('$') || c == QLatin1Char('[') || c == QLatin1Char('\\') || c == QLatin1Char('"'))
            return TclWord(value);
    return QLatin1Char('"') + value + QLatin1Char('"');
}

} // namespace

CDistListFrm::CDistListFrm(CDistListDoc *document, Services services, QWidget *parent)
    : CDialog(IDD, QStringLiteral("Distribution List"), parent), m_document(document),
      m_services(std::move(services))
{
    buildControls();
}

CDistListFrm::~CDistListFrm() = default;

void CDistListFrm::buildControls()
{
    m_caption = SetDlgCtrlID(new QLabel(QString::fromUtf8(kCaption), this), IDC_NUMBER_CAPTION);
    m_name = SetDlgCtrlID(new QLineEdit(this), IDC_NAME);
    m_securityCode = SetDlgCtrlID(new QLineEdit(this), IDC_SECURITY_CODE);
    m_securityCode->setEchoMode(QLineEdit::Password);
    m_group = SetDlgCtrlID(new QLineEdit(this), IDC_GROUP);
    m_members = SetDlgCtrlID(new QPlainTextEdit(this), IDC_MEMBERS);
    m_members->setTabChangesFocus(true);
    m_members->setFixedHeight(m_members->fontMetrics().lineSpacing() * 4 + 10);
    m_update = SetDlgCtrlID(new QPushButton(QStringLiteral("&Update List"), this), IDC_UPDATE);
    m_delete = SetDlgCtrlID(new QPushButton(QStringLiteral("&Delete List"), this), IDC_DELETE);
    auto *close = SetDlgCtrlID(new QPushButton(QStringLiteral("Close"), this), IDC_CLOSE);
    auto *help = SetDlgCtrlID(new QPushButton(QStringLiteral("Help"), this), IDC_HELP);
    for (QPushButton *button : {m_update, m_delete, close, help})
        button->setAutoDefault(false);
    m_grid = SetDlgCtrlID(new CSpreadSheet(5, this), IDC_GRID);

    m_name->setToolTip(QString::fromUtf8(kTipName));
    m_members->setToolTip(QString::fromUtf8(kTipMembers));
    m_group->setToolTip(QString::fromUtf8(kTipGroup));
    m_securityCode->setToolTip(QString::fromUtf8(kTipCode));

    auto *fields = new QGridLayout;
    fields->addWidget(m_caption, 0, 0, 1, 4);
    fields->addWidget(new QLabel(QStringLiteral("Name:"), this), 1, 0);
    fields->addWidget(m_name, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Security Code:"), this), 1, 2);
    fields->addWidget(m_securityCode, 1, 3);
    fields->addWidget(new QLabel(QStringLiteral("Group:"), this), 2, 0);
    fields->addWidget(m_group, 2, 1, 1, 3);
    fields->addWidget(new QLabel(QStringLiteral("Members:"), this), 3, 0, Qt::AlignTop);
    fields->addWidget(m_members, 3, 1, 1, 3);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_update, m_delete, close, help})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);

    connect(m_grid, &CSpreadSheet::Change, this, [this](int col, int row) {
        if (m_fillingGrid)
            return;
        m_fieldInEdit = true;
        m_editCol = col;
        m_editRow = row;
    });
    connect(m_grid, &CSpreadSheet::LeaveCell, this, [this](int, int row, int, int newRow, bool *cancel) {
        // A cell the server refused keeps the active cell where it is.
        if (!SaveFieldChange())
            *cancel = true;
        else if (newRow >= 1 && newRow != row && newRow <= RowCount())
            showRow(newRow);
    });
    connect(m_grid, &CSpreadSheet::Click, this, [this](int, int row) {
        if (row >= 1 && row <= RowCount())
            showRow(row);
    });
}

void CDistListFrm::OnInitialUpdate()
{
    m_channel = m_document->Channel();
    m_grid->SetRow(0);
    const char *const headings[] = {"Number", "Name", "Group", "Members", "Security Code"};
    for (int col = ColNumber; col <= ColSecurityCode; ++col) {
        m_grid->SetCol(col);
        m_grid->SetText(QString::fromUtf8(headings[col - 1]));
    }
    m_grid->SetColWidth(ColNumber, 9);
    m_grid->SetColWidth(ColName, 16);
    m_grid->SetColWidth(ColGroup, 10);
    m_grid->SetColWidth(ColMembers, 32);
    m_grid->SetColWidth(ColSecurityCode, 14);
    m_loaded = fillGrid();
    // A window whose lists could not be read changes nothing on the server.
    m_update->setEnabled(m_loaded);
    m_delete->setEnabled(m_loaded && !m_rows.isEmpty());
    m_grid->setEnabled(m_loaded);
    resize(sizeHint().expandedTo(QSize(620, 420)));
}

bool CDistListFrm::fillGrid()
{
    const QString numbers = m_document->IsListGiven() ? m_document->GetUAListText() : QStringLiteral("All");
    const QString command =
        QStringLiteral("ParmsForUAType %1 %2 %3\n")
            .arg(TclWord(m_services.rootText), TclWord(QString::fromUtf8(kListProperties)), TclWord(numbers));
    const QString reply = m_channel->Execute(command, true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply, MB_OK | MB_ICONERROR);
        return false;
    }
    const QByteArray bytes = reply.toUtf8();
    const CTclElements records = m_splitter.Split(bytes);
    if (records.isEmpty() && !reply.trimmed().isEmpty()) {
        AfxMessageBox(QStringLiteral("The server's list of distribution lists cannot be read."),
                      MB_ICONERROR);
        return false;
    }
    QList<Row> rows;
    for (qsizetype i = 0; i < records.size(); ++i) {
        CUserAgent record;
        if (!record.ParseUtf8(records.at(i).toByteArray(), m_splitter))
            return false;
        if (record.GetUANumber() == qint32(0x7ffffffe))
            continue;
        rows.append(Row{record.GetUANumber(), record.GetProperty(QString::fromUtf8(kName)),
                        record.GetProperty(QString::fromUtf8(kGroup)),
                        record.GetProperty(QString::fromUtf8(kMembers)), quint32(record.GetChangeStamp())});
    }
    m_rows = rows;
    m_fillingGrid = true;
    m_grid->SetMaxRows(int(m_rows.size()));
    for (int row = 1; row <= RowCount(); ++row) {
        const Row &data = m_rows.at(row - 1);
        setCell(ColNumber, row, QString::number(data.number));
        setCell(ColName, row, data.name);
        setCell(ColGroup, row, data.group);
        setCell(ColMembers, row, data.members);
        setCell(ColSecurityCode, row, QString::fromUtf8(kHiddenCode));
    }
    m_fillingGrid = false;
    m_fieldInEdit = false;
    showRow(RowCount() > 0 ? 1 : 0);
    return true;
}

void CDistListFrm::setCell(int col, int row, const QString &text)
{
    const bool filling = m_fillingGrid;
    m_fillingGrid = true;
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    m_grid->SetText(text);
    m_fillingGrid = filling;
}

QString CDistListFrm::cell(int col, int row) const
{
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    return m_grid->GetText();
}

void CDistListFrm::showRow(int row)
{
    m_currentRow = row;
    const bool shown = row >= 1 && row <= RowCount();
    m_caption->setText(QString::fromUtf8(kCaption) + (shown ? cell(ColNumber, row) : QString()));
    m_shownName = shown ? cell(ColName, row) : QString();
    m_shownGroup = shown ? cell(ColGroup, row) : QString();
    m_shownMembers = shown ? cell(ColMembers, row) : QString();
    m_shownCode = shown ? cell(ColSecurityCode, row) : QString();
    m_name->setText(m_shownName);
    m_group->setText(m_shownGroup);
    m_members->setPlainText(m_shownMembers);
    m_securityCode->setText(m_shownCode);
}

// --- saving --------------------------------------------------------------------

bool CDistListFrm::SaveFieldChange()
{
    if (!m_fieldInEdit)
        return true;
    m_fieldInEdit = false;
    if (m_editRow < 1 || m_editRow > RowCount())
        return true;
    return saveColumn(m_editCol, m_editRow, cell(m_editCol, m_editRow));
}

bool CDistListFrm::saveColumn(int col, int row, const QString &text)
{
    CWaitCursor wait;
    switch (col) {
    case ColName:
        if (!saveProperty(row, QString::fromUtf8(kName), text, kNameFailed)) {
            setCell(ColName, row, m_rows.at(row - 1).name);
            return false;
        }
        m_rows[row - 1].name = text;
        return true;
    case ColGroup:
        if (!saveProperty(row, QString::fromUtf8(kGroup), text, kGroupFailed)) {
            setCell(ColGroup, row, m_rows.at(row - 1).group);
            return false;
        }
        m_rows[row - 1].group = text;
        return true;
    case ColMembers:
        return saveMembers(row, text);
    case ColSecurityCode:
        if (text.trimmed().isEmpty()) {
            setCell(ColSecurityCode, row, QString::fromUtf8(kHiddenCode));
            return true;
        }
        {
            const bool changed = changeSecurityCode(row, text.trimmed());
            setCell(ColSecurityCode, row, QString::fromUtf8(kHiddenCode));
            return changed;
        }
    default:
        return true;
    }
}

bool CDistListFrm::saveProperty(int row, const QString &property, const QString &value, const char *failure)
{
    const QString number = QString::number(m_rows.at(row - 1).number);
    // The server stores an empty value as a single blank.
    const QString command = QStringLiteral("UpdateUA %1 WithForce %2 %3")
                                .arg(number, CUserAgent::NameWord(property),
                                     quotedValue(value.isEmpty() ? QStringLiteral(" ") : value));
    const QString reply = m_channel->Execute(command, true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(QString::fromUtf8(failure).arg(number, reply), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

bool CDistListFrm::saveMembers(int row, QString text)
{
    const long number = m_rows.at(row - 1).number;
    Q_ASSERT(m_services.applicationChannel);
    CDistMemberCheck check(*m_services.applicationChannel);
    if (!check.Check(text, number)) {
        restoreMembers(row);
        return false;
    }
    text.replace(QLatin1Char(','), QLatin1Char(' '));
    setCell(ColMembers, row, text);
    if (!saveProperty(row, QString::fromUtf8(kMembers), text, kMembersFailed)) {
        restoreMembers(row);
        return false;
    }
    m_rows[row - 1].members = text;
    return true;
}

void CDistListFrm::restoreMembers(int row)
{
    // The server's list again; when even that cannot be read the cell keeps
    // the list last known, never the text of an error.
    const QString reply = m_channel->Execute(
        QStringLiteral("GetUA %1 %2").arg(m_rows.at(row - 1).number).arg(QString::fromUtf8(kMembers)), true,
        1);
    CUserAgent record;
    if (!IsErrorReply(reply) && record.Parse(reply, m_splitter))
        m_rows[row - 1].members = record.GetProperty(QString::fromUtf8(kMembers));
    setCell(ColMembers, row, m_rows.at(row - 1).members);
    if (row == m_currentRow) {
        m_shownMembers = m_rows.at(row - 1).members;
        m_members->setPlainText(m_shownMembers);
    }
}

bool CDistListFrm::changeSecurityCode(int row, const QString &typed)
{
    const std::optional<QString> code =
        m_services.askSecurityCode ? m_services.askSecurityCode(this, typed) : std::optional<QString>(typed);
    if (!code)
        return true; // the administrator let it be
    Row &data = m_rows[row - 1];
    const QString reply = m_channel->Execute(
        QStringLiteral("SetUASAC %1 %2 %3").arg(data.number).arg(data.changeNumber).arg(TclBareWord(*code)),
        true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(AdminString(IDS_CHANGE_REFUSED).arg(reply), MB_OK | MB_ICONERROR);
        return false;
    }
    bool ok = false;
    const quint32 stamp = reply.trimmed().toUInt(&ok);
    if (ok)
        data.changeNumber = stamp;
    // Only a code the server took is the one to log in with from now on.
    if (data.number == m_services.loginMailbox && m_services.rememberSecurityCode)
        m_services.rememberSecurityCode(*code);
    return true;
}

void CDistListFrm::securityCodeLeft()
{
    const QString typed = m_securityCode->text().trimmed();
    if (typed.isEmpty() || typed == m_shownCode || m_currentRow < 1 || m_currentRow > RowCount())
        return;
    changeSecurityCode(m_currentRow, typed);
    m_shownCode = QString::fromUtf8(kHiddenCode);
    m_securityCode->setText(m_shownCode);
}

LRESULT CDistListFrm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_SECURITY_CODE && HIWORD(wParam) == EN_KILLFOCUS) {
        // Another window (or a message box) taking the focus is no time to
        // ask for the new code: the box keeps it and gets the focus back.
        // Every control of the form counts, its buttons too: after the
        // question the box shows the blanks again, so Update does not ask a
        // second time, and Close and Delete do not drop a typed code.
        if (m_loaded && FocusMovedWithin(this))
            securityCodeLeft();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CDistListFrm::OnCommand(int id)
{
    switch (id) {
    case IDC_UPDATE:
        OnUpdateList();
        return true;
    case IDC_DELETE:
        OnDeleteList();
        return true;
    case IDC_CLOSE:
        OnClose();
        return true;
    case IDC_HELP:
        CallHtmlHelp(GetSafeHwnd(), QString::fromUtf8(kHelpFile), HH_HELP_CONTEXT, IDD);
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

void CDistListFrm::OnUpdateList()
{
    const int row = m_currentRow;
    if (row < 1 || row > RowCount())
        return;
    securityCodeLeft();
    const auto changed = [this](const QString &text, const QString &shown) {
        return text != shown || (text.isEmpty() && m_fieldInEdit);
    };
    const QString group = m_group->text();
    if (changed(group, m_shownGroup)) {
        CWaitCursor wait;
        if (saveProperty(row, QString::fromUtf8(kGroup), group, kGroupFailed)) {
            m_rows[row - 1].group = group;
            setCell(ColGroup, row, group);
            m_shownGroup = group;
        }
    }
    const QString members = m_members->toPlainText();
    if (changed(members, m_shownMembers)) {
        CWaitCursor wait;
        if (saveMembers(row, members)) {
            m_shownMembers = m_rows.at(row - 1).members;
            m_members->setPlainText(m_shownMembers);
        }
    }
    const QString name = m_name->text();
    if (changed(name, m_shownName)) {
        CWaitCursor wait;
        if (saveProperty(row, QString::fromUtf8(kName), name, kNameFailed)) {
            m_rows[row - 1].name = name;
            setCell(ColName, row, name);
            m_shownName = name;
        }
    }
}

void CDistListFrm::OnDeleteList()
{
    const int row = m_currentRow;
    if (row < 1 || row > RowCount() || cell(ColNumber, row).isEmpty()) {
        AfxMessageBox(QString::fromUtf8(kSelectToDelete));
        return;
    }
    const QString number = cell(ColNumber, row);
    if (AfxMessageBox(QString::fromUtf8(kDeleteQuestion).arg(number), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const QString reply = m_channel->Execute(AdminString(IDS_DELETEUA).arg(number), true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(AdminString(IDS_DELETE_FAILED).arg(reply), MB_OK | MB_ICONERROR);
        return;
    }
    m_grid->SetMaxRows(RowCount() - 1);
    if (!fillGrid())
        return;
    m_delete->setEnabled(!m_rows.isEmpty());
    showRow(std::min(row, RowCount()));
}

void CDistListFrm::OnClose()
{
    // A change the server refused keeps the window open to be seen.
    if (!SaveFieldChange())
        return;
    emit closeRequested();
}
