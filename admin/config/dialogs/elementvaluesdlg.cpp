// The Element Values dialog; see elementvaluesdlg.h.
#include "admin/config/dialogs/elementvaluesdlg.h"

#include "admin/config/dialogs/addlistelementdlg.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/spreadsheet.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr double kColumnWidth = 33;
}

CElementValuesDlg::CElementValuesDlg(QWidget *parent, const QString &listText)
    : CDialog(IDD, QStringLiteral("Dialog"), parent), m_strList(listText),
      m_grid(SetDlgCtrlID(new CSpreadSheet(1, this), IDC_GRID))
{
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    auto *buttons = new QVBoxLayout;
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK"), this), IDOK);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Cancel"), this), IDCANCEL));
    buttons->addSpacing(12);
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Add"), this), IDC_ADD));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Delete"), this), IDC_DELETE));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Move Up"), this), IDC_MOVE_UP));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Move Down"), this), IDC_MOVE_DOWN));
    buttons->addStretch();
    layout->addLayout(buttons);
    resize(420, 300);
    connect(m_grid, &CSpreadSheet::Change, this, &CElementValuesDlg::onCellChanged);
}

bool CElementValuesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    fill();
    return true;
}

void CElementValuesDlg::fill()
{
    QStringList elements;
    CTclList().SplitList(m_strList, elements);
    m_grid->SetMaxRows(int(elements.size()));
    m_grid->SetRow(0);
    m_grid->SetCol(1);
    m_grid->SetText(tr("Element Values"));
    m_grid->SetColWidth(1, kColumnWidth);
    for (int row = 1; row <= elements.size(); ++row) {
        m_grid->SetRow(row);
        m_grid->SetCellType(CSpreadSheet::CellTypeEdit);
        m_grid->SetText(elements[row - 1]);
    }
}

bool CElementValuesDlg::OnCommand(int id)
{
    const int active = m_grid->currentRow() + 1;
    switch (id) {
    case IDC_ADD:
        onAdd();
        return true;
    case IDC_DELETE:
        onDelete();
        return true;
    case IDC_MOVE_UP:
        if (active > 1 && active <= m_grid->GetMaxRows())
            swapRows(active, active - 1);
        return true;
    case IDC_MOVE_DOWN:
        if (active >= 1 && active < m_grid->GetMaxRows())
            swapRows(active, active + 1);
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

void CElementValuesDlg::onAdd()
{
    CAddListElementDlg add(this);
    if (add.DoModal() != IDOK)
        return;
    // Before the active row; at the end when no row is active.
    int row = m_grid->currentRow() + 1;
    if (row < 1)
        row = m_grid->GetMaxRows() + 1;
    m_grid->insertRow(row - 1);
    m_grid->SetRow(row);
    m_grid->SetCol(1);
    m_grid->SetCellType(CSpreadSheet::CellTypeEdit);
    m_grid->SetText(add.m_strElement);
}

void CElementValuesDlg::onDelete()
{
    const int row = m_grid->currentRow() + 1;
    if (row >= 1 && row <= m_grid->GetMaxRows())
        removeRow(row);
}

void CElementValuesDlg::removeRow(int row)
{
    m_grid->removeRow(row - 1);
}

void CElementValuesDlg::swapRows(int from, int to)
{
    m_grid->SetCol(1);
    m_grid->SetRow(from);
    const QString moving = m_grid->GetText();
    m_grid->SetRow(to);
    const QString other = m_grid->GetText();
    m_grid->SetText(moving);
    m_grid->SetRow(from);
    m_grid->SetText(other);
    m_grid->SetRow(to);
    m_grid->SetAction(CSpreadSheet::ActionActiveCell);
}

void CElementValuesDlg::onCellChanged(int col, int row)
{
    // The row goes once the grid has finished with the edit that emptied it.
    QMetaObject::invokeMethod(
        this,
        [this, col, row] {
            m_grid->SetCol(col);
            m_grid->SetRow(row);
            if (row >= 1 && row <= m_grid->GetMaxRows() && m_grid->GetText().isEmpty())
                removeRow(row);
        },
        Qt::QueuedConnection);
}

QStringList CElementValuesDlg::Elements() const
{
    QStringList elements;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const QTableWidgetItem *cell = m_grid->item(row, 0);
        elements.append(cell ? cell->text() : QString());
    }
    return elements;
}

QString CElementValuesDlg::JoinElements(const QStringList &elements)
{
    const bool braced = std::any_of(elements.cbegin(), elements.cend(),
                                    [](const QString &text) { return text.contains(u' '); });
    QString list;
    for (const QString &text : elements)
        list += (braced ? TclWord(text) : TclBareWord(text)) + u' ';
    return list;
}

void CElementValuesDlg::OnOK()
{
    m_strList = JoinElements(Elements());
    EndDialog(IDOK);
}
