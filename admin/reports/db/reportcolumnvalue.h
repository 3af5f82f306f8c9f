// One column of a template-driven user-agent report: its heading, the value
// of one user agent, and the property that fills it. The Generate Reports
// run fills up to ten of them per row; COption2LogTable stores the values as
// one row and the captions as another.
#pragma once

#include <QString>

struct ReportColumnValue {
    // Captions and keys are cut to the widths the template file gives them.
    static constexpr int CaptionChars = 31;
    static constexpr int KeyChars = 79;
    static constexpr int ValueChars = 255;

    QString caption;
    QString value;
    QString key;
};
