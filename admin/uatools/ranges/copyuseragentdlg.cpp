// The Copy User Agent dialog; see copyuseragentdlg.h.
#include "admin/uatools/ranges/copyuseragentdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "platform/msgbox/msgbox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFromLength = 9;

} // namespace

CCopyUserAgentDlg::CCopyUserAgentDlg(CServerCommandChannel &channel, qint32 root, QWidget *parent, bool makeCos,
                                     long from, CRangeBox::AllowedCheck allowed)
    : CDialog(IDD, tr("Copy User Agent"), parent), m_channel(channel), m_root(root), m_makeCos(makeCos),
      m_allowed(std::move(allowed)), m_from(SetDlgCtrlID(new QLineEdit(this), IDC_FROM)),
      m_to(SetDlgCtrlID(new QLineEdit(this), IDC_TO))
{
    m_from->setMaxLength(kFromLength);
    if (from != -1)
        m_from->setText(QString::number(from));
    m_to->setMinimumWidth(240);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("From:"), this), 0, 0);
    fields->addWidget(m_from, 0, 1);
    fields->addWidget(new QLabel(tr("To:"), this), 1, 0);
    fields->addWidget(m_to, 1, 1);
    auto *example = new QLabel(tr("For example: 100-199, 205 300-310"), this);
    example->setEnabled(false);
    fields->addWidget(example, 2, 1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CCopyUserAgentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    (m_from->text().isEmpty() ? m_from : m_to)->setFocus(Qt::OtherFocusReason);
    return false;
}

std::optional<qint32> CCopyUserAgentDlg::ParseFrom(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > kFromLength)
        return std::nullopt;
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    // Nine digits always fit the signed 32-bit numbers of the wire.
    return digits.toInt();
}

void CCopyUserAgentDlg::refuse(QLineEdit *box, const QString &text)
{
    MessageBox(GetSafeHwnd(), text, tr("Copy User ID"), MB_OK | MB_ICONERROR);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void CCopyUserAgentDlg::OnOK()
{
    const QString fromText = m_from->text().trimmed();
    const std::optional<qint32> from = ParseFrom(fromText);
    if (!from) {
        refuse(m_from, tr("User ID %1 does not exist or is invalid!").arg(fromText));
        return;
    }
    // The rights come first: nothing about an agent the administrator may
    // not manage is asked of the server.
    CParsedRangeList::Result source = CParsedRangeList::Parse(QString::number(*from));
    if (!source.list ||
        !CRangeBox::CheckAllowed(*source.list, m_allowed, CRangeBox::Create, m_makeCos, GetSafeHwnd(), m_from))
        return;

    const QString reply = m_channel.Execute(QStringLiteral("GetUANoASR %1 COS").arg(*from));
    if (IsErrorReply(reply)) {
        refuse(m_from, tr("%1\nUser ID %2 does not exist or is invalid!").arg(reply, fromText));
        return;
    }
    QStringList fields;
    CTclList().SplitList(reply, fields);
    if (fields.size() < 4) {
        refuse(m_from, tr("Invalid User Agent %1 ").arg(fromText));
        return;
    }

    const std::optional<CParsedRangeList> list = CRangeBox::Parse(m_to->text());
    if (!list)
        return;
    if (list->Intervals().Contains(*from)) {
        refuse(m_to, tr("User ID %1 cannot be copied over itself.").arg(*from));
        return;
    }
    if (!CRangeBox::CheckAllowed(*list, m_allowed, CRangeBox::Create, m_makeCos, GetSafeHwnd(), m_to))
        return;
    const std::optional<CRangeList> existing =
        CRangeBox::ConfirmExisting(m_channel, *list, QStringLiteral("copy to the others"));
    if (!existing)
        return;

    m_sourceKind = fields.value(3);
    // The second element names what the source holds itself of what was
    // asked; a class of service is the box that holds "COS" itself. A server
    // that lists all of the box's own names there (every mailbox holds some)
    // must not turn every mailbox into a class of service.
    QStringList heldNames;
    CTclList().SplitList(fields.value(1), heldNames);
    m_sourceIsCos = heldNames.contains(QStringLiteral("COS"));
    CCreateProgressDlg progress(m_channel, -1, *list, *from, m_root, this, m_makeCos, CCreateProgressDlg::ModeCopy,
                                *existing);
    progress.DoModalInPlaceOfOpener();
    m_created = progress.GetCreatedNumbers();
    EndDialog(IDOK);
}
