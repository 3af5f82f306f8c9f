// See serverwaitdlg.h.
#include "admin/session/serverwaitdlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CServerWaitDlg::CServerWaitDlg(const QString &waitingFor)
{
    setWindowTitle(QStringLiteral("Waiting for the Server"));
    // Above every window, modal ones included: it is the one way out.
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(360);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(waitingFor, this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CServerWaitDlg::reject);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Cancel)->setDefault(true);
    if (const QWidget *over = QApplication::activeWindow())
        move(over->geometry().center() - QPoint(sizeHint().width() / 2, sizeHint().height() / 2));
}

void CServerWaitDlg::reject()
{
    m_cancelled = true;
}
