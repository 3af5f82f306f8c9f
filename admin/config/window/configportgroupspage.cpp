// See configportgroupspage.h.
#include "admin/config/window/configportgroupspage.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/voiceportsppg.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

QString portListRefusal(const QString &text)
{
    return QStringLiteral(
               "Invalid Voice Port List '%1'. Enter a correct list after closing this message box.")
        .arg(text);
}

QString limitRefusal(const QString &text)
{
    return QStringLiteral("Invalid Group Limit '%1'. Enter a number from 1 to 100 after closing this message "
                          "box.")
        .arg(text);
}

} // namespace

CConfigPortGroupsPage::CConfigPortGroupsPage(int dialogId, const QString &caption, int commandId,
                                             CPortGroupList::Kind kind)
    : CConfigPropPage(dialogId, caption, commandId), m_groups(kind)
{
    m_grid = SetDlgCtrlID(new CSpreadSheetEx(HasLimit() ? 3 : 2, this), IDC_GROUPS_GRID);
    m_grid->setMinimumSize(520, 320);
    m_add = SetDlgCtrlID(new QPushButton(QStringLiteral("Add"), this), IDC_GROUPS_ADD);
    m_remove = SetDlgCtrlID(new QPushButton(QStringLiteral("Remove"), this), IDC_GROUPS_REMOVE);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    connect(m_grid, &CSpreadSheet::Change, this, &CConfigPortGroupsPage::cellChanged);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CConfigPortGroupsPage::leavingCell);
    connect(m_grid, &CSpreadSheet::Click, this, [this](int, int row) {
        if (row > 0)
            m_currentRow = row;
        updateRemoveButton();
    });
}

int CConfigPortGroupsPage::VoicePortCount() const
{
    return Depot() ? Depot()->m_voicePortCount : 0;
}

void CConfigPortGroupsPage::LoadFromDepot()
{
    m_groups.Load(DepotText(), VoicePortCount());
    m_currentRow = 0;
    SetModified(false);
    if (m_initialised)
        fillGrid();
}

void CConfigPortGroupsPage::SaveToDepot()
{
    if (!m_initialised)
        return;
    DepotText() = m_groups.Save();
    SetModified(false);
}

QString CConfigPortGroupsPage::GetGroupsOfPort(int port) const
{
    return m_groups.GetGroupsOfPort(port, VoicePortCount());
}

QStringList CConfigPortGroupsPage::GroupsOfPort(int port) const
{
    return m_groups.GroupIdsOfPort(port, VoicePortCount());
}

bool CConfigPortGroupsPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_grid->SetRow(0);
    m_grid->SetCol(IdColumn);
    m_grid->SetText(QStringLiteral("Group ID"));
    m_grid->SetCol(PortsColumn);
    m_grid->SetText(QStringLiteral("Group of Voice Ports"));
    if (HasLimit()) {
        m_grid->SetCol(LimitColumn);
        m_grid->SetText(QStringLiteral("Group Limit [%]"));
    }
    m_grid->SetColWidth(IdColumn, 18);
    m_grid->SetColWidth(PortsColumn, 30);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_initialised = true;
    fillGrid();
    return true;
}

bool CConfigPortGroupsPage::OnCommand(int id)
{
    if (id == IDC_GROUPS_ADD) {
        addGroup();
        return true;
    }
    if (id == IDC_GROUPS_REMOVE) {
        removeGroup();
        return true;
    }
    return CConfigPropPage::OnCommand(id);
}

QString CConfigPortGroupsPage::cellText(int col, int row) const
{
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    return m_grid->GetText();
}

void CConfigPortGroupsPage::fillGrid()
{
    m_grid->SetMaxRows(m_groups.Count());
    for (int row = 1; row <= m_groups.Count(); ++row) {
        const PortGroupRecord &group = m_groups.At(row - 1);
        const bool reserved = IsReservedGroup(group);
        m_grid->SetRow(row);
        m_grid->SetCol(IdColumn);
        m_grid->SetText(group.id);
        m_grid->SetLock(reserved);
        m_grid->SetCol(PortsColumn);
        m_grid->SetCellType(CSpreadSheet::CellTypeEditComboBox);
        m_grid->SetText(CPortGroupList::ShownPorts(group));
        m_grid->SetLock(reserved);
        if (HasLimit()) {
            m_grid->SetCol(LimitColumn);
            m_grid->SetText(CPortGroupList::ShownLimit(group));
            m_grid->SetLock(reserved);
        }
    }
    updateChoices();
    updateRemoveButton();
}

void CConfigPortGroupsPage::updateChoices()
{
    const QString choices = m_groups.PortListChoices(VoicePortCount()).join(QLatin1Char('\t'));
    m_grid->SetCol(PortsColumn);
    for (int row = 1; row <= m_groups.Count(); ++row) {
        m_grid->SetRow(row);
        m_grid->SetTypeComboBoxList(choices);
    }
}

void CConfigPortGroupsPage::updateRemoveButton()
{
    const bool current = m_currentRow >= 1 && m_currentRow <= m_groups.Count();
    m_remove->setEnabled(current && !IsReservedGroup(m_groups.At(m_currentRow - 1)));
}

void CConfigPortGroupsPage::setCellText(int col, int row, const QString &text)
{
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    m_grid->SetText(text);
}

void CConfigPortGroupsPage::putBack(int col, int row, const QString &text)
{
    setCellText(col, row, text);
    m_returnToCell = true;
    moveCursor(col, row);
}

