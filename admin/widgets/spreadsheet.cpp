// The cell grid on a QTableWidget. Spreadsheet row 0 lives in the horizontal
// header and column 0 in the vertical header, so a data cell (col, row) is the
// table item (row - 1, col - 1). The cell cursor (SetCol/SetRow) is separate
// from the active cell the user moves, as callers expect: they aim the cursor
// at cells they fill without moving the user's selection.
#include "admin/widgets/spreadsheet.h"

#include <QComboBox>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

// Item data roles of our own, beside Qt's.
constexpr int CellTypeRole = Qt::UserRole + 1;
constexpr int LockRole = Qt::UserRole + 2;
constexpr int ComboListRole = Qt::UserRole + 3;

constexpr double TwipsPerInch = 1440.0;
constexpr double PointsPerInch = 72.0;
constexpr double DefaultColWidth = 9.0;
constexpr double DefaultHeadingColWidth = 4.0;

bool isComboType(int type)
{
    return type == CSpreadSheet::CellTypeComboBox || type == CSpreadSheet::CellTypeEditComboBox;
}

void applyEditability(QTableWidgetItem *item)
{
    const int type = item->data(CellTypeRole).toInt();
    const bool editable = type != CSpreadSheet::CellTypeStaticText && !item->data(LockRole).toBool();
    item->setFlags(editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
}

QStringList comboItems(const QModelIndex &index)
{
    const QString items = index.data(ComboListRole).toString();
    return items.isEmpty() ? QStringList() : items.split(u'\t');
}

// Combo-box cells edit in a combo box of their items; the others as Qt does.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        const int type = index.data(CellTypeRole).toInt();
        if (!isComboType(type))
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *combo = new QComboBox(parent);
        combo->addItems(comboItems(index));
        combo->setEditable(type == CSpreadSheet::CellTypeEditComboBox);
        return combo;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *combo = qobject_cast<QComboBox *>(editor);
        if (!combo)
            return QStyledItemDelegate::setEditorData(editor, index);
        const QString text = index.data(Qt::DisplayRole).toString();
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
        if (combo->isEditable())
            combo->setEditText(text);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *combo = qobject_cast<QComboBox *>(editor);
        if (!combo)
            return QStyledItemDelegate::setModelData(editor, model, index);
        const QString text = combo->currentText();
        if (text != index.data(Qt::DisplayRole).toString())
            model->setData(index, text, Qt::EditRole);
    }
};

} // namespace

CSpreadSheet::CSpreadSheet(int dataColumns, QWidget *parent) : QTableWidget(0, 0, parent)
{
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    SetMaxCols(dataColumns);
    SetColWidth(0, DefaultHeadingColWidth);
    applyScrollBarPolicies();

    setItemDelegate(new CellDelegate(this));
    connect(this, &QTableWidget::itemChanged, this, &CSpreadSheet::onItemChanged);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CSpreadSheet::onSectionResized);
    connect(this, &QTableWidget::cellClicked, this,
            [this](int row, int column) { emit Click(column + 1, row + 1); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { emit Click(column + 1, 0); });
}

void CSpreadSheet::SetCol(int col)
{
    m_col = col;
}

void CSpreadSheet::SetRow(int row)
{
    m_row = row;
}

QString CSpreadSheet::GetText() const
{
    if (m_row == 0 && m_col == 0)
        return m_cornerText;
    if (m_row == 0 && m_col >= 1 && m_col <= columnCount()) {
        const QTableWidgetItem *heading = horizontalHeaderItem(m_col - 1);
        return heading ? heading->text() : QString();
    }
    if (m_col == 0 && m_row >= 1 && m_row <= rowCount()) {
        const QTableWidgetItem *heading = verticalHeaderItem(m_row - 1);
        return heading ? heading->text() : QString::number(m_row);
    }
    const QTableWidgetItem *cell = cursorItem(false);
    return cell ? cell->text() : QString();
}

void CSpreadSheet::SetText(const QString &text)
{
    const QScopedValueRollback guard(m_changingByCode, true);
    if (m_row == 0 && m_col == 0) {
        m_cornerText = text;
    } else if (m_row == 0 && m_col >= 1 && m_col <= columnCount()) {
        setHorizontalHeaderItem(m_col - 1, new QTableWidgetItem(text));
    } else if (m_col == 0 && m_row >= 1 && m_row <= rowCount()) {
        setVerticalHeaderItem(m_row - 1, new QTableWidgetItem(text));
    } else if (QTableWidgetItem *cell = cursorItem(true)) {
        cell->setText(text);
    }
}

