// The Language page; see configlanguagepropage.h. Each operation (loading,
// saving, checking a Configure) reads the server's language table once and
// looks every language up in that one copy.
#include "admin/config/window/configlanguagepropage.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/dialogs/elementvaluesdlg.h"
#include "admin/config/records/languagetable.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/resizewatcher.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNoIdMessage = QStringLiteral("Cannot update Language since Language ID is not defined.");
const QString kNoPromptFile =
    QStringLiteral("There must be one prompt file for the language, changing to previous saved value!");
const QString kNoSuchFile = QStringLiteral("There is no such file on the server, changing to previous saved value!");
const QString kInvalidLanguage = QStringLiteral("Invalid language entered, changing to previous saved value.\n"
                                                "Only following languages are allowed:\n");

QString filesText(const LanguageRecord &record)
{
    QStringList words;
    for (const QString &file : record.promptFiles)
        words.append(TclBareWord(file));
    return words.join(u' ');
}

} // namespace

CConfigLanguagePropPage::CConfigLanguagePropPage()
    : CConfigPropPage(IDD, tr("Language"), CConfigPropSheet::ID_CONFIG_LANGUAGE),
      m_inUseGrid(SetDlgCtrlID(new CSpreadSheetEx(1, this), IDC_IN_USE_GRID)),
      m_availableGrid(SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_AVAILABLE_GRID))
{
    auto *available = new QGroupBox(tr("Language Available"), this);
    (new QVBoxLayout(available))->addWidget(m_availableGrid);
    auto *inUse = new QGroupBox(tr("Language In Use"), this);
    auto *inUseLayout = new QVBoxLayout(inUse);
    inUseLayout->addWidget(m_inUseGrid);
    inUseLayout->addWidget(SetDlgCtrlID(new QPushButton(tr("Configure"), inUse), IDC_CONFIGURE), 0,
                           Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(available, 2);
    layout->addWidget(inUse, 1);
    // The grids sit in group boxes: they fit their columns once they have
    // their own new size.
    auto *watcher = new CResizeWatcher(this, [this] { fitColumns(); });
    watcher->watch(m_availableGrid);
    watcher->watch(m_inUseGrid);
    connect(m_availableGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { editPromptFiles(row + 1, column + 1); });
}

CLanguageTable CConfigLanguagePropPage::serverTable() const
{
    const QString reply = Depot()->Channel()->Execute(QStringLiteral("set sys_language_table\r\n"));
    return CLanguageTable(IsErrorReply(reply) ? QString() : reply);
}

void CConfigLanguagePropPage::LoadFromDepot()
{
    m_languages.Load(Depot()->m_promptFiles, Depot()->m_languageTable, serverTable());
    SetModified(false);
    refresh();
}

void CConfigLanguagePropPage::SaveToDepot()
{
    // Languages as they were read are not looked up again: their texts
    // stay as the server sent them.
    if (!m_initialised)
        return;
    if (m_languages.IsChanged()) {
        if (!m_languages.Format(serverTable(), Depot()->m_promptFiles, Depot()->m_languageTable)) {
            AfxMessageBox(kNoIdMessage);
            return;
        }
        m_languages.Stored(Depot()->m_promptFiles, Depot()->m_languageTable);
    }
    SetModified(false);
}

bool CConfigLanguagePropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_availableGrid->SetColWidth(NameColumn, m_availableGrid->GetColWidth(NameColumn) * 2);
    m_availableGrid->SetRowHeight(0, 2 * 12.75);
    SetGridCellText(m_availableGrid, NameColumn, 0, tr("Language"));
    SetGridCellText(m_availableGrid, FilesColumn, 0, tr("Language\nPrompts Files"));
    m_inUseGrid->SetColWidth(NameColumn, m_inUseGrid->GetColWidth(NameColumn) * 2);
    m_inUseGrid->SetRowHeight(0, 2 * 12.75);
    SetGridCellText(m_inUseGrid, NameColumn, 0, tr("Configured\nLanguage"));
    m_initialised = true;
    fitColumns();
    refresh();
    return true;
}

bool CConfigLanguagePropPage::OnCommand(int id)
{
    if (id == IDC_CONFIGURE) {
        configure();
        return true;
    }
    return CConfigPropPage::OnCommand(id);
}

void CConfigLanguagePropPage::fitColumns()
{
    if (!m_initialised)
        return;
    m_availableGrid->SizeColumns(FilesColumn, true);
    m_availableGrid->RestoreColumnWidth(int(m_languages.m_records.size()));
    m_inUseGrid->SizeColumns(NameColumn, true);
    m_inUseGrid->RestoreColumnWidth(int(m_languages.m_configured.size()));
}

// Both grids are read-only: the prompt files change through their dialog,
// the languages in use through Configure.
void CConfigLanguagePropPage::refresh()
{
    if (!m_initialised)
        return;
    m_availableGrid->RestoreColumnWidth(int(m_languages.m_records.size()));
    for (int row = 1; row <= m_languages.m_records.size(); ++row) {
        const LanguageRecord &record = m_languages.m_records[row - 1];
        for (auto [col, text] : {std::pair{int(NameColumn), record.name}, {int(FilesColumn), filesText(record)}}) {
            SetGridCellText(m_availableGrid, col, row, text);
            m_availableGrid->SetLock(true);
        }
    }
    m_inUseGrid->RestoreColumnWidth(int(m_languages.m_configured.size()));
    for (int row = 1; row <= m_languages.m_configured.size(); ++row) {
        SetGridCellText(m_inUseGrid, NameColumn, row, m_languages.m_configured[row - 1]);
        m_inUseGrid->SetLock(true);
    }
    m_availableGrid->setCurrentCell(-1, -1);
    m_inUseGrid->setCurrentCell(-1, -1);
}

void CConfigLanguagePropPage::editPromptFiles(int row, int col)
{
    if (row < 1 || row > m_languages.m_records.size() || col != FilesColumn)
        return;
    LanguageRecord &record = m_languages.m_records[row - 1];
    CElementValuesDlg dialog(this, filesText(record));
    if (dialog.DoModal() != IDOK)
        return;
    QStringList files;
    CTclList().SplitList(dialog.m_strList, files);
    if (files.isEmpty()) {
        AfxMessageBox(kNoPromptFile);
        return;
    }
    const QString reply =
        Depot()->Channel()->Execute(QStringLiteral("is_valid_file %1").arg(TclWord(files.first())));
    if (IsErrorReply(reply)) {
        AfxMessageBox(kNoSuchFile);
        return;
    }
    record.promptFiles = files;
    SetGridCellText(m_availableGrid, FilesColumn, row, filesText(record));
    SetModified(true);
}

void CConfigLanguagePropPage::configure()
{
    QStringList names;
    for (const QString &name : std::as_const(m_languages.m_configured))
        names.append(TclBareWord(name));
    CElementValuesDlg dialog(this, names.join(u' '));
    if (dialog.DoModal() != IDOK)
        return;
    QStringList chosen;
    CTclList().SplitList(dialog.m_strList, chosen);
    const CLanguageTable server = serverTable();
    for (const QString &name : std::as_const(chosen)) {
        if (server.IdOf(name).isEmpty()) {
            QString allowed;
            for (const QString &known : server.Names())
                allowed += known + u' ';
            AfxMessageBox(kInvalidLanguage + allowed);
            return;
        }
    }
    m_languages.m_configured = chosen;
    refresh();
    SetModified(true);
}
