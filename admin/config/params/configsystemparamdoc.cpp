// The System Parameters document; see configsystemparamdoc.h.
#include "admin/config/params/configsystemparamdoc.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "platform/msgbox/msgbox.h"

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("System Parameters");
// The framework's closing question, with the name the window has always
// put in for the document.
const QString kAskToSave = QStringLiteral("Save changes to %1?");
const QString kDocumentName = QStringLiteral("Zavov Avoz Ovedez");
constexpr UINT kAskToSaveHelpId = 0xF103;

// Lists every description whose "view" value has bit 0 set. Runs on the
// server; a "view" value that is not a number fails the script there.
const QString kDescriptionScript = QStringLiteral("set _my_varlist [info vars meta_*]\r\n"
                                                  "set _my_result \"\"\r\n"
                                                  "foreach i $_my_varlist {\r\n"
                                                  "    set _tmpval [set $i]\r\n"
                                                  "    foreach {j k} $_tmpval {\r\n"
                                                  "        if {$j == \"view\"} {\r\n"
                                                  "            if {$k & 1} {\r\n"
                                                  "                lappend _my_result $i $_tmpval\r\n"
                                                  "            }\r\n"
                                                  "            break\r\n"
                                                  "        }\r\n"
                                                  "    }\r\n"
                                                  "}\r\n"
                                                  "unset _my_varlist\r\n"
                                                  "set _my_result\r\n");

const QString kParameterScript = QStringLiteral("set _my_varlist [info vars sys_*]\r\n"
                                                "set _my_result \"\"\r\n"
                                                "foreach i $_my_varlist {\r\n"
                                                "    set _tmpval [set $i]\r\n"
                                                "    lappend _my_result $i $_tmpval\r\n"
                                                "}\r\n"
                                                "set _my_result\r\n");

// Splits a reply; false when it is text that is not a list at all.
bool readList(const QString &reply, QStringList &elements)
{
    CTclList().SplitList(reply, elements);
    return !elements.isEmpty() || reply.trimmed().isEmpty();
}

// The value word of a set line: a plain word goes bare, the empty value as
// "", anything else quoted so that it arrives as the same string.
QString valueWord(const QString &value)
{
    if (value.isEmpty())
        return QStringLiteral("\"\"");
    if (value.contains(u' ') || value.contains(u';'))
        return TclWord(value);
    return TclBareWord(value);
}

// One line of a batch: a refused command adds its name to _rlist instead of
// stopping the rest.
QString guardedLine(const QString &command, const QString &name)
{
    return QStringLiteral("if {[catch {%1}]} {lappend _rlist %2}\r\n").arg(command, TclBareWord(name));
}

QString wrapBatch(const QString &lines)
{
    return QStringLiteral("set _rlist {}\r\n") + lines + QStringLiteral("set _rlist\r\n");
}

} // namespace

CConfigSystemParamDoc::~CConfigSystemParamDoc() = default;

bool CConfigSystemParamDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    m_title = kTitle;
    if (!CZELTDocument::OnNewDocument(parent, login))
        return false;
    return fetch();
}

bool CConfigSystemParamDoc::fetch()
{
    CServerCommandChannel *channel = CommandChannel();
    channel->Execute(QStringLiteral("LoadMetaInfo\r\n"));

    m_descriptionReply = channel->Execute(kDescriptionScript);
    QStringList descriptions;
    if (IsErrorReply(m_descriptionReply) || !readList(m_descriptionReply, descriptions)) {
        AfxMessageBox(QStringLiteral("The descriptions of the system parameters could not be read:\n%1")
                          .arg(m_descriptionReply),
                      MB_OK | MB_ICONERROR);
        return false;
    }
    for (qsizetype k = 0; 2 * k + 1 < descriptions.size(); ++k) {
        m_descriptionNames.append(descriptions[2 * k]);
        m_descriptions[descriptions[2 * k]] = std::make_unique<CSysParamMeta>(descriptions[2 * k + 1]);
    }

    const QString parameters = channel->Execute(kParameterScript);
    QStringList elements;
    // A reply that cannot be read must never become an empty working copy:
    // saving that would remove every parameter.
    if (IsErrorReply(parameters) || !readList(parameters, elements) || elements.size() % 2 != 0) {
        AfxMessageBox(QStringLiteral("The system parameters could not be read:\n%1").arg(parameters),
                      MB_OK | MB_ICONERROR);
        return false;
    }
    for (qsizetype k = 0; k + 1 < elements.size(); k += 2) {
        if (!m_reference.contains(elements[k]))
            m_paramNames.append(elements[k]);
        m_reference.insert(elements[k], elements[k + 1]);
    }
    m_values = m_reference;
    return true;
}

