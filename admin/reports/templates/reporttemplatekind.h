// The kinds of report templates and their column tables. A template file
// holds one record per row of its kind's column table, in the table's order
// (caption, property key, report column); the editors show one number field
// per row, and the Generate Reports dialog lists the templates of a kind by
// its extension. AMIS proxies share the AMIS gateways' templates, VPIM
// proxies the VPIM gateways'.
#pragma once

#include <QString>

#include <span>

struct ReportTemplateKind {
    int typeId;
    const char *name;
    const char *extension;
};

// One row of a column table. `group` is the box the editor shows the field
// in ("hidden": never shown, written all the same); `label` the field's label.
struct ReportTemplateColumn {
    const char *caption;
    const char *key;
    const char *group;
    const char *label;
};

class CReportTemplateKinds {
public:
    // "Voice Mailbox" vmb 1, "Amis Gateway" ams 2, "Amis Proxy" ams 5,
    // "Vpim Gateway" vpm 6, "Vpim Proxy" vpm 7.
    static std::span<const ReportTemplateKind> Kinds();
    static const ReportTemplateKind *FindByName(const QString &name);
    // The extension of a user-agent type id; empty for none.
    static QString ExtensionOf(int typeId);
    // The column table of an extension; empty for an unknown one.
    static std::span<const ReportTemplateColumn> ColumnsOf(const QString &extension);
};
