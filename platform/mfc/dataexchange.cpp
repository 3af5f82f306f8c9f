// The exchange helpers on Qt's controls. Number fields take surrounding blanks
// but nothing else: text after the number, or a number outside the member's
// range, is refused rather than cut or wrapped.
#include "platform/mfc/dataexchange.h"

#include "platform/mfc/dialog.h"
#include "platform/msgbox/msgbox.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

// The framework's standard refusals.
const char *const ParseIntMessage = "Please enter an integer.";
const char *const ParseUIntMessage = "Please enter a positive integer.";
const char *const IntRangeMessage = "Please enter an integer between %1 and %2.";
const char *const MaxCharsMessage = "Please enter no more than %1 characters.";

template <class Control> Control *prepare(CDataExchange *dx, int id)
{
    auto *control = qobject_cast<Control *>(dx->PrepareCtrl(id));
    Q_ASSERT_X(control, "DDX", "control of the wrong kind");
    return control;
}

} // namespace

CDataExchange::CDataExchange(CDialog *dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
    Q_ASSERT(dialog);
}

QWidget *CDataExchange::PrepareCtrl(int id)
{
    QWidget *control = m_pDlgWnd->GetDlgItem(id);
    Q_ASSERT_X(control, "CDataExchange::PrepareCtrl", qPrintable(QStringLiteral("no control %1").arg(id)));
    m_lastControl = control;
    return control;
}

void CDataExchange::Refuse(const QString &message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    Fail();
}

void CDataExchange::Fail()
{
    m_pDlgWnd->GotoDlgCtrl(m_lastControl);
    throw Refusal();
}

void DDX_Text(CDataExchange *dx, int id, QString &value)
{
    QWidget *control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = GetWindowText(control);
    else
        SetWindowText(control, value);
}

void DDX_Text(CDataExchange *dx, int id, int &value)
{
    QWidget *control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (!dx->m_bSaveAndValidate) {
        SetWindowText(control, QString::number(value));
        return;
    }
    bool ok = false;
    const int parsed = GetWindowText(control).trimmed().toInt(&ok);
    if (!ok)
        dx->Refuse(QString::fromLatin1(ParseIntMessage));
    value = parsed;
}

void DDX_Text(CDataExchange *dx, int id, unsigned &value)
{
    QWidget *control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (!dx->m_bSaveAndValidate) {
        SetWindowText(control, QString::number(value));
        return;
    }
    const QString text = GetWindowText(control).trimmed();
    bool ok = false;
    const unsigned parsed = text.toUInt(&ok);
    if (!ok || text.startsWith(QLatin1Char('-')))
        dx->Refuse(QString::fromLatin1(ParseUIntMessage));
    value = parsed;
}

void DDX_Check(CDataExchange *dx, int id, int &value)
{
    auto *box = prepare<QAbstractButton>(dx, id);
    if (!box)
        return;
    auto *checkBox = qobject_cast<QCheckBox *>(box);
    if (dx->m_bSaveAndValidate) {
        if (checkBox && checkBox->checkState() == Qt::PartiallyChecked)
            value = 2;
        else
            value = box->isChecked() ? 1 : 0;
        return;
    }
    Q_ASSERT(value >= 0 && value <= 2);
    if (checkBox && value == 2) {
        checkBox->setTristate(true);
        checkBox->setCheckState(Qt::PartiallyChecked);
    } else {
        box->setChecked(value == 1);
    }
}

void DDX_CBIndex(CDataExchange *dx, int id, int &value)
{
    auto *combo = prepare<QComboBox>(dx, id);
    if (!combo)
        return;
    if (dx->m_bSaveAndValidate)
        value = combo->currentIndex();
    else
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

void DDX_CBString(CDataExchange *dx, int id, QString &value)
{
    auto *combo = prepare<QComboBox>(dx, id);
    if (!combo)
        return;
    if (dx->m_bSaveAndValidate) {
        value = combo->currentText();
        return;
    }
    const int found = value.isEmpty() ? -1 : combo->findText(value, Qt::MatchStartsWith);
    if (found >= 0) {
        combo->setCurrentIndex(found);
    } else if (combo->isEditable()) {
        combo->setEditText(value);
    } else {
        combo->setCurrentIndex(-1);
    }
}

void DDV_MaxChars(CDataExchange *dx, const QString &value, int count)
{
    Q_ASSERT(count >= 1);
    if (dx->m_bSaveAndValidate) {
        if (value.size() > count)
            dx->Refuse(QString::fromLatin1(MaxCharsMessage).arg(count));
        return;
    }
    // Loading: the edit takes no more than it may hold. A text loaded
    // longer than that stays whole, for the save to refuse: cutting it
    // would hand back a text the user never saw.
    QWidget *control = dx->LastControl();
    QLineEdit *edit = qobject_cast<QLineEdit *>(control);
    if (auto *combo = qobject_cast<QComboBox *>(control))
        edit = combo->lineEdit();
    if (edit)
        edit->setMaxLength(std::max(count, int(edit->text().size())));
}

void DDV_MinMaxInt(CDataExchange *dx, int value, int minimum, int maximum)
{
    Q_ASSERT(minimum <= maximum);
    if (dx->m_bSaveAndValidate && (value < minimum || value > maximum))
        dx->Refuse(QString::fromLatin1(IntRangeMessage).arg(minimum).arg(maximum));
}

void DDV_MinMaxUInt(CDataExchange *dx, unsigned value, unsigned minimum, unsigned maximum)
{
    Q_ASSERT(minimum <= maximum);
    if (dx->m_bSaveAndValidate && (value < minimum || value > maximum))
        dx->Refuse(QString::fromLatin1(IntRangeMessage).arg(minimum).arg(maximum));
}
