// See vpimtemplate.h.
#include "admin/reports/templates/vpimtemplate.h"

namespace {

// The fields as the dialog lays them out, by row of the column table.
constexpr int kOrder[] = {0, 1, 2, 3, 5, 7, 9, 4, 6, 8};

} // namespace

CVpimTemplate::CVpimTemplate(QWidget *parent)
    : CReportTemplateEditor(IDD, QStringLiteral("Edit VPIM Template"), 6, kOrder, parent)
{
}
