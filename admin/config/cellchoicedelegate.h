// Drop-down cells for the configuration pages' grids. A cell given a list of
// choices opens a combo box instead of a line edit; an editable one also
// takes typed text. The chosen or typed text is written into the cell as if
// typed there, so the grid reports it as its ordinary Change; a choice picked
// from the list is committed at once.
#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

class CSpreadSheet;

class CCellChoiceDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CCellChoiceDelegate(QObject *parent = nullptr);

    // Gives the grid's cell (col, row; data cells from 1) its choices; an
    // empty list makes it a plain cell again. The grid gets this delegate on
    // first use.
    static void SetCellChoices(CSpreadSheet *grid, int col, int row, const QStringList &choices,
                               bool acceptsTyping = false);
    static QStringList CellChoices(const CSpreadSheet *grid, int col, int row);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
