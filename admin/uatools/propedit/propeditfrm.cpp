// The property editor's form; see propeditfrm.h.
#include "admin/uatools/propedit/propeditfrm.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/uatools/propedit/newvariabledlg.h"
#include "admin/uatools/propedit/propeditdoc.h"
#include "admin/uatools/propedit/propeditvariable.h"
#include "admin/useragents/useragent.h"
#include "admin/widgets/colorlistctrl.h"
#include "platform/mfc/focusmove.h"
#include "platform/msgbox/msgbox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

const char *const kNoParent = "No parent";
const char *const kInheritedNotDeleted = "Variable %1 is inherited and therefore, it can not be deleted.";
const char *const kNotANumber = "\"%1\" is not a user agent number.";
const char *const kNotAllowed = "You are not allowed to edit user agent %1.";

// Image 0 marks a variable the user agent holds itself, image 1 one it
// inherits.
QIcon variableImage(bool own)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::darkGray);
    painter.setBrush(own ? QColor(0x2e, 0x7d, 0x32) : QColor(0xbd, 0xbd, 0xbd));
    painter.drawEllipse(1, 1, 10, 10);
    return QIcon(pixmap);
}

// Before the first record Tab reads the number: the other controls are
// still disabled, so the key has nowhere else to go. Both the press and the
// release are taken when `onTab` takes the key.
class CTabKeyFilter : public QObject {
public:
    CTabKeyFilter(QObject *parent, std::function<bool()> onTab) : QObject(parent), m_onTab(std::move(onTab))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Tab) {
            m_taken = m_onTab();
            return m_taken;
        }
        if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Tab &&
            m_taken) {
            m_taken = false;
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> m_onTab;
    bool m_taken = false;
};

} // namespace

CPropEditFrm::CPropEditFrm(CPropEditDoc *document, std::function<bool(long)> isAllowed, QWidget *parent)
    : CDialog(IDD, QStringLiteral("User Agent"), parent), m_document(document),
      m_isAllowed(std::move(isAllowed)), m_record(std::make_unique<CUserAgent>())
{
    buildControls();
}

CPropEditFrm::~CPropEditFrm() = default;

void CPropEditFrm::buildControls()
{
    m_number = SetDlgCtrlID(new QLineEdit(this), IDC_NUMBER);
    m_parent = SetDlgCtrlID(new QComboBox(this), IDC_PARENT);
    // The security fields stay empty: the record carries neither the code
    // nor the level, and nothing of the editor reads them. They are shown
    // disabled so the form keeps its known shape without pretending.
    auto *securityCode = SetDlgCtrlID(new QLineEdit(this), IDC_SECURITY_CODE);
    auto *securityLevel = SetDlgCtrlID(new QLineEdit(this), IDC_SECURITY_LEVEL);
    securityCode->setEnabled(false);
    securityLevel->setEnabled(false);
    m_scenario = SetDlgCtrlID(new QLineEdit(this), IDC_SCENARIO);
    m_scenario->setReadOnly(true);
    m_value = SetDlgCtrlID(new QLineEdit(this), IDC_VALUE);
    m_set = SetDlgCtrlID(new QPushButton(QStringLiteral("&Set"), this), IDC_SET);
    m_new = SetDlgCtrlID(new QPushButton(QStringLiteral("&New..."), this), IDC_NEW);
    m_remove = SetDlgCtrlID(new QPushButton(QStringLiteral("&Remove"), this), IDC_REMOVE);
    m_apply = SetDlgCtrlID(new QPushButton(QStringLiteral("&Apply"), this), IDC_APPLY);
    m_undo = SetDlgCtrlID(new QPushButton(QStringLiteral("&Undo"), this), IDC_UNDO);
    m_variablesList = SetDlgCtrlID(new CColorListCtrl(this), IDC_VARIABLES);
    for (QPushButton *button : {m_set, m_new, m_remove, m_apply, m_undo})
        button->setAutoDefault(false);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Mailbox Number:"), m_number);
    fields->addRow(QStringLiteral("Parent:"), m_parent);
    fields->addRow(QStringLiteral("Security Access Code:"), securityCode);
    fields->addRow(QStringLiteral("Security Level:"), securityLevel);
    fields->addRow(QStringLiteral("Senario ID:"), m_scenario);

    auto *valueRow = new QHBoxLayout;
    valueRow->addWidget(m_value, 1);
    valueRow->addWidget(m_set);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_new, m_remove, m_apply, m_undo})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_variablesList, 1);
    layout->addLayout(valueRow);
    layout->addLayout(buttons);

    // Until the first record only the number works.
    for (QWidget *control : std::initializer_list<QWidget *>{m_parent, m_scenario, m_value, m_set, m_new,
                                                             m_remove, m_apply, m_undo, m_variablesList})
        control->setEnabled(false);
    m_number->installEventFilter(new CTabKeyFilter(this, [this] {
        if (!m_firstLoad)
            return false;
        numberEntered();
        return true;
    }));
    connect(m_variablesList, &QTreeWidget::itemSelectionChanged, this, &CPropEditFrm::selectionChanged);
    connect(m_parent, &QComboBox::activated, this, &CPropEditFrm::parentChosen);
}

