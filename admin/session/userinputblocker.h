// Keeps the user's hands off the program while it waits on the
// user-interface thread. The wait goes on handling events, so windows paint,
// timers run and replies reach their windows, but clicks, keys, the wheel
// and a request to close a window are dropped until the blocker goes, as if
// the thread were busy. Two kinds of window still take input: the wait's own
// window (its progress and its Cancel), and a modal window that opens during
// the wait (a message box), so that it can be answered.
//
// A click or key from the window system reaches the application first as an
// event of the native window and only then as one of the widget; both are
// judged by the widget they are for.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class CUserInputBlocker : public QObject {
public:
    // Filters the application's events while it exists; does nothing
    // without an application. `ownWindow` (and what it holds) takes input.
    explicit CUserInputBlocker(QWidget *ownWindow = nullptr);
    ~CUserInputBlocker() override;
    CUserInputBlocker(const CUserInputBlocker &) = delete;
    CUserInputBlocker &operator=(const CUserInputBlocker &) = delete;

    // The wait's own window, when it is made after the blocker.
    void SetOwnWindow(QWidget *ownWindow) { m_ownWindow = ownWindow; }

    // Whether an event of this type is the user's doing and is dropped.
    static bool IsUserInput(const QEvent &event);
    // Whether a blocker living on this thread drops the user's input to
    // this widget now.
    static bool KeepsInputFrom(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takesInput(const QWidget *widget) const;

    QPointer<QWidget> m_ownWindow;
    // The modal window that was already open when the wait began: it waits
    // too, like every other window.
    QPointer<QWidget> m_modalAtStart;
};
