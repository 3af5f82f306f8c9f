// The answer-method grid shared by the Answer Methods page and the wizard's
// answer-method step; see answermethodgrid.h.
#include "admin/config/controls/answermethodgrid.h"

#include "admin/config/records/answermethodlist.h"
#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/widgets/spreadsheetex.h"

#include <QApplication>

void CAnswerMethodGrid::Initialise(const QStringList &headers, std::initializer_list<double> widths)
{
    Q_ASSERT(headers.size() == GroupColumn && widths.size() == GroupColumn - 1);
    SetGridHeaders(m_grid, headers, widths);
    m_ready = true;
}

void CAnswerMethodGrid::FillRows(const CAnswerMethodList &methods)
{
    Q_ASSERT(m_ready);
    const QString greetings = m_greetingNumbers.join(u'\t');
    const QString groups = m_groupNames.join(u'\t');
    for (int n = 1; n <= methods.Count(); ++n) {
        const AnswerMethodRecord &record = methods.Record(n);
        SetGridCellText(m_grid, NameColumn, n, record.name);
        SetGridComboCell(m_grid, GreetingColumn, n, CSpreadSheet::CellTypeEditComboBox, greetings, record.greeting);
        SetGridCellText(m_grid, RingsColumn, n, record.rings);
        SetGridComboCell(m_grid, GroupColumn, n, CSpreadSheet::CellTypeComboBox, groups, record.group);
    }
}

void CAnswerMethodGrid::FitColumns(int methodCount)
{
    if (m_ready)
        FitGridColumns(m_grid, GroupColumn, methodCount);
}

void CAnswerMethodGrid::RebuildGreetingList(const CAnswerMethodList &methods)
{
    m_greetingNumbers = methods.GreetingNumbers();
    if (!m_ready)
        return;
    const QString greetings = m_greetingNumbers.join(u'\t');
    for (int n = 1; n <= methods.Count(); ++n) {
        m_grid->SetCol(GreetingColumn);
        m_grid->SetRow(n);
        m_grid->SetTypeComboBoxList(greetings);
    }
}

void CAnswerMethodGrid::TakeDepotGroups(const CConfigDepot &depot)
{
    m_groupNames.clear();
    for (const ConfigGroupRecord &group : depot.m_groups)
        m_groupNames.append(group[0]);
}

void CAnswerMethodGrid::SetGroupNames(const QString &names)
{
    m_groupNames = names.isEmpty() ? QStringList() : names.split(u'\t');
}

bool CAnswerMethodGrid::EditorHasFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return m_ready && focus && m_grid->viewport()->isAncestorOf(focus);
}

void CAnswerMethodGrid::CommitOpenEditor()
{
    if (EditorHasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
}

QString CAnswerMethodGrid::NameTakenMessage(const QString &name)
{
    return QStringLiteral("There is already an Answer Method Name '%1'. Try to enter another name after closing "
                          "this message box.")
        .arg(name);
}