void CSpreadSheet::SetMaxRows(int rows)
{
    setRowCount(qMax(0, rows));
}

void CSpreadSheet::SetMaxCols(int cols)
{
    const int oldCount = columnCount();
    setColumnCount(qMax(0, cols));
    m_colWidths.resize(columnCount() + 1);
    for (int col = oldCount + 1; col <= columnCount(); ++col)
        SetColWidth(col, DefaultColWidth);
}

int CSpreadSheet::GetDataRowCnt() const
{
    for (int row = rowCount() - 1; row >= 0; --row) {
        for (int col = 0; col < columnCount(); ++col) {
            const QTableWidgetItem *cell = item(row, col);
            if (cell && !cell->text().isEmpty())
                return row + 1;
        }
    }
    return 0;
}

double CSpreadSheet::GetColWidth(int col) const
{
    return col >= 0 && col < m_colWidths.size() ? m_colWidths[col] : 0.0;
}

void CSpreadSheet::SetColWidth(int col, double width)
{
    if (col < 0 || col >= m_colWidths.size() || width < 0)
        return;
    const QScopedValueRollback guard(m_settingWidth, true);
    m_colWidths[col] = width;
    const int pixels = pixelsForWidth(width);
    if (col == 0) {
        verticalHeader()->setFixedWidth(pixels);
        verticalHeader()->setVisible(pixels > 0);
    } else {
        setColumnWidth(col - 1, pixels);
    }
}

void CSpreadSheet::SetRowHeight(int row, double points)
{
    if (row < 0 || row > rowCount() || points < 0)
        return;
    const int pixels = qRound(points * logicalDpiY() / PointsPerInch);
    if (row == 0)
        horizontalHeader()->setFixedHeight(pixels);
    else
        setRowHeight(row - 1, pixels);
}

void CSpreadSheet::GetClientArea(int *width, int *height) const
{
    Q_ASSERT(width && height);
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    int clientWidth = QTableWidget::width() - 2 * frameWidth();
    int clientHeight = QTableWidget::height() - 2 * frameWidth();
    if (horizontalBarShown())
        clientHeight -= extent;
    if (verticalBarShown(clientHeight))
        clientWidth -= extent;
    *width = qRound(qMax(0, clientWidth) * TwipsPerInch / logicalDpiX());
    *height = qRound(qMax(0, clientHeight) * TwipsPerInch / logicalDpiY());
}

void CSpreadSheet::TwipsToColWidth(int twips, float *colWidth) const
{
    Q_ASSERT(colWidth);
    *colWidth = float(twips * logicalDpiX() / TwipsPerInch / characterWidth());
}

void CSpreadSheet::SetScrollBars(int mode)
{
    Q_ASSERT(mode >= ScrollBarsNone && mode <= ScrollBarsBoth);
    m_scrollBars = mode & ScrollBarsBoth;
    applyScrollBarPolicies();
}

void CSpreadSheet::SetScrollBarExtMode(bool whenNeeded)
{
    m_scrollBarsWhenNeeded = whenNeeded;
    applyScrollBarPolicies();
}

void CSpreadSheet::SetAction(short action)
{
    Q_ASSERT(action == ActionActiveCell);
    if (action != ActionActiveCell || !isDataCell(m_col, m_row))
        return;
    setCurrentCell(m_row - 1, m_col - 1);
    scrollToItem(cursorItem(true));
}

void CSpreadSheet::SetCellType(short type)
{
    Q_ASSERT(type == CellTypeEdit || type == CellTypeStaticText || isComboType(type) ||
             type == CellTypeMultiLine);
    const QScopedValueRollback guard(m_changingByCode, true);
    if (QTableWidgetItem *cell = cursorItem(true)) {
        cell->setData(CellTypeRole, int(type));
        applyEditability(cell);
    }
}

void CSpreadSheet::SetTypeComboBoxList(const QString &items)
{
    const QScopedValueRollback guard(m_changingByCode, true);
    if (QTableWidgetItem *cell = cursorItem(true))
        cell->setData(ComboListRole, items);
}

QString CSpreadSheet::GetTypeComboBoxList() const
{
    const QTableWidgetItem *cell = cursorItem(false);
    return cell ? cell->data(ComboListRole).toString() : QString();
}

int CSpreadSheet::GetTypeComboBoxCurSel() const
{
    const QTableWidgetItem *cell = cursorItem(false);
    if (!cell)
        return -1;
    return int(comboItems(indexFromItem(cell)).indexOf(cell->text()));
}

