// The twin base of the wizard's creation steps; see wizcreateppg.h.
#include "admin/config/wizard/wizcreateppg.h"

#include "admin/config/configdepot.h"
#include "admin/uatools/createprogressdlg.h"
#include "admin/uatools/parsedrangelist.h"
#include "admin/useragents/useragent.h"
#include "admin/session/zltexception.h"
#include "platform/mfc/propertysheet.h"
#include "platform/msgbox/msgbox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// Digits only, no more than the highest user-agent number has.
QValidator *digitsValidator(QObject *parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), parent);
}

} // namespace

CWizCreatePpg::CWizCreatePpg(const Texts &texts, bool makeCos, CConfigDepot *depot)
    : CPropertyPage(0, texts.caption), m_texts(texts), m_makeCos(makeCos), m_depot(depot)
{
}

bool CWizCreatePpg::OnInitDialog()
{
    auto *layout = new QVBoxLayout(this);
    const QString one = m_makeCos ? QStringLiteral("COS") : QStringLiteral("mailbox");
    for (const QString &text :
         {QStringLiteral("You can create a range of new %1, each having the same parent COS. Also you can create "
                         "only one %2 at a time if you leave the 'Range To' field empty.")
              .arg(m_texts.plural, one),
          QStringLiteral("When you are ready, click on the Create button and Configuration Wizard will create the %1 "
                         "by sending your request to VerbantaES.")
              .arg(m_texts.plural),
          QStringLiteral("Configuration Wizard enables the Create button only if the specified %1 are new in "
                         "VerbantaES. You can change your specification as many times as you want.")
              .arg(m_texts.plural)}) {
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    m_form = new QFormLayout;
    m_from = new QLineEdit(this);
    m_from->setValidator(digitsValidator(m_from));
    m_to = new QLineEdit(this);
    m_to->setValidator(digitsValidator(m_to));
    m_parent = new QComboBox(this);
    m_parent->setEditable(true);
    m_parent->addItems(m_cosChoices);
    m_parent->setCurrentText(m_parentValue);
    m_form->addRow(m_texts.rangeFromLabel, m_from);
    m_form->addRow(QStringLiteral("Range To"), m_to);
    m_form->addRow(QStringLiteral("Parent COS"), m_parent);
    layout->addLayout(m_form);
    m_notice = new QLabel(
        QStringLiteral("Overlapping existing boxes. Change range until Create button is enabled."), this);
    m_notice->hide();
    layout->addWidget(m_notice);
    m_create = new QPushButton(QStringLiteral("Create"), this);
    m_create->setEnabled(false);
    layout->addWidget(m_create, 0, Qt::AlignLeft);
    layout->addStretch();

    connect(m_from, &QLineEdit::textChanged, this, &CWizCreatePpg::rangeCheck);
    connect(m_to, &QLineEdit::textChanged, this, &CWizCreatePpg::rangeCheck);
    connect(m_parent->lineEdit(), &QLineEdit::editingFinished, this, &CWizCreatePpg::onParentEdited);
    connect(m_parent, &QComboBox::activated, this, &CWizCreatePpg::onParentEdited);
    connect(m_create, &QPushButton::clicked, this, &CWizCreatePpg::onCreate);
    return CPropertyPage::OnInitDialog();
}

bool CWizCreatePpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CWizCreatePpg::SetCosChoices(const QStringList &choices)
{
    m_cosChoices = choices;
    if (!m_parent)
        return;
    m_parent->clear();
    m_parent->addItems(choices);
    m_parent->setCurrentText(m_parentValue);
}

bool CWizCreatePpg::Range(qint64 &lo, qint64 &hi) const
{
    if (!m_from || m_from->text().isEmpty())
        return false;
    lo = m_from->text().toLongLong();
    hi = m_to->text().isEmpty() ? lo : m_to->text().toLongLong();
    if (lo > hi)
        std::swap(lo, hi);
    return true;
}

bool CWizCreatePpg::IsCreateEnabled() const
{
    return m_create && m_create->isEnabled();
}

bool CWizCreatePpg::IsNoticeShown() const
{
    return m_notice && !m_notice->isHidden();
}

void CWizCreatePpg::rangeCheck()
{
    qint64 lo = 0;
    qint64 hi = 0;
    bool overlap = false;
    bool usable = Range(lo, hi) && hi <= qint64(CParsedRangeList::MaxNumber);
    if (usable) {
        for (const auto &range : std::as_const(m_depot->m_uaRanges)) {
            if (range.first > hi)
                break;
            if (range.second >= lo) {
                overlap = true;
                break;
            }
        }
    }
    m_create->setEnabled(usable && !overlap);
    m_notice->setVisible(overlap);
}

bool CWizCreatePpg::CheckChoice(QComboBox *box, QString &current, bool emptyAllowed, const QString &refusal)
{
    const QString text = box->currentText();
    QStringList choices;
    for (int i = 0; i < box->count(); ++i)
        choices.append(box->itemText(i));
    if ((emptyAllowed && text.isEmpty()) || (!text.contains(u' ') && choices.contains(text))) {
        current = text;
        return true;
    }
    AfxMessageBox(refusal.arg(text));
    box->setCurrentText(current);
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

void CWizCreatePpg::onParentEdited()
{
    if (m_parent->currentText() == m_parentValue)
        return;
    if (CheckChoice(m_parent, m_parentValue, false,
                    QStringLiteral("Invalid parent COS '%1'. Try to enter a valid COS or select one from the list "
                                   "after closing this message box.")))
        SetModified();
}

void CWizCreatePpg::ClearFields()
{
    m_from->clear();
    m_to->clear();
    m_parentValue = QStringLiteral("None");
    m_parent->setCurrentText(m_parentValue);
}

void CWizCreatePpg::onCreate()
{
    rangeCheck();
    qint64 lo = 0;
    qint64 hi = 0;
    if (!IsCreateEnabled() || !Range(lo, hi) || !m_channel)
        return;
    // One question, with the count, before anything is sent.
    const qint64 count = hi - lo + 1;
    const QString question =
        count == 1 ? QStringLiteral("Create %1 %2?").arg(m_makeCos ? QStringLiteral("COS") : QStringLiteral("mailbox"))
                         .arg(lo)
                   : QStringLiteral("Create %1 %2, from %3 to %4?").arg(count).arg(m_texts.plural).arg(lo).arg(hi);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const QString rangeText = count == 1 ? QString::number(lo) : QStringLiteral("%1-%2").arg(lo).arg(hi);
    const CParsedRangeList::Result parsed = CParsedRangeList::Parse(rangeText);
    if (!parsed.list)
        return;
    const qint32 parent =
        m_parentValue == QLatin1String("None") ? qint32(CParsedRangeList::MaxNumber) : m_parentValue.toInt();
    CCreateProgressDlg progress(*m_channel, parent, *parsed.list, GetDefaultUANumber(), GetNoUANumber(), this,
                                m_makeCos, CCreateProgressDlg::ModeWizard);
    progress.DoModal();
    try {
        AfterCreation(progress.GetCreatedNumbers());
        ClearFields();
        m_depot->ReloadCosAndUaLists();
    } catch (const CZltException &failure) {
        failure.ReportError();
    }
    emit Created();
    rangeCheck();
    m_from->setFocus(Qt::OtherFocusReason);
    SetModified();
}