const CSysParamMeta *CConfigSystemParamDoc::Description(const QString &paramName) const
{
    const auto found = m_descriptions.find(QStringLiteral("meta_") + paramName);
    return found == m_descriptions.end() ? nullptr : found->second.get();
}

QString CConfigSystemParamDoc::BuildRemoveBatch(QStringList &names) const
{
    QString lines;
    for (const QString &name : m_paramNames) {
        if (m_values.contains(name))
            continue;
        lines += guardedLine(QStringLiteral("ConfigRemoveVar %1 1").arg(TclBareWord(name)), name);
        names.append(name);
    }
    return names.isEmpty() ? QString() : wrapBatch(lines);
}

QString CConfigSystemParamDoc::BuildSetBatch(QStringList &names) const
{
    QStringList changed;
    for (const QString &name : m_paramNames) {
        const auto value = m_values.constFind(name);
        if (value != m_values.cend() && *value != m_reference.value(name))
            changed.append(name);
    }
    QStringList added;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        if (!m_reference.contains(it.key()))
            added.append(it.key());
    std::sort(added.begin(), added.end());
    changed += added;

    QString lines;
    for (const QString &name : changed) {
        const QString command =
            QStringLiteral("ConfigSetString %1 %2 1").arg(TclBareWord(name), valueWord(m_values.value(name)));
        lines += guardedLine(command, name);
    }
    names = changed;
    return names.isEmpty() ? QString() : wrapBatch(lines);
}

bool CConfigSystemParamDoc::runBatch(const QString &batch, QStringList &failed, QString &reason)
{
    reason = CommandChannel()->Execute(batch);
    if (IsErrorReply(reason) || !readList(reason, failed))
        return false;
    reason.clear();
    return true;
}

void CConfigSystemParamDoc::reportFailure(const QString &what, const QString &reason,
                                          const QStringList &names) const
{
    QString text =
        QStringLiteral("The server did not %1 these system parameters:\n%2").arg(what, names.join(u'\n'));
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n%1").arg(reason);
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
}

bool CConfigSystemParamDoc::SaveToServer()
{
    QStringList removed;
    const QString removeBatch = BuildRemoveBatch(removed);
    QStringList set;
    const QString setBatch = BuildSetBatch(set);
    // Values are captured now: the reference takes what was sent.
    QHash<QString, QString> sentValues;
    for (const QString &name : set)
        sentValues.insert(name, m_values.value(name));

    QStringList failed;
    QString reason;
    if (!removeBatch.isEmpty()) {
        if (!runBatch(removeBatch, failed, reason)) {
            reportFailure(QStringLiteral("remove"), reason, removed);
            return false;
        }
        for (const QString &name : removed) {
            if (failed.contains(name))
                continue;
            m_reference.remove(name);
            m_paramNames.removeAll(name);
        }
    }
    const QStringList removeFailures = failed;

    failed.clear();
    if (!setBatch.isEmpty() && !runBatch(setBatch, failed, reason)) {
        if (!removeFailures.isEmpty())
            reportFailure(QStringLiteral("remove"), QString(), removeFailures);
        reportFailure(QStringLiteral("set"), reason, set);
        return false;
    }
    for (const QString &name : set) {
        if (failed.contains(name))
            continue;
        if (!m_reference.contains(name))
            m_paramNames.append(name);
        m_reference.insert(name, sentValues.value(name));
    }
    if (!removeFailures.isEmpty())
        reportFailure(QStringLiteral("remove"), QString(), removeFailures);
    if (!failed.isEmpty())
        reportFailure(QStringLiteral("set"), QString(), failed);
    return removeFailures.isEmpty() && failed.isEmpty();
}

bool CConfigSystemParamDoc::OnSaveDocument()
{
    if (!SaveToServer())
        return false;
    m_bModified = false;
    return true;
}

bool CConfigSystemParamDoc::SaveModified()
{
    if (!m_bModified)
        return true;
    switch (
        AfxMessageBox(kAskToSave.arg(kDocumentName), MB_YESNOCANCEL | MB_ICONEXCLAMATION, kAskToSaveHelpId)) {
    case IDYES:
        return OnSaveDocument();
    case IDNO:
        return true;
    default:
        return false;
    }
}
