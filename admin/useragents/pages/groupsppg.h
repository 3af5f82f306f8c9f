// The third page of the mailbox sheet, "Chains/Groups/Fax": which
// application runs, with which parameter, when the mailbox is done with a
// call, when a transfer finds busy or is not answered, and when a fax tone
// or a modem carrier is detected; the chain delay, the group list, host and
// guest mailboxes, desktop-fax delivery, the time zone and the language.
//
// "<Default>" in the done, fax and modem lists stands for the class of
// service's chain; the language list shows a name for an empty language.
// Neither is ever stored as a value. A box without a time zone is offered
// the zones of the server's own bias once (never during the sheet's Reset).
#pragma once

#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pagenumbervalue.h"
#include "admin/useragents/pages/mailboxpagebase.h"

#include <QSet>

class CGroupsPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int {
        IDD = 133,
        IDC_DONE_APP = 1163,
        IDC_DONE_PARAM = 1335,
        IDC_BUSY_APP = 1174,
        IDC_BUSY_PARAM = 1337,
        IDC_RNA_APP = 1168,
        IDC_RNA_PARAM = 1336,
        IDC_FAX_APP = 1175,
        IDC_FAX_PARAM = 1339,
        IDC_MODEM_APP = 1176,
        IDC_MODEM_PARAM = 1340,
        IDC_CHAIN_DELAY = 1060,
        IDC_GROUPS = 1505,
        IDC_HOST = 1506,
        IDC_GUESTS = 1508,
        IDC_FAX_TO_MACHINE = 1009,
        IDC_TIME_ZONE = 1800,
        IDC_MULTILINGUAL = 1466,
        IDC_LANGUAGE_ADMIN = 1523,
        IDC_LANGUAGE_PHONE = 1125,
        IDC_LANGUAGE = 1805,
        IDL_LANGUAGE = 1807,
    };
    static constexpr const char *DefaultApplication = "<Default>";

    CGroupsPpg(CMailboxPps &sheet, const CMailboxPageServices &services);

    unsigned InitialisedBit() const override { return 0x1000; }
    void ResetToParent() override;
    void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam) override;
    // More than one prompt language is installed on the server.
    bool IsMultiLanguage() const { return m_multiLanguage; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Chain {
        int comboId;
        CPageTextValue *application;
        CPageTextValue *parameter;
        bool offersDefault;
    };

    void readPromptLanguages();
    void fillLanguages();
    QString languageShownForEmpty() const;
    void showLanguage(CDataExchange *dx);
    void languageChosen(int index);
    bool isLanguageItem(int index) const;
    void chooseTimeZone();
    bool isZoneUnset() const;
    void applicationChosen(const Chain &chain);
    void followLanguageSource();
    bool isDefaultShown(int comboId, const QString &text) const;

    CPageTextValue m_doneApp, m_doneParam, m_busyApp, m_busyParam, m_rnaApp, m_rnaParam, m_faxApp, m_faxParam,
        m_modemApp, m_modemParam;
    CPageIntValue m_chainDelay;
    CPageTextValue m_groups;
    CPageTextValue m_host;
    CPageTextValue m_guests;
    CPageBoolValue m_faxToMachine;
    CPageIntValue m_timeZone{-1};
    CPageBoolValue m_multilingual;
    CPageIntValue m_languageSource;
    CPageTextValue m_language;

    QList<Chain> m_chains;
    // The language ids of the server's prompt files, each once, in order.
    QStringList m_promptLanguages;
    // The "set sys_language_table" reply; empty when the server has none.
    QString m_languageTable;
    bool m_multiLanguage = false;
    // The language list shows a name the administrator did not choose.
    bool m_languagePlaceholder = false;
    // Boxes whose time zone was offered already.
    QSet<long> m_zoneOffered;
};
