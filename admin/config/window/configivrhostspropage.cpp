// The IVR Hosts page; see configivrhostspropage.h. A refused cell gets its
// record's value back and the user is returned to it; a host left without a
// session file is not written (it cannot run). Two hosts of one name are
// refused, as the Add dialog asks for distinct names.
#include "admin/config/window/configivrhostspropage.h"

#include "admin/config/dialogs/addivrhostdlg.h"
#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/records/configitemname.h"
#include "admin/config/controls/configlistgrid.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <algorithm>

namespace {

const QString kEmptyHost = QStringLiteral(
    "Empty IVR Host Name is invalid. Try to enter a valid name after closing this message box.");
const QString kHostTaken = QStringLiteral(
    "There is already an IVR Host Name '%1'. Try to enter another name after closing this message box.");
const QString kEmptySession = QStringLiteral(
    "Empty Session field is invalid. Try to enter a valid Session after closing this message box.");
const QString kInvalidUser =
    QStringLiteral("Invalid User ID '%1'. Enter a valid User ID after closing this message box.");
const QString kInvalidPassword =
    QStringLiteral("Invalid User Password '%1'. Enter a valid User Password after closing this message box.");
const QString kRemoveQuestion = QStringLiteral("Are you sure you want to remove the selected IVR Host configuration?");

bool hasBlank(const QString &text)
{
    return text.contains(u' ');
}

} // namespace

CConfigIvrHostsPropPage::CConfigIvrHostsPropPage()
    : CConfigPropPage(IDD, tr("IVR Hosts"), CConfigPropSheet::ID_CONFIG_IVR_HOSTS),
      m_grid(SetDlgCtrlID(new CSpreadSheetEx(4, this), IDC_GRID)),
      m_list(new CConfigListGrid(this, m_grid, IDC_ADD, IDC_REMOVE, [this] { return m_hosts.Count(); }))
{
    connect(m_grid, &CSpreadSheet::Change, this, &CConfigIvrHostsPropPage::onCellChanged);
}

void CConfigIvrHostsPropPage::LoadFromDepot()
{
    m_hosts.Parse(Depot()->m_ivrHosts);
    m_list->SetCurrentRow(0);
    SetModified(false);
    refreshGrid();
}

void CConfigIvrHostsPropPage::SaveToDepot()
{
    if (!m_initialised)
        return;
    Depot()->m_ivrHosts = m_hosts.Format();
    SetModified(false);
}

QStringList CConfigIvrHostsPropPage::UnstoredChanges() const
{
    QStringList notes;
    if (!m_initialised)
        return notes;
    for (int n = 1; n <= m_hosts.Count(); ++n)
        if (m_hosts.Record(n).sessionFile.isEmpty() && !m_hosts.IsAsRead(n))
            notes << QStringLiteral(
                         "IVR Host '%1', because it has no Session File. Enter its Session File to keep it.")
                         .arg(m_hosts.Record(n).host);
    return notes;
}

bool CConfigIvrHostsPropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_grid->SetColWidth(HostColumn, m_grid->GetColWidth(HostColumn) * 2);
    m_grid->SetColWidth(SessionColumn, m_grid->GetColWidth(SessionColumn) * 2);
    m_grid->SetColWidth(UserColumn, m_grid->GetColWidth(UserColumn) * 1.5);
    const char *headers[] = {"IVR Host Name", "Session File", "User ID", "User Password"};
    for (int col = HostColumn; col <= PasswordColumn; ++col)
        SetGridCellText(m_grid, col, 0, tr(headers[col - 1]));
    m_initialised = true;
    fitColumns();
    refreshGrid();
    return true;
}

void CConfigIvrHostsPropPage::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    fitColumns();
}

// The password column takes the width the others leave.
void CConfigIvrHostsPropPage::fitColumns()
{
    if (!m_initialised)
        return;
    m_grid->SizeColumns(PasswordColumn, true);
    m_grid->RestoreColumnWidth(m_hosts.Count());
}

bool CConfigIvrHostsPropPage::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        addHost();
        return true;
    case IDC_REMOVE:
        removeHost();
        return true;
    default:
        return CConfigPropPage::OnCommand(id);
    }
}

void CConfigIvrHostsPropPage::refreshGrid()
{
    if (!m_initialised)
        return;
    m_grid->RestoreColumnWidth(m_hosts.Count());
    for (int n = 1; n <= m_hosts.Count(); ++n) {
        const IvrHostRecord &record = m_hosts.Record(n);
        SetGridCellText(m_grid, HostColumn, n, record.host);
        SetGridCellText(m_grid, SessionColumn, n, record.sessionFile);
        SetGridCellText(m_grid, UserColumn, n, record.userId);
        SetGridCellText(m_grid, PasswordColumn, n, record.password);
    }
    m_list->UpdateRemoveButton();
}

void CConfigIvrHostsPropPage::onCellChanged(int col, int row)
{
    if (row < 1 || row > m_hosts.Count())
        return;
    IvrHostRecord &record = m_hosts.Record(row);
    QString text = GridCellText(m_grid, col, row);
    switch (col) {
    case HostColumn:
        text = ConfigItemName(text);
        SetGridCellText(m_grid, col, row, text);
        if (text.isEmpty())
            return m_list->Refuse(col, row, kEmptyHost, record.host);
        if (m_hosts.HasHost(text, row))
            return m_list->Refuse(col, row, kHostTaken.arg(text), record.host);
        record.host = text;
        break;
    case SessionColumn:
        if (text.isEmpty())
            return m_list->Refuse(col, row, kEmptySession, record.sessionFile);
        record.sessionFile = text;
        break;
    case UserColumn:
        if (hasBlank(text))
            return m_list->Refuse(col, row, kInvalidUser.arg(text), record.userId);
        record.userId = text;
        break;
    case PasswordColumn:
        if (hasBlank(text))
            return m_list->Refuse(col, row, kInvalidPassword.arg(text), record.password);
        record.password = text;
        break;
    default:
        return;
    }
    m_list->UpdateRemoveButton();
    SetModified(true);
}

void CConfigIvrHostsPropPage::addHost()
{
    QString name;
    for (;;) {
        CAddIvrHostDlg dialog(this);
        dialog.m_strName = name;
        if (dialog.DoModal() != IDOK)
            return;
        name = ConfigItemName(dialog.m_strName);
        if (name.isEmpty())
            AfxMessageBox(kEmptyHost);
        else if (m_hosts.HasHost(name, 0))
            AfxMessageBox(kHostTaken.arg(name));
        else
            break;
    }
    m_hosts.Append(IvrHostRecord{name, QString(), QString(), QString()});
    m_list->SetCurrentRow(m_hosts.Count());
    refreshGrid();
    // The session file must be filled before the host is written.
    PutGridCursor(m_grid, SessionColumn, m_list->CurrentRow());
    SetModified(true);
}

void CConfigIvrHostsPropPage::removeHost()
{
    const int row = m_list->CurrentRow();
    if (m_hosts.Count() >= 1 && row >= 1 && row <= m_hosts.Count() &&
        AfxMessageBox(kRemoveQuestion, MB_YESNO) == IDYES) {
        m_hosts.Remove(row);
        m_list->SetCurrentRow(std::min(row, m_hosts.Count()));
        refreshGrid();
        SetModified(true);
    }
    PutGridCursor(m_grid, HostColumn, m_list->CurrentRow());
}
