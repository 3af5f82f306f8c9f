// The report template editor of VPIM gateways (and proxies, which share them).
#pragma once

#include "admin/reports/templates/reporttemplateeditor.h"

class CVpimTemplate : public CReportTemplateEditor {
    Q_OBJECT
public:
    enum { IDD = 274 };

    explicit CVpimTemplate(QWidget *parent = nullptr);
};
