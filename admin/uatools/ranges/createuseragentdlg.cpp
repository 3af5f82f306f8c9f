// The Create dialog; see createuseragentdlg.h. The questions it may ask are
// asked before anything is created and at most once each, however many
// numbers the list names: a run never stops halfway for a question.
#include "admin/uatools/ranges/createuseragentdlg.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/selectcosdlg.h"
#include "admin/uatools/ranges/uakinds.h"
#include "admin/useragents/admintemplate.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kCosProperty = QStringLiteral("COS");
const QString kMaximumBoxLength = QStringLiteral("sys_maximum_box_length");

// A variable's value is only what a reply that neither is an error nor
// names the variable says.
bool IsVariableValue(const QString &reply, const QString &name)
{
    return !IsErrorReply(reply) && !reply.contains(name);
}

// The decimal number a reply starts with; 0 when it starts otherwise.
int LeadingNumber(const QString &text)
{
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9' || value > 1000000000)
            break;
        value = value * 10 + (c.unicode() - u'0');
    }
    return int(std::min<qint64>(value, 1000000000));
}

} // namespace

CCreateUserAgentDlg::CCreateUserAgentDlg(CServerCommandChannel &channel, qint32 model, qint32 root,
                                         QWidget *parent, bool makeCos, CRangeBox::AllowedCheck allowed,
                                         CAdminTemplate *editorTemplate)
    : CDialog(IDD, tr("Create"), parent), m_channel(channel), m_model(model), m_root(root),
      m_makeCos(makeCos), m_allowed(std::move(allowed)), m_editorTemplate(editorTemplate),
      m_range(SetDlgCtrlID(new QLineEdit(this), IDC_RANGE)),
      m_cosLabel(SetDlgCtrlID(new QLabel(tr("COS:"), this), IDC_COS_LABEL)),
      m_cosCombo(SetDlgCtrlID(new QComboBox(this), IDC_COS_COMBO)),
      m_selectCos(SetDlgCtrlID(new QPushButton(QStringLiteral("..."), this), IDC_SELECT_COS))
{
    m_range->setMinimumWidth(240);
    m_cosCombo->setMinimumWidth(160);
    m_selectCos->setFixedWidth(m_selectCos->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    connect(m_cosCombo, &QComboBox::activated, this,
            [this](int index) { m_chosenCos = m_cosCombo->itemData(index).toInt(); });

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("Range:"), this), 0, 0);
    fields->addWidget(m_range, 0, 1, 1, 2);
    fields->addWidget(m_cosLabel, 1, 0);
    fields->addWidget(m_cosCombo, 1, 1);
    fields->addWidget(m_selectCos, 1, 2);
    auto *example = new QLabel(tr("For example: 100-199, 205 300-310"), this);
    example->setEnabled(false);
    fields->addWidget(example, 2, 1, 1, 2);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CCreateUserAgentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_model == m_root) {
        for (QWidget *control : {static_cast<QWidget *>(m_cosCombo), static_cast<QWidget *>(m_selectCos),
                                 static_cast<QWidget *>(m_cosLabel)}) {
            control->setEnabled(false);
            control->hide();
        }
    } else {
        fillCosCombo();
    }
    m_range->setFocus(Qt::OtherFocusReason);
    return false;
}

void CCreateUserAgentDlg::fillCosCombo()
{
    m_cosCombo->clear();
    const QString rootReply = m_channel.Execute(AdminString(IDS_SEND_GETUA).arg(m_root));
    if (IsErrorReply(rootReply)) {
        AfxMessageBox(AdminString(IDS_ROOT_COS_MISSING).arg(m_root).arg(rootReply));
        return;
    }
    const CTclList splitter;
    QHash<QString, QString> pairs;
    splitter.SplitPairs(rootReply, pairs);
    if (!pairs.contains(kCosProperty)) {
        AfxMessageBox(AdminString(IDS_ROOT_COS_NO_ENTRY).arg(m_root).arg(kCosProperty));
        return;
    }
    const QString listReply = m_channel.Execute(
        AdminString(IDS_GET_UA_LIST_OWN_COS).arg(kCosProperty, TclWord(pairs.value(kCosProperty))));
    if (IsErrorReply(listReply)) {
        AfxMessageBox(AdminString(IDS_COS_LIST_FAILED).arg(listReply));
        return;
    }
    m_cosCombo->addItem(AdminString(IDS_NO_COS), m_root);
    QStringList numbers;
    splitter.SplitList(listReply, numbers);
    for (const QString &text : numbers) {
        bool isNumber = false;
        const qint32 number = text.toInt(&isNumber);
        // Tops of the class-of-service tree are no classes to create in.
        if (!isNumber || number == m_root || number > UAKind::HighMark)
            continue;
        m_cosCombo->addItem(QString::number(number), number);
    }
    m_cosCombo->setCurrentIndex(0);
}

