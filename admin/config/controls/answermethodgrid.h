// The grid of answer methods, one row a method, that the configuration
// window's Answer Methods page and the configuration wizard's answer-method
// step both show: its four columns, their choice lists (the greeting user
// agents the methods name, the telephone-system integration groups) and the
// check of a typed group. The two differ in what a typed name, greeting or
// ring count leads to (the window asks in dialogs and creates a missing
// greeting user agent, the wizard only warns), so those stay with the pages.
#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

class CAnswerMethodList;
class CConfigDepot;
class CSpreadSheetEx;

class CAnswerMethodGrid {
public:
    enum Column { NameColumn = 1, GreetingColumn, RingsColumn, GroupColumn };

    // The grid is the page's; nothing is written into it before Initialise.
    explicit CAnswerMethodGrid(CSpreadSheetEx *grid) : m_grid(grid) {}

    // Writes the four column headers and the widths of the first three
    // columns (the group column takes the width they leave); from now on
    // the grid shows the methods.
    void Initialise(const QStringList &headers, std::initializer_list<double> widths);
    bool IsReady() const { return m_ready; }
    // Writes every method into its row; the grid must be ready.
    void FillRows(const CAnswerMethodList &methods);
    void FitColumns(int methodCount);

    // The distinct greeting numbers of `methods`, which every row's
    // greeting column offers.
    void RebuildGreetingList(const CAnswerMethodList &methods);
    bool ListsGreeting(const QString &number) const { return m_greetingNumbers.contains(number); }

    // The groups the server holds, until the telephone-system page tells
    // its own (tab-separated).
    void TakeDepotGroups(const CConfigDepot &depot);
    void SetGroupNames(const QString &names);
    // A typed group is taken when it has no blank and names a known group.
    bool IsGroupName(const QString &text) const { return !text.contains(u' ') && m_groupNames.contains(text); }

    // True while the grid's cell editor holds the focus.
    bool EditorHasFocus() const;
    // An editor losing the focus hands its text to the grid, which reports
    // it as a change like any other.
    void CommitOpenEditor();

    // The message that refuses a name another method has.
    static QString NameTakenMessage(const QString &name);

private:
    CSpreadSheetEx *m_grid;
    bool m_ready = false;
    QStringList m_greetingNumbers;
    QStringList m_groupNames;
};
