// The voice-port grid shared by the Voice Ports page and the wizard's
// voice-port step; see voiceportgrid.h.
#include "admin/config/voiceportgrid.h"

#include "admin/config/configgridcell.h"
#include "admin/config/voiceportlist.h"
#include "admin/session/tcllist.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

namespace {

QStringList splitList(const QString &text)
{
    QStringList elements;
    CTclList().SplitList(text, elements);
    return elements;
}

} // namespace

void CVoicePortGrid::Initialise(const QStringList &headers, std::initializer_list<double> widths)
{
    Q_ASSERT(headers.size() >= ColAnswerMethod && int(widths.size()) <= headers.size());
    m_lastColumn = int(headers.size());
    for (int col = 1; col <= m_lastColumn; ++col)
        SetGridCellText(m_grid, col, 0, headers[col - 1]);
    m_grid->SetMaxCols(m_lastColumn);
    int col = ColPort;
    for (double width : widths)
        m_grid->SetColWidth(col++, width);
    m_ready = true;
}

void CVoicePortGrid::FitColumns(int portCount)
{
    if (!m_ready)
        return;
    m_grid->SizeColumns(m_lastColumn, true);
    m_grid->RestoreColumnWidth(portCount);
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
        m_grid->SetCol(ColAnswerMethod);
        m_grid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_grid->SetTypeComboBoxList(methodList);
        m_grid->SetText(record.answerMethod);
    }
}

void CVoicePortGrid::TakeDepotAnswerMethods(const QString &answerMethods)
{
    m_answerMethodNames.clear();
    for (const QString &method : splitList(answerMethods))
        m_answerMethodNames.append(splitList(method).value(0));
}

void CVoicePortGrid::SetAnswerMethodList(const QString &names, int portCount)
{
    m_answerMethodNames = names.isEmpty() ? QStringList() : names.split(u'\t');
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
