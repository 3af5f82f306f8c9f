// The small "Logging into Verbanta" window: made hidden when a connect
// starts, shown only when the login takes longer than its delay.
#pragma once

#include <QString>
#include <QWidget>

class CLoginStatusWnd : public QWidget {
    Q_OBJECT
public:
    CLoginStatusWnd(const QString &text, int showDelayMs);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};
