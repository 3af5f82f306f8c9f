// Message boxes over QMessageBox, or over the installed script; see msgbox.h.
#include "msgbox.h"

#include "messageboxscript.h"
#include "messagetext.h"
#include "platform/messages/messagetarget.h"
#include "platform/strings/stringtable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QWidget>

namespace {

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton first;
    QMessageBox::StandardButton second;
};

ButtonSet buttonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case MB_YESNOCANCEL:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No};
    case MB_YESNO:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    default:
        Q_ASSERT_X((type & MB_TYPEMASK) == MB_OK, "AfxMessageBox", "unsupported button style");
        return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    }
}

QMessageBox::Icon iconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

QWidget *widgetOf(HWND owner)
{
    if (CMessageTarget *target = CMessageTarget::FromHandle(owner)) {
        if (auto *widget = qobject_cast<QWidget *>(target->messageObject()))
            return widget;
    }
    return QApplication::activeWindow();
}

// The box wraps its text at blanks only: a long run without one (a server's
// word, a path) would widen it past the screen. A zero-width space every so
// often lets the line break there, and shows nothing.
QString breakableLongWords(const QString &text)
{
    constexpr qsizetype kLongestRun = 60;
    QString breakable;
    breakable.reserve(text.size() + text.size() / kLongestRun);
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestRun && !c.isLowSurrogate()) {
            breakable += QChar(0x200B);
            run = 1;
        }
        breakable += c;
    }
    return breakable;
}

int showNow(HWND owner, const QString &text, const QString &caption, UINT type)
{
    const ButtonSet set = buttonsOf(type);
    QMessageBox box(iconOf(type), caption.isEmpty() ? QApplication::applicationDisplayName() : caption,
                    breakableLongWords(text), set.buttons, widgetOf(owner));
    box.setDefaultButton(type & MB_DEFBUTTON2 ? set.second : set.first);
    if (set.buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (set.buttons == QMessageBox::Ok)
        box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    return clicked ? answerOf(box.standardButton(clicked)) : IDCANCEL;
}

int show(HWND owner, const QString &givenText, const QString &caption, UINT type, UINT helpId)
{
    const QString text = MessageText::Bounded(givenText);
    if (MessageBoxScript *script = MessageBoxScript::installed())
        return script->take({text, caption, type, helpId});
    auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!application) {
        qWarning("No user interface to show the message box \"%s\"", qPrintable(text));
        return IDCANCEL;
    }
    if (QThread::currentThread() == application->thread())
        return showNow(owner, text, caption, type);
    // The owner belongs to the user-interface thread: it is looked up there.
    int answer = IDCANCEL;
    QMetaObject::invokeMethod(
        application, [&] { answer = showNow(owner, text, caption, type); }, Qt::BlockingQueuedConnection);
    return answer;
}

} // namespace

int AfxMessageBox(const QString &text, UINT type, UINT helpId)
{
    return show(nullptr, text, {}, type, helpId);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId)
{
    return show(nullptr, LoadStringResource(stringId), {}, type, helpId == UINT(-1) ? stringId : helpId);
}

int MessageBox(HWND owner, const QString &text, const QString &caption, UINT type)
{
    return show(owner, text, caption, type, 0);
}

void MessageBeep(UINT type)
{
    if (MessageBoxScript *script = MessageBoxScript::installed()) {
        script->beep(type);
        return;
    }
    QApplication::beep();
}
