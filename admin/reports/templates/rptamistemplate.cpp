// See rptamistemplate.h.
#include "admin/reports/templates/rptamistemplate.h"

namespace {

// The fields as the dialog lays them out, by row of the column table.
constexpr int kOrder[] = {0, 1, 2, 3, 5, 7, 9, 4, 6, 8};

} // namespace

CRptAmisTemplate::CRptAmisTemplate(QWidget *parent)
    : CReportTemplateEditor(IDD, QStringLiteral("Edit Amis Template"), 2, kOrder, parent)
{
}
