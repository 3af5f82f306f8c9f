// See chanviewaboutdlg.h.
#include "chanview/chanviewaboutdlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CChanviewAboutDlg::CChanviewAboutDlg(QWidget *parent) : CDialog(IDD, tr("About Chanview"), parent)
{
    auto *icon = new QLabel(this);
    icon->setPixmap(windowIcon().pixmap(32, 32));
    auto *line = new QLabel(tr("Chanview Version 1.0"), this);
    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(line, 1);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    auto *column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}
