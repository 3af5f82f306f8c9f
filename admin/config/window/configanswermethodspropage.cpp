// The Answer Methods page; see configanswermethodspropage.h. Every refused
// entry puts the record's value back into its cell and returns the user to
// it. A greeting user agent created here stays on the server even when the
// configuration changes are later discarded: creating it is its own step.
#include "admin/config/window/configanswermethodspropage.h"

#include "admin/config/dialogs/addanswermethoddlg.h"
#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/records/configitemname.h"
#include "admin/config/controls/configlistgrid.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/dialogs/creategreetinguadlg.h"
#include "admin/config/window/voiceportsppg.h"
#include "admin/session/zltexception.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/parsedrangelist.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <algorithm>

namespace {

const QString kEmptyName = QStringLiteral(
    "Empty Answer Method Name is invalid. Try to enter a valid name after closing this message box.");
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
      m_list(new CConfigListGrid(this, m_grid, IDC_ADD, IDC_REMOVE, [this] { return m_methods.Count(); })),
      m_columns(m_grid)
{
    connect(m_grid, &CSpreadSheet::Change, this, &CConfigAnswerMethodsPropPage::onCellChanged);
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
    m_columns.TakeDepotGroups(*Depot());
    m_list->SetCurrentRow(0);
    m_columns.RebuildGreetingList(m_methods);
    publishNames();
    SetModified(false);
    refreshGrid();
}

void CConfigAnswerMethodsPropPage::SaveToDepot()
{
    if (!m_columns.IsReady() && !m_groupsFollowed)
        return;
    Depot()->m_answerMethods = m_methods.Format();
    m_renamedOnPorts = false;
    m_groupsFollowed = false;
    SetModified(false);
}

bool CConfigAnswerMethodsPropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_grid->SetRowHeight(0, 2 * 12.75);
    m_columns.Initialise({tr("Answer Method\nName"), tr("Greeting\nUser Agent"), tr("Number of\nRings To Answer"),
                          tr("Telephone System\nIntegration Name")},
                         {18, 14, 19});
    m_columns.FitColumns(m_methods.Count());
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
    m_columns.FitColumns(m_methods.Count());
}

CVoicePortsPpg *CConfigAnswerMethodsPropPage::voicePorts() const
{
    return FindPeer<CVoicePortsPpg>();
}

// --- the grid ---------------------------------------------------------------------------

void CConfigAnswerMethodsPropPage::refreshGrid()
{
    if (!m_columns.IsReady())
        return;
    m_grid->RestoreColumnWidth(m_methods.Count());
    m_columns.FillRows(m_methods);
    m_list->UpdateRemoveButton();
}

void CConfigAnswerMethodsPropPage::publishNames()
{
    if (CVoicePortsPpg *ports = voicePorts())
        ports->SetAnswerMethodList(m_methods.NamesText());
}

void CConfigAnswerMethodsPropPage::SetIntegrationGroupNames(const QString &names)
{
    m_columns.SetGroupNames(names);
    refreshGrid();
}

void CConfigAnswerMethodsPropPage::RenameIntegrationGroup(const QString &oldName, const QString &newName)
{
    if (!m_methods.RenameGroup(oldName, newName))
        return;
    m_groupsFollowed = true;
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
    const bool editing = m_columns.EditorHasFocus() && m_grid->currentColumn() == NameColumn - 1;
    return editing || m_renamedOnPorts;
}

void CConfigAnswerMethodsPropPage::FinishNameEdit()
{
    m_columns.CommitOpenEditor();
    publishNames();
    refreshGrid();
}

bool CConfigAnswerMethodsPropPage::OnKillActive()
{
    m_columns.CommitOpenEditor();
    return CConfigPropPage::OnKillActive();
}

// --- cell events ------------------------------------------------------------------------

void CConfigAnswerMethodsPropPage::onCellChanged(int col, int row)
{
    m_list->ForgetRefusal();
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
            m_list->Refuse(col, row, kRingsRange, record.rings);
        }
        break;
    case GroupColumn:
        if (m_columns.IsGroupName(text)) {
            record.group = text;
            SetModified(true);
        } else {
            m_list->Refuse(col, row, kInvalidGroup.arg(text), record.group);
        }
        break;
    default:
        break;
    }
    m_list->UpdateRemoveButton();
}

void CConfigAnswerMethodsPropPage::nameChanged(int row, const QString &typed)
{
    AnswerMethodRecord &record = m_methods.Record(row);
    const QString name = ConfigItemName(typed);
    SetGridCellText(m_grid, NameColumn, row, name);
    switch (m_methods.CheckName(name, row)) {
    case CAnswerMethodList::NameEmpty:
        return m_list->Refuse(NameColumn, row, kEmptyName, record.name);
    case CAnswerMethodList::NameTaken:
        return m_list->Refuse(NameColumn, row, CAnswerMethodGrid::NameTakenMessage(name), record.name);
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
        return m_list->Refuse(GreetingColumn, row, kInvalidGreeting.arg(typed), record.greeting);
    if (!ensureGreetingUserAgent(*number)) {
        SetGridCellText(m_grid, GreetingColumn, row, record.greeting);
        return;
    }
    record.greeting = QString::number(*number);
    SetGridCellText(m_grid, GreetingColumn, row, record.greeting);
    if (!m_columns.ListsGreeting(record.greeting))
        AfxMessageBox(kNewGreeting.arg(record.greeting));
    m_columns.RebuildGreetingList(m_methods);
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
    try {
        Depot()->ReloadCosAndUaLists();
    } catch (const CZltException &failure) {
        failure.ReportError();
        return false;
    }
    return exists();
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
        AfxMessageBox(fault == CAnswerMethodList::NameEmpty ? kEmptyName : CAnswerMethodGrid::NameTakenMessage(name));
    }
    AnswerMethodRecord record;
    record.name = name;
    if (m_methods.Count() >= 1) {
        record.greeting = m_methods.Record(1).greeting;
        record.group = m_methods.Record(1).group;
    }
    m_methods.Append(record);
    m_list->SetCurrentRow(m_methods.Count());
    publishNames();
    refreshGrid();
    PutGridCursor(m_grid, NameColumn, m_list->CurrentRow());
    SetModified(true);
}

void CConfigAnswerMethodsPropPage::removeMethod()
{
    const int row = m_list->CurrentRow();
    if (m_methods.Count() < 1 || row < 1 || row > m_methods.Count())
        return;
    const QString name = m_methods.Record(row).name;
    CVoicePortsPpg *ports = voicePorts();
    if (ports && ports->IsAnswerMethodUsed(name)) {
        AfxMessageBox(kMethodInUse.arg(name));
        return;
    }
    if (ports)
        ports->ClearAnswerMethod(name);
    m_methods.Remove(row);
    m_list->SetCurrentRow(std::min(row, m_methods.Count()));
    m_columns.RebuildGreetingList(m_methods);
    publishNames();
    refreshGrid();
    PutGridCursor(m_grid, NameColumn, m_list->CurrentRow());
    SetModified(true);
}
