// Controls reachable by their resource id. A dialog's code names its controls
// by the ids of its resource (1216 the command edit, IDOK the Send button), so
// every control made for a dialog carries its id; CDialog::GetDlgItem finds
// it again.
#pragma once

#include <QWidget>

// Gives `control` its resource id and returns it, so a control can be made
// and numbered in one expression: SetDlgCtrlID(new QLineEdit(this), 1216).
template <class Control> Control *SetDlgCtrlID(Control *control, int id)
{
    control->setProperty("dlgCtrlId", id);
    return control;
}

// The resource id of a control; 0 for a widget that has none.
int GetDlgCtrlID(const QWidget *control);

// The text a control shows: an edit's text, a combo box's edit field or
// selected item, a label's or button's text, another window's caption.
QString GetWindowText(const QWidget *control);
// Sets it; a combo box gets the text in its edit field.
void SetWindowText(QWidget *control, const QString &text);
