// The voice-port grid shared by the Voice Ports page and the wizard's
// voice-port step; see voiceportgrid.h.
#include "admin/config/controls/voiceportgrid.h"

#include "admin/config/records/answermethodlist.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/records/voiceportlist.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

void CVoicePortGrid::Initialise(const QStringList &headers, std::initializer_list<double> widths)
{
    Q_ASSERT(headers.size() >= ColAnswerMethod && int(widths.size()) <= headers.size());
    m_lastColumn = int(headers.size());
    m_grid->SetMaxCols(m_lastColumn);
    SetGridHeaders(m_grid, headers, widths);
    m_ready = true;
}

void CVoicePortGrid::FitColumns(int portCount)
{
    if (m_ready)
        FitGridColumns(m_grid, m_lastColumn, portCount);
}

void CVoicePortGrid::FillRows(const CVoicePortList &ports)
{
    Q_ASSERT(m_ready);
    m_grid->SetMaxRows(ports.Count());
    const QString methodList = m_answerMethodNames.join(u'\t');
    for (int n = 1; n <= ports.Count(); ++n) {
        const VoicePortRecord &record = ports.Record(n);
        m_grid->SetRow(n);
        m_grid->SetCol(ColPort);
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        m_grid->SetLock(true);
        m_grid->SetText(record.label);
        SetGridCellText(m_grid, ColExtension, n, record.extension);
        SetGridComboCell(m_grid, ColAnswerMethod, n, CSpreadSheet::CellTypeComboBox, methodList,
                         m_answerMethodNames.contains(record.answerMethod) ? record.answerMethod : QString());
    }
}

void CVoicePortGrid::TakeDepotAnswerMethods(const QString &answerMethods)
{
    CAnswerMethodList methods;
    methods.Parse(answerMethods);
    m_answerMethodNames.clear();
    for (int n = 1; n <= methods.Count(); ++n)
        m_answerMethodNames.append(methods.Record(n).name);
}

void CVoicePortGrid::SetAnswerMethodList(const QString &names, int portCount)
{
    const QStringList offered = names.isEmpty() ? QStringList() : names.split(u'\t');
    for (const QString &name : std::as_const(m_answerMethodNames))
        if (!offered.contains(name) && !m_withdrawnNames.contains(name))
            m_withdrawnNames.append(name);
    for (const QString &name : offered)
        m_withdrawnNames.removeAll(name);
    m_answerMethodNames = offered;
    if (!m_ready)
        return;
    for (int n = 1; n <= portCount; ++n) {
        m_grid->SetRow(n);
        m_grid->SetCol(ColAnswerMethod);
        m_grid->SetTypeComboBoxList(names);
    }
}

void CVoicePortGrid::AddAnswerMethodName(const QString &name)
{
    if (!m_answerMethodNames.contains(name))
        m_answerMethodNames.append(name);
    m_withdrawnNames.removeAll(name);
}

bool CVoicePortGrid::TakeExtension(int row, VoicePortRecord &record, const QString &text)
{
    if (!text.contains(u' ')) {
        record.extension = text;
        return true;
    }
    m_refused = true;
    AfxMessageBox(
        QStringLiteral("Invalid Extension '%1'. Try to reenter an Extension after closing this message box.").arg(text),
        MB_OK | MB_ICONEXCLAMATION);
    SetGridCellText(m_grid, ColExtension, row, record.extension);
    m_grid->SetAction(CSpreadSheet::ActionActiveCell);
    m_grid->setFocus();
    return false;
}

bool CVoicePortGrid::HoldBackRefusedMove(int col, int row, bool *cancel)
{
    if (!m_refused)
        return false;
    m_refused = false;
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    *cancel = true;
    m_grid->setFocus();
    return true;
}
