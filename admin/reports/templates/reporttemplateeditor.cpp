// The report template editor; see reporttemplateeditor.h.
#include "admin/reports/templates/reporttemplateeditor.h"

#include "admin/reports/reportengine.h"
#include "admin/reports/templates/addtemplatenamedlg.h"
#include "admin/reports/templates/reporttemplatefile.h"
#include "platform/mfc/dataexchange.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdio>

namespace {

const char *const kGroups[] = {"Mailbox", "Chain", "Messages", "Menus", "Statistics"};
// The column check knows twelve places; the range check then allows ten.
constexpr int kPlaces = 12;
constexpr int kMaxColumn = 10;

} // namespace

CReportTemplateEditor::CReportTemplateEditor(int dialogId, const QString &caption, int typeId,
                                             std::span<const int> order, QWidget *parent)
    : CDialog(dialogId, caption, parent), m_extension(CReportTemplateKinds::ExtensionOf(typeId)),
      m_rows(CReportTemplateKinds::ColumnsOf(m_extension)), m_columns(m_rows.size(), 0),
      m_names(SetDlgCtrlID(new QComboBox(this), IDC_NAME_LIST))
{
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    m_names->setMinimumWidth(220);
    connect(m_names, &QComboBox::activated, this, &CReportTemplateEditor::OnSelchangeName);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Template Name:"), this));
    top->addWidget(m_names, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    buildFields(order);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("New"), this), IDC_NEW));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("Delete"), this), IDC_DELETE));
    buttons->addStretch();
    buttons->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("OK"), this), IDOK));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("Cancel"), this), IDCANCEL));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CReportTemplateEditor::~CReportTemplateEditor() = default;

void CReportTemplateEditor::buildFields(std::span<const int> order)
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        auto *field = SetDlgCtrlID(new QLineEdit(this), IDC_FIRST_FIELD + int(row));
        field->setFixedWidth(36);
        field->setAlignment(Qt::AlignRight);
        m_fields.append(field);
    }
    auto *layout = qobject_cast<QVBoxLayout *>(this->layout());
    auto addField = [this](QGridLayout *grid, int row, int place, int perLine) {
        const int line = place / perLine;
        const int column = (place % perLine) * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(m_rows[size_t(row)].label), this), line, column);
        grid->addWidget(m_fields[row], line, column + 1);
    };
    const bool grouped = !m_rows.empty() && m_rows[0].group[0] != '\0';
    if (!grouped) {
        auto *grid = new QGridLayout;
        for (int place = 0; place < int(m_rows.size()); ++place)
            addField(grid, order.empty() ? place : order[size_t(place)], place, 2);
        layout->addLayout(grid);
        return;
    }
    auto *columns = new QHBoxLayout;
    auto *side = new QVBoxLayout;
    for (const char *group : kGroups) {
        auto *box = new QGroupBox(QString::fromLatin1(group), this);
        auto *grid = new QGridLayout(box);
        const bool wide = qstrcmp(group, "Mailbox") == 0;
        int place = 0;
        for (size_t row = 0; row < m_rows.size(); ++row)
            if (qstrcmp(m_rows[row].group, group) == 0)
                addField(grid, int(row), place++, wide ? 3 : 2);
        if (wide)
            columns->addWidget(box, 0, Qt::AlignTop);
        else
            side->addWidget(box);
    }
    side->addStretch();
    columns->addLayout(side);
    layout->addLayout(columns);
    // Rows the dialog never shows keep their numbers and are written as they are.
    for (size_t row = 0; row < m_rows.size(); ++row)
        if (qstrcmp(m_rows[row].group, "hidden") == 0)
            m_fields[int(row)]->hide();
}

bool CReportTemplateEditor::OnInitDialog()
{
    CDialog::OnInitDialog();
    CReportEngine *engine = CReportEngine::Current();
    const QString folder = engine ? engine->TemplateFolder() : QString();
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        // No list of templates: the editor stays open with its fields.
        showColumns();
        GetDlgItem(IDC_DELETE)->setEnabled(false);
        return true;
    }
    m_folder = folder;
    m_names->addItems(CReportTemplateFile::List(m_folder, m_extension));
    if (m_names->count() == 0) {
        showColumns();
        GetDlgItem(IDC_DELETE)->setEnabled(false);
    } else {
        m_names->setCurrentIndex(0);
        m_strTemplateName = m_names->itemText(0);
        showColumns();
        LoadTemplate();
        GetDlgItem(IDC_DELETE)->setEnabled(true);
    }
    m_bModified = false;
    return true;
}

