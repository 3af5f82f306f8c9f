// The report list that admin's lists share (mailbox list, property editor's
// variables, notification and schedule lists). It draws each row itself so a
// text too long for its column ends in "..." instead of being cut mid-glyph,
// with the fixed margins every list of the program uses. The list operations
// are those of a report list control, by row index and column; subclasses add
// their own behaviour on top.
#pragma once

#include <QTreeWidget>

#include <functional>

class QFontMetrics;

enum : int { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };

class CColorListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CColorListCtrl(QWidget *parent = nullptr);

    // Columns are added left to right: `column` is the current column count.
    // A width is a minimum: the column is at least as wide as its heading.
    int InsertColumn(int column, const QString &heading, int format = LVCFMT_LEFT, int width = -1);
    // Widens the column, never narrows it, so that the cell of `row` shows
    // whole (its text, and its image when it has one).
    void WidenColumnToFit(int column, int row);
    QString GetColumnHeading(int column) const;
    void SetColumnHeading(int column, const QString &heading);
    int GetColumnFormat(int column) const;
    int GetColumnWidth(int column) const { return columnWidth(column); }
    void SetColumnWidth(int column, int width) { setColumnWidth(column, width); }

    // Rows, by index; an index out of range is ignored (and reads empty).
    int InsertItem(int index, const QString &text);
    bool DeleteItem(int index);
    void DeleteAllItems() { clear(); }
    int GetItemCount() const { return topLevelItemCount(); }
    QString GetItemText(int index, int column) const;
    bool SetItemText(int index, int column, const QString &text);
    quintptr GetItemData(int index) const;
    bool SetItemData(int index, quintptr data);

    // The selected row, -1 for none; selecting clears the previous selection
    // and scrolls the row into view; -1 clears it.
    int GetSelectedItem() const;
    void SelectItem(int index);
    // Draw the selection also while the list does not have the focus.
    void SetShowSelectionAlways(bool always);

    // Rows reordered by a comparison of their item data (negative, 0, positive).
    void SortItems(const std::function<int(quintptr, quintptr)> &compare);

    // A text fitted into `width` pixels with `offset` pixels of padding: the
    // text itself when it fits, else as many leading characters as fit
    // followed by "...", and never fewer than one character.
    static QString MakeShortString(const QFontMetrics &metrics, const QString &text, int width, int offset);

    // Paints one row of any report view by these rules (the texts are the
    // model's display texts, the alignment its heading alignment), so a list
    // on a model of its own looks like this one.
    static void PaintReportRow(const QTreeView &view, QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index, bool highlighted);

protected:
    // Draws one whole row: highlight, every column's shortened text, focus frame.
    virtual void DrawItem(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const;
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;

private:
    QTreeWidgetItem *row(int index) const;
    bool rowHighlighted(const QModelIndex &index) const;

    bool m_showSelectionAlways = false;
};
