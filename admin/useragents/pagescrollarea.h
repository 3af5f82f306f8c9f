// Holds the editor's pages where its window is smaller than they are, so
// that the window can fit a small frame with its buttons and its list in
// sight: the pages scroll instead, and a control the focus reaches is
// brought into view, by Tab or by mnemonic alike.
#pragma once

#include <QScrollArea>

class CPageScrollArea : public QScrollArea {
    Q_OBJECT
public:
    // The pages come with setWidget.
    explicit CPageScrollArea(QWidget *parent = nullptr);

    // The pages whole: room enough never to scroll.
    QSize sizeHint() const override;
    // The tab row and a few lines of the page.
    QSize minimumSizeHint() const override;

    // The pages keep the size they lay out in now: a smaller window scrolls
    // them rather than squeezing their controls together.
    void KeepPagesWhole();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showFocused(QWidget *focused);
};
