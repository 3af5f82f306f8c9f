// The owner-drawn report list. Rows are painted whole by DrawItem (Qt's
// drawRow), so the view's own cell painting never runs: each column's text is
// shortened to its width and placed with the margins below, and alignment
// follows the column's format.
#include "admin/widgets/colorlistctrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int FormatRole = Qt::UserRole + 1;
constexpr int ItemDataRole = Qt::UserRole + 2;

// Padding and margins, in pixels: column 0 is inset 2 on each side and fitted
// with 4 to spare; later columns have 6 on each side and are fitted with 12.
constexpr int FirstColumnInset = 2;
constexpr int FirstColumnOffset = 4;
constexpr int ColumnMargin = 6;
constexpr int ColumnOffset = 12;

const QString Ellipsis = QStringLiteral("...");

Qt::Alignment alignmentFor(int format)
{
    switch (format) {
    case LVCFMT_RIGHT:
        return Qt::AlignRight;
    case LVCFMT_CENTER:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// A heading's alignment as a model hands it out (flags or a plain number).
Qt::Alignment horizontalAlignment(const QVariant &alignment)
{
    const Qt::Alignment flags = alignment.metaType() == QMetaType::fromType<Qt::Alignment>()
                                    ? alignment.value<Qt::Alignment>()
                                    : Qt::Alignment(alignment.toInt());
    return flags & Qt::AlignHorizontal_Mask;
}

} // namespace

CColorListCtrl::CColorListCtrl(QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

int CColorListCtrl::InsertColumn(int column, const QString &heading, int format, int width)
{
    // Lists build their columns left to right; a column always goes last.
    Q_ASSERT(column == columnCount());
    column = columnCount();
    setColumnCount(column + 1);
    QTreeWidgetItem *headings = headerItem();
    headings->setText(column, heading);
    headings->setData(column, FormatRole, format);
    headings->setTextAlignment(column, alignmentFor(format) | Qt::AlignVCenter);
    if (width >= 0)
        setColumnWidth(column, std::max(width, header()->sectionSizeHint(column)));
    return column;
}

void CColorListCtrl::WidenColumnToFit(int column, int row)
{
    const QTreeWidgetItem *item = this->row(row);
    if (!item || column < 0 || column >= columnCount())
        return;
    // The padding the rows are painted with (PaintReportRow).
    const int offset = column == 0 ? FirstColumnOffset : ColumnOffset;
    int needed = QFontMetrics(font()).horizontalAdvance(item->text(column)) + offset;
    if (!item->icon(column).isNull())
        needed += iconSize().width() + offset;
    if (needed > columnWidth(column))
        setColumnWidth(column, needed);
}

QString CColorListCtrl::GetColumnHeading(int column) const
{
    return column >= 0 && column < columnCount() ? headerItem()->text(column) : QString();
}

void CColorListCtrl::SetColumnHeading(int column, const QString &heading)
{
    if (column >= 0 && column < columnCount())
        headerItem()->setText(column, heading);
}

int CColorListCtrl::GetColumnFormat(int column) const
{
    return column >= 0 && column < columnCount() ? headerItem()->data(column, FormatRole).toInt()
                                                 : LVCFMT_LEFT;
}

int CColorListCtrl::InsertItem(int index, const QString &text)
{
    index = std::clamp(index, 0, topLevelItemCount());
    auto *item = new QTreeWidgetItem;
    item->setText(0, text);
    insertTopLevelItem(index, item);
    return index;
}

bool CColorListCtrl::DeleteItem(int index)
{
    QTreeWidgetItem *item = row(index);
    if (!item)
        return false;
    // A list moves no selection onto a neighbour of a deleted row.
    const bool wasSelected = item->isSelected();
    delete item;
    if (wasSelected)
        clearSelection();
    return true;
}

QString CColorListCtrl::GetItemText(int index, int column) const
{
    const QTreeWidgetItem *item = row(index);
    return item && column >= 0 && column < columnCount() ? item->text(column) : QString();
}

bool CColorListCtrl::SetItemText(int index, int column, const QString &text)
{
    QTreeWidgetItem *item = row(index);
    if (!item || column < 0 || column >= columnCount())
        return false;
    item->setText(column, text);
    return true;
}

quintptr CColorListCtrl::GetItemData(int index) const
{
    const QTreeWidgetItem *item = row(index);
    return item ? item->data(0, ItemDataRole).value<quintptr>() : 0;
}

bool CColorListCtrl::SetItemData(int index, quintptr data)
{
    QTreeWidgetItem *item = row(index);
    if (!item)
        return false;
    item->setData(0, ItemDataRole, QVariant::fromValue(data));
    return true;
}

int CColorListCtrl::GetSelectedItem() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void CColorListCtrl::SelectItem(int index)
{
    QTreeWidgetItem *item = row(index);
    if (!item) {
        clearSelection();
        return;
    }
    setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollToItem(item);
}

void CColorListCtrl::SetShowSelectionAlways(bool always)
{
    m_showSelectionAlways = always;
    viewport()->update();
}

void CColorListCtrl::SortItems(const std::function<int(quintptr, quintptr)> &compare)
{
    const int selected = GetSelectedItem();
    QTreeWidgetItem *selectedRow = row(selected);
    QList<QTreeWidgetItem *> rows;
    while (topLevelItemCount() > 0)
        rows.append(takeTopLevelItem(0));
    std::stable_sort(rows.begin(), rows.end(), [&compare](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        return compare(a->data(0, ItemDataRole).value<quintptr>(),
                       b->data(0, ItemDataRole).value<quintptr>()) < 0;
    });
    addTopLevelItems(rows);
    if (selectedRow)
        SelectItem(indexOfTopLevelItem(selectedRow));
}

QString CColorListCtrl::MakeShortString(const QFontMetrics &metrics, const QString &text, int width,
                                        int offset)
{
    if (text.isEmpty() || metrics.horizontalAdvance(text) + offset <= width)
        return text;
    const int ellipsisWidth = metrics.horizontalAdvance(Ellipsis);
    QString shortened = text;
    while (shortened.size() > 1 && metrics.horizontalAdvance(shortened) + offset + ellipsisWidth > width)
        shortened.chop(1);
    return shortened + Ellipsis;
}

void CColorListCtrl::DrawItem(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    if (!itemFromIndex(index.siblingAtColumn(0)))
        return;
    PaintReportRow(*this, painter, option, index, rowHighlighted(index));
}

void CColorListCtrl::PaintReportRow(const QTreeView &view, QPainter *painter,
                                    const QStyleOptionViewItem &option, const QModelIndex &index,
                                    bool highlighted)
{
    const QAbstractItemModel *model = view.model();
    const QPalette::ColorGroup group = view.isEnabled() ? QPalette::Normal : QPalette::Disabled;
    const QColor text = option.palette.color(group, highlighted ? QPalette::HighlightedText : QPalette::Text);
    const QColor background = option.palette.color(group, highlighted ? QPalette::Highlight : QPalette::Base);

    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(text);
    painter->setFont(option.font);
    const QFontMetrics metrics(option.font);
    const int textFlags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextDontClip;
    const QHeaderView *header = view.header();
    for (int column = 0; column < model->columnCount(index.parent()); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const QString cellText = model->data(index.siblingAtColumn(column), Qt::DisplayRole).toString();
        const int left = header->sectionViewportPosition(column);
        const QRect cell(left, option.rect.top(), view.columnWidth(column), option.rect.height());
        QRect label;
        QString shown;
        if (column == 0) {
            label = cell.adjusted(FirstColumnInset, 0, -FirstColumnInset, 0);
            shown = MakeShortString(metrics, cellText, cell.width(), FirstColumnOffset);
        } else {
            label = cell.adjusted(ColumnMargin, 0, -ColumnMargin, 0);
            shown = MakeShortString(metrics, cellText, cell.width(), ColumnOffset);
        }
        const Qt::Alignment headingAlignment =
            horizontalAlignment(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole));
        const Qt::Alignment alignment =
            column == 0 || headingAlignment == Qt::Alignment() ? Qt::AlignLeft : headingAlignment;
        painter->drawText(label, textFlags | alignment, shown);
    }
    if (view.currentIndex().row() == index.row() && view.hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(&view);
        focus.rect = option.rect;
        focus.backgroundColor = background;
        view.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &view);
    }
    painter->restore();
}

void CColorListCtrl::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    DrawItem(painter, option, index);
}

QTreeWidgetItem *CColorListCtrl::row(int index) const
{
    return index >= 0 && index < topLevelItemCount() ? topLevelItem(index) : nullptr;
}

bool CColorListCtrl::rowHighlighted(const QModelIndex &index) const
{
    const bool selected = selectionModel() && selectionModel()->isRowSelected(index.row(), index.parent());
    return selected && (hasFocus() || m_showSelectionAlways);
}
