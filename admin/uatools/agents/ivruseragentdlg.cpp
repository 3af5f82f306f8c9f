// The IVR agent dialog; see ivruseragentdlg.h.
#include "admin/uatools/agents/ivruseragentdlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHash>
#include <QLineEdit>

namespace {

// The call events whose event maps start the agent's application.
constexpr int kAnsweredEvent = 2;
constexpr int kOfferedEvent = 21;
// The fixed fields of an IVR event map after its application and parameter.
const QString kEventMapTail = QStringLiteral("0 1 0 0 0 0 65279");

} // namespace

CIvrUserAgentDlg::CIvrUserAgentDlg(CServerCommandChannel &channel, QWidget *parent, qint32 number)
    : CAgentDlg(IDD, tr("Modify IVR User Agent"), channel, number, IDC_HELP_BUTTON, parent),
      m_comment(SetDlgCtrlID(new QLineEdit(this), IDC_COMMENT)),
      m_answers(SetDlgCtrlID(new QCheckBox(tr("Application will answer call"), this), IDC_ANSWERS)),
      m_application(SetDlgCtrlID(new QComboBox(this), IDC_APPLICATION)),
      m_parameter(SetDlgCtrlID(new QLineEdit(this), IDC_PARAMETER)),
      m_language(SetDlgCtrlID(new QComboBox(this), IDC_LANGUAGE))
{
    auto *numberEdit = SetDlgCtrlID(new QLineEdit(QString::number(number), this), IDC_NUMBER);
    numberEdit->setReadOnly(true);
    numberEdit->setToolTip(tr("User Agent's ID"));
    m_comment->setToolTip(tr("Describe the IVR program."));
    m_answers->setToolTip(
        tr("If this box is checked, Verbanta does not answer an incoming call before starting "
           "the IVR program."));
    m_application->setToolTip(
        tr("Select a Verbanta application.  Use TCL for TCL scripts, SUPERAPPLICATION for VB "
           "programs."));
    m_language->setToolTip(
        tr("Select a default language.  This affects prompts played by the system on behalf "
           "of the IVR program."));
    m_parameter->setToolTip(
        tr("Enter parameters for the IVR program.  This is usually the name of the TCL script "
           "or VB program."));
    auto *form = new QFormLayout;
    form->addRow(tr("User Agent:"), numberEdit);
    form->addRow(tr("Comment:"), m_comment);
    form->addRow(QString(), m_answers);
    form->addRow(tr("KPL Application:"), m_application);
    form->addRow(tr("Parameter/ IVR Application:"), m_parameter);
    form->addRow(tr("Language:"), m_language);
    SetForm(form);
}

bool CIvrUserAgentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    m_language->addItem(tr("English"));
    m_language->setCurrentIndex(0);
    m_loaded = load();
    // Nothing read is nothing to save over the agent.
    GetDlgItem(IDOK)->setEnabled(m_loaded);
    return true;
}

bool CIvrUserAgentDlg::load()
{
    CUserAgent agent;
    if (!GetAgent({QStringLiteral("&Comment"), QStringLiteral("app_controlls_call")}, agent))
        return false;
    m_scenario = agent.GetScenarioNumber();
    m_heldComment = agent.GetProperty(QStringLiteral("&Comment"));
    m_heldAnswers = agent.GetProperty(QStringLiteral("app_controlls_call")).toInt() != 0;
    m_comment->setText(m_heldComment);
    m_answers->setChecked(m_heldAnswers);
    const QString maps = Run(QStringLiteral("GetEventMaps4UA %1").arg(AgentNumber()));
    if (IsErrorReply(maps)) {
        AfxMessageBox(maps);
        return false;
    }
    fillApplications();
    return readEventMaps(maps);
}

void CIvrUserAgentDlg::fillApplications()
{
    const QString reply = Run(QStringLiteral("GetAppList"));
    if (IsErrorReply(reply))
        return;
    QStringList names;
    CTclList().SplitList(reply, names);
    for (const QString &name : std::as_const(names))
        if (!name.isEmpty())
            m_application->addItem(name);
    m_application->setCurrentIndex(-1);
}