void CSpreadSheet::SetTypeComboBoxCurSel(int index)
{
    QTableWidgetItem *cell = cursorItem(true);
    if (!cell)
        return;
    const QStringList items = comboItems(indexFromItem(cell));
    SetText(index >= 0 && index < items.size() ? items[index] : QString());
}

int CSpreadSheet::GetTypeComboBoxCount() const
{
    const QTableWidgetItem *cell = cursorItem(false);
    return cell ? int(comboItems(indexFromItem(cell)).size()) : 0;
}

void CSpreadSheet::FitRowHeight(int row)
{
    if (row >= 1 && row <= rowCount())
        resizeRowToContents(row - 1);
}

void CSpreadSheet::SetLock(bool locked)
{
    const QScopedValueRollback guard(m_changingByCode, true);
    if (QTableWidgetItem *cell = cursorItem(true)) {
        cell->setData(LockRole, locked);
        applyEditability(cell);
    }
}

void CSpreadSheet::SetHeadingStyle(bool heading)
{
    const QScopedValueRollback guard(m_changingByCode, true);
    if (QTableWidgetItem *cell = cursorItem(true)) {
        QFont bold = font();
        bold.setBold(heading);
        cell->setFont(bold);
        cell->setBackground(heading ? palette().button() : QBrush());
    }
}

void CSpreadSheet::SetTypePictPicture(const QIcon &picture)
{
    const QScopedValueRollback guard(m_changingByCode, true);
    if (QTableWidgetItem *cell = cursorItem(true))
        cell->setIcon(picture);
}

void CSpreadSheet::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableWidget::currentChanged(current, previous);
    if (m_leavingCell || !previous.isValid() || !current.isValid())
        return;
    bool cancel = false;
    emit LeaveCell(previous.column() + 1, previous.row() + 1, current.column() + 1, current.row() + 1,
                   &cancel);
    if (cancel) {
        const QScopedValueRollback guard(m_leavingCell, true);
        selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
    }
}

QTableWidgetItem *CSpreadSheet::cursorItem(bool create) const
{
    if (!isDataCell(m_col, m_row))
        return nullptr;
    QTableWidgetItem *cell = item(m_row - 1, m_col - 1);
    if (!cell && create) {
        cell = new QTableWidgetItem;
        cell->setData(CellTypeRole, int(CellTypeEdit));
        // The table takes the item; the const is the accessor's, not the grid's.
        const_cast<CSpreadSheet *>(this)->setItem(m_row - 1, m_col - 1, cell);
    }
    return cell;
}

bool CSpreadSheet::isDataCell(int col, int row) const
{
    return col >= 1 && col <= columnCount() && row >= 1 && row <= rowCount();
}

double CSpreadSheet::characterWidth() const
{
    return qMax(1, fontMetrics().averageCharWidth());
}

int CSpreadSheet::pixelsForWidth(double width) const
{
    return qRound(width * characterWidth());
}

bool CSpreadSheet::verticalBarShown(int clientHeight) const
{
    if (!(m_scrollBars & ScrollBarsVertical))
        return false;
    if (!m_scrollBarsWhenNeeded)
        return true;
    int contentHeight = horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0;
    for (int row = 0; row < rowCount(); ++row)
        contentHeight += rowHeight(row);
    return contentHeight > clientHeight;
}

bool CSpreadSheet::horizontalBarShown() const
{
    if (!(m_scrollBars & ScrollBarsHorizontal))
        return false;
    if (!m_scrollBarsWhenNeeded)
        return true;
    int contentWidth = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    for (int col = 0; col < columnCount(); ++col)
        contentWidth += columnWidth(col);
    return contentWidth > QTableWidget::width() - 2 * frameWidth();
}

void CSpreadSheet::applyScrollBarPolicies()
{
    const auto policy = [this](bool wanted) {
        if (!wanted)
            return Qt::ScrollBarAlwaysOff;
        return m_scrollBarsWhenNeeded ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    };
    setHorizontalScrollBarPolicy(policy(m_scrollBars & ScrollBarsHorizontal));
    setVerticalScrollBarPolicy(policy(m_scrollBars & ScrollBarsVertical));
}

void CSpreadSheet::onItemChanged(QTableWidgetItem *item)
{
    if (!m_changingByCode)
        emit Change(item->column() + 1, item->row() + 1);
}

void CSpreadSheet::onSectionResized(int section, int, int newSize)
{
    // Keep a width the user dragged, so GetColWidth reports what is shown.
    if (!m_settingWidth && section + 1 < m_colWidths.size())
        m_colWidths[section + 1] = newSize / characterWidth();
}
