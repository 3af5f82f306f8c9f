// The editors of the System Parameters list's value column. A number cell
// takes digits only, and no more of them than its parameter allows; every
// other cell edits as the grid makes it (text, or a list of choices). The
// delegate also tells when an editor opens and when it is gone, so that the
// window can keep its Close item greyed meanwhile.
#pragma once

#include <QStyledItemDelegate>

#include <functional>

class CSysParamValueDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `maxDigits` gives the number length of a grid row (0 based), 0 when
    // the row's value is not a number.
    CSysParamValueDelegate(QAbstractItemDelegate *gridDelegate, std::function<int(int row)> maxDigits,
                           QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void EditingChanged(bool editing) const;

private:
    QAbstractItemDelegate *m_gridDelegate;
    std::function<int(int row)> m_maxDigits;
};
