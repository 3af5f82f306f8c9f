// The list of boxes beside the mailbox editor's pages: one row per user
// agent the editor may show, with its class of service, comment, extension,
// name and message statistics. It fills itself from the list reply that the
// sheet asks for, sorts by any column (the heading shows " >" or " <"),
// finds rows by typed text (the typed text shows in the heading and is
// forgotten 8 seconds after the last key), and asks the server for the
// clicked box on the sheet's behalf: the GetUA reply goes to the sheet.
//
// It is a view over CMailboxListModel, drawn row by row like every report
// list of the program (CColorListCtrl::PaintReportRow).
#pragma once

#include "admin/useragents/mailboxlistmodel.h"
#include "admin/useragents/useragentarray.h"
#include "platform/messages/messagetarget.h"

#include <QTreeView>

class CServerCommandChannel;

class CMailboxListCtrl : public QTreeView, public CMessageTarget {
    Q_OBJECT
public:
    // Request codes: the list reply (to this list) and GetUA (to the sheet).
    static constexpr WPARAM ListRequestCode = 61455;
    static constexpr WPARAM GetUARequestCode = 61456;
    // wParam: a box number that becomes the current one and is selected.
    static constexpr UINT WM_USERAGENT_LOADED = 0x802;
    static constexpr UINT WM_SELECT_SHOWN_UA = 0x804;
    static constexpr uintptr_t TypeAheadTimerId = 123;
    // Keys typed for the type-ahead are forgotten after this many ticks.
    static constexpr int TypeAheadTicks = 8;

    // `channel` sends the list's commands; `replyWindow` (the sheet) gets the
    // GetUA replies; `windowToClose` is closed when no box is left to show.
    CMailboxListCtrl(CServerCommandChannel *channel, CUserAgentArray::AllowedFilter allowed,
                     CMessageTarget *replyWindow, HWND windowToClose, QWidget *parent = nullptr);
    ~CMailboxListCtrl() override;

    // Row whose number column, without its blanks, equals `text`; -1 for none.
    int FindItemByText(const QString &text) const;
    // Rewrites the sorted column's heading: its marker, then the typed text.
    void UpdateSortMarker();

    int GetItemCount() const { return m_model.rowCount(); }
    QString GetItemText(int row, int column) const { return m_model.Text(row, column); }
    QString GetColumnHeading(int column) const { return m_model.Heading(column); }
    int GetSelectedItem() const { return m_selectedRow; }
    // Selects the row (clearing the previous one) and scrolls it into view; -1 selects none.
    void SelectItem(int row);
    long GetCurrentUANumber() const { return m_currentNumber; }
    QString GetTypedText() const { return m_typed; }
    const CUserAgentArray &GetArray() const { return m_array; }

    // What a click on a column heading does.
    void OnColumnClick(int column);
    // The editor is closing and its session is about to end: a reply still
    // on its way to the list is dropped instead of acted on, so nothing is
    // asked of a session that is gone. The rows stay as shown.
    void StopReceiving();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

signals:
    // The administrator asked for an editor of its own for this box (right click).
    void openEditorRequested(long number);

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void onServerReply(WPARAM code, const QString &reply);
    void loadRows();
    // Statistics of every mailbox row; false when the server refused them.
    bool loadStatistics();
    void selectNumber(long number);
    void sendGetUA(long number);
    void onClick();
    void typeAhead();
    void moveSelection(int step);
    void onTimer();
    bool isCosList() const;
    int typeAheadColumn() const;
    static QString withoutMarker(const QString &heading);

    CServerCommandChannel *m_channel;
    CMessageTarget *m_replyWindow;
    HWND m_windowToClose;
    CUserAgentArray m_array;
    CMailboxListModel m_model;
    long m_currentNumber = -1;
    int m_selectedRow = -1;
    int m_sortColumn = -1;
    bool m_descending = false;
    QString m_typed;
    int m_countdown = 0;
};
