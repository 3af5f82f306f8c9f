// The Voice Ports page; see voiceportsppg.h.
#include "admin/config/voiceportsppg.h"

#include "admin/config/configdepot.h"
#include "admin/config/configpropsheet.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/mfc/dlgitem.h"
#include "platform/msgbox/msgbox.h"

#include <QVBoxLayout>

namespace {

constexpr int kColumns = 5;
const char *const kHeaders[kColumns] = {"Port", "Ext.", "Answer Method", "Notification Groups",
                                        "Statistical Groups"};

QStringList splitList(const QString &text)
{
    QStringList elements;
    CTclList().SplitList(text, elements);
    return elements;
}

} // namespace

CVoicePortsPpg::CVoicePortsPpg()
    : CConfigPropPage(IDD, QStringLiteral("Voice Ports"), CConfigPropSheet::ID_CONFIG_VOICE_PORTS)
{
    m_grid = SetDlgCtrlID(new CSpreadSheetEx(kColumns, this), IDC_PORT_GRID);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    setMinimumSize(600, 340);
    connect(m_grid, &CSpreadSheet::Change, this, &CVoicePortsPpg::onCellChanged);
    connect(m_grid, &CSpreadSheet::Click, this, &CVoicePortsPpg::onCellClicked);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CVoicePortsPpg::onLeaveCell);
}

// --- the line texts --------------------------------------------------------------

QString CVoicePortsPpg::FormatLine(const PortRecord &record)
{
    QStringList words = {TclBareWord(record.extension), TclBareWord(record.answerMethod)};
    for (const QString &element : record.rest)
        words.append(TclBareWord(element));
    return words.join(u' ');
}

CVoicePortsPpg::PortRecord CVoicePortsPpg::ParseLine(const QString &line)
{
    const QStringList elements = splitList(line);
    PortRecord record;
    record.extension = elements.value(0);
    record.answerMethod = elements.value(1);
    record.rest = elements.mid(2);
    return record;
}

void CVoicePortsPpg::LoadFromDepot()
{
    const CConfigDepot &depot = *Depot();
    m_portCount = depot.m_voicePortCount;
    m_ports = {PortRecord()};
    for (int n = 1; n <= m_portCount; ++n) {
        PortRecord record = ParseLine(depot.m_voicePortLines.value(n - 1));
        record.label = QString::number(n);
        m_ports.append(record);
    }
    // The methods the server holds, until the Answer Methods page tells
    // its own.
    m_answerMethodNames.clear();
    for (const QString &method : splitList(depot.m_answerMethods))
        m_answerMethodNames.append(splitList(method).value(0));
    m_currentRow = m_portCount >= 1 ? 1 : 0;
    SetModified(false);
}

void CVoicePortsPpg::SaveToDepot()
{
    if (!m_gridReady)
        return;
    CConfigDepot &depot = *Depot();
    for (int n = 1; n <= m_portCount && n <= depot.m_voicePortLines.size(); ++n)
        depot.m_voicePortLines[n - 1] = FormatLine(m_ports[n]);
    SetModified(false);
}

// --- the grid ------------------------------------------------------------------------

bool CVoicePortsPpg::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_grid->SetRow(0);
    m_grid->SetRowHeight(0, 2 * 12.0);
    for (int col = 1; col <= kColumns; ++col) {
        m_grid->SetCol(col);
        m_grid->SetText(QString::fromLatin1(kHeaders[col - 1]));
    }
    m_grid->SetMaxCols(kColumns);
    m_grid->SetColWidth(ColPort, 5);
    m_grid->SetColWidth(ColExtension, 9);
    m_grid->SetColWidth(ColAnswerMethod, 16);
    m_grid->SetColWidth(ColNotifyGroups, 21);
    m_gridReady = true;
    RefreshGrid();
    return true;
}

void CVoicePortsPpg::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    fitColumns();
}

void CVoicePortsPpg::fitColumns()
{
    if (!m_gridReady)
        return;
    m_grid->SizeColumns(ColStatGroups, true);
    m_grid->RestoreColumnWidth(m_portCount);
}