bool CCreateUserAgentDlg::OnCommand(int id)
{
    if (id == IDC_SELECT_COS) {
        selectCos();
        return true;
    }
    return CDialog::OnCommand(id);
}

void CCreateUserAgentDlg::selectCos()
{
    CSelectCOSDlg dialog(m_channel, m_root, this);
    dialog.SetSelectedNumber(m_chosenCos == -1 ? m_root : m_chosenCos);
    if (dialog.DoModal() != IDOK)
        return;
    const qint32 chosen = dialog.GetSelectedNumber();
    int index = m_cosCombo->findData(chosen);
    if (index < 0) {
        m_cosCombo->addItem(chosen == m_root ? AdminString(IDS_NO_COS) : QString::number(chosen), chosen);
        index = m_cosCombo->count() - 1;
    }
    m_cosCombo->setCurrentIndex(index);
    m_chosenCos = chosen;
}

void CCreateUserAgentDlg::OnOK()
{
    const std::optional<CParsedRangeList> list = CRangeBox::Parse(m_range->text());
    if (!list)
        return;
    if (list->Count() > MaxRun) {
        AfxMessageBox(tr("The range box names %1 user agents; one run creates at most %2.")
                          .arg(list->Count())
                          .arg(MaxRun));
        return;
    }
    if (!confirmLengths(*list))
        return;
    const qint32 chosenCos = !m_cosCombo->isEnabled() || m_chosenCos == -1 ? m_root : m_chosenCos;
    if (!CRangeBox::CheckAllowed(*list, m_allowed, CRangeBox::Create, m_makeCos, GetSafeHwnd(), m_range))
        return;
    const std::optional<CRangeList> existing =
        CRangeBox::ConfirmExisting(m_channel, *list, QStringLiteral("create the others"));
    if (!existing)
        return;

    CCreateProgressDlg progress(m_channel, chosenCos, *list, m_model, m_root, this, m_makeCos,
                                CCreateProgressDlg::ModeCreate, *existing);
    progress.DoModalInPlaceOfOpener();
    m_created = progress.GetCreatedNumbers();
    if (!m_created.isEmpty())
        openCreated(chosenCos);
    EndDialog(IDOK);
}

bool CCreateUserAgentDlg::confirmLengths(const CParsedRangeList &list)
{
    const QString maximum = m_channel.Execute(QStringLiteral("set %1").arg(kMaximumBoxLength));
    const bool maximumKnown = IsVariableValue(maximum, kMaximumBoxLength) && !maximum.isEmpty();
    // The limit of each first digit: its own variable when the server has
    // it, else the general one; none when neither can be read.
    QHash<QChar, std::optional<QString>> limits;
    for (const CParsedRangeList::Item &item : list.Items()) {
        if (item.kind != CParsedRangeList::Item::Number)
            continue;
        const QString number = QString::number(item.value);
        const QChar digit = number[0];
        if (!limits.contains(digit)) {
            const QString name = QStringLiteral("sys_fixed_len_") + digit;
            const QString reply = m_channel.Execute(QStringLiteral("set ") + name);
            std::optional<QString> limit;
            if (IsVariableValue(reply, name) && !reply.isEmpty())
                limit = reply;
            else if (maximumKnown)
                limit = maximum;
            limits.insert(digit, limit);
        }
        const std::optional<QString> &limit = limits.value(digit);
        if (!limit || number.size() <= LeadingNumber(*limit))
            continue;
        const QString question = tr("User Agents beginning with %1 are limited to %2 digits.\nAre you sure "
                                    "that you want to create %3?")
                                     .arg(digit)
                                     .arg(*limit, number);
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
    }
    return true;
}

void CCreateUserAgentDlg::openCreated(qint32 chosenCos)
{
    // Only mailboxes and classes of service have an editor to open on what
    // was made; agents of the other kinds have none here.
    if (UAKind::IsAgentKindRoot(chosenCos) || !m_editorTemplate)
        return;
    m_editorTemplate->OpenUAListDocument(m_created, true);
}
