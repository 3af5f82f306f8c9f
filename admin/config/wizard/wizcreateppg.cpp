// The twin base of the wizard's creation steps; see wizcreateppg.h.
#include "admin/config/wizard/wizcreateppg.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/parsedrangelist.h"
#include "admin/useragents/useragent.h"
#include "admin/session/zltexception.h"
#include "admin/widgets/gridarrowkeys.h"
#include "admin/widgets/spreadsheet.h"
#include "platform/mfc/propertysheet.h"
#include "platform/msgbox/msgbox.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// No more digits than the highest user-agent number has.
constexpr int MaxDigits = 10;

// The digits of a typed range value: anything else never reaches the page.
QString digitsOnly(const QString &typed)
{
    QString digits;
    for (QChar c : typed)
        if (c >= u'0' && c <= u'9' && digits.size() < MaxDigits)
            digits.append(c);
    return digits;
}

// A grid of this page's own size: no headings, no scroll bars.
CSpreadSheet *plainGrid(int columns, QWidget *parent)
{
    auto *grid = new CSpreadSheet(columns, parent);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->SetScrollBars(CSpreadSheet::ScrollBarsNone);
    grid->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return grid;
}

// Sizes a plain grid to show all its cells and nothing more.
void fitToCells(CSpreadSheet *grid)
{
    grid->setFixedSize(grid->horizontalHeader()->length() + 2 * grid->frameWidth(),
                       grid->verticalHeader()->length() + 2 * grid->frameWidth());
}

} // namespace

CWizCreatePpg::CWizCreatePpg(const Texts &texts, bool makeCos, CConfigDepot *depot)
    : CPropertyPage(0, texts.caption), m_texts(texts), m_makeCos(makeCos), m_depot(depot)
{
}

bool CWizCreatePpg::OnInitDialog()
{
    auto *layout = new QVBoxLayout(this);
    // The mailbox step's notices are the class-of-service step's with
    // "mailboxes" for "COS boxes", and nothing else changed.
    for (const QString &text :
         {QStringLiteral("You can create a range of new %1, each having the same parent COS. Also you can create "
                         "only one COS at a time if you leave the 'Range To' field empty.")
              .arg(m_texts.plural),
          QStringLiteral("When you are ready, click on the Create button and Configuration Wizard will create the %1 "
                         "by sending your request to VerbantaES.")
              .arg(m_texts.plural),
          QStringLiteral("Configuration Wizard enables the Create button only if the specified %1 are new in "
                         "VerbantaES. You can change your specification as many times as you want.")
              .arg(m_texts.plural)}) {
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    m_grid = plainGrid(2, this);
    m_grid->SetMaxRows(0);
    m_grid->SetColWidth(LabelColumn, 28);
    m_grid->SetColWidth(ValueColumn, 18);
    AddRow(m_texts.rangeFromLabel, false);
    AddRow(QStringLiteral("Range To"), false);
    AddRow(QStringLiteral("Parent COS"), true);
    SetChoices(RowParent, m_cosChoices);
    SetValue(RowParent, m_parentValue);
    m_grid->setCurrentCell(RowRangeFrom - 1, ValueColumn - 1);
    layout->addWidget(m_grid);

    m_notice = plainGrid(1, this);
    m_notice->SetMaxRows(1);
    m_notice->SetColWidth(1, 70);
    m_notice->SetCol(1);
    m_notice->SetRow(1);
    m_notice->SetText(QStringLiteral("Overlapping existing boxes. Change range until Create button is enabled."));
    m_notice->SetLock(true);
    m_notice->setFocusPolicy(Qt::NoFocus);
    m_notice->setSelectionMode(QAbstractItemView::NoSelection);
    fitToCells(m_notice);
    m_notice->hide();
    layout->addWidget(m_notice);

    m_create = new QPushButton(QStringLiteral("Create"), this);
    m_create->setEnabled(false);
    layout->addWidget(m_create, 0, Qt::AlignLeft);
    layout->addStretch();

    connect(m_grid, &CSpreadSheet::Change, this, &CWizCreatePpg::onCellChanged);
    connect(m_grid, &CSpreadSheet::Click, this, &CWizCreatePpg::onCellClicked);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CWizCreatePpg::onLeaveCell);
    connect(m_create, &QPushButton::clicked, this, &CWizCreatePpg::onCreate);
    new CGridArrowKeys(this, m_grid);
    return CPropertyPage::OnInitDialog();
}

int CWizCreatePpg::AddRow(const QString &label, bool choice)
{
    const int row = m_grid->GetMaxRows() + 1;
    m_grid->SetMaxRows(row);
    m_grid->SetRow(row);
    m_grid->SetCol(LabelColumn);
    m_grid->SetText(label);
    m_grid->SetLock(true);
    m_grid->SetCol(ValueColumn);
    m_grid->SetCellType(choice ? CSpreadSheet::CellTypeEditComboBox : CSpreadSheet::CellTypeEdit);
    fitToCells(m_grid);
    return row;
}

QString CWizCreatePpg::Value(int row) const
{
    return m_grid ? GridCellText(m_grid, ValueColumn, row) : QString();
}

void CWizCreatePpg::SetValue(int row, const QString &text)
{
    SetGridCellText(m_grid, ValueColumn, row, text);
}

void CWizCreatePpg::SetChoices(int row, const QStringList &choices)
{
    m_grid->SetCol(ValueColumn);
    m_grid->SetRow(row);
    m_grid->SetTypeComboBoxList(choices.join(u'\t'));
}

