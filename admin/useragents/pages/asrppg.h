// The ninth page of the mailbox sheet, "ASR Auto Attendant": what callers
// may do by speech through the ASR auto attendant (transfer, log in, send a
// message) and the box's synonyms, the spoken alternatives to its name. For
// each synonym a voice prompt is recorded and played back over a telephone
// line of the server: the server grabs a line and dials the administrator's
// telephone, and the administrator speaks the synonym into it.
//
// The synonyms are stored in one property, "&ASR_Alias_List", as a Tcl
// list; a hidden edit carries that text through the page base, so editing
// the list marks the page changed like any field. Prompt files lie in the
// server's prompt folder, <sys_tcl_library_path>/asr_aa_data/prompts/, one
// per synonym, named after it with "_" for each blank and ".vox".
//
// The line: grabbing and dialling happen once, and the line is then kept
// between recordings and plays of the same visit. A timer polls a running
// recording or play every 20 ms; each poll runs to its end before the next
// may start (a message box it shows does not let another poll in), and any
// answer other than "still running" ends the recording or play. The line is
// let go by Disconnect, a hang-up or error, the page being hidden, another
// box being loaded and the sheet closing.
//
// What reaches the server from the administrator is checked first: the
// telephone number is dialling characters only, the prompt folder must have
// been read, and a prompt's file name is built only from a valid synonym;
// paths go as one Tcl word. An existing prompt is deleted after a failure
// only once a new recording of it has started.
#pragma once

#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pages/mailboxpagebase.h"

#include <QStringList>

class CSpreadSheetEx;

class CAsrPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int {
        IDD = 262,
        IDC_TRANSFER = 1777,
        IDC_LOGIN = 1778,
        IDC_SEND_MESSAGE = 1779,
        IDC_ALIAS_LIST = 1780,
        IDC_SYNONYMS = 1781,
        IDL_SYNONYMS = 1787,
        IDC_NEW = 1775,
        IDC_DELETE_SYNONYM = 1776,
        IDC_RECORD = 1782,
        IDC_PLAY = 1783,
        IDC_PHONE = 1784,
        IDC_LINE_STATUS = 1785,
        IDC_DISCONNECT = 1786,
    };
    enum LineState { NoLine = 0, Recording = 1, HeldAfterRecording = 2, Playing = 3, HeldAfterPlaying = 4 };
    // The platform's timers need an id other than 0.
    static constexpr uintptr_t PollTimerId = 1;
    static constexpr UINT PollPeriod = 20;

    CAsrPpg(CMailboxPps &sheet, const CMailboxPageServices &services);
    ~CAsrPpg() override;

    unsigned InitialisedBit() const override { return 0x10000000; }
    void ResetToParent() override;
    void OnSheetClosing() override;
    void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam) override;
    bool TransferData(bool save) override;

    QStringList Synonyms() const { return m_synonyms; }
    LineState GetLineState() const { return m_line; }
    // Why `synonym` may not join the list at `row` (-1: a new one); empty
    // when it may.
    QString CheckSynonym(const QString &synonym, int row) const;
    // The prompt file of a synonym ("Main Office": "Main_Office.vox"); empty
    // for a text that is no valid synonym.
    static QString PromptFileName(const QString &synonym);
    CSpreadSheetEx *Grid() const { return m_grid; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Synonyms.
    void synonymsFromAliasList();
    void rebuildAliasList();
    void fillGrid();
    void onNew();
    void onDeleteSynonym();
    void onSynonymEdited(int col, int row);
    int selectedSynonym() const;
    bool promptExists(const QString &synonym);

    // The line.
    void onRecord();
    void onPlay();
    bool readyToDial(const QString &emptyPhoneMessage);
    bool grabAndDial();
    void stopRecording();
    void stopPlaying();
    void poll();
    void pollRecording();
    void pollPlaying();
    void releaseLine();
    // Stops what runs and lets the line go, when one is held.
    void dropLine();
    void failStep(const QString &result, const QString &deleteFirst = QString());
    QString run(const QString &command);
    QString promptPath(const QString &file) const;
    bool readPromptFolder();
    void setStatus(const QString &text);
    void updateButtons();
    void rememberPhone();

    CPageBoolValue m_transfer;
    CPageBoolValue m_login;
    CPageBoolValue m_sendMessage;
    CPageTextValue m_aliasList;
    CSpreadSheetEx *m_grid = nullptr;
    QStringList m_synonyms;
    // The prompt files known to exist, by synonym.
    QStringList m_withPrompt;
    LineState m_line = NoLine;
    // A recording or play being started, or a poll, is under way.
    bool m_busy = false;
    // The server's prompt folder; empty until read (or unreadable).
    QString m_folder;
    bool m_folderRead = false;
    // The last telephony result text (what follows "command: ").
    QString m_lastResult;
    // The synonym whose prompt is being recorded or played.
    QString m_lineSynonym;
    // The box the page showed last: another one lets the line go.
    long m_shownBox = -1;
};
