// See cellchoicedelegate.h. The choices ride on the cell's item as data of
// roles of our own, so they go wherever the item goes.
#include "admin/config/cellchoicedelegate.h"

#include "admin/widgets/spreadsheet.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int ChoicesRole = Qt::UserRole + 40;
constexpr int TypingRole = Qt::UserRole + 41;

QTableWidgetItem *cellItem(CSpreadSheet *grid, int col, int row)
{
    if (row < 1 || col < 1 || row > grid->rowCount() || col > grid->columnCount())
        return nullptr;
    QTableWidgetItem *item = grid->item(row - 1, col - 1);
    if (!item) {
        // Made through the grid's own cursor, so the item starts as the grid
        // makes its cells.
        const int oldCol = grid->GetCol();
        const int oldRow = grid->GetRow();
        grid->SetCol(col);
        grid->SetRow(row);
        grid->SetText(grid->GetText());
        grid->SetCol(oldCol);
        grid->SetRow(oldRow);
        item = grid->item(row - 1, col - 1);
    }
    return item;
}

} // namespace

CCellChoiceDelegate::CCellChoiceDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void CCellChoiceDelegate::SetCellChoices(CSpreadSheet *grid, int col, int row, const QStringList &choices,
                                         bool acceptsTyping)
{
    if (!qobject_cast<CCellChoiceDelegate *>(grid->itemDelegate()))
        grid->setItemDelegate(new CCellChoiceDelegate(grid));
    QTableWidgetItem *item = cellItem(grid, col, row);
    if (!item)
        return;
    const QSignalBlocker quiet(grid); // data of our own is no edit
    item->setData(ChoicesRole, choices);
    item->setData(TypingRole, acceptsTyping);
}

QStringList CCellChoiceDelegate::CellChoices(const CSpreadSheet *grid, int col, int row)
{
    const QTableWidgetItem *item = grid->item(row - 1, col - 1);
    return item ? item->data(ChoicesRole).toStringList() : QStringList();
}

QWidget *CCellChoiceDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    const QStringList choices = index.data(ChoicesRole).toStringList();
    if (choices.isEmpty())
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *combo = new QComboBox(parent);
    combo->setEditable(index.data(TypingRole).toBool());
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(choices);
    // A pick from the list is the user's choice: commit it at once.
    connect(combo, &QComboBox::activated, this, [this, combo]() {
        auto *self = const_cast<CCellChoiceDelegate *>(this);
        emit self->commitData(combo);
        emit self->closeEditor(combo);
    });
    return combo;
}

void CCellChoiceDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QString text = index.data(Qt::EditRole).toString();
    const int found = combo->findText(text, Qt::MatchExactly);
    if (found >= 0)
        combo->setCurrentIndex(found);
    else if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(-1);
}

void CCellChoiceDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    const QString text = combo->currentText();
    // Writing the same text again is no change: the grid would not report it.
    if (text == index.data(Qt::EditRole).toString())
        return;
    model->setData(index, text, Qt::EditRole);
}
