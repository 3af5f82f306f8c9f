// See rptmbtemplate.h.
#include "admin/reports/templates/rptmbtemplate.h"

CRptMbTemplate::CRptMbTemplate(QWidget *parent)
    : CReportTemplateEditor(IDD, QStringLiteral("Create Report Template for MailboxUser Agent "), 1, {}, parent)
{
}
