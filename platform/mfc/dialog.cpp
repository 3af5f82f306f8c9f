// The dialog base. A dialog is initialised each time it is run (DoModal) or
// created (Create): OnInitDialog, then its controls' notifications are tied
// to its window, so controls an override of OnInitDialog adds are tied too.
#include "platform/mfc/dialog.h"

#include "platform/mfc/dataexchange.h"
#include "platform/mfc/dialogkeyboard.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

CDialog::CDialog(int dialogId, QWidget *parent) : QDialog(parent), CMessageTarget(this), m_dialogId(dialogId)
{
    CDialogKeyboard::TakeKeysFirst();
}

CDialog::CDialog(int dialogId, const QString &caption, QWidget *parent) : CDialog(dialogId, parent)
{
    setWindowTitle(caption);
}

CDialog::~CDialog()
{
    // No message may reach the handler while the dialog is half gone.
    unregisterWindow();
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return 1;
        return OnCommand(int(LOWORD(wParam))) ? 0 : 1;
    case WM_HELP:
        return forwardHelp(wParam, lParam);
    case WM_CLOSE:
        // As a dialog's default handling does: closing is cancelling.
        SendMessage(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    default:
        return CMessageTarget::WindowProc(message, wParam, lParam);
    }
}

int CDialog::DoModal()
{
    initialise();
    return exec();
}

bool CDialog::Create(QWidget *parent, UINT style)
{
    Q_ASSERT_X(!(style & WS_CHILD) || parent, "CDialog::Create", "a child window needs a parent");
    if (style & WS_CHILD)
        setParent(parent, Qt::Widget);
    else if (parent)
        setParent(parent, windowFlags());
    initialise();
    show();
    return true;
}

void CDialog::EndDialog(int result)
{
    done(result);
}

bool CDialog::DestroyWindow()
{
    hide();
    unregisterWindow();
    PostNcDestroy();
    return true;
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const CDataExchange::Refusal &) {
        return false;
    }
    return true;
}

QWidget *CDialog::GetDlgItem(int id) const
{
    if (id == 0)
        return nullptr;
    const QList<QWidget *> descendants = findChildren<QWidget *>();
    for (QWidget *control : descendants) {
        if (GetDlgCtrlID(control) == id && ownsControl(control))
            return control;
    }
    return nullptr;
}

QString CDialog::GetDlgItemText(int id) const
{
    return GetWindowText(GetDlgItem(id));
}

void CDialog::SetDlgItemText(int id, const QString &text)
{
    SetWindowText(GetDlgItem(id), text);
}

void CDialog::GotoDlgCtrl(QWidget *control)
{
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->selectAll();
    else if (auto *combo = qobject_cast<QComboBox *>(control); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

QAbstractButton *CDialog::MnemonicButton(const QKeySequence &key) const
{
    const QList<QAbstractButton *> buttons = findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (button->isEnabled() && button->isVisible() && ownsControl(button) &&
            QKeySequence::mnemonic(button->text()) == key)
            return button;
    }
    return nullptr;
}

QHBoxLayout *CDialog::OkCancelRow()
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK"), this), IDOK);
    ok->setDefault(true);
    row->addWidget(ok);
    row->addWidget(SetDlgCtrlID(new QPushButton(tr("Cancel"), this), IDCANCEL));
    return row;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(int id)
{
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

void CDialog::DoDataExchange(CDataExchange *) {}

void CDialog::accept()
{
    SendMessage(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CDialog::reject()
{
    SendMessage(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        SendMessage(GetSafeHwnd(), WM_HELP, 0, 0);
        return;
    }
    QDialog::keyPressEvent(event);
}

LRESULT CDialog::forwardHelp(WPARAM wParam, LPARAM lParam)
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *outer = qobject_cast<CDialog *>(w))
            return SendMessage(outer->GetSafeHwnd(), WM_HELP, wParam, lParam);
    }
    return 0;
}

void CDialog::closeEvent(QCloseEvent *event)
{
    // The window's handler decides; it ends the dialog itself when it agrees.
    event->ignore();
    SendMessage(GetSafeHwnd(), WM_CLOSE, 0, 0);
}

bool CDialog::ownsControl(const QWidget *control) const
{
    for (const QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        if (w == this)
            return true;
        if (qobject_cast<const CDialog *>(w))
            return false;
    }
    return false;
}

void CDialog::initialise()
{
    // Tied before OnInitDialog, so loading the controls notifies as typing
    // does, and again after it, for the controls it added.
    connectControls();
    if (OnInitDialog())
        focusFirstControl();
    connectControls();
}

void CDialog::connectControls()
{
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        const int id = GetDlgCtrlID(control);
        if (id == 0 || !ownsControl(control))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(control)) {
            connect(button, &QAbstractButton::clicked, this, &CDialog::buttonClicked, Qt::UniqueConnection);
            if (auto *push = qobject_cast<QPushButton *>(button); push && id == IDOK)
                push->setDefault(true);
        } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
            connect(edit, &QLineEdit::textChanged, this, &CDialog::editChanged, Qt::UniqueConnection);
            edit->installEventFilter(this);
        } else if (auto *edit = qobject_cast<QPlainTextEdit *>(control)) {
            connect(edit, &QPlainTextEdit::textChanged, this, &CDialog::editChanged, Qt::UniqueConnection);
            edit->installEventFilter(this);
        }
    }
}

void CDialog::buttonClicked()
{
    notify(qobject_cast<QWidget *>(sender()), BN_CLICKED);
}

void CDialog::editChanged()
{
    notify(qobject_cast<QWidget *>(sender()), EN_CHANGE);
}

bool CDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        notify(qobject_cast<QWidget *>(watched),
               event->type() == QEvent::FocusIn ? EN_SETFOCUS : EN_KILLFOCUS);
    return QDialog::eventFilter(watched, event);
}

void CDialog::notify(const QWidget *control, UINT code)
{
    if (control)
        SendMessage(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(UINT(GetDlgCtrlID(control)), code), 0);
}

void CDialog::focusFirstControl()
{
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden() && ownsControl(w)) {
            GotoDlgCtrl(w);
            return;
        }
    }
}
