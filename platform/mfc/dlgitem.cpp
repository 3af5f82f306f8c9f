// Resource ids of controls, kept as a property on the control itself so the
// id lives and dies with the widget; and the text of a control, whatever kind
// of Qt widget stands in for it.
#include "platform/mfc/dlgitem.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

int GetDlgCtrlID(const QWidget *control)
{
    return control ? control->property("dlgCtrlId").toInt() : 0;
}

QString GetWindowText(const QWidget *control)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (auto *edit = qobject_cast<const QPlainTextEdit *>(control))
        return edit->toPlainText();
    if (auto *edit = qobject_cast<const QTextEdit *>(control))
        return edit->toPlainText();
    if (auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return control ? control->windowTitle() : QString();
}

void SetWindowText(QWidget *control, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(text);
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(control))
        edit->setPlainText(text);
    else if (auto *edit = qobject_cast<QTextEdit *>(control))
        edit->setPlainText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->setEditText(text);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
    else if (control)
        control->setWindowTitle(text);
}
