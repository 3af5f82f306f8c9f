// The small window of a wait for the server that lasts: it says what is
// awaited and offers Cancel. Cancel, Escape and the close box all ask to
// end the wait; the wait reads that from the window, which stays until the
// wait goes.
#pragma once

#include <QDialog>
#include <QString>

class CServerWaitDlg : public QDialog {
public:
    explicit CServerWaitDlg(const QString &waitingFor);

    bool WasCancelled() const { return m_cancelled; }
    void reject() override;

private:
    bool m_cancelled = false;
};
