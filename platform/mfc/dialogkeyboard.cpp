// The dialogs' own keys; see dialogkeyboard.h.
#include "platform/mfc/dialogkeyboard.h"

#include "platform/mfc/dialog.h"
#include "platform/mfc/propertysheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace {

// Alt with a letter or digit, and nothing else held.
bool IsMnemonicKey(const QKeyEvent *key)
{
    const int code = key->key();
    return key->modifiers() == Qt::AltModifier &&
           ((code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9));
}

// The button whose mnemonic the key is, in the innermost dialog holding
// `focus` that has one.
QAbstractButton *MnemonicButtonFor(QWidget *focus, const QKeyEvent *key)
{
    const QKeySequence sequence(QKeyCombination(Qt::AltModifier, Qt::Key(key->key())));
    for (QWidget *w = focus; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (auto *dialog = qobject_cast<CDialog *>(w)) {
            if (QAbstractButton *button = dialog->MnemonicButton(sequence))
                return button;
        }
    }
    return nullptr;
}

// As a mnemonic does: a check box or radio button also takes the focus; a
// push button is pressed where the focus is.
void Press(QAbstractButton *button)
{
    if (button->isCheckable())
        button->setFocus(Qt::ShortcutFocusReason);
    button->animateClick();
}

// +1 for the next page, -1 for the previous one, 0 for any other key.
int PageTurn(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    if (modifiers == Qt::ControlModifier) {
        if (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_Tab)
            return 1;
        if (key->key() == Qt::Key_PageUp)
            return -1;
    }
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) &&
        (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab))
        return -1;
    return 0;
}

// Enter, from the main keyboard or the keypad, with nothing else held.
bool IsEnterKey(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The push button that Enter presses: the one holding the focus. A
// push-like toggle is a check box to the keyboard, and Enter leaves it to
// the window's default button.
QPushButton *EnterButtonFor(QObject *focus)
{
    auto *button = qobject_cast<QPushButton *>(focus);
    if (!button || !button->isEnabled() || !button->isVisible() || button->isCheckable())
        return nullptr;
    return button;
}

// The innermost property sheet holding `focus` with pages to turn.
CPropertySheet *SheetFor(QWidget *focus)
{
    for (QWidget *w = focus; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (auto *sheet = qobject_cast<CPropertySheet *>(w); sheet && sheet->CanTurnPages())
            return sheet;
    }
    return nullptr;
}

QPointer<CDialogKeyboard> g_keyboard;

} // namespace

void CDialogKeyboard::TakeKeysFirst()
{
    if (!qApp)
        return;
    if (!g_keyboard)
        g_keyboard = new CDialogKeyboard(qApp);
    // Installing again moves the filter to the front.
    qApp->installEventFilter(g_keyboard);
}

bool CDialogKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    auto *focus = qobject_cast<QWidget *>(watched);
    if (!focus)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const bool pressed = type == QEvent::KeyPress;

    if (IsMnemonicKey(key)) {
        QAbstractButton *button = MnemonicButtonFor(focus, key);
        if (!button)
            return false;
        // Taken from the shortcuts (the menu bar's among them) and the
        // widget with the focus, which might type the letter.
        key->accept();
        if (pressed)
            Press(button);
        return true;
    }
    if (IsEnterKey(key)) {
        QPushButton *button = EnterButtonFor(focus);
        if (!button)
            return false;
        // Taken before a shortcut on Enter and before the dialog, which
        // would give it to its default button.
        key->accept();
        if (pressed)
            button->click();
        return true;
    }
    if (const int direction = PageTurn(key)) {
        CPropertySheet *sheet = SheetFor(focus);
        if (!sheet)
            return false;
        key->accept();
        if (pressed)
            sheet->TurnPage(direction);
        return true;
    }
    return false;
}