void CVoicePortsPpg::writeCell(int col, int row, const QString &text)
{
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    m_grid->SetText(text);
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
    if (!m_gridReady)
        return;
    if (CConfigPropPage *methods =
            PeerOfCommand(CConfigPropSheet::ID_CONFIG_ANSWER_METHODS);
        methods && methods->HasWindow() && methods->HoldsUnfinishedNameEdit())
        methods->FinishNameEdit();
    m_grid->SetMaxRows(m_portCount);
    const QString methodList = m_answerMethodNames.join(u'\t');
    for (int n = 1; n <= m_portCount; ++n) {
        PortRecord &record = m_ports[n];
        m_grid->SetRow(n);
        m_grid->SetCol(ColPort);
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        m_grid->SetLock(true);
        m_grid->SetText(record.label);
        writeCell(ColExtension, n, record.extension);
        m_grid->SetCol(ColAnswerMethod);
        m_grid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_grid->SetTypeComboBoxList(methodList);
        if (!m_answerMethodNames.contains(record.answerMethod))
            record.answerMethod.clear();
        m_grid->SetText(record.answerMethod);
        for (int col : {int(ColNotifyGroups), int(ColStatGroups)}) {
            m_grid->SetCol(col);
            m_grid->SetCellType(CSpreadSheet::CellTypeMultiLine);
            m_grid->SetLock(true);
        }
        const CConfigDepot &depot = *Depot();
        writeCell(ColNotifyGroups, n,
                  groupsOfPort(CConfigPropSheet::ID_CONFIG_NOTIFY_GROUPS, depot.m_notificationGroups, n));
        writeCell(ColStatGroups, n,
                  groupsOfPort(CConfigPropSheet::ID_CONFIG_STAT_GROUPS, depot.m_statisticalGroups, n));
        m_grid->FitRowHeight(n);
    }
    fitColumns();
}

void CVoicePortsPpg::SetAnswerMethodList(const QString &names)
{
    m_answerMethodNames = names.isEmpty() ? QStringList() : names.split(u'\t');
    if (!m_gridReady)
        return;
    for (int n = 1; n <= m_portCount; ++n) {
        m_grid->SetRow(n);
        m_grid->SetCol(ColAnswerMethod);
        m_grid->SetTypeComboBoxList(names);
    }
}

bool CVoicePortsPpg::IsAnswerMethodUsed(const QString &name) const
{
    for (int n = 1; n <= m_portCount; ++n)
        if (m_ports[n].answerMethod == name)
            return true;
    return false;
}

void CVoicePortsPpg::RenameAnswerMethod(const QString &oldName, const QString &newName)
{
    bool changed = false;
    for (int n = 1; n <= m_portCount; ++n) {
        if (m_ports[n].answerMethod == oldName) {
            m_ports[n].answerMethod = newName;
            changed = true;
        }
    }
    if (changed) {
        if (!m_answerMethodNames.contains(newName))
            m_answerMethodNames.append(newName);
        RefreshGrid();
    }
}

void CVoicePortsPpg::ClearAnswerMethod(const QString &name)
{
    bool changed = false;
    for (int n = 1; n <= m_portCount; ++n) {
        if (m_ports[n].answerMethod == name) {
            m_ports[n].answerMethod.clear();
            changed = true;
        }
    }
    if (changed)
        RefreshGrid();
}

// --- grid events -------------------------------------------------------------------

void CVoicePortsPpg::onCellChanged(int col, int row)
{
    m_invalidExtension = false;
    if (row < 1 || row > m_portCount)
        return;
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    const QString text = m_grid->GetText();
    PortRecord &record = m_ports[row];
    if (col == ColExtension) {
        if (text.contains(u' ')) {
            m_invalidExtension = true;
            AfxMessageBox(
                QStringLiteral("Invalid Extension '%1'. Try to reenter an Extension after closing this "
                               "message box.")
                    .arg(text),
                MB_OK | MB_ICONEXCLAMATION);
            writeCell(ColExtension, row, record.extension);
            m_grid->SetAction(CSpreadSheet::ActionActiveCell);
            m_grid->setFocus();
        } else {
            record.extension = text;
        }
    } else if (col == ColAnswerMethod) {
        record.answerMethod = text;
    }
    SetModified(true);
}

void CVoicePortsPpg::onCellClicked(int, int row)
{
    if (row > 0)
        m_currentRow = row;
}

void CVoicePortsPpg::onLeaveCell(int col, int row, int, int newRow, bool *cancel)
{
    if (m_invalidExtension) {
        m_invalidExtension = false;
        m_currentRow = row;
        m_grid->SetCol(col);
        m_grid->SetRow(row);
        *cancel = true;
        m_grid->setFocus();
        return;
    }
    if (newRow > 0)
        m_currentRow = newRow;
}
