// The Language page of the configuration window: every language the
// server knows with its prompt files (the available grid), and the
// languages in use, in order (the in-use grid). Double-clicking a
// language's prompt files edits them (the first file must exist on the
// server); Configure edits the languages in use (each must be in the
// server's language table). It reads and writes the depot's
// `sys_prompt_files` and `sys_language_table` (languagelist.h), looking
// the languages' ids up in the server's current table.
#pragma once

#include "admin/config/window/configproppage.h"
#include "admin/config/records/languagelist.h"

class CLanguageTable;
class CSpreadSheetEx;

class CConfigLanguagePropPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDD = 272, IDC_AVAILABLE_GRID = 1801, IDC_IN_USE_GRID = 1802, IDC_CONFIGURE = 1804 };
    enum Column { NameColumn = 1, FilesColumn = 2 };

    CConfigLanguagePropPage();

    void LoadFromDepot() override;
    void SaveToDepot() override;

    const CLanguageList &Languages() const { return m_languages; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;

private:
    // The server's language table as it is now.
    CLanguageTable serverTable() const;
    void refresh();
    void fitColumns();
    void editPromptFiles(int row, int col);
    void configure();

    CSpreadSheetEx *m_inUseGrid;
    CSpreadSheetEx *m_availableGrid;
    bool m_initialised = false;
    CLanguageList m_languages;
};
