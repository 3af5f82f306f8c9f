// The System Parameters window's right pane: the description of the
// parameter selected in the list, read from the local help script
// "admincv.tcl" (see CParamHelpScript). It never becomes the active pane.
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

    explicit CConfigSystemParamRightView(CConfigSystemParamDoc &document, QWidget *parent = nullptr);

    // Reads the help script (from the current folder) and shows the
    // selected parameter's text; a script that cannot be read is reported.
    void OnInitialUpdate();
    // The list selected another parameter.
    void OnUpdate();

    QString Text() const;

private:
    CConfigSystemParamDoc &m_document;
    CParamHelpScript m_script;
    QPlainTextEdit *m_text;
};