bool CWizCreatePpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CWizCreatePpg::SetCosChoices(const QStringList &choices)
{
    m_cosChoices = choices;
    if (!m_grid)
        return;
    SetChoices(RowParent, choices);
    SetValue(RowParent, m_parentValue);
}

bool CWizCreatePpg::Range(qint64 &lo, qint64 &hi) const
{
    const QString from = Value(RowRangeFrom);
    if (from.isEmpty())
        return false;
    const QString to = Value(RowRangeTo);
    lo = from.toLongLong();
    hi = to.isEmpty() ? lo : to.toLongLong();
    if (lo > hi)
        std::swap(lo, hi);
    return true;
}

bool CWizCreatePpg::IsCreateEnabled() const
{
    return m_create && m_create->isEnabled();
}

bool CWizCreatePpg::IsNoticeShown() const
{
    return m_notice && !m_notice->isHidden();
}

void CWizCreatePpg::rangeCheck()
{
    qint64 lo = 0;
    qint64 hi = 0;
    bool overlap = false;
    bool usable = Range(lo, hi) && hi <= qint64(CParsedRangeList::MaxNumber);
    if (usable) {
        for (const auto &range : std::as_const(m_depot->m_uaRanges)) {
            if (range.first > hi)
                break;
            if (range.second >= lo) {
                overlap = true;
                break;
            }
        }
    }
    m_create->setEnabled(usable && !overlap);
    m_notice->setVisible(overlap);
}

bool CWizCreatePpg::CheckChoice(int row, const QStringList &choices, QString &current, bool emptyAllowed,
                                const QString &refusal)
{
    const QString text = Value(row);
    if ((emptyAllowed && text.isEmpty()) || (!text.contains(u' ') && choices.contains(text))) {
        current = text;
        return true;
    }
    AfxMessageBox(refusal.arg(text));
    SetValue(row, current);
    // The move that made the grid let go of the cell (a click elsewhere, an
    // arrow key) is held back when the grid asks, in this same event; a cell
    // refused in place holds nothing back afterwards.
    m_refocusRow = row;
    QTimer::singleShot(0, this, [this] { m_refocusRow = 0; });
    m_grid->setFocus(Qt::OtherFocusReason);
    return false;
}

void CWizCreatePpg::onCellChanged(int col, int row)
{
    m_refocusRow = 0;
    if (col != ValueColumn)
        return;
    switch (row) {
    case RowRangeFrom:
    case RowRangeTo: {
        const QString typed = Value(row);
        const QString digits = digitsOnly(typed);
        if (digits != typed)
            SetValue(row, digits);
        rangeCheck();
        break;
    }
    case RowParent:
        CheckChoice(row, m_cosChoices, m_parentValue, false,
                    QStringLiteral("Invalid parent COS '%1'. Try to enter a valid COS or select one from the list "
                                   "after closing this message box."));
        break;
    default:
        OnValueEdited(row);
        break;
    }
    SetModified();
}

void CWizCreatePpg::onCellClicked(int col, int row)
{
    // Labels are not edited: a click on one means its value.
    if (col == LabelColumn && row >= 1)
        PutGridCursor(m_grid, ValueColumn, row);
}

void CWizCreatePpg::onLeaveCell(int, int, int newCol, int newRow, bool *cancel)
{
    if (m_refocusRow) {
        m_refocusRow = 0;
        // The cell being left is the refused one: it stays active.
        *cancel = true;
        m_grid->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (newCol == LabelColumn && newRow >= 1)
        PutGridCursor(m_grid, ValueColumn, newRow);
}

void CWizCreatePpg::ClearFields()
{
    SetValue(RowRangeFrom, QString());
    SetValue(RowRangeTo, QString());
    m_parentValue = QStringLiteral("None");
    SetValue(RowParent, m_parentValue);
}

void CWizCreatePpg::onCreate()
{
    rangeCheck();
    qint64 lo = 0;
    qint64 hi = 0;
    if (!IsCreateEnabled() || !Range(lo, hi) || !m_channel)
        return;
    // One question, with the count, before anything is sent.
    const qint64 count = hi - lo + 1;
    const QString question =
        count == 1 ? QStringLiteral("Create %1 %2?").arg(m_makeCos ? QStringLiteral("COS") : QStringLiteral("mailbox"))
                         .arg(lo)
                   : QStringLiteral("Create %1 %2, from %3 to %4?").arg(count).arg(m_texts.plural).arg(lo).arg(hi);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const QString rangeText = count == 1 ? QString::number(lo) : QStringLiteral("%1-%2").arg(lo).arg(hi);
    const CParsedRangeList::Result parsed = CParsedRangeList::Parse(rangeText);
    if (!parsed.list)
        return;
    const qint32 parent =
        m_parentValue == QLatin1String("None") ? qint32(CParsedRangeList::MaxNumber) : m_parentValue.toInt();
    CCreateProgressDlg progress(*m_channel, parent, *parsed.list, GetDefaultUANumber(), GetNoUANumber(), this,
                                m_makeCos, CCreateProgressDlg::ModeWizard);
    progress.DoModal();
    try {
        AfterCreation(progress.GetCreatedNumbers());
        ClearFields();
        m_depot->ReloadCosAndUaLists();
    } catch (const CZltException &failure) {
        failure.ReportError();
    }
    emit Created();
    rangeCheck();
    PutGridCursor(m_grid, ValueColumn, RowRangeFrom);
    SetModified();
}
