// The up-down arrows beside a number field: each click moves the number in
// the field one step within the range, as the administrator could type it,
// so the page sees an ordinary edit of the field.
#pragma once

#include <QWidget>

class QLineEdit;

class CSpinButton : public QWidget {
    Q_OBJECT
public:
    CSpinButton(QLineEdit *buddy, int minimum, int maximum, QWidget *parent);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }
    // One step up (+1) or down (-1).
    void Step(int direction);

private:
    QLineEdit *m_buddy;
    int m_minimum;
    int m_maximum;
};