void CConfigPortGroupsPage::moveCursor(int col, int row)
{
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    m_grid->SetAction(CSpreadSheet::ActionActiveCell);
    m_grid->setFocus();
}

void CConfigPortGroupsPage::cellChanged(int col, int row)
{
    if (row < 1 || row > m_groups.Count())
        return;
    m_currentRow = row;
    bool edited = false;
    if (col == IdColumn)
        edited = idChanged(row);
    else if (col == PortsColumn)
        edited = portsChanged(row);
    else if (col == LimitColumn && HasLimit())
        edited = limitChanged(row);
    if (edited)
        holdToLimits(row);
    SetModified(true);
    updateRemoveButton();
}

bool CConfigPortGroupsPage::idChanged(int row)
{
    QString id = cellText(IdColumn, row);
    id.replace(QLatin1Char(' '), QLatin1Char('_'));
    m_grid->SetText(id);
    const QString refusal = RefuseId(id, row);
    if (!refusal.isEmpty()) {
        AfxMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
        putBack(IdColumn, row, m_groups.At(row - 1).id);
        return false;
    }
    m_groups.SetId(row - 1, id);
    groupsChanged();
    return true;
}

bool CConfigPortGroupsPage::portsChanged(int row)
{
    const QString typed = cellText(PortsColumn, row);
    QList<int> ports;
    if (!CPortGroupList::ParseVoicePortList(typed, VoicePortCount(), ports)) {
        AfxMessageBox(portListRefusal(typed), MB_OK | MB_ICONEXCLAMATION);
        putBack(PortsColumn, row, CPortGroupList::ShownPorts(m_groups.At(row - 1)));
        return false;
    }
    m_groups.SetPorts(row - 1, ports);
    m_grid->SetText(CPortGroupList::FormatPortRanges(ports));
    updateChoices();
    groupsChanged();
    return true;
}

bool CConfigPortGroupsPage::limitChanged(int row)
{
    const QString typed = cellText(LimitColumn, row);
    int limit = 0;
    if (!CPortGroupList::ParseLimit(typed, limit)) {
        AfxMessageBox(limitRefusal(typed), MB_OK | MB_ICONEXCLAMATION);
        putBack(LimitColumn, row, CPortGroupList::ShownLimit(m_groups.At(row - 1)));
        return false;
    }
    m_groups.SetLimit(row - 1, limit);
    m_grid->SetText(QString::number(limit));
    return true;
}

// The server may hold ports and limits the pages refuse; they are shown and
// kept until the administrator edits their group. Then each is refused as if
// typed and the group takes what of it is within the limits, with the
// cursor on the first such cell.
void CConfigPortGroupsPage::holdToLimits(int row)
{
    const PortGroupRecord group = m_groups.At(row - 1);
    int firstRefused = 0;
    if (!CPortGroupList::PortsFit(group)) {
        AfxMessageBox(portListRefusal(CPortGroupList::ShownPorts(group)), MB_OK | MB_ICONEXCLAMATION);
        m_groups.SetPorts(row - 1, group.ports);
        setCellText(PortsColumn, row, CPortGroupList::FormatPortRanges(group.ports));
        updateChoices();
        firstRefused = PortsColumn;
    }
    if (HasLimit() && !CPortGroupList::LimitFits(group)) {
        AfxMessageBox(limitRefusal(CPortGroupList::ShownLimit(group)), MB_OK | MB_ICONEXCLAMATION);
        m_groups.SetLimit(row - 1, group.limit);
        setCellText(LimitColumn, row, QString::number(group.limit));
        firstRefused = firstRefused ? firstRefused : int(LimitColumn);
    }
    if (firstRefused) {
        // Moved first: the move leaves the edited cell, which a return to
        // the cell would hold back.
        moveCursor(firstRefused, row);
        m_returnToCell = true;
    }
}

void CConfigPortGroupsPage::leavingCell(int col, int row, int newCol, int newRow, bool *cancel)
{
    if (m_returnToCell) {
        m_returnToCell = false;
        *cancel = true;
        return;
    }
    if (RefuseLeaving(col, row)) {
        *cancel = true;
        return;
    }
    if (newRow > 0)
        m_currentRow = newRow;
    Q_UNUSED(newCol);
    updateRemoveButton();
}

void CConfigPortGroupsPage::removeGroup()
{
    if (m_currentRow < 1 || m_currentRow > m_groups.Count())
        return;
    const PortGroupRecord &group = m_groups.At(m_currentRow - 1);
    if (IsReservedGroup(group))
        return;
    if (AfxMessageBox(RemoveQuestion(group.id), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_groups.RemoveAt(m_currentRow - 1);
    m_currentRow = RowAfterRemoval(m_currentRow);
    fillGrid();
    SetModified(true);
    groupsChanged();
    if (m_currentRow >= 1)
        moveCursor(IdColumn, m_currentRow);
}

void CConfigPortGroupsPage::addGroup()
{
    QString id;
    if (!AskNewId(id))
        return;
    PortGroupRecord group;
    group.id = id;
    for (int port = 1; port <= VoicePortCount(); ++port)
        group.ports << port;
    m_groups.Append(group);
    m_currentRow = m_groups.Count();
    fillGrid();
    moveCursor(NewGroupColumn(), m_currentRow);
    SetModified(true);
    groupsChanged();
}

void CConfigPortGroupsPage::groupsChanged()
{
    if (Sheet())
        if (auto *voicePorts = Sheet()->FindPage<CVoicePortsPpg>())
            voicePorts->RefreshGrid();
}
