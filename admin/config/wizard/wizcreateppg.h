// A wizard step that creates user agents over a number or a range, all with
// the same parent class of service: the twin base of the class-of-service
// and the mailbox steps. Create is enabled only while the numbers are new on
// the server (the depot's user-agent ranges); while they overlap, a notice
// grid says so. The fields are the rows of one small input grid, labels on
// the left and values edited in place on the right. The range values keep
// digits only; Create asks once, naming how many user agents it makes, and
// then runs the creation progress dialog on the wizard's session.
#pragma once

#include "platform/mfc/propertypage.h"

#include <QList>
#include <QStringList>

class CConfigDepot;
class CServerCommandChannel;
class CSpreadSheet;
class QPushButton;

class CWizCreatePpg : public CPropertyPage {
    Q_OBJECT
public:
    struct Texts {
        QString caption;
        QString rangeFromLabel;
        QString plural; // "COS boxes", "mailboxes"
    };
    // The rows of the input grid; the class-of-service step adds the
    // telephone system below them.
    enum Row { RowRangeFrom = 1, RowRangeTo, RowParent, RowTelephoneSystem };
    enum Column { LabelColumn = 1, ValueColumn };
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
    CSpreadSheet *Grid() const { return m_grid; }
    CSpreadSheet *NoticeGrid() const { return m_notice; }
    // The text of a value cell.
    QString Value(int row) const;
    QPushButton *CreateButton() const { return m_create; }

signals:
    // After creations: the depot's lists were read again.
    void Created();

protected:
    bool OnInitDialog() override;
    CConfigDepot *Depot() const { return m_depot; }
    // Appends a row to the input grid: its label, and a value cell that is a
    // choice cell when `choice`. Returns the row.
    int AddRow(const QString &label, bool choice);
    // Writes a value cell without it counting as the user's edit.
    void SetValue(int row, const QString &text);
    // The choices of a choice cell.
    void SetChoices(int row, const QStringList &choices);
    // A choice typed into a choice cell: accepted when empty is allowed and
    // it is empty, or when it has no blank and is one of the choices; else
    // the message, the previous value comes back and the cell gets the
    // user back once the grid lets go of it.
    bool CheckChoice(int row, const QStringList &choices, QString &current, bool emptyAllowed,
                     const QString &refusal);
    // A value cell of a row the base does not know was edited.
    virtual void OnValueEdited(int row) { Q_UNUSED(row); }
    // What comes after the creations (the class-of-service page assigns
    // the telephone system); `created` are the numbers that were made.
    virtual void AfterCreation(const QList<long> &created) { Q_UNUSED(created); }
    virtual void ClearFields();
    CServerCommandChannel *Channel() const { return m_channel; }

private:
    void rangeCheck();
    void onCreate();
    void onCellChanged(int col, int row);
    void onCellClicked(int col, int row);
    void onLeaveCell(int col, int row, int newCol, int newRow, bool *cancel);
    void fitGrid();

    Texts m_texts;
    bool m_makeCos;
    CConfigDepot *m_depot;
    CServerCommandChannel *m_channel = nullptr;
    QStringList m_cosChoices{QStringLiteral("None")};
    QString m_parentValue = QStringLiteral("None");
    CSpreadSheet *m_grid = nullptr;
    CSpreadSheet *m_notice = nullptr;
    QPushButton *m_create = nullptr;
    // The value cell whose entry was refused, to be made active again.
    int m_refocusRow = 0;
};
