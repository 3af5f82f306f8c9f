// Keeps the user's hands off the program while a login waits on the
// user-interface thread. The wait goes on handling events, so windows paint,
// timers run and replies reach their windows, but clicks, keys, the wheel
// and a request to close a window are dropped until the blocker goes, as if
// the thread were busy. A modal window that opens during the wait (a message
// box) still takes input, so that it can be answered.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class CUserInputBlocker : public QObject {
public:
    // Filters the application's events while it exists; does nothing
    // without an application.
    CUserInputBlocker();
    ~CUserInputBlocker() override;
    CUserInputBlocker(const CUserInputBlocker &) = delete;
    CUserInputBlocker &operator=(const CUserInputBlocker &) = delete;

    // Whether an event of this type is the user's doing and is dropped.
    static bool IsUserInput(const QEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The modal window that was already open when the wait began: it waits
    // too, like every other window.
    QPointer<QWidget> m_modalAtStart;
};
