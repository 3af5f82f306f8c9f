// The IVR agent list; see ivruseragentsdlg.h.
#include "admin/uatools/agents/ivruseragentsdlg.h"

#include "admin/session/tcllist.h"
#include "admin/uatools/agents/ivruseragentdlg.h"
#include "platform/msgbox/msgbox.h"

#include <QHash>
#include <QTreeWidget>

namespace {

constexpr qint32 kIvrRoot = 0x7ffffffd;
// The events that start an IVR agent's application: the call arrives.
constexpr int kCallEvents[] = {2, 21};

} // namespace

CIvrUserAgentsDlg::CIvrUserAgentsDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                                     const QString &typeText, QWidget *parent)
    : CUserAgentListDlg(IDD, tr("Edit IVR User Agents"), applicationSession, login, typeText, {kIvrRoot},
                        parent)
{
    // Room for its five columns (Qt's fonts are wider than the pixel widths).
    List()->setMinimumWidth(640);
}

QList<CUserAgentListDlg::Column> CIvrUserAgentsDlg::Columns() const
{
    return {{tr("User Agent"), 80},
            {tr("Comment"), 200},
            {tr("KPL Application"), 100},
            {tr("Parameter/ IVR Application"), 150},
            {tr("Language"), 100}};
}

bool CIvrUserAgentsDlg::ParseEventMapList(qint32 number, const CTclList &splitter, QString &application,
                                          QString &parameter, bool quiet)
{
    application.clear();
    parameter.clear();
    const QString reply = Run(QStringLiteral("GetEventMaps4UA %1").arg(number));
    if (IsErrorReply(reply)) {
        if (!quiet)
            AfxMessageBox(
                tr("The event maps of User Agent %1 could not be read: %2").arg(number).arg(reply.mid(1)));
        return false;
    }
    QStringList records;
    splitter.SplitList(reply, records);
    for (qsizetype i = 1; i < records.size(); ++i) {
        QHash<QString, QString> record;
        if (!splitter.SplitPairs(records[i], record)) {
            if (!quiet)
                AfxMessageBox(tr("Could not process event map list '%1'. Expected pairs.").arg(records[i]));
            return false;
        }
        const int event = record.value(QStringLiteral("eventId")).toInt();
        if (std::find(std::begin(kCallEvents), std::end(kCallEvents), event) == std::end(kCallEvents))
            continue;
        application = record.value(QStringLiteral("app"));
        parameter = record.value(QStringLiteral("param"));
    }
    return true;
}

void CIvrUserAgentsDlg::FillExtraColumns(QTreeWidgetItem *row, qint32 number, bool firstOfFill)
{
    if (firstOfFill)
        m_mapFailureShown = false;
    QString application;
    QString parameter;
    if (!ParseEventMapList(number, CTclList(), application, parameter, m_mapFailureShown))
        m_mapFailureShown = true;
    row->setText(2, application);
    row->setText(3, parameter);
    row->setText(4, tr("English"));
}

bool CIvrUserAgentsDlg::RunEditDialog(qint32 number, QTreeWidgetItem *)
{
    CIvrUserAgentDlg dialog(*Channel(), this, number);
    return dialog.DoModal() == IDOK;
}
