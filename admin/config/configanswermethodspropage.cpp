// The Answer Methods page; see configanswermethodspropage.h. Every refused
// entry puts the record's value back into its cell and returns the user to
// it. A greeting user agent created here stays on the server even when the
// configuration changes are later discarded: creating it is its own step.
#include "admin/config/configanswermethodspropage.h"

#include "admin/config/addanswermethoddlg.h"
#include "admin/config/configdepot.h"
#include "admin/config/configgridcell.h"
#include "admin/config/configintegrationpropage.h"
#include "admin/config/configitemname.h"
#include "admin/config/configpropsheet.h"
#include "admin/config/creategreetinguadlg.h"
#include "admin/config/voiceportsppg.h"
#include "admin/uatools/createprogressdlg.h"
#include "admin/uatools/parsedrangelist.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kEmptyName = QStringLiteral(
    "Empty Answer Method Name is invalid. Try to enter a valid name after closing this message box.");
const QString kNameTaken = QStringLiteral(
    "There is already an Answer Method Name '%1'. Try to enter another name after closing this message box.");
const QString kInvalidGreeting = QStringLiteral(
    "Invalid User Agent '%1'. Try to enter a valid User Agent after closing this message box.");
const QString kNewGreeting = QStringLiteral("User Agent '%1' has not been referenced in any other Answer Method "
                                            "yet  and added to the Greeting User Agent list as a new item.");
const QString kRingsRange = QStringLiteral("The valid range for Number of Rings is 1-15.");
const QString kInvalidGroup = QStringLiteral("Invalid Telephone System Group ID '%1'. Try to enter an existing "
                                             "Telephone System Group ID after closing this message box.");
const QString kChangeName =
    QStringLiteral("You should change the Answer Method Name to be different from existing names.");
const QString kMethodInUse =
    QStringLiteral("Answer Method '%1' is assigned to one or more Voice Ports. It cannot be deleted!");

// Greeting user agents are made from the default user agent, as mailboxes.
constexpr qint32 kModelUserAgent = 997;
constexpr qint32 kMailboxRoot = 2147483647;

} // namespace

CConfigAnswerMethodsPropPage::CConfigAnswerMethodsPropPage()
    : CConfigPropPage(IDD, tr("Answer Methods"), CConfigPropSheet::ID_CONFIG_ANSWER_METHODS),
      m_grid(SetDlgCtrlID(new CSpreadSheetEx(4, this), IDC_GRID)),
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

    connect(m_grid, &CSpreadSheet::Change, this, &CConfigAnswerMethodsPropPage::onCellChanged);
    connect(m_grid, &CSpreadSheet::Click, this, &CConfigAnswerMethodsPropPage::onClick);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CConfigAnswerMethodsPropPage::onLeaveCell);
}

void CConfigAnswerMethodsPropPage::LoadFromDepot()
{
    // The integration page tells its group names and renames as they
    // change; it loads after this page.
    if (CConfigIntegrationPropPage *integration = FindPeer<CConfigIntegrationPropPage>()) {
        connect(integration, &CConfigIntegrationPropPage::GroupNamesChanged, this,
                &CConfigAnswerMethodsPropPage::SetIntegrationGroupNames, Qt::UniqueConnection);
        connect(integration, &CConfigIntegrationPropPage::GroupNameReplaced, this,
                &CConfigAnswerMethodsPropPage::RenameIntegrationGroup, Qt::UniqueConnection);
    }
    m_methods.Parse(Depot()->m_answerMethods);
    // Until the integration page tells its own, the groups the server has.
    QStringList groups;
    for (const ConfigGroupRecord &group : std::as_const(Depot()->m_groups))
        groups.append(group[0]);
    m_groupNames = groups;
    m_currentRow = 0;
    rebuildGreetingList();
    publishNames();
    SetModified(false);
    refreshGrid();
}

void CConfigAnswerMethodsPropPage::SaveToDepot()
{
    if (!m_gridReady)
        return;
    Depot()->m_answerMethods = m_methods.Format();
    m_renamedOnPorts = false;
    SetModified(false);
}

bool CConfigAnswerMethodsPropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_grid->SetRowHeight(0, 2 * 12.75);
    const char *headers[] = {"Answer Method\nName", "Greeting\nUser Agent", "Number of\nRings To Answer",
                             "Telephone System\nIntegration Name"};
    for (int col = NameColumn; col <= GroupColumn; ++col)
        SetGridCellText(m_grid, col, 0, tr(headers[col - 1]));
    m_grid->SetColWidth(NameColumn, 18);
    m_grid->SetColWidth(GreetingColumn, 14);
    m_grid->SetColWidth(RingsColumn, 19);
    m_gridReady = true;
    fitColumns();
    refreshGrid();
    return true;
}

bool CConfigAnswerMethodsPropPage::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        addMethod();
        return true;
    case IDC_REMOVE:
        removeMethod();
        return true;
    default:
        return CConfigPropPage::OnCommand(id);
    }
}

void CConfigAnswerMethodsPropPage::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    fitColumns();
}

// The group column takes the width the others leave.
void CConfigAnswerMethodsPropPage::fitColumns()
{
    if (!m_gridReady)
        return;
    m_grid->SizeColumns(GroupColumn, true);
    m_grid->RestoreColumnWidth(m_methods.Count());
}

CVoicePortsPpg *CConfigAnswerMethodsPropPage::voicePorts() const
{
    return FindPeer<CVoicePortsPpg>();
}

// --- the grid ---------------------------------------------------------------------------

void CConfigAnswerMethodsPropPage::refreshGrid()
{
    if (!m_gridReady)
        return;
    m_grid->RestoreColumnWidth(m_methods.Count());
    const QString greetings = m_greetingNumbers.join(u'\t');
    const QString groups = m_groupNames.join(u'\t');
    for (int n = 1; n <= m_methods.Count(); ++n) {
        const AnswerMethodRecord &record = m_methods.Record(n);
        SetGridCellText(m_grid, NameColumn, n, record.name);
        m_grid->SetCol(GreetingColumn);
        m_grid->SetCellType(CSpreadSheet::CellTypeEditComboBox);
        m_grid->SetTypeComboBoxList(greetings);
        m_grid->SetText(record.greeting);
        SetGridCellText(m_grid, RingsColumn, n, record.rings);
        m_grid->SetCol(GroupColumn);
        m_grid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_grid->SetTypeComboBoxList(groups);
        m_grid->SetText(record.group);
    }
    updateRemoveButton();
}

void CConfigAnswerMethodsPropPage::updateRemoveButton()
{
    const bool selected = m_currentRow >= 1 && m_currentRow <= m_methods.Count();
    m_remove->setEnabled(selected);
    if (!selected)
        m_grid->setCurrentCell(-1, -1);
}

void CConfigAnswerMethodsPropPage::publishNames()
{
    if (CVoicePortsPpg *ports = voicePorts())
        ports->SetAnswerMethodList(m_methods.NamesText());
}

void CConfigAnswerMethodsPropPage::rebuildGreetingList()
{
    m_greetingNumbers = m_methods.GreetingNumbers();
    if (!m_gridReady)
        return;
    const QString greetings = m_greetingNumbers.join(u'\t');
    for (int n = 1; n <= m_methods.Count(); ++n) {
        m_grid->SetCol(GreetingColumn);
        m_grid->SetRow(n);
        m_grid->SetTypeComboBoxList(greetings);
    }
}

void CConfigAnswerMethodsPropPage::SetIntegrationGroupNames(const QString &names)
{
    m_groupNames = names.isEmpty() ? QStringList() : names.split(u'\t');
    refreshGrid();
}

void CConfigAnswerMethodsPropPage::RenameIntegrationGroup(const QString &oldName, const QString &newName)
{
    if (m_methods.RenameGroup(oldName, newName))
        refreshGrid();
}

// --- a name being typed -----------------------------------------------------------------

