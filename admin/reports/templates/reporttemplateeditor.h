// The report template editors: the templates of one kind in a name list, one
// number field per row of the kind's column table (the report column of that
// property, 0 when it is not in the report), and New, Delete, OK and Cancel.
// OK checks the columns (no number twice, no gap, column one used, each 0 to
// 10) and writes the selected template; Cancel writes nothing.
//
// The templates lie in the report engine's "Template" folder; the editor
// names its files there and never changes the process's working directory.
// CRptMbTemplate, CRptAmisTemplate and CVpimTemplate are this editor with
// their own caption, column table and field order.
#pragma once

#include "admin/reports/templates/reporttemplatekind.h"
#include "platform/mfc/dialog.h"

#include <QList>
#include <QString>

#include <span>
#include <vector>

class QComboBox;
class QLineEdit;

class CReportTemplateEditor : public CDialog {
    Q_OBJECT
public:
    enum {
        IDC_NAME_LIST = 1001,
        IDC_NEW = 1002,
        IDC_DELETE = 1003,
        IDC_FIRST_FIELD = 1100, // + row of the column table
    };

    ~CReportTemplateEditor() override;

    // Nonzero on success.
    bool LoadTemplate();
    bool SaveFile();
    QString TemplateFolder() const { return m_folder; }

protected:
    // `order`: the rows in the order their fields are shown, for kinds
    // without groups; empty for table order.
    CReportTemplateEditor(int dialogId, const QString &caption, int typeId, std::span<const int> order,
                          QWidget *parent);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id) override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void buildFields(std::span<const int> order);
    void OnSelchangeName(int index);
    void OnNew();
    void OnDelete();
    bool ValidateColumns();
    void showColumns();
    void selectName(const QString &name);

    QString m_extension;
    std::span<const ReportTemplateColumn> m_rows;
    std::vector<int> m_columns;
    QList<QLineEdit *> m_fields;
    QComboBox *m_names;
    QString m_folder;
    QString m_strTemplateName;
    bool m_bModified = false;
};
