// The creation progress dialog; see createprogressdlg.h.
#include "admin/uatools/ranges/createprogressdlg.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/uatools/ranges/uakinds.h"

namespace {

// The sa argument that the creation passes on to CreateUA.
constexpr qint32 kCreationSa = 0x4000000;
constexpr int kDefaultMaxCodeLength = 64;

bool IsPlainDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

CCreateProgressDlg::CCreateProgressDlg(CServerCommandChannel &channel, qint32 chosenCos,
                                       const CParsedRangeList &list, qint32 model, qint32 root,
                                       QWidget *parent, bool makeCos, CreationMode mode,
                                       const CRangeList &skip)
    : CBulkProgressDlg(IDD, tr("Creating"), Ids{IDC_STATUS, IDC_PROGRESS}, CreateResultCode, list, parent),
      m_channel(channel), m_chosenCos(chosenCos), m_model(model), m_root(root), m_makeCos(makeCos),
      m_mode(mode), m_skip(skip)
{
}

CCreateProgressDlg::~CCreateProgressDlg()
{
    StopWorker();
}

std::optional<QString> CCreateProgressDlg::readVariable(const QString &name)
{
    const QString reply = m_channel.Execute(QStringLiteral("set %1\r\n").arg(name));
    if (IsErrorReply(reply) || reply.contains(name))
        return std::nullopt;
    return reply;
}

void CCreateProgressDlg::PrepareRun()
{
    m_modelExists = !IsErrorReply(m_channel.Execute(AdminString(IDS_SEND_GETUA).arg(m_model)));
    // The variables cannot change what a run means halfway: read once.
    m_maxCodeLength = kDefaultMaxCodeLength;
    if (const std::optional<QString> length = readVariable(QStringLiteral("sys_max_sec_code_len"))) {
        bool isNumber = false;
        const int value = length->trimmed().toInt(&isNumber);
        if (isNumber && value >= 0)
            m_maxCodeLength = value;
    }
    m_codeSuffix = readVariable(QStringLiteral("sys_security_code_suffix"));
}

QString CCreateProgressDlg::DefaultSecurityCode(uint32_t number, int maxLength,
                                                const std::optional<QString> &suffix)
{
    const QString digits = QString::number(number);
    if (digits.size() > maxLength)
        return digits.left(maxLength);
    if (!suffix)
        return digits;
    return (digits + *suffix).left(maxLength);
}

CPendingCommand CCreateProgressDlg::StartOne(uint32_t number)
{
    const QString code = DefaultSecurityCode(number, m_maxCodeLength, m_codeSuffix);
    const QString command = QStringLiteral("CreateUAFromAdmin 0 1 %1 %2 %3 %4 -1 %5 %6 -1 %7 %8 %9 %10 %11")
                                .arg(number)
                                .arg(m_model)
                                .arg(m_chosenCos)
                                .arg(m_root)
                                .arg(m_makeCos ? 1 : 0)
                                .arg(int(m_mode))
                                .arg(IsPlainDigits(code) ? code : TclWord(code))
                                .arg(kCreationSa)
                                .arg(UAKind::IvrRoot)
                                .arg(UAKind::AmisProxyRoot)
                                .arg(m_modelExists ? 1 : 0);
    return m_channel.BeginCommand(command);
}

QString CCreateProgressDlg::FinishOne(uint32_t number, CPendingCommand &started)
{
    const QString reply = m_channel.WaitReply(started);
    if (IsErrorReply(reply))
        return reply + QStringLiteral(" %1").arg(number);
    return QStringLiteral("CreateUA %1").arg(number);
}

void CCreateProgressDlg::OnResult(const QString &text, bool failed)
{
    if (failed)
        return;
    m_created.append(text.section(u' ', 1, 1).toLong());
}

QString CCreateProgressDlg::BuildSummary() const
{
    const uint64_t failed = GetFailed();
    const uint64_t created = GetProcessed() - failed;
    QString summary = created == 1 ? QStringLiteral("Created one user agent.")
                                   : QStringLiteral("Created %1 user agents.").arg(created);
    if (failed) {
        summary += failed == 1 ? QStringLiteral("\r\nOne user agent could not be created.")
                               : QStringLiteral("\r\n%1 user agents could not be created.").arg(failed);
        summary += QStringLiteral("\r\n");
    }
    return summary;
}

QString CCreateProgressDlg::CancelledMessage() const
{
    return QStringLiteral("Create operation not complete, cancelled by user!");
}
