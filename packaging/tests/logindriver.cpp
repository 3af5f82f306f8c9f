// The installation test's driver; see logindriver.h. It looks at the
// program's windows a few times a second and acts through real key presses
// and clicks, as a person at the program would.
#include "packaging/tests/logindriver.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QLineEdit *passwordField(QWidget *dialog)
{
    for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
        if (edit->echoMode() == QLineEdit::Password)
            return edit;
    return nullptr;
}

// Replaces what the field holds by typing.
void type(QWidget *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

} // namespace

LoginDriver::LoginDriver()
{
    connect(&m_timer, &QTimer::timeout, this, &LoginDriver::step);
    m_timer.start(100);
}

void LoginDriver::step()
{
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            say(QStringLiteral("message: ") + box->text());
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (passwordField(modal)) {
            if (m_logins++ == 0) {
                logIn(modal);
                say(QStringLiteral("login"));
            } else {
                say(QStringLiteral("login again"));
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        } else {
            say(QStringLiteral("dialog: ") + modal->windowTitle());
            QTest::keyClick(modal, Qt::Key_Escape);
        }
        return;
    }
    if (m_logins == 0)
        return;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow *>(window) && window->isVisible()) {
            say(QStringLiteral("main window"));
            m_timer.stop();
            window->close();
            return;
        }
    }
}

void LoginDriver::logIn(QWidget *dialog)
{
    QLineEdit *password = passwordField(dialog);
    auto *computer = dialog->findChild<QComboBox *>();
    QLineEdit *user = nullptr;
    for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
        if (edit != password && (!computer || edit != computer->lineEdit()))
            user = edit;
    if (computer && computer->lineEdit())
        type(computer->lineEdit(), qEnvironmentVariable("VERBANTA_DRIVER_COMPUTER"));
    if (user)
        type(user, qEnvironmentVariable("VERBANTA_DRIVER_USER"));
    type(password, qEnvironmentVariable("VERBANTA_DRIVER_PASSWORD"));
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == QLatin1String("OK")) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    say(QStringLiteral("no OK button"));
}
