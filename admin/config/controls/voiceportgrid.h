// The grid of voice ports, one row a port, that the configuration window's
// Voice Ports page and the configuration wizard's voice-port step both show:
// the port number locked in column 1, the extension typed in column 2 and
// the answer method chosen in column 3 from the methods' names, with the
// check of a typed extension. The window's page adds its port-group columns
// and follows the current row; the wizard's step also checks a typed method.
#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

class CSpreadSheetEx;
class CVoicePortList;
struct VoicePortRecord;

class CVoicePortGrid {
public:
    enum Column { ColPort = 1, ColExtension, ColAnswerMethod };

    // The grid is the page's; nothing is written into it before Initialise.
    explicit CVoicePortGrid(CSpreadSheetEx *grid) : m_grid(grid) {}

    // Writes the column headers (the grid gets that many columns) and the
    // widths of the first columns; the last one is fitted to the width the
    // others leave. From now on the grid shows the ports.
    void Initialise(const QStringList &headers, std::initializer_list<double> widths);
    bool IsReady() const { return m_ready; }
    void FitColumns(int portCount);
    // Gives the grid a row a port and writes its first three columns; a
    // method that is not among the choices shows as an empty cell.
    void FillRows(const CVoicePortList &ports);

    // The methods a port may take: the depot's `answer_method_list` until
    // the answer-method page tells its names (tab-separated), which every
    // row's column 3 then offers.
    void TakeDepotAnswerMethods(const QString &answerMethods);
    void SetAnswerMethodList(const QString &names, int portCount);
    const QStringList &AnswerMethodNames() const { return m_answerMethodNames; }
    // Methods the grid offered that the list no longer has.
    const QStringList &WithdrawnAnswerMethodNames() const { return m_withdrawnNames; }
    // A method given to ports under a new name is one of their choices.
    void AddAnswerMethodName(const QString &name);

    // Takes an extension typed into `row`; one with a blank is refused: the
    // message, the record's extension back in the cell, and the move off it
    // held back. True when taken.
    bool TakeExtension(int row, VoicePortRecord &record, const QString &text);
    // Keeps the active cell on (col, row) after a refused extension; true
    // when it did.
    bool HoldBackRefusedMove(int col, int row, bool *cancel);
    // A new entry starts without the hold-back of an earlier one.
    void ForgetRefusal() { m_refused = false; }

private:
    CSpreadSheetEx *m_grid;
    int m_lastColumn = ColAnswerMethod;
    bool m_ready = false;
    bool m_refused = false;
    QStringList m_answerMethodNames;
    QStringList m_withdrawnNames;
};
