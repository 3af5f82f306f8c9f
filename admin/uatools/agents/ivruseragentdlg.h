// Edits one IVR agent: its comment, whether the application answers the
// call, and the application and parameter its event maps start for the two
// call events (what agent dialogs share: agentdlg.h). Only what changed is
// sent; a load that failed leaves OK disabled; a refused change keeps the
// dialog open and says what failed.
#pragma once

#include "admin/uatools/agents/agentdlg.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CIvrUserAgentDlg : public CAgentDlg {
    Q_OBJECT
public:
    enum : int {
        IDD = 224,
        IDC_NUMBER = 1535,
        IDC_COMMENT = 1230,
        IDC_ANSWERS = 1468,
        IDC_APPLICATION = 1536,
        IDC_PARAMETER = 1537,
        IDC_LANGUAGE = 1173,
        IDC_HELP_BUTTON = 9
    };

    CIvrUserAgentDlg(CServerCommandChannel &channel, QWidget *parent, qint32 number);

    bool IsLoaded() const { return m_loaded; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool load();
    void fillApplications();
    bool readEventMaps(const QString &reply);
    bool sendProperties();
    bool commitEventMaps();
    void refused(const QString &what, const QString &reply, QWidget *field);

    bool m_loaded = false;
    int m_scenario = -1;
    // The event-map records of the two call events; 0 until one exists.
    int m_record2 = 0;
    int m_record21 = 0;
    QString m_heldComment;
    bool m_heldAnswers = false;
    QString m_heldApplication;
    QString m_heldParameter;

    QLineEdit *m_comment;
    QCheckBox *m_answers;
    QComboBox *m_application;
    QLineEdit *m_parameter;
    QComboBox *m_language;
};
