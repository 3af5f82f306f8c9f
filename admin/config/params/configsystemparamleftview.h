// The System Parameters window's left pane: a grid of the visible
// parameters, name and value, each value cell set up by its description
// (number, TRUE/FALSE, text, list edited in Element Values, pick list).
// An edited value is checked (locally by name, or by the server's is_valid_
// commands) before it reaches the document's working copy; a refused value
// is put back. Add, Remove (context menu) and Ctrl+S (save) act here; the
// pane tells the help pane which parameter is selected.
#pragma once

#include <QWidget>

class CConfigSystemParamDoc;
class CServerCommandChannel;
class CSpreadSheet;
class QMenu;

class CConfigSystemParamLeftView : public QWidget {
    Q_OBJECT
public:
    enum { IDD = 185, IDC_GRID = 1371 };
    enum Command { ID_ADD_PARAM = 32844, ID_DELETE_PARAM = 32845, ID_FILE_SAVE = 57603 };

    // `applicationChannel` is the application's session, which the hide
    // list is read through.
    CConfigSystemParamLeftView(CConfigSystemParamDoc &document, CServerCommandChannel *applicationChannel,
                               QWidget *parent = nullptr);

    // Fills the grid from the document.
    void OnInitialUpdate();
    // The view's commands: Add, Remove, Save.
    void OnCommand(int id);

    CSpreadSheet *Grid() const { return m_grid; }
    // The context menu as it was last shown.
    QMenu *ContextMenu() const { return m_menu; }

    bool ValidateParamValue(const QString &text, const QString &name);
    bool ValidateIntegerList(const QString &text, const QString &name);
    bool ValidateAppName(const QString &text, const QString &name);
    bool ValidateDirectory(const QString &text, const QString &name);
    bool ValidateFile(const QString &text, const QString &name);
    bool ValidateUserAgent(const QString &text, const QString &name);
    bool ValidateMailbox(const QString &text, const QString &name);
    bool ValidateFaxLineGroup(const QString &text, const QString &name);

    // The edit-mode handler: the window's Close is greyed while a cell is
    // being edited (see CloseEnabled).
    void EnableFrameClose(bool editing);
    // The digits a number parameter's cell takes.
    static int NumberLength(const QString &name);

signals:
    // The selected parameter changed (the help pane follows).
    void SelectionChanged();
    // The window's Close may be used again, or not while a cell is edited.
    void CloseEnabled(bool enabled);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList readHideList() const;
    void setUpValueCell(int row, const QString &name, const QString &value);
    void commitCell(int col, int row);
    void selectRow(int row);
    void editList(int row, int col);
    void onAdd();
    void onDelete();
    void showContextMenu(const QPoint &at);
    // Rejects: shows the message and puts the working copy's value back.
    bool reject(const QString &message, const QString &name);
    bool serverCheck(const QString &command, const QString &text, const QString &name, bool emptyRejected,
                     const QString &message);
    int rowOf(const QString &name) const;
    // 0 when the row's value is not a number.
    int maxDigits(int row) const;
    bool isListCell(int row, int col) const;
    QString nameAt(int row) const;

    CConfigSystemParamDoc &m_document;
    CServerCommandChannel *m_applicationChannel;
    CServerCommandChannel *m_channel = nullptr;
    CSpreadSheet *m_grid;
    QMenu *m_menu = nullptr;
    bool m_bElementRejected = false;
    bool m_filling = false;
    int m_currentRow = 0;
};
