// The System Parameters list; see configsystemparamleftview.h.
#include "admin/config/params/configsystemparamleftview.h"

#include "admin/config/params/addsysparamdlg.h"
#include "admin/config/params/configsystemparamdoc.h"
#include "admin/config/params/deletesysparamdlg.h"
#include "admin/config/params/sysparamvaluedelegate.h"
#include "admin/config/dialogs/elementvaluesdlg.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/spreadsheet.h"
#include "platform/msgbox/msgbox.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kNameWidth = 20;
constexpr double kValueWidth = 25;
constexpr int kMaxTextLength = 32767;

const QString kNotEmpty = QStringLiteral("This cell cannot be empty!");

// The text's leading decimal integer, 0 when it has none.
long long leadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

bool isOneOf(const QString &name, std::initializer_list<const char *> names)
{
    for (const char *candidate : names)
        if (name == QLatin1String(candidate))
            return true;
    return false;
}

} // namespace

CConfigSystemParamLeftView::CConfigSystemParamLeftView(CConfigSystemParamDoc &document,
                                                       CServerCommandChannel *applicationChannel,
                                                       QWidget *parent)
    : QWidget(parent), m_document(document), m_applicationChannel(applicationChannel),
      m_grid(new CSpreadSheet(2, this))
{
    m_grid->setObjectName(QStringLiteral("grid%1").arg(int(IDC_GRID)));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_grid);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    setContextMenuPolicy(Qt::CustomContextMenu);

    connect(m_grid, &CSpreadSheet::Change, this, &CConfigSystemParamLeftView::commitCell);
    connect(m_grid, &CSpreadSheet::Click, this, [this](int, int row) { selectRow(row); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) { selectRow(row + 1); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int col) { editList(row + 1, col + 1); });
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { showContextMenu(m_grid->viewport()->mapToGlobal(at)); });
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { showContextMenu(mapToGlobal(at)); });

    auto *values = new CSysParamValueDelegate(m_grid->itemDelegate(), [this](int row) { return maxDigits(row + 1); },
                                              m_grid);
    m_grid->setItemDelegateForColumn(1, values);
    connect(values, &CSysParamValueDelegate::EditingChanged, this, &CConfigSystemParamLeftView::EnableFrameClose);

    m_grid->installEventFilter(this);
}