// The grid's editor is open in the name column (the new name has reached
// neither the records nor the Voice Ports page yet), or a renamed method
// is on ports whose page has not stored them: the sheet shows the Voice
// Ports page before the pages store their data, so that page stores its
// lines with the new name.
bool CConfigAnswerMethodsPropPage::HoldsUnfinishedNameEdit() const
{
    const QWidget *focus = QApplication::focusWidget();
    const bool editing = m_gridReady && focus && m_grid->viewport()->isAncestorOf(focus) &&
                         m_grid->currentColumn() == NameColumn - 1;
    return editing || m_renamedOnPorts;
}

void CConfigAnswerMethodsPropPage::FinishNameEdit()
{
    commitOpenEditor();
    publishNames();
    refreshGrid();
}

bool CConfigAnswerMethodsPropPage::OnKillActive()
{
    commitOpenEditor();
    return CConfigPropPage::OnKillActive();
}

// An editor losing the focus hands its text to the grid, which reports it
// as a change like any other.
void CConfigAnswerMethodsPropPage::commitOpenEditor()
{
    const QWidget *focus = QApplication::focusWidget();
    if (m_gridReady && focus && m_grid->viewport()->isAncestorOf(focus))
        m_grid->setFocus(Qt::OtherFocusReason);
}

// --- cell events ------------------------------------------------------------------------

