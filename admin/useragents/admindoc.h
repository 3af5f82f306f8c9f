// The document of one mailbox editor window. It owns the editor's session
// (through CZELTDocument), the record the editor works on, and the list of
// boxes this editor may show. It stands between the session and everything
// of the editor that sends commands: its command filter rewrites the generic
// list query "AllUA" into a query for exactly this editor's boxes, and a
// "RestrictedUA N" request into a GetUA of N only when N is one of them, so
// the list and the sheet never need to know whether the editor is limited.
#pragma once

#include "admin/session/servercommandchannel.h"
#include "admin/session/zeltdocument.h"
#include "admin/useragents/scenariouseragent.h"
#include "admin/useragents/useragentarray.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CMailboxPps;
class CPropertyPage;

class CAdminDoc : public CZELTDocument, public CServerCommandChannel {
public:
    // What the administrator's account may reach: `allowed` tells whether a
    // box may be administered, `allowsAllUserAgents` whether every box may;
    // `rights` is the account's rights word, which the document's windows
    // read for what they show; `serverVariable` gives the server's texts read
    // at login (EmrId_AIM_Normal, ...), which name some of the fields.
    struct Account {
        CUserAgentArray::AllowedFilter allowed;
        bool allowsAllUserAgents = false;
        uint32_t rights = 0;
        std::function<QString(const QString &name)> serverVariable{};
        // The pages of the editor's sheet, made for each sheet.
        std::function<std::vector<std::unique_ptr<CPropertyPage>>(CMailboxPps &sheet)> pages{};
        // The sheet's Copy button: copies the shown box over new numbers.
        std::function<void(CMailboxPps &sheet, long from)> copy{};
    };

    explicit CAdminDoc(Account account, bool owned = false);
    ~CAdminDoc() override;

    // Own session, connected and logged in; then the editor's list. False
    // (after telling the administrator why) when the editor cannot start.
    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;
    // The window closes: its session's end is this editor's own doing.
    virtual void OnCloseDocument();

    // The box shown first.
    virtual long GetCurrentUANumber() const { return m_currentUANumber; }
    // The list queries of the mailbox list, with a trailing line feed.
    virtual QString GetParmsCommand() const;
    QString GetListParmsCommand() const;
    // Reads the boxes of this editor kind from the server; false (after
    // showing the server's reason) when it refused.
    bool LoadOwnUAList();
    bool IsUAAllowed(long number) const;
    // The numbers, each followed by a blank, then trimmed.
    void AppendUAListText(QString &text) const;
    QString GetUAListText() const;
    bool RemoveUANumber(long number);

    // Limits the editor to `numbers` (a list-limited editor).
    void SetUAList(const QList<long> &numbers);
    QList<long> UANumbers() const { return m_uaNumbers; }
    QString ListCommand() const { return m_listCommand; }
    void SetListGiven(int editorNumber);
    bool IsListGiven() const { return m_listGiven; }
    int EditorNumber() const { return m_editorNumber; }
    bool IsOwned() const { return m_owned; }
    const Account &GetAccount() const { return m_account; }
    QString GetTitle() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    CScenarioUserAgent &Record() { return m_record; }

    // The interface the document hands out to its windows: this filter.
    CServerCommandChannel *Channel() { return this; }
    QString TranslateCommand(const QString &command) const;

    // The filter, in front of the session.
    QString Execute(const QString &command, bool check = true, int type = 1) override;
    HRESULT SendAsync(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                      bool check = true, int type = 1) override;
    HRESULT SendNoReply(const QString &command, int type = 1) override;
    CPendingCommand BeginCommand(const QString &command, bool check = true, int type = 1) override;
    QString WaitReply(CPendingCommand &command) override;

    // Where the filter forwards to; OnNewDocument sets the session's own.
    void SetSessionChannel(CServerCommandChannel *channel) { m_sessionChannel = channel; }

protected:
    QString parmsCommand(const QString &numbers, const QString &whenEmpty) const;

    long m_currentUANumber = -1;

private:
    Account m_account;
    CScenarioUserAgent m_record;
    bool m_listGiven = false;
    int m_editorNumber = 0;
    QList<long> m_uaNumbers;
    CServerCommandChannel *m_sessionChannel = nullptr;
    QString m_listCommand;
    bool m_owned;
    bool m_modified = false;
    QString m_title;
};
