// The System Parameters window's right pane: the description of the
// parameter selected in the list, read from the local help script
// "admincv.tcl" (see CParamHelpScript). It never becomes the active pane.
// The script in the current folder wins, so that an administrator can try
// texts of their own; otherwise the one installed in the suite's data
// folder (share/verbanta beside the program's bin folder) is read.
#pragma once

#include "admin/config/params/paramhelpscript.h"

#include <QWidget>

class CConfigSystemParamDoc;
class QPlainTextEdit;

class CConfigSystemParamRightView : public QWidget {
    Q_OBJECT
public:
    enum { IDD = 189, IDC_LABEL = 1372, IDC_TEXT = 1373 };
    static constexpr const char *kHelpFile = "admincv.tcl";

    // The help script to read: the current folder's, else the installed one.
    static QString HelpFilePath();

    explicit CConfigSystemParamRightView(CConfigSystemParamDoc &document, QWidget *parent = nullptr);

    // Reads the help script (see HelpFilePath) and shows the
    // selected parameter's text; a script that cannot be read is reported.
    void OnInitialUpdate();
    // The list selected another parameter.
    void OnUpdate();

    QString Text() const;

private:
    bool loadHelpScript(QString &message);

    CConfigSystemParamDoc &m_document;
    CParamHelpScript m_script;
    QPlainTextEdit *m_text;
};
