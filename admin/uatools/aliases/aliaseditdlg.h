// The add/edit dialog of a server alias: a name standing for an application
// (or for another alias) with a parameter. IVR aliases (CIvrAliasDlg) and
// notification templates (CTemplateDlg) are such aliases; the two dialogs
// differ only in their texts and in the applications they offer, which a
// subclass names. The applications list comes through the opener's channel;
// the alias itself is read and written through the application's session.
//
// Editing an alias is a removal followed by an addition, as the server has
// no command that changes one. When the server refuses the addition, the
// old alias is put back, so a refused edit never loses it. A name is never
// taken when an alias or application already has it: the addition would
// silently replace that alias on the server.
#pragma once

#include "platform/mfc/dialog.h"

#include <QSet>
#include <QStringList>

class CServerCommandChannel;
class QComboBox;
class QLineEdit;

class CAliasEditDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDC_NAME = 1463, IDC_PARAMETER = 1520, IDC_APPLICATION = 1569, IDC_BEEP = 1522 };
    enum Mode : int { ModeAdd = 1, ModeEdit = 2 };

    // The name the dialog ends with (the one added in add mode).
    QString GetName() const { return m_name; }
    QString GetApplication() const { return m_application; }
    QString GetParameter() const { return m_parameter; }

protected:
    struct Texts {
        QString caption;
        QString nameLabel;
        QString addTitle;
        QString editTitle;
    };
    // `channel` gives the applications offered, `applicationChannel` reads
    // and writes the alias; both outlive the dialog.
    CAliasEditDlg(int dialogId, const Texts &texts, CServerCommandChannel &channel,
                  CServerCommandChannel &applicationChannel, QWidget *parent, const QString &name, int mode);

    // The applications the alias may name, before the aliases that lead to them.
    virtual QStringList ApplicationNames() = 0;
    CServerCommandChannel &Channel() const { return m_channel; }

    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void readAlias();
    void fillApplications();
    // Takes the typed name; false (after telling why) when it is taken already.
    bool nameLeft();
    // Sends the alias; false (after showing why) when the server refused.
    bool save();
    QString addCommand(const QString &application, const QString &parameter) const;

    CServerCommandChannel &m_channel;
    CServerCommandChannel &m_applicationChannel;
    const int m_mode;
    QString m_name;
    QString m_application;
    QString m_parameter;
    // What the server held when the edit began: put back after a refused edit.
    QString m_oldApplication;
    QString m_oldParameter;
    bool m_changed = false;
    // Every alias name the server has, offered or not.
    QSet<QString> m_existingNames;
    QLineEdit *m_nameEdit;
    QLineEdit *m_parameterEdit;
    QComboBox *m_applications;
};