bool CConfigSystemParamLeftView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Save)) {
        OnCommand(ID_FILE_SAVE);
        return true;
    }
    // Any character typed on a list value opens its elements, as a double
    // click does (a cell being edited has the keys itself; moving keys type
    // nothing).
    if (!key->text().isEmpty() && !m_grid->IsEditing()) {
        const int row = m_grid->currentRow() + 1;
        const int col = m_grid->currentColumn() + 1;
        if (isListCell(row, col)) {
            editList(row, col);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- filling ---------------------------------------------------------------------

QStringList CConfigSystemParamLeftView::readHideList() const
{
    if (!m_applicationChannel)
        return {};
    const QString reply = m_applicationChannel->Execute(QStringLiteral("set hide_list\r"));
    // A server without the variable answers with an error: nothing is
    // hidden then, and the error's words are never taken for names.
    QStringList names;
    if (!IsErrorReply(reply))
        CTclList().SplitList(reply, names);
    return names;
}

void CConfigSystemParamLeftView::OnInitialUpdate()
{
    const QScopedValueRollback filling(m_filling, true);
    m_channel = m_document.CommandChannel();
    const QStringList hidden = readHideList();

    m_grid->SetMaxRows(0);
    m_grid->SetRow(0);
    m_grid->SetCol(1);
    m_grid->SetText(QStringLiteral("Parameter Names"));
    m_grid->SetCol(2);
    m_grid->SetText(QStringLiteral("Values"));
    int row = 0;
    for (const QString &name : m_document.ParamNames()) {
        if (hidden.contains(name))
            continue;
        ++row;
        m_grid->SetMaxRows(row);
        m_grid->SetRow(row);
        m_grid->SetCol(1);
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        m_grid->SetText(name);
        setUpValueCell(row, name, m_document.Values().value(name));
    }
    m_grid->sortItems(0, Qt::AscendingOrder);
    m_grid->SetColWidth(1, kNameWidth);
    m_grid->SetColWidth(2, kValueWidth);
    // Names are read whole: the name column is never narrower than they are.
    const int nameWidth = m_grid->columnWidth(0);
    m_grid->resizeColumnToContents(0);
    m_grid->setColumnWidth(0, std::max(nameWidth, m_grid->columnWidth(0)));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    if (row > 0)
        m_grid->setCurrentCell(0, 0);
    m_currentRow = m_grid->currentRow() + 1;
    m_document.SetCurrentParam(nameAt(m_currentRow));
}

void CConfigSystemParamLeftView::setUpValueCell(int row, const QString &name, const QString &value)
{
    m_grid->SetRow(row);
    m_grid->SetCol(2);
    const CSysParamMeta *meta = m_document.Description(name);
    const int type = meta ? meta->GetType() : CSysParamMeta::TypeText;
    switch (type) {
    case CSysParamMeta::TypeBool:
        m_grid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_grid->SetTypeComboBoxList(QStringLiteral("TRUE\tFALSE"));
        m_grid->SetTypeComboBoxCurSel(leadingNumber(value) != 0 ? 0 : 1);
        return;
    case CSysParamMeta::TypePicklist: {
        const QStringList &choices = meta->AsRange()->Choices();
        m_grid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_grid->SetTypeComboBoxList(choices.join(u'\t'));
        m_grid->SetTypeComboBoxCurSel(int(choices.indexOf(value)));
        return;
    }
    case CSysParamMeta::TypeList:
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        break;
    default:
        m_grid->SetCellType(CSpreadSheet::CellTypeEdit);
        break;
    }
    m_grid->SetText(value);
}

bool CConfigSystemParamLeftView::isListCell(int row, int col) const
{
    const CSysParamMeta *meta = m_document.Description(nameAt(row));
    return col == 2 && meta && meta->GetType() == CSysParamMeta::TypeList;
}

int CConfigSystemParamLeftView::maxDigits(int row) const
{
    const QString name = nameAt(row);
    const CSysParamMeta *meta = m_document.Description(name);
    return meta && meta->GetType() == CSysParamMeta::TypeInt ? NumberLength(name) : 0;
}

int CConfigSystemParamLeftView::NumberLength(const QString &name)
{
    static const QRegularExpression fixedLength(QStringLiteral("^sys_fixed_len_[0-9]$"));
    if (fixedLength.match(name).hasMatch() ||
        isOneOf(name, {"sys_max_prompt", "sys_amis_failure_retry", "sys_rings_no_answer", "sys_play_skip"}))
        return 1;
    if (isOneOf(name, {"sys_amis_disk_full", "sys_fax_max_retries", "sys_fax_num_rings", "sys_directory_min_digits",
                       "sys_max_sec_code_len", "sys_min_sec_code_len", "sys_smtpserver_maxconn"}))
        return 2;
    if (isOneOf(name, {"sys_amis_area_code", "sys_amis_max_node"}))
        return 3;
    if (isOneOf(name, {"sys_tmo_serial", "sys_tmo_menu", "sys_tmo_dtmf", "sys_tmo_dtmf_login"}))
        return 5;
    return kMaxTextLength;
}

void CConfigSystemParamLeftView::EnableFrameClose(bool editing)
{
    emit CloseEnabled(!editing);
}

// --- selection -----------------------------------------------------------------------

QString CConfigSystemParamLeftView::nameAt(int row) const
{
    const QTableWidgetItem *cell = row >= 1 ? m_grid->item(row - 1, 0) : nullptr;
    return cell ? cell->text() : QString();
}

int CConfigSystemParamLeftView::rowOf(const QString &name) const
{
    for (int row = 1; row <= m_grid->rowCount(); ++row)
        if (nameAt(row) == name)
            return row;
    return 0;
}

void CConfigSystemParamLeftView::selectRow(int row)
{
    if (m_filling || row < 1 || row == m_currentRow)
        return;
    m_currentRow = row;
    m_document.SetCurrentParam(nameAt(row));
    emit SelectionChanged();
}

// --- committing a value ------------------------------------------------------------

void CConfigSystemParamLeftView::commitCell(int col, int row)
{
    if (m_filling || col != 2 || row < 1)
        return;
    const QString name = nameAt(row);
    if (name.isEmpty())
        return;
    m_grid->SetRow(row);
    m_grid->SetCol(2);
    const CSysParamMeta *meta = m_document.Description(name);
    QString value = m_grid->GetText();
    switch (meta ? meta->GetType() : 0) {
    case CSysParamMeta::TypeInt:
        if (isOneOf(name, {"sys_amis_ltm", "sys_default_user_agent"}))
            ValidateUserAgent(value, name);
        else if (name == QLatin1String("sys_operator_ua"))
            ValidateMailbox(value, name);
        else
            ValidateParamValue(value, name);
        break;
    case CSysParamMeta::TypeBool:
        value = m_grid->GetTypeComboBoxCurSel() == 0 ? QStringLiteral("1") : QStringLiteral("0");
        break;
    case CSysParamMeta::TypeText:
        if (isOneOf(name, {"sys_page_ready_tone", "sys_cng_tone"}))
            ValidateIntegerList(value, name);
        else if (isOneOf(name, {"sys_main_app_id", "sys_directory_app_id", "sys_future_delivery_app_id",
                                "sys_notification_editor_app_id", "sys_sendfax_app_id",
                                "sys_token_interpreter_id", "sys_idle_app_id"}))
            ValidateAppName(value, name);
        else if (isOneOf(name,
                         {"sys_systemdata", "sys_tcl_library_path", "sys_uadata", "sys_application_path"}))
            ValidateDirectory(value, name);
        else if (name == QLatin1String("sys_sendfax_line_group"))
            ValidateFaxLineGroup(value, name);
        break;
    case CSysParamMeta::TypeList: {
        const bool apps = name == QLatin1String("sys_pre_startup_apps");
        if (apps || name == QLatin1String("sys_prompt_files")) {
            QStringList elements;
            CTclList().SplitList(value, elements);
            for (const QString &element : elements) {
                apps ? ValidateAppName(element, name) : ValidateFile(element, name);
                if (m_bElementRejected) {
                    m_bElementRejected = false;
                    break;
                }
            }
        }
        break;
    }
    case CSysParamMeta::TypePicklist: {
        const QStringList &choices = meta->AsRange()->Choices();
        const int chosen = m_grid->GetTypeComboBoxCurSel();
        if (chosen >= 0 && chosen < choices.size()) {
            value = choices[chosen];
        } else {
            value = m_document.Values().value(name);
            m_grid->SetTypeComboBoxCurSel(int(choices.indexOf(value)));
        }
        break;
    }
    default:
        break;
    }
    if (meta && meta->GetType() != CSysParamMeta::TypeBool &&
        meta->GetType() != CSysParamMeta::TypePicklist) {
        m_grid->SetRow(row);
        m_grid->SetCol(2);
        value = m_grid->GetText();
    }
    if (m_document.Values().value(name) != value || !m_document.Values().contains(name)) {
        m_document.Values().insert(name, value);
        m_document.SetModifiedFlag();
    }
}

bool CConfigSystemParamLeftView::reject(const QString &message, const QString &name)
{
    AfxMessageBox(message, MB_OK);
    const int row = rowOf(name);
    if (row > 0) {
        const QScopedValueRollback filling(m_filling, true);
        m_grid->SetRow(row);
        m_grid->SetCol(2);
        m_grid->SetText(m_document.Values().value(name));
    }
    return false;
}

bool CConfigSystemParamLeftView::ValidateParamValue(const QString &text, const QString &name)
{
    const long long number = leadingNumber(text);
    const auto other = [this](const char *param) {
        return leadingNumber(m_document.Values().value(QLatin1String(param)));
    };
    if (name == QLatin1String("sys_amis_area_code") && text.size() < 3)
        return reject(QStringLiteral("Please enter a 3 digit code!"), name);
    if (isOneOf(name, {"sys_amis_country_code", "sys_amis_rna", "sys_amis_failure_retry", "sys_short_pause",
                       "sys_tmo_interdigit_timeout", "sys_tmo_dtmf_start_timeout", "sys_tmo_hold",
                       "sys_play_skip"}) &&
        text.isEmpty())
        return reject(kNotEmpty, name);
    static const QRegularExpression fixedLength(QStringLiteral("^sys_fixed_len_[0-9]$"));
    if (fixedLength.match(name).hasMatch() && !text.isEmpty() && (number == 0 || number == 9))
        return reject(QStringLiteral("Please enter a number between 1 and 8"), name);
    if (isOneOf(name, {"sys_rings_no_answer", "sys_max_prompt"}) && (number < 1 || number > 9))
        return reject(QStringLiteral("Please enter a number between 1 and 9"), name);
    if (name == QLatin1String("sys_amis_disk_full") && (number < 5 || number > 25))
        return reject(QStringLiteral("Please enter a number between 5 and 25"), name);
    if (name == QLatin1String("sys_amis_max_node") && (text.isEmpty() || number > 256))
        return reject(QStringLiteral("Please enter a number between 1 and 256"), name);
    if (name == QLatin1String("sys_max_sec_code_len") &&
        (number > 16 || number < other("sys_min_sec_code_len")))
        return reject(QStringLiteral("Please enter a number between sys_min_sec_code_len and 16"), name);
    if (name == QLatin1String("sys_min_sec_code_len") &&
        (number < 1 || number > other("sys_max_sec_code_len")))
        return reject(QStringLiteral("Please enter a number between 1 and sys_max_sec_code_len"), name);
    if (name == QLatin1String("sys_max_guest_box") &&
        (number < 0 || number < other("sys_min_guest_box") || number > 90200))
        return reject(QStringLiteral("Please enter a positive number between sys_min_guest_box and 90200"),
                      name);
    if (name == QLatin1String("sys_min_guest_box") && (number < 0 || number > other("sys_max_guest_box")))
        return reject(QStringLiteral("Please enter a positive number less than sys_max_guest_box"), name);
    if (name == QLatin1String("sys_smtpserver_maxconn") && number > 10)
        return reject(QStringLiteral("Please enter a number between 1 and 10"), name);
    if (name == QLatin1String("sys_statistics_interval") && (number < 1000 || number > 120000))
        return reject(QStringLiteral("Please enter a number between 1000 and 120000"), name);
    if (isOneOf(name, {"sys_tmo_serial", "sys_tmo_menu", "sys_tmo_dtmf_login"}) &&
        (number < 2000 || number > 99000))
        return reject(QStringLiteral("Please enter a number between 2000 and 99000"), name);
    if (name == QLatin1String("sys_tmo_dtmf") && (number < 1200 || number > 99000))
        return reject(QStringLiteral("Please enter a number between 1200 and 99000"), name);
    if (name == QLatin1String("sys_tmo_answer_prompt") && (text.isEmpty() || number == 0)) {
        // Only a warning: the text stays.
        AfxMessageBox(QStringLiteral("Please provide a value if your Switch Integration type is SMDI, "
                                     "Recommended value is 500ms"),
                      MB_OK);
        return false;
    }
    return true;
}

bool CConfigSystemParamLeftView::ValidateIntegerList(const QString &text, const QString &name)
{
    bool valid = !text.isEmpty() && !text.endsWith(u',');
    for (QChar c : text) {
        const char low = char(c.unicode() & 0x7F);
        if (low != ',' && low != ' ' && !(low >= '0' && low <= '9'))
            valid = false;
    }
    if (valid)
        return true;
    return reject(
        QStringLiteral("Please enter comma separated integer values, changing to previous saved values!"),
        name);
}

bool CConfigSystemParamLeftView::serverCheck(const QString &command, const QString &text, const QString &name,
                                             bool emptyRejected, const QString &message)
{
    if (!(emptyRejected && text.isEmpty()) && m_channel &&
        !IsErrorReply(m_channel->Execute(QStringLiteral("%1 %2").arg(command, TclWord(text)))))
        return true;
    return reject(message, name);
}

bool CConfigSystemParamLeftView::ValidateAppName(const QString &text, const QString &name)
{
    if (serverCheck(
            QStringLiteral("is_valid_appname"), text, name, true,
            QStringLiteral("Please enter Valid Application Name, Changing to previous saved values!")))
        return true;
    m_bElementRejected = true;
    return false;
}

bool CConfigSystemParamLeftView::ValidateDirectory(const QString &text, const QString &name)
{
    return serverCheck(
        QStringLiteral("is_valid_directory"), text, name, true,
        QStringLiteral("There is no such directory on the server, changing to previous saved value!"));
}

bool CConfigSystemParamLeftView::ValidateFile(const QString &text, const QString &name)
{
    if (serverCheck(QStringLiteral("is_valid_file"), text, name, true,
                    QStringLiteral("There is no such file on the server, changing to previous saved value!")))
        return true;
    m_bElementRejected = true;
    return false;
}

bool CConfigSystemParamLeftView::ValidateUserAgent(const QString &text, const QString &name)
{
    return serverCheck(
        QStringLiteral("is_valid_ua"), text, name, true,
        QStringLiteral("There is no such User Agent on the server, changing to previous value!"));
}

bool CConfigSystemParamLeftView::ValidateMailbox(const QString &text, const QString &name)
{
    return serverCheck(
        QStringLiteral("is_valid_mailbox"), text, name, false,
        QStringLiteral("There is no such Mail Box on the server, changing to previous saved value!"));
}

bool CConfigSystemParamLeftView::ValidateFaxLineGroup(const QString &text, const QString &name)
{
    return serverCheck(
        QStringLiteral("is_valid_fax_linegroup"), text, name, false,
        QStringLiteral("There is no such Fax Line Group on the server, changing to previous saved value!"));
}

// --- list values, add, delete, save ---------------------------------------------------

void CConfigSystemParamLeftView::editList(int row, int col)
{
    if (row < 1 || row > m_grid->rowCount())
        return;
    selectRow(row);
    if (!isListCell(row, col))
        return;
    m_grid->SetRow(row);
    m_grid->SetCol(2);
    const QString value = m_grid->GetText();
    QStringList elements;
    CTclList().SplitList(value, elements);
    // Text that is not a list would open as no elements at all, and OK
    // would then empty the value.
    if (elements.isEmpty() && !value.trimmed().isEmpty()) {
        AfxMessageBox(QStringLiteral("The value of %1 is not a Tcl list, so its elements cannot be shown:\n%2\n"
                                     "Remove the parameter and add it again with a corrected value.")
                          .arg(nameAt(row), value),
                      MB_OK);
        return;
    }
    CElementValuesDlg dialog(this, value);
    if (dialog.DoModal() != IDOK)
        return;
    // The same elements stay as the server wrote them.
    QStringList edited;
    CTclList().SplitList(dialog.m_strList, edited);
    if (edited == elements)
        return;
    {
        const QScopedValueRollback filling(m_filling, true);
        m_grid->SetRow(row);
        m_grid->SetCol(2);
        m_grid->SetText(dialog.m_strList);
    }
    commitCell(2, row);
}

void CConfigSystemParamLeftView::OnCommand(int id)
{
    switch (id) {
    case ID_ADD_PARAM:
        onAdd();
        break;
    case ID_DELETE_PARAM:
        onDelete();
        break;
    case ID_FILE_SAVE:
        m_document.OnSaveDocument();
        break;
    default:
        break;
    }
}

void CConfigSystemParamLeftView::onAdd()
{
    CAddSysParamDlg dialog(m_document.Values(), this);
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.m_strName.isEmpty()) {
        AfxMessageBox(QStringLiteral("No parameter name assigned.\nParameter is not set!"), MB_OK);
        return;
    }
    if (dialog.m_strValue.isEmpty()) {
        AfxMessageBox(QStringLiteral("No parameter value assigned.\nParameter is not set!"), MB_OK);
        return;
    }
    m_document.Values().insert(dialog.m_strName, dialog.m_strValue);
    m_document.SetModifiedFlag();
    {
        const QScopedValueRollback filling(m_filling, true);
        const int row = m_grid->rowCount() + 1;
        m_grid->SetMaxRows(row);
        m_grid->SetRow(row);
        m_grid->SetCol(1);
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        m_grid->SetText(dialog.m_strName);
        m_grid->SetCol(2);
        // An added parameter is edited as free text in this window.
        m_grid->SetCellType(CSpreadSheet::CellTypeEdit);
        m_grid->SetText(dialog.m_strValue);
        m_grid->sortItems(0, Qt::AscendingOrder);
    }
    m_currentRow = m_grid->currentRow() + 1;
    m_document.SetCurrentParam(nameAt(m_currentRow));
    emit SelectionChanged();
}

void CConfigSystemParamLeftView::onDelete()
{
    const int row = m_grid->currentRow() + 1;
    // Without a data row there is nothing to delete.
    if (row < 1 || row > m_grid->rowCount())
        return;
    const QString name = nameAt(row);
    m_grid->SetRow(row);
    m_grid->SetCol(2);
    CDeleteSysParamDlg dialog(name, m_grid->GetText(), this);
    if (dialog.DoModal() != IDOK)
        return;
    m_document.Values().remove(name);
    m_document.SetModifiedFlag();
    {
        const QScopedValueRollback filling(m_filling, true);
        m_grid->removeRow(row - 1);
    }
    m_currentRow = m_grid->currentRow() + 1;
    m_document.SetCurrentParam(nameAt(m_currentRow));
    emit SelectionChanged();
}

void CConfigSystemParamLeftView::showContextMenu(const QPoint &at)
{
    delete m_menu;
    m_menu = new QMenu(this);
    QAction *add = m_menu->addAction(tr("&Add"));
    QAction *remove = m_menu->addAction(tr("&Remove"));
    const QPoint local = m_grid->viewport()->mapFromGlobal(at);
    const QModelIndex cell =
        m_grid->viewport()->rect().contains(local) ? m_grid->indexAt(local) : QModelIndex();
    remove->setEnabled(cell.isValid());
    if (cell.isValid())
        m_grid->setCurrentCell(cell.row(), 0);
    connect(add, &QAction::triggered, this, [this] { OnCommand(ID_ADD_PARAM); });
    connect(remove, &QAction::triggered, this, [this] { OnCommand(ID_DELETE_PARAM); });
    m_menu->popup(at);
}
