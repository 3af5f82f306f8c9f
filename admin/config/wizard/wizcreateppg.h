// A wizard step that creates user agents over a number or a range, all with
// the same parent class of service: the twin base of the class-of-service
// and the mailbox steps. Create is enabled only while the numbers are new on
// the server (the depot's user-agent ranges); while they overlap, a notice
// says so. The range fields take digits only; Create asks once, naming how
// many user agents it makes, and then runs the creation progress dialog on
// the wizard's session.
#pragma once

#include "platform/mfc/propertypage.h"

#include <QList>
#include <QStringList>

class CConfigDepot;
class CServerCommandChannel;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class CWizCreatePpg : public CPropertyPage {
    Q_OBJECT
public:
    struct Texts {
        QString caption;
        QString rangeFromLabel;
        QString plural; // "COS boxes", "mailboxes"
    };
    CWizCreatePpg(const Texts &texts, bool makeCos, CConfigDepot *depot);

    // The channel of the wizard's session, which the creations go through.
    void SetChannel(CServerCommandChannel *channel) { m_channel = channel; }
    // The choices of "Parent COS": "None" and each class of service.
    void SetCosChoices(const QStringList &choices);
    QStringList CosChoices() const { return m_cosChoices; }

    bool OnSetActive() override;

    // The numbers in the range fields, as the range check reads them; false
    // when "Range From" is empty.
    bool Range(qint64 &lo, qint64 &hi) const;
    bool IsCreateEnabled() const;
    bool IsNoticeShown() const;
    QLineEdit *RangeFromEdit() const { return m_from; }
    QLineEdit *RangeToEdit() const { return m_to; }
    QComboBox *ParentEdit() const { return m_parent; }
    QPushButton *CreateButton() const { return m_create; }

signals:
    // After creations: the depot's lists were read again.
    void Created();

protected:
    bool OnInitDialog() override;
    CConfigDepot *Depot() const { return m_depot; }
    QFormLayout *Form() const { return m_form; }
    // A choice typed into an editable list: accepted when empty is allowed
    // and it is empty, or when it has no blank and is one of the choices;
    // else the message, and the previous value comes back.
    bool CheckChoice(QComboBox *box, QString &current, bool emptyAllowed, const QString &refusal);
    // What comes after the creations (the class-of-service page assigns
    // the telephone system); `created` are the numbers that were made.
    virtual void AfterCreation(const QList<long> &created) { Q_UNUSED(created); }
    virtual void ClearFields();
    CServerCommandChannel *Channel() const { return m_channel; }

private:
    void rangeCheck();
    void onCreate();
    void onParentEdited();

    Texts m_texts;
    bool m_makeCos;
    CConfigDepot *m_depot;
    CServerCommandChannel *m_channel = nullptr;
    QStringList m_cosChoices{QStringLiteral("None")};
    QString m_parentValue = QStringLiteral("None");
    QFormLayout *m_form = nullptr;
    QLineEdit *m_from = nullptr;
    QLineEdit *m_to = nullptr;
    QComboBox *m_parent = nullptr;
    QPushButton *m_create = nullptr;
    QLabel *m_notice = nullptr;
};