void CPropEditFrm::OnInitialUpdate()
{
    m_variablesList->InsertColumn(0, QStringLiteral("Name"), LVCFMT_LEFT, 100);
    m_variablesList->InsertColumn(1, QStringLiteral("Value"), LVCFMT_LEFT, 200);
    m_variablesList->SetShowSelectionAlways(true);
    m_channel = m_document->CommandChannel();
    resize(sizeHint().expandedTo(QSize(380, 420)));
}

bool CPropEditFrm::QueryClose()
{
    return !m_modified || AfxMessageBox(IDS_DISCARD_CHANGES, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

// --- choosing the user agent ----------------------------------------------

void CPropEditFrm::numberEntered()
{
    const QScopedValueRollback checking(m_checkingNumber, true);
    const QString current = m_firstLoad ? QString() : QString::number(m_record->GetUANumber());
    const QString typed = m_number->text().trimmed();
    if (!m_firstLoad && typed == current)
        return;
    // Typed, pasted or the first number alike: one check for all.
    const std::optional<qint32> number = ParseUANumber(typed);
    if (!number || !m_isAllowed(*number)) {
        MessageBeep(MB_ICONHAND);
        restoreNumber();
        if (!typed.isEmpty())
            AfxMessageBox(QString::fromUtf8(number ? kNotAllowed : kNotANumber).arg(typed),
                          MB_OK | MB_ICONSTOP);
        GotoDlgCtrl(m_number);
        return;
    }
    if (m_modified && AfxMessageBox(IDS_DISCARD_CHANGES, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        restoreNumber();
        return;
    }
    requestRecord(*number);
}

void CPropEditFrm::restoreNumber()
{
    m_number->setText(m_firstLoad ? QString() : QString::number(m_record->GetUANumber()));
    m_number->selectAll();
}

void CPropEditFrm::requestRecord(long number)
{
    m_channel->SendAsync(this, WM_SERVER_REPLY, RecordRequest, AdminString(IDS_SEND_GETUA).arg(number));
}

LRESULT CPropEditFrm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_NUMBER && HIWORD(wParam) == EN_KILLFOCUS) {
        // Only a move to another control of the form reads the number; a
        // message box of the check itself takes the focus too. Apply and
        // Undo act on the record shown: reading another one on their way
        // would ask to discard the very changes that Apply then sends, so
        // the number of the record they act on is shown again instead.
        if (m_firstLoad || m_checkingNumber)
            return 0;
        if (FocusMovedWithin(this, {m_apply, m_undo}))
            numberEntered();
        else if (FocusMovedWithin(this))
            restoreNumber();
        return 0;
    }
    if (message == WM_SERVER_REPLY && wParam == RecordRequest) {
        const QString reply = *reinterpret_cast<const QString *>(lParam);
        ReplyMessage(0);
        OnServerReply(reply);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CPropEditFrm::OnServerReply(const QString &reply)
{
    // A record that cannot be read leaves the shown one, and its number,
    // exactly as they were: nothing of it could be written back by mistake.
    auto record = std::make_unique<CUserAgent>();
    if (!record->Parse(reply, m_splitter)) {
        restoreNumber();
        return;
    }
    if (m_firstLoad) {
        for (QWidget *control :
             std::initializer_list<QWidget *>{m_parent, m_scenario, m_value, m_set, m_new, m_variablesList})
            control->setEnabled(true);
        m_parent->setFocus();
        m_firstLoad = false;
    }
    setModified(false);
    CPendingCommand parents = m_channel->BeginCommand(QStringLiteral("GetUAList"), true, 1);

    m_record = std::move(record);
    m_number->setText(QString::number(m_record->GetUANumber()));
    m_scenario->setText(QString::number(m_record->GetScenarioNumber()));
    m_value->clear();
    m_variablesList->DeleteAllItems();
    m_variables.clear();
    m_selected = -1;
    m_variablesList->setUpdatesEnabled(false);
    for (auto at = m_record->GetFirstPropertyPosition(); at;) {
        auto variable = std::make_unique<CPropEditVariable>();
        QString value;
        m_record->GetNextProperty(at, variable->name, value);
        m_record->GetPropertyText(variable->name, variable->value);
        insertVariable(std::move(variable));
    }
    m_variablesList->setUpdatesEnabled(true);
    m_remove->setEnabled(false);
    fillParents(m_channel->WaitReply(parents));
}

void CPropEditFrm::fillParents(const QString &reply)
{
    m_parent->clear();
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    QStringList numbers;
    m_splitter.SplitList(reply, numbers);
    QStringList choices;
    for (const QString &number : std::as_const(numbers))
        if (number.toLong() != m_record->GetUANumber())
            choices.append(number);
    choices.append(QString::fromUtf8(kNoParent));
    m_parent->addItems(choices);
    const QString shown = m_record->GetParentNumber() == GetNoUANumber()
                              ? QString::fromUtf8(kNoParent)
                              : QString::number(m_record->GetParentNumber());
    m_parent->setCurrentIndex(m_parent->findText(shown));
}

// --- the variable list -------------------------------------------------------

void CPropEditFrm::insertVariable(std::unique_ptr<CPropEditVariable> variable)
{
    const int row = m_variablesList->InsertItem(m_variablesList->GetItemCount(), variable->name);
    m_variablesList->SetItemText(row, 1, variable->value.GetText());
    m_variablesList->SetItemData(row, reinterpret_cast<quintptr>(variable.get()));
    m_variablesList->topLevelItem(row)->setIcon(0, variableImage(variable->value.own));
    m_variablesList->WidenColumnToFit(0, row);
    m_variables.push_back(std::move(variable));
    m_variablesList->SortItems([](quintptr a, quintptr b) {
        return reinterpret_cast<const CPropEditVariable *>(a)->name.compare(
            reinterpret_cast<const CPropEditVariable *>(b)->name);
    });
}

CPropEditVariable *CPropEditFrm::variableAt(int row) const
{
    return reinterpret_cast<CPropEditVariable *>(m_variablesList->GetItemData(row));
}

void CPropEditFrm::selectionChanged()
{
    m_selected = m_variablesList->GetSelectedItem();
    if (m_selected >= 0)
        m_value->setText(m_variablesList->GetItemText(m_selected, 1));
    m_remove->setEnabled(m_selected >= 0);
}

void CPropEditFrm::showRow(int row)
{
    CPropEditVariable *variable = variableAt(row);
    m_variablesList->SetItemText(row, 1, variable->value.GetText());
    m_variablesList->topLevelItem(row)->setIcon(0, variableImage(variable->value.own));
    m_variablesList->WidenColumnToFit(0, row);
}

bool CPropEditFrm::OnCommand(int id)
{
    switch (id) {
    case IDC_SET:
        OnSet();
        return true;
    case IDC_NEW:
        OnNew(QString());
        return true;
    case IDC_REMOVE:
        OnRemove();
        return true;
    case IDC_APPLY:
        OnApply();
        return true;
    case IDC_UNDO:
        OnUndo();
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

void CPropEditFrm::OnSet()
{
    const QString text = m_value->text();
    if (m_selected < 0) {
        OnNew(text);
        return;
    }
    CPropEditVariable *variable = variableAt(m_selected);
    variable->value.PutText(text);
    markSet(*variable);
    showRow(m_selected);
    setModified(true);
}

void CPropEditFrm::OnNew(const QString &value)
{
    CNewVariableDlg dialog(QString(), value, this);
    if (dialog.DoModal() != IDOK)
        return;
    auto variable = std::make_unique<CPropEditVariable>();
    variable->name = dialog.GetName();
    variable->value.PutText(dialog.GetValue());
    markSet(*variable);
    CPropEditVariable *added = variable.get();
    insertVariable(std::move(variable));
    for (int row = 0; row < m_variablesList->GetItemCount(); ++row)
        if (variableAt(row) == added)
            m_variablesList->scrollToItem(m_variablesList->topLevelItem(row));
    setModified(true);
}

void CPropEditFrm::OnRemove()
{
    if (m_selected < 0)
        return;
    CPropEditVariable *variable = variableAt(m_selected);
    if (m_record->IsPropertyUnlisted(variable->name)) {
        MessageBox(GetSafeHwnd(), QString::fromUtf8(kInheritedNotDeleted).arg(variable->name),
                   QStringLiteral("Delete Error"), MB_OK | MB_ICONSTOP);
        return;
    }
    markRemoved(*variable);
    const int row = m_selected;
    m_variablesList->DeleteItem(row);
    std::erase_if(m_variables, [variable](const auto &held) { return held.get() == variable; });
    m_variablesList->SelectItem(-1);
    m_selected = -1;
    m_value->clear();
    m_remove->setEnabled(false);
    setModified(true);
}

void CPropEditFrm::markSet(CPropEditVariable &variable)
{
    variable.value.own = true;
    variable.value.showsInherited = false;
    m_record->SetProperty(variable.name, variable.value);
}

void CPropEditFrm::markRemoved(CPropEditVariable &variable)
{
    variable.value.showsInherited = true;
    m_record->SetProperty(variable.name, variable.value);
}

void CPropEditFrm::parentChosen()
{
    if (chosenParent() != std::optional<long>(m_record->GetParentNumber()))
        setModified(true);
}

std::optional<long> CPropEditFrm::chosenParent() const
{
    const QString text = m_parent->currentText();
    if (text == QLatin1String(kNoParent))
        return GetNoUANumber();
    const std::optional<qint32> number = ParseUANumber(text);
    if (!number)
        return std::nullopt;
    return *number;
}

void CPropEditFrm::OnApply()
{
    const std::optional<long> parent = chosenParent();
    if (parent && *parent != m_record->GetParentNumber() && !m_record->SetParent(qint32(*parent), *m_channel))
        return; // the refusal was shown; the changes stay to be applied
    QString reply;
    const int result = m_record->CommitChanges(reply, *m_channel, false);
    if (result == CUserAgent::CommitRefused) {
        AfxMessageBox(reply, MB_OK | MB_ICONERROR);
        return;
    }
    setModified(false);
    // What the server now holds, read back: inherited values and stamps
    // change with what was sent.
    requestRecord(m_record->GetUANumber());
}

void CPropEditFrm::OnUndo()
{
    requestRecord(m_record->GetUANumber());
}

void CPropEditFrm::setModified(bool modified)
{
    m_modified = modified;
    m_apply->setEnabled(modified);
    m_undo->setEnabled(modified);
}