void CConfigAnswerMethodsPropPage::refuse(int col, int row, const QString &message, const QString &previous)
{
    AfxMessageBox(message);
    // A refusal while the user moves to another cell holds the move back.
    m_invalidEntry = m_grid->currentRow() != row - 1 || m_grid->currentColumn() != col - 1;
    m_currentRow = row;
    SetGridCellText(m_grid, col, row, previous);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CConfigAnswerMethodsPropPage::onCellChanged(int col, int row)
{
    m_invalidEntry = false;
    if (row < 1 || row > m_methods.Count())
        return;
    AnswerMethodRecord &record = m_methods.Record(row);
    const QString text = GridCellText(m_grid, col, row);
    switch (col) {
    case NameColumn:
        nameChanged(row, text);
        break;
    case GreetingColumn:
        greetingChanged(row, text);
        break;
    case RingsColumn:
        if (const std::optional<int> rings = CAnswerMethodList::ParseRings(text)) {
            record.rings = QString::number(*rings);
            SetGridCellText(m_grid, col, row, record.rings);
            SetModified(true);
        } else {
            refuse(col, row, kRingsRange, record.rings);
        }
        break;
    case GroupColumn:
        if (!text.contains(u' ') && m_groupNames.contains(text)) {
            record.group = text;
            SetModified(true);
        } else {
            refuse(col, row, kInvalidGroup.arg(text), record.group);
        }
        break;
    default:
        break;
    }
    updateRemoveButton();
}

void CConfigAnswerMethodsPropPage::nameChanged(int row, const QString &typed)
{
    AnswerMethodRecord &record = m_methods.Record(row);
    const QString name = ConfigItemName(typed);
    SetGridCellText(m_grid, NameColumn, row, name);
    switch (m_methods.CheckName(name, row)) {
    case CAnswerMethodList::NameEmpty:
        return refuse(NameColumn, row, kEmptyName, record.name);
    case CAnswerMethodList::NameTaken:
        return refuse(NameColumn, row, kNameTaken.arg(name), record.name);
    case CAnswerMethodList::NameAccepted:
        break;
    }
    if (CVoicePortsPpg *ports = voicePorts(); ports && ports->IsAnswerMethodUsed(record.name)) {
        ports->RenameAnswerMethod(record.name, name);
        m_renamedOnPorts = true;
    }
    record.name = name;
    publishNames();
    SetModified(true);
}

void CConfigAnswerMethodsPropPage::greetingChanged(int row, const QString &typed)
{
    AnswerMethodRecord &record = m_methods.Record(row);
    const std::optional<quint32> number = CAnswerMethodList::ParseGreeting(typed.trimmed());
    if (!number)
        return refuse(GreetingColumn, row, kInvalidGreeting.arg(typed), record.greeting);
    if (!ensureGreetingUserAgent(*number)) {
        SetGridCellText(m_grid, GreetingColumn, row, record.greeting);
        return;
    }
    record.greeting = QString::number(*number);
    SetGridCellText(m_grid, GreetingColumn, row, record.greeting);
    if (!m_greetingNumbers.contains(record.greeting))
        AfxMessageBox(kNewGreeting.arg(record.greeting));
    rebuildGreetingList();
    SetModified(true);
}

bool CConfigAnswerMethodsPropPage::ensureGreetingUserAgent(quint32 number)
{
    auto exists = [this, number] {
        for (const auto &range : std::as_const(Depot()->m_uaRanges)) {
            if (range.first > number)
                break;
            if (number <= range.second)
                return true;
        }
        return false;
    };
    if (exists())
        return true;
    CCreateGreetingUADlg dialog(QString::number(number), *Depot(), this);
    if (dialog.DoModal() != IDOK)
        return false;
    const CParsedRangeList::Result parsed = CParsedRangeList::Parse(QString::number(number));
    Q_ASSERT(parsed.list);
    CCreateProgressDlg progress(*Depot()->Channel(), dialog.ParentCos(), *parsed.list, kModelUserAgent,
                                kMailboxRoot, this, false, CCreateProgressDlg::ModeCreate);
    progress.DoModal();
    Depot()->ReloadCosAndUaLists();
    return exists();
}

void CConfigAnswerMethodsPropPage::onClick(int, int row)
{
    m_currentRow = row < 1 ? 0 : row;
    updateRemoveButton();
}

void CConfigAnswerMethodsPropPage::onLeaveCell(int, int row, int, int newRow, bool *cancel)
{
    if (m_invalidEntry) {
        m_invalidEntry = false;
        m_currentRow = row;
        *cancel = true;
        m_grid->setFocus(Qt::OtherFocusReason);
    } else if (newRow >= 1) {
        m_currentRow = newRow;
    }
    updateRemoveButton();
}

// --- Add and Remove ---------------------------------------------------------------------

void CConfigAnswerMethodsPropPage::addMethod()
{
    QString name;
    for (;;) {
        CAddAnswerMethodDlg dialog(this);
        dialog.m_strName = name;
        if (dialog.DoModal() != IDOK)
            return;
        if (!dialog.m_strName.isEmpty() && !dialog.m_bChanged) {
            AfxMessageBox(kChangeName);
            continue;
        }
        name = ConfigItemName(dialog.m_strName);
        const CAnswerMethodList::NameFault fault = m_methods.CheckName(name, 0);
        if (fault == CAnswerMethodList::NameAccepted)
            break;
        AfxMessageBox(fault == CAnswerMethodList::NameEmpty ? kEmptyName : kNameTaken.arg(name));
    }
    AnswerMethodRecord record;
    record.name = name;
    if (m_methods.Count() >= 1) {
        record.greeting = m_methods.Record(1).greeting;
        record.group = m_methods.Record(1).group;
    }
    m_methods.Append(record);
    m_currentRow = m_methods.Count();
    publishNames();
    refreshGrid();
    PutGridCursor(m_grid, NameColumn, m_currentRow);
    SetModified(true);
}

void CConfigAnswerMethodsPropPage::removeMethod()
{
    if (m_methods.Count() < 1 || m_currentRow < 1 || m_currentRow > m_methods.Count())
        return;
    const QString name = m_methods.Record(m_currentRow).name;
    CVoicePortsPpg *ports = voicePorts();
    if (ports && ports->IsAnswerMethodUsed(name)) {
        AfxMessageBox(kMethodInUse.arg(name));
        return;
    }
    if (ports)
        ports->ClearAnswerMethod(name);
    m_methods.Remove(m_currentRow);
    if (m_currentRow > m_methods.Count())
        m_currentRow = m_methods.Count();
    rebuildGreetingList();
    publishNames();
    refreshGrid();
    PutGridCursor(m_grid, NameColumn, m_currentRow);
    SetModified(true);
}
