// The administrator facing a wait for the server: once the wait's notice
// shows, Cancel is clicked as a user clicks it, through the window system
// (the native window first, as a real click arrives), not by a call on the
// button.
#pragma once

#include <QString>
#include <QTimer>

class QWidget;

// A click of the left button in the middle of `widget`, delivered the way
// the window system delivers one.
void ClickAsTheWindowSystemDoes(QWidget *widget);

class WaitNoticeCanceller {
public:
    // Looks for a notice every few milliseconds while it lives; saves a
    // picture of the first one as `screenshot` when given.
    explicit WaitNoticeCanceller(const QString &screenshot = QString());

    // Cancels the first notice saying `text` and leaves every other alone:
    // on a loaded machine a wait that is not held back, the one after a
    // cancelled one included, can last long enough for its notice.
    void OnlyTheFirstNoticeSaying(const QString &text) { m_onlyText = text; }

    int cancelled() const { return m_cancelled; }
    // What the last notice cancelled said.
    QString lastText() const { return m_lastText; }

private:
    void cancelVisibleNotice();

    QString m_screenshot;
    QString m_onlyText;
    QTimer m_poll;
    int m_cancelled = 0;
    QString m_lastText;
};
