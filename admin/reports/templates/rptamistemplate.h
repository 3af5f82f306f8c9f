// The report template editor of AMIS gateways (and proxies, which share them).
#pragma once

#include "admin/reports/templates/reporttemplateeditor.h"

class CRptAmisTemplate : public CReportTemplateEditor {
    Q_OBJECT
public:
    enum { IDD = 215 };

    explicit CRptAmisTemplate(QWidget *parent = nullptr);
};
