// Calls back once a watched widget has taken a new size: a window that fits
// itself to another widget, or its columns to their grid, waits for the
// size the layout gives, which comes after the resize that caused it.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

class CResizeWatcher : public QObject {
public:
    // Goes with `owner`; calls `resized` for each resize of a watched widget.
    CResizeWatcher(QObject *owner, std::function<void()> resized);

    void watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_resized;
};
