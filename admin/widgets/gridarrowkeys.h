// Hands the arrow keys pressed on a page's buttons, or on the page itself,
// to the page's grid: wherever the focus is on the page, the keyboard moves
// the grid's active cell, as it does on the configuration wizard's steps.
// A grid that is editing a cell keeps its keys, and controls that use the
// arrows themselves (date and text fields) keep theirs.
#pragma once

#include <QObject>

class CSpreadSheet;
class QWidget;

class CGridArrowKeys : public QObject {
    Q_OBJECT
public:
    // Watches the page and the buttons it holds now; owned by the page.
    CGridArrowKeys(QWidget *page, CSpreadSheet *grid);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CSpreadSheet *m_grid;
    bool m_passing = false;
};
