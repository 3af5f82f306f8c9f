// The IVR Hosts page; see configivrhostspropage.h. A refused cell gets its
// record's value back and the user is returned to it; a host left without a
// session file is not written (it cannot run). Two hosts of one name are
// refused, as the Add dialog asks for distinct names.
#include "admin/config/configivrhostspropage.h"

#include "admin/config/addivrhostdlg.h"
#include "admin/config/configdepot.h"
#include "admin/config/configpropsheet.h"
#include "admin/config/configgridcell.h"
#include "admin/config/configitemname.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

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
    : CConfigPropPage(IDD, tr("IVR Hosts"), CConfigPropSheet::ID_CONFIG_IVR_HOSTS), m_grid(SetDlgCtrlID(new CSpreadSheetEx(4, this), IDC_GRID)),
      m_remove(SetDlgCtrlID(new QPushButton(tr("Remove"), this), IDC_REMOVE))
{
    auto *add = SetDlgCtrlID(new QPushButton(tr("Add"), this), IDC_ADD);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(m_remove);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);

    connect(m_grid, &CSpreadSheet::Change, this, &CConfigIvrHostsPropPage::onCellChanged);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CConfigIvrHostsPropPage::onLeaveCell);
    connect(m_grid, &CSpreadSheet::Click, this, &CConfigIvrHostsPropPage::onClick);
}

void CConfigIvrHostsPropPage::LoadFromDepot()
{
    m_hosts.Parse(Depot()->m_ivrHosts);
    m_selectedRow = 0;
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
    updateButtons();
}

void CConfigIvrHostsPropPage::updateButtons()
{
    if (m_selectedRow < 1) {
        m_remove->setEnabled(false);
        m_grid->setCurrentCell(-1, -1);
    } else {
        m_remove->setEnabled(true);
    }
}

void CConfigIvrHostsPropPage::refuse(int col, int row, const QString &message, const QString &previous)
{
    AfxMessageBox(message);
    // A refusal while the user moves on to another cell holds the move back;
    // one confirmed in place (Enter) has nothing to hold back.
    m_editError = m_grid->currentRow() != row - 1 || m_grid->currentColumn() != col - 1;
    m_selectedRow = row;
    SetGridCellText(m_grid, col, row, previous);
    m_grid->setFocus(Qt::OtherFocusReason);
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
            return refuse(col, row, kEmptyHost, record.host);
        if (m_hosts.HasHost(text, row))
            return refuse(col, row, kHostTaken.arg(text), record.host);
        record.host = text;
        break;
    case SessionColumn:
        if (text.isEmpty())
            return refuse(col, row, kEmptySession, record.sessionFile);
        record.sessionFile = text;
        break;
    case UserColumn:
        if (hasBlank(text))
            return refuse(col, row, kInvalidUser.arg(text), record.userId);
        record.userId = text;
        break;
    case PasswordColumn:
        if (hasBlank(text))
            return refuse(col, row, kInvalidPassword.arg(text), record.password);
        record.password = text;
        break;
    default:
        return;
    }
    updateButtons();
    SetModified(true);
}

void CConfigIvrHostsPropPage::onLeaveCell(int, int row, int, int newRow, bool *cancel)
{
    if (m_editError) {
        m_editError = false;
        m_selectedRow = row;
        *cancel = true;
        m_grid->setFocus(Qt::OtherFocusReason);
    } else if (newRow >= 1) {
        m_selectedRow = newRow;
    }
    updateButtons();
}

void CConfigIvrHostsPropPage::onClick(int, int row)
{
    m_selectedRow = row < 1 ? 0 : row;
    updateButtons();
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
    m_selectedRow = m_hosts.Count();
    refreshGrid();
    // The session file must be filled before the host is written.
    PutGridCursor(m_grid, SessionColumn, m_selectedRow);
    SetModified(true);
}

void CConfigIvrHostsPropPage::removeHost()
{
    if (m_hosts.Count() >= 1 && m_selectedRow >= 1 && m_selectedRow <= m_hosts.Count() &&
        AfxMessageBox(kRemoveQuestion, MB_YESNO) == IDYES) {
        m_hosts.Remove(m_selectedRow);
        if (m_selectedRow > m_hosts.Count())
            m_selectedRow = m_hosts.Count();
        refreshGrid();
        SetModified(true);
    }
    PutGridCursor(m_grid, HostColumn, m_selectedRow);
}
