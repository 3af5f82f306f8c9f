// The Voice Ports page; see voiceportsppg.h.
#include "admin/config/window/voiceportsppg.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/session/tcllist.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/mfc/dlgitem.h"

#include <QVBoxLayout>

namespace {

QStringList splitList(const QString &text)
{
    QStringList elements;
    CTclList().SplitList(text, elements);
    return elements;
}

} // namespace

CVoicePortsPpg::CVoicePortsPpg()
    : CConfigPropPage(IDD, QStringLiteral("Voice Ports"), CConfigPropSheet::ID_CONFIG_VOICE_PORTS),
      m_grid(SetDlgCtrlID(new CSpreadSheetEx(ColStatGroups, this), IDC_PORT_GRID)), m_columns(m_grid)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    setMinimumSize(600, 340);
    connect(m_grid, &CSpreadSheet::Change, this, &CVoicePortsPpg::onCellChanged);
    connect(m_grid, &CSpreadSheet::Click, this, &CVoicePortsPpg::onCellClicked);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CVoicePortsPpg::onLeaveCell);
}

void CVoicePortsPpg::LoadFromDepot()
{
    const CConfigDepot &depot = *Depot();
    m_ports.Load(depot.m_voicePortLines, depot.m_voicePortCount);
    // The methods the server holds, until the Answer Methods page tells
    // its own.
    m_columns.TakeDepotAnswerMethods(depot.m_answerMethods);
    m_currentRow = m_ports.Count() >= 1 ? 1 : 0;
    SetModified(false);
}

void CVoicePortsPpg::SaveToDepot()
{
    if (!m_columns.IsReady())
        return;
    m_ports.Store(Depot()->m_voicePortLines);
    SetModified(false);
}

// --- the grid ------------------------------------------------------------------------

bool CVoicePortsPpg::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_grid->SetRowHeight(0, 2 * 12.0);
    m_columns.Initialise({QStringLiteral("Port"), QStringLiteral("Ext."), QStringLiteral("Answer Method"),
                          QStringLiteral("Notification Groups"), QStringLiteral("Statistical Groups")},
                         {5, 9, 16, 21});
    RefreshGrid();
    return true;
}

void CVoicePortsPpg::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    m_columns.FitColumns(m_ports.Count());
}

QString CVoicePortsPpg::groupsOfPort(int commandId, const QString &depotText, int port) const
{
    // The group page's records once it has them, else the depot's text:
    // a list of {name {port ...} ...}.
    if (const CConfigPropPage *page = PeerOfCommand(commandId);
        page && page->HasWindow())
        return page->GroupsOfPort(port).join(QStringLiteral(", "));
    QStringList names;
    for (const QString &group : splitList(depotText)) {
        const QStringList fields = splitList(group);
        if (splitList(fields.value(1)).contains(QString::number(port)))
            names.append(fields.value(0));
    }
    return names.join(QStringLiteral(", "));
}

void CVoicePortsPpg::RefreshGrid()
{
    if (!m_columns.IsReady())
        return;
    if (CConfigPropPage *methods =
            PeerOfCommand(CConfigPropSheet::ID_CONFIG_ANSWER_METHODS);
        methods && methods->HasWindow() && methods->HoldsUnfinishedNameEdit())
        methods->FinishNameEdit();
    // A method that no longer exists is dropped from its ports.
    m_ports.DropAnswerMethods(m_columns.WithdrawnAnswerMethodNames());
    m_columns.FillRows(m_ports);
    const CConfigDepot &depot = *Depot();
    for (int n = 1; n <= m_ports.Count(); ++n) {
        for (int col : {int(ColNotifyGroups), int(ColStatGroups)}) {
            m_grid->SetCol(col);
            m_grid->SetRow(n);
            m_grid->SetCellType(CSpreadSheet::CellTypeMultiLine);
            m_grid->SetLock(true);
        }
        SetGridCellText(m_grid, ColNotifyGroups, n,
                        groupsOfPort(CConfigPropSheet::ID_CONFIG_NOTIFY_GROUPS, depot.m_notificationGroups, n));
        SetGridCellText(m_grid, ColStatGroups, n,
                        groupsOfPort(CConfigPropSheet::ID_CONFIG_STAT_GROUPS, depot.m_statisticalGroups, n));
        m_grid->FitRowHeight(n);
    }
    m_columns.FitColumns(m_ports.Count());
}

void CVoicePortsPpg::SetAnswerMethodList(const QString &names)
{
    m_columns.SetAnswerMethodList(names, m_ports.Count());
}

bool CVoicePortsPpg::IsAnswerMethodUsed(const QString &name) const
{
    return m_ports.IsAnswerMethodUsed(name);
}

void CVoicePortsPpg::RenameAnswerMethod(const QString &oldName, const QString &newName)
{
    if (m_ports.ReplaceAnswerMethod(oldName, newName)) {
        m_columns.AddAnswerMethodName(newName);
        RefreshGrid();
    }
}

void CVoicePortsPpg::ClearAnswerMethod(const QString &name)
{
    if (m_ports.ReplaceAnswerMethod(name, QString()))
        RefreshGrid();
}

// --- grid events -------------------------------------------------------------------

void CVoicePortsPpg::onCellChanged(int col, int row)
{
    m_columns.ForgetRefusal();
    if (row < 1 || row > m_ports.Count())
        return;
    const QString text = GridCellText(m_grid, col, row);
    PortRecord &record = m_ports.Record(row);
    // Every edit marks the page modified, a refused extension too.
    if (col == ColExtension)
        m_columns.TakeExtension(row, record, text);
    else if (col == ColAnswerMethod)
        record.answerMethod = text;
    SetModified(true);
}

void CVoicePortsPpg::onCellClicked(int, int row)
{
    if (row > 0)
        m_currentRow = row;
}

void CVoicePortsPpg::onLeaveCell(int col, int row, int, int newRow, bool *cancel)
{
    if (m_columns.HoldBackRefusedMove(col, row, cancel)) {
        m_currentRow = row;
        return;
    }
    if (newRow > 0)
        m_currentRow = newRow;
}