void CReportTemplateEditor::DoDataExchange(CDataExchange *dx)
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        DDX_Text(dx, IDC_FIRST_FIELD + int(row), m_columns[row]);
        DDV_MinMaxInt(dx, m_columns[row], 0, kMaxColumn);
    }
}

void CReportTemplateEditor::showColumns()
{
    for (size_t row = 0; row < m_rows.size(); ++row)
        m_fields[int(row)]->setText(QString::number(m_columns[row]));
}

LRESULT CReportTemplateEditor::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        const int id = int(LOWORD(wParam));
        if (id >= IDC_FIRST_FIELD && id < IDC_FIRST_FIELD + int(m_rows.size()))
            m_bModified = true;
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CReportTemplateEditor::OnCommand(int id)
{
    switch (id) {
    case IDC_NEW:
        OnNew();
        return true;
    case IDC_DELETE:
        OnDelete();
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

bool CReportTemplateEditor::LoadTemplate()
{
    if (m_strTemplateName.isEmpty()) {
        std::fill(m_columns.begin(), m_columns.end(), 0);
        showColumns();
        return false;
    }
    const QString path = QDir(m_folder).filePath(CReportTemplateFile::FileName(m_strTemplateName, m_extension));
    if (!QFileInfo::exists(path)) {
        // A new template starts empty.
        std::fill(m_columns.begin(), m_columns.end(), 0);
        showColumns();
        return true;
    }
    QList<ReportTemplateRecord> records;
    QString error;
    if (!CReportTemplateFile::Read(path, int(m_rows.size()), records, error)) {
        AfxMessageBox(QStringLiteral("The template %1 cannot be used. %2").arg(m_strTemplateName, error), MB_OK);
        return false;
    }
    // Paired by position and key: a file of another layout loads only the
    // rows whose keys still match.
    for (size_t row = 0; row < m_rows.size(); ++row)
        if (records[qsizetype(row)].key == QByteArray(m_rows[row].key))
            m_columns[row] = records[qsizetype(row)].column;
    showColumns();
    return true;
}

void CReportTemplateEditor::selectName(const QString &name)
{
    m_names->setCurrentIndex(m_names->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    m_strTemplateName = name;
}

void CReportTemplateEditor::OnSelchangeName(int index)
{
    const QString chosen = m_names->itemText(index);
    if (m_bModified && AfxMessageBox(QStringLiteral("Discard changes?"), MB_YESNO) != IDYES) {
        selectName(m_strTemplateName);
        return;
    }
    m_bModified = false;
    m_strTemplateName = chosen;
    LoadTemplate();
}

void CReportTemplateEditor::OnNew()
{
    CAddTemplateNameDlg dialog(*m_names, this);
    if (dialog.DoModal() != IDOK)
        return;
    const QString name = dialog.m_strName;
    if (name.isEmpty())
        return;
    if (!CReportTemplateFile::IsValidName(name)) {
        AfxMessageBox(QStringLiteral("\"%1\" can not be a template name. A name holds no \"/\", \"\\\" or "
                                     "control characters and is not \".\" or \"..\".")
                          .arg(name),
                      MB_OK);
        return;
    }
    if (m_names->findText(name, Qt::MatchFixedString) < 0) {
        int at = 0;
        while (at < m_names->count() && m_names->itemText(at).compare(name, Qt::CaseInsensitive) < 0)
            ++at;
        m_names->insertItem(at, name);
    }
    selectName(m_names->itemText(m_names->findText(name, Qt::MatchFixedString)));
    GetDlgItem(IDC_DELETE)->setEnabled(true);
    LoadTemplate();
}

void CReportTemplateEditor::OnDelete()
{
    const QString name = m_names->currentIndex() >= 0 ? m_names->itemText(m_names->currentIndex()) : QString();
    if (name.isEmpty() || m_folder.isEmpty())
        return;
    const QString fileName = CReportTemplateFile::FileName(name, m_extension);
    const QString path = QDir(m_folder).filePath(fileName);
    if (QFileInfo::exists(path)) {
        if (AfxMessageBox(QStringLiteral("Are you sure you want to delete %1? ").arg(fileName), MB_YESNO) != IDYES)
            return;
        if (std::remove(QFile::encodeName(path).constData()) != 0) {
            AfxMessageBox(QStringLiteral("Unable to delete %1 Error %2 ").arg(fileName).arg(errno), MB_OK);
            return;
        }
    }
    m_names->removeItem(m_names->currentIndex());
    if (m_names->count() == 0) {
        GetDlgItem(IDC_DELETE)->setEnabled(false);
        m_names->setCurrentIndex(-1);
        m_names->setEditText(QString());
        m_strTemplateName.clear();
    } else {
        GetDlgItem(IDC_DELETE)->setEnabled(true);
        selectName(m_names->itemText(0));
        LoadTemplate();
    }
    showColumns();
}

bool CReportTemplateEditor::ValidateColumns()
{
    std::vector<int> numbers(m_rows.size());
    for (size_t row = 0; row < m_rows.size(); ++row)
        numbers[row] = m_fields[int(row)]->text().trimmed().toInt(); // no number counts as 0
    int holder[kPlaces + 1];
    std::fill(std::begin(holder), std::end(holder), -1);
    bool columnOne = false;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const int n = numbers[row];
        if (n == 1)
            columnOne = true;
        if (n < 1 || n > kPlaces)
            continue;
        if (holder[n] >= 0) {
            AfxMessageBox(QStringLiteral("Number already entered.  Please choose another one!!"), MB_OK);
            GotoDlgCtrl(m_fields[int(row)]);
            return false;
        }
        holder[n] = int(row);
    }
    bool seen = false;
    bool gap = false;
    for (int place = 1; place <= kPlaces; ++place) {
        if (holder[place] < 0) {
            gap = gap || seen;
            continue;
        }
        if (gap) {
            AfxMessageBox(QStringLiteral("Column %1 is skipped.  Columns can not be skipped!").arg(place - 1), MB_OK);
            GotoDlgCtrl(m_fields[holder[place]]);
            return false;
        }
        seen = true;
    }
    if (!columnOne) {
        AfxMessageBox(QStringLiteral("Column one is not defined."), MB_OK);
        return false;
    }
    return true;
}

bool CReportTemplateEditor::SaveFile()
{
    if (!ValidateColumns())
        return false;
    if (!UpdateData(true))
        return false;
    if (m_names->currentIndex() < 0 || m_folder.isEmpty()) {
        AfxMessageBox(QStringLiteral("No template name is selected"), MB_OK);
        return false;
    }
    m_strTemplateName = m_names->itemText(m_names->currentIndex());
    if (m_strTemplateName.isEmpty() || !CReportTemplateFile::IsValidName(m_strTemplateName))
        return false;
    const QString fileName = CReportTemplateFile::FileName(m_strTemplateName, m_extension);
    const QString twin = CReportTemplateFile::CaseTwin(m_folder, fileName);
    if (!twin.isEmpty()) {
        AfxMessageBox(QStringLiteral("%1 can not be written beside %2, which differs only in letter case.")
                          .arg(fileName, twin),
                      MB_OK);
        return false;
    }
    const QString path = QDir(m_folder).filePath(fileName);
    // "No" keeps the old file and goes back to the editor.
    if (QFileInfo::exists(path) &&
        AfxMessageBox(QStringLiteral("File '%1' exists.  Do you want to overwrite it? ").arg(fileName), MB_YESNO) !=
            IDYES)
        return false;
    QString error;
    if (!CReportTemplateFile::Write(path, m_rows, m_columns, error)) {
        AfxMessageBox(error, MB_OK);
        return false;
    }
    return true;
}

void CReportTemplateEditor::OnOK()
{
    if (SaveFile())
        EndDialog(IDOK);
}

void CReportTemplateEditor::OnCancel()
{
    EndDialog(IDCANCEL);
}
