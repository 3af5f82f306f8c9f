// The wizard's step that creates classes of service and assigns them to a
// telephone system. Its parent list is built from the depot's classes of
// service and shared with the mailbox step.
#pragma once

#include "admin/config/wizard/wizcreateppg.h"

class CWizCOSPpg : public CWizCreatePpg {
    Q_OBJECT
public:
    explicit CWizCOSPpg(CConfigDepot *depot);

    // "None" and each class of service of the depot's list, the marker
    // 2147483647 left out.
    void LoadCosList();
    // The integration group names, tab-separated.
    void SetTelephoneSystems(const QString &names);
    // The choices of "Telephone System": empty, then each group name.
    QStringList TelephoneSystemChoices() const;

protected:
    bool OnInitDialog() override;
    void AfterCreation(const QList<long> &created) override;
    void ClearFields() override;
    void OnValueEdited(int row) override;

private:
    QStringList m_groups;
    QString m_telephoneSystemValue;
    bool m_gridReady = false;
};
