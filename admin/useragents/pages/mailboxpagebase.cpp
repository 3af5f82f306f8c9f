// The shared part of the mailbox pages; see mailboxpagebase.h.
#include "admin/useragents/pages/mailboxpagebase.h"

#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/useragents/pages/spinbutton.h"
#include "platform/mfc/dataexchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

// Room right of a label for its two marks.
constexpr int kMarkRoom = 30;

} // namespace

CMailboxPageBase::CMailboxPageBase(int dialogId, UINT captionId, std::vector<PageField> fields,
                                   CMailboxPps &sheet, const CMailboxPageServices &services)
    : CInhPropertyPg((RegisterPageStrings(), dialogId), captionId, std::move(fields), sheet.Record(),
                     *sheet.Channel(), sheet.CommonFields(), sheet.ServerVariables()),
      m_sheetRef(sheet), m_services(services)
{
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(10, 8, 10, 8);
    auto *header = new QGridLayout;
    header->setHorizontalSpacing(6);
    header->addWidget(MakeLabel(1267, QStringLiteral("Mailbox number:")), 0, 0, Qt::AlignLeft);
    header->addWidget(MakeEdit(IDC_MAILBOX_NUMBER, 90), 0, 1, Qt::AlignLeft);
    header->addWidget(MakeLabel(1272, QStringLiteral("First name:")), 1, 0, Qt::AlignLeft);
    header->addWidget(MakeEdit(IDC_NAME1), 1, 1);
    header->addWidget(MakeLabel(1274, QStringLiteral("Last name:")), 1, 2, Qt::AlignLeft);
    header->addWidget(MakeEdit(IDC_NAME2), 1, 3);
    header->addWidget(MakeLabel(1265, QStringLiteral("Comment:")), 2, 0, Qt::AlignLeft);
    header->addWidget(MakeEdit(IDC_COMMENT), 2, 1, 1, 3);
    header->setColumnMinimumWidth(0, 110);
    header->setColumnMinimumWidth(2, 100);
    header->setColumnStretch(1, 1);
    header->setColumnStretch(3, 1);
    page->addLayout(header);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    page->addWidget(line);
    m_body = new QVBoxLayout;
    page->addLayout(m_body, 1);
}

QGridLayout *CMailboxPageBase::AddGrid()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(kMarkRoom);
    grid->setVerticalSpacing(4);
    m_body->addLayout(grid);
    return grid;
}

void CMailboxPageBase::AddHeading(const QString &text)
{
    auto *heading = new QLabel(text, this);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    m_body->addSpacing(4);
    m_body->addWidget(heading);
}

QLabel *CMailboxPageBase::MakeLabel(int id, const QString &text)
{
    // A label names its field; the field's own key is its control's.
    QString shown = text;
    shown.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    auto *label = SetDlgCtrlID(new QLabel(shown, this), id);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

QLineEdit *CMailboxPageBase::MakeEdit(int id, int width)
{
    auto *edit = SetDlgCtrlID(new QLineEdit(this), id);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

QCheckBox *CMailboxPageBase::MakeCheck(int id, const QString &text)
{
    auto *box = SetDlgCtrlID(new QCheckBox(text, this), id);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return box;
}

QRadioButton *CMailboxPageBase::MakeRadio(int id, const QString &text)
{
    auto *radio = SetDlgCtrlID(new QRadioButton(text, this), id);
    radio->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return radio;
}

QComboBox *CMailboxPageBase::MakeCombo(int id, bool editable)
{
    auto *combo = SetDlgCtrlID(new QComboBox(this), id);
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(150);
    return combo;
}

QWidget *CMailboxPageBase::MakeSpinEdit(int editId, int spinId, int minimum, int maximum, int width)
{
    auto *holder = new QWidget(this);
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    // The edit and the arrows belong to the page, as every control does;
    // the holder only places them.
    QLineEdit *edit = MakeEdit(editId, width);
    auto *spin = SetDlgCtrlID(new CSpinButton(edit, minimum, maximum, this), spinId);
    row->addWidget(edit);
    row->addWidget(spin);
    row->addStretch(1);
    return holder;
}

CSpinButton *CMailboxPageBase::Spin(int id) const
{
    return qobject_cast<CSpinButton *>(GetDlgItem(id));
}

void CMailboxPageBase::LoadRadio(std::initializer_list<int> buttons, int value)
{
    int index = 0;
    for (const int id : buttons) {
        if (auto *radio = GetDlgItem<QRadioButton>(id)) {
            // A value that names no button leaves all of them clear.
            radio->setAutoExclusive(false);
            radio->setChecked(index == value);
            radio->setAutoExclusive(true);
        }
        ++index;
    }
}

void CMailboxPageBase::SaveRadio(std::initializer_list<int> buttons, int &value) const
{
    int index = 0;
    for (const int id : buttons) {
        if (auto *radio = GetDlgItem<QRadioButton>(id); radio && radio->isChecked()) {
            value = index;
            return;
        }
        ++index;
    }
}

void CMailboxPageBase::ExchangeComboText(CDataExchange *dx, int id, QString &value)
{
    auto *combo = qobject_cast<QComboBox *>(dx->PrepareCtrl(id));
    Q_ASSERT(combo);
    if (dx->m_bSaveAndValidate) {
        value = combo->currentText();
        return;
    }
    // An item added for a stored text goes again with the next load.
    const QString added = QStringLiteral("stored only");
    for (int i = combo->count() - 1; i >= 0; --i) {
        if (combo->itemData(i).toString() == added)
            combo->removeItem(i);
    }
    int found = combo->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found < 0 && !value.isEmpty() && !combo->isEditable()) {
        combo->addItem(value, added);
        found = combo->count() - 1;
    }
    combo->setCurrentIndex(found);
    if (found < 0 && combo->isEditable())
        combo->setEditText(value);
}

void CMailboxPageBase::CheckTypedRange(CDataExchange *dx, int id, long long value, long long minimum,
                                       long long maximum)
{
    auto *edit = GetDlgItem<QLineEdit>(id);
    if (!dx->m_bSaveAndValidate || !edit || !edit->isModified())
        return;
    if (value < minimum || value > maximum)
        dx->Refuse(QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum));
}

void CMailboxPageBase::resizeEvent(QResizeEvent *event)
{
    CInhPropertyPg::resizeEvent(event);
    refreshMarks();
}

bool CMailboxPageBase::event(QEvent *event)
{
    const bool handled = CInhPropertyPg::event(event);
    // The layout has placed the labels anew: their marks follow.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
        refreshMarks();
    return handled;
}

void CMailboxPageBase::refreshMarks()
{
    if (!HasWindow())
        return;
    for (int i = 0; i < GetEntryCount(); ++i)
        RefreshEntry(i);
}