bool CIvrUserAgentDlg::readEventMaps(const QString &reply)
{
    const CTclList splitter;
    QStringList records;
    splitter.SplitList(reply, records);
    for (qsizetype i = 1; i < records.size(); ++i) {
        QHash<QString, QString> record;
        if (!splitter.SplitPairs(records[i], record)) {
            AfxMessageBox(tr("Could not process event map list '%1'. Expected pairs.").arg(records[i]));
            return false;
        }
        const int event = record.value(QStringLiteral("eventId")).toInt();
        if (event != kAnsweredEvent && event != kOfferedEvent)
            continue;
        (event == kAnsweredEvent ? m_record2 : m_record21) = record.value(QStringLiteral("evMapId")).toInt();
        m_heldApplication = record.value(QStringLiteral("app"));
        m_heldParameter = record.value(QStringLiteral("param"));
    }
    if (!m_heldApplication.isEmpty()) {
        int at = m_application->findText(m_heldApplication, Qt::MatchStartsWith);
        // An application the list lacks is still the agent's: kept, not lost.
        if (at < 0) {
            m_application->addItem(m_heldApplication);
            at = m_application->count() - 1;
        }
        m_application->setCurrentIndex(at);
        m_heldApplication = m_application->currentText();
    }
    m_parameter->setText(m_heldParameter);
    return true;
}

void CIvrUserAgentDlg::refused(const QString &what, const QString &reply, QWidget *field)
{
    ShowRefusal(tr("The server refused the change of %1: %2").arg(what, reply.mid(1)), field);
}

bool CIvrUserAgentDlg::sendProperties()
{
    if (m_comment->text() != m_heldComment) {
        const QString reply = Run(QStringLiteral("UpdateUA %1 WithForce &Comment %2")
                                      .arg(AgentNumber())
                                      .arg(TclWord(m_comment->text())));
        if (IsErrorReply(reply)) {
            refused(tr("the comment"), reply, m_comment);
            return false;
        }
        m_heldComment = m_comment->text();
    }
    if (m_answers->isChecked() != m_heldAnswers) {
        const QString reply = Run(QStringLiteral("UpdateUA %1 WithForce app_controlls_call %2")
                                      .arg(AgentNumber())
                                      .arg(int(m_answers->isChecked())));
        if (IsErrorReply(reply)) {
            refused(tr("who answers the call"), reply, m_answers);
            return false;
        }
        m_heldAnswers = m_answers->isChecked();
    }
    return true;
}

bool CIvrUserAgentDlg::commitEventMaps()
{
    const QString application = TclWord(m_application->currentText());
    const QString parameter = TclWord(m_parameter->text());
    for (int event : {kAnsweredEvent, kOfferedEvent}) {
        int &record = event == kAnsweredEvent ? m_record2 : m_record21;
        const QString command = record == 0 ? QStringLiteral("CreateEMRecord %1 %2 %3 %4 %5")
                                                  .arg(m_scenario)
                                                  .arg(event)
                                                  .arg(application, parameter, kEventMapTail)
                                            : QStringLiteral("UpdateEMRecord %1 %2 %3 %4 %5 %6")
                                                  .arg(record)
                                                  .arg(m_scenario)
                                                  .arg(event)
                                                  .arg(application, parameter, kEventMapTail);
        const QString reply = Run(command);
        if (IsErrorReply(reply)) {
            refused(tr("the application"), reply, m_application);
            return false;
        }
        // A retry after a later refusal updates what was created here.
        if (record == 0)
            record = reply.trimmed().toInt();
    }
    const QString reply = Run(QStringLiteral("CommitScenarioChange"));
    if (IsErrorReply(reply)) {
        refused(tr("the application"), reply, m_application);
        return false;
    }
    m_heldApplication = m_application->currentText();
    m_heldParameter = m_parameter->text();
    return true;
}

void CIvrUserAgentDlg::OnOK()
{
    if (!m_loaded)
        return;
    const QString application = m_application->currentText();
    if (application.isEmpty() &&
        AfxMessageBox(tr("No application was selected.  Do you want to exit?"), MB_YESNO) != IDYES)
        return;
    CWaitCursor wait;
    if (!sendProperties())
        return;
    if (!application.isEmpty() &&
        (application != m_heldApplication || m_parameter->text() != m_heldParameter) && !commitEventMaps())
        return;
    EndDialog(IDOK);
}
