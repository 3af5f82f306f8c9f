// Lies over a close box drawn by another widget (a maximised window's close
// button in the main window's menu bar) while that window's Close is
// greyed: it shows the box greyed and takes the clicks meant for it. It goes
// with the widget it covers.
#pragma once

#include <QWidget>

class CCloseBoxCover : public QWidget {
    Q_OBJECT
public:
    explicit CCloseBoxCover(QWidget *covered);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
