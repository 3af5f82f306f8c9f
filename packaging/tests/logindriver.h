// Drives an installed admin through its login from inside the program, for
// the installation test, which can't reach the windows of another process:
// LoginDriverPlugin loads it into the program as a Qt generic plugin. It
// types the computer, user and password it is given ($VERBANTA_DRIVER_COMPUTER,
// $VERBANTA_DRIVER_USER, $VERBANTA_DRIVER_PASSWORD) into the login dialog and
// clicks OK, answers every other dialog and message box with Escape, cancels
// a login dialog that comes back, and closes the main window once it shows.
// It tells what it met on standard output, a line each: "login",
// "login again", "message: TEXT", "dialog: TITLE", "main window".
#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

class LoginDriver : public QObject {
    Q_OBJECT
public:
    LoginDriver();

private:
    void step();
    void logIn(QWidget *dialog);

    QTimer m_timer;
    int m_logins = 0;
};
