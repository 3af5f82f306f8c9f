// The report template editor of mailboxes (73 fields in the boxes Mailbox, Chain, Messages, Menus and Statistics).
#pragma once

#include "admin/reports/templates/reporttemplateeditor.h"

class CRptMbTemplate : public CReportTemplateEditor {
    Q_OBJECT
public:
    enum { IDD = 200 };

    explicit CRptMbTemplate(QWidget *parent = nullptr);
};
