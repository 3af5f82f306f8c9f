// The class-of-service step; see wizcosppg.h.
#include "admin/config/wizard/wizcosppg.h"

#include "admin/config/depot/configdepot.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "platform/msgbox/msgbox.h"


CWizCOSPpg::CWizCOSPpg(CConfigDepot *depot)
    : CWizCreatePpg({QStringLiteral("Configuration Wizard - Create Classes Of Service"),
                     QStringLiteral("Single COS or Range From"), QStringLiteral("COS boxes")},
                    true, depot)
{
}

bool CWizCOSPpg::OnInitDialog()
{
    const bool result = CWizCreatePpg::OnInitDialog();
    AddRow(QStringLiteral("Telephone System"), true);
    m_gridReady = true;
    SetChoices(RowTelephoneSystem, TelephoneSystemChoices());
    SetValue(RowTelephoneSystem, m_telephoneSystemValue);
    return result;
}

void CWizCOSPpg::LoadCosList()
{
    QStringList elements;
    CTclList().SplitList(Depot()->m_cosList, elements);
    QStringList choices{QStringLiteral("None")};
    for (const QString &element : std::as_const(elements))
        if (element.toLongLong() != 2147483647)
            choices.append(element);
    SetCosChoices(choices);
    SetModified(false);
}

void CWizCOSPpg::SetTelephoneSystems(const QString &names)
{
    m_groups = names.split(u'\t', Qt::SkipEmptyParts);
    if (!m_gridReady)
        return;
    SetChoices(RowTelephoneSystem, TelephoneSystemChoices());
    SetValue(RowTelephoneSystem, m_telephoneSystemValue);
}

QStringList CWizCOSPpg::TelephoneSystemChoices() const
{
    return QStringList{QString()} + m_groups;
}

void CWizCOSPpg::OnValueEdited(int row)
{
    if (row != RowTelephoneSystem)
        return;
    CheckChoice(row, m_groups, m_telephoneSystemValue, true,
                QStringLiteral("Invalid Telephone System Group ID '%1'. Try to enter an existing Telephone System "
                               "Group ID or select one from the list after closing this message box."));
}

void CWizCOSPpg::AfterCreation(const QList<long> &created)
{
    if (m_telephoneSystemValue.isEmpty())
        return;
    // Only the classes of service this run made are assigned, and each
    // refusal is named: an existing user agent is never touched.
    QStringList failed;
    for (long number : created) {
        const QString reply = Channel()->Execute(
            QStringLiteral("UpdateUA %1 WithForce PBX %2").arg(number).arg(TclWord(m_telephoneSystemValue)));
        if (IsErrorReply(reply))
            failed.append(QStringLiteral("%1: %2").arg(number).arg(reply));
    }
    if (!failed.isEmpty())
        AfxMessageBox(QStringLiteral("Telephone System '%1' could not be assigned to:\n%2")
                          .arg(m_telephoneSystemValue, failed.join(u'\n')),
                      MB_ICONEXCLAMATION);
}

void CWizCOSPpg::ClearFields()
{
    CWizCreatePpg::ClearFields();
    m_telephoneSystemValue.clear();
    SetValue(RowTelephoneSystem, QString());
}
