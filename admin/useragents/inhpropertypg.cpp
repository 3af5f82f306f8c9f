// The page base: the field table, the own / COS / lock marks, Lock and
// Revert, and the load and store walks. The store walk skips a field whose
// name cannot be built (an event whose server name is unknown) and goes on
// with the next, so no later field of the page is lost.
#include "admin/useragents/inhpropertypg.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/inhsheet.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/pagevalue.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/dataexchange.h"
#include "platform/mfc/propertysheet.h"
#include "platform/msgbox/msgbox.h"
#include "platform/registry/registry.h"
#include "platform/strings/stringtable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <memory>

namespace {

constexpr int MarkSize = 12;
// The largest number the mailbox-number field takes.
constexpr qint32 MaxMailboxNumber = 999999999;

// The server variable whose text stands for "%s" in the property pattern of
// a control's field.
QString substitutionVariable(int controlId)
{
    switch (controlId) {
    case 1038:
    case 1687:
    case 1689:
    case 1690:
    case 1694:
        return QStringLiteral("EmrId_MsgCopy_Normal");
    case 1040:
    case 1321:
    case 1688:
    case 1695:
    case 1696:
        return QStringLiteral("EmrId_MsgCopy_Urgent");
    case 1699:
        return QStringLiteral("EmrId_AIM_Normal");
    default:
        return {};
    }
}

// The marks, drawn once: own value (green dot), class-of-service value
// (blue exclamation point), lock (padlock).
QPixmap markPixmap(CInhPropertyPg::Mark mark, bool lock)
{
    QPixmap pixmap(MarkSize, MarkSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (lock) {
        painter.setPen(QPen(QColor(90, 90, 90), 1.5));
        painter.drawArc(QRectF(3, 1, 6, 7), 0, 180 * 16);
        painter.fillRect(QRectF(2, 5, 8, 6), QColor(200, 150, 30));
    } else if (mark == CInhPropertyPg::Mark::Own) {
        painter.setBrush(QColor(40, 160, 60));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(2, 2, 8, 8));
    } else {
        painter.setPen(QPen(QColor(30, 80, 210), 2.5));
        painter.drawLine(QPointF(6, 1), QPointF(6, 7.5));
        painter.drawPoint(QPointF(6, 10.5));
    }
    return pixmap;
}

// A command's prompt: the status-bar text, a line feed, then the tip.
void setPrompt(QAction *action, unsigned promptId)
{
    const QString prompt = AdminString(promptId);
    const qsizetype feed = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(prompt.left(feed));
    action->setToolTip(feed < 0 ? prompt : prompt.mid(feed + 1));
}

// The key whose presence makes the tips show property names.
constexpr char DeveloperKey[] = "SOFTWARE\\Keltra\\Verbanta ES Administration\\Developer";

bool developerKeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, DeveloperKey, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace

CInhPropertyPg::CInhPropertyPg(int dialogId, UINT captionId, std::vector<PageField> fields,
                               CUserAgent &record, CServerCommandChannel &channel, CInhCommonFields &common,
                               ServerVariable serverVariable)
    : CPropertyPage(dialogId, captionId), m_record(record), m_channel(channel), m_common(common),
      m_serverVariable(std::move(serverVariable)),
      m_hoverHelp(
          *this, [this](int labelId) { return tipText(labelId); },
          [this](QWidget *label) { openFieldMenu(label); })
{
    m_fields = {
        {&m_common.name1, QStringLiteral("&Name1"), IDC_NAME1, 1272, true, -1, 0, 32968},
        {&m_common.name2, QStringLiteral("&Name2"), IDC_NAME2, 1274, true, -1, 0, 32969},
        {&m_common.comment, QStringLiteral("&Comment"), IDC_COMMENT, 1265, true, -1, 0, 32970},
    };
    for (PageField &field : fields) {
        Q_ASSERT(field.value && !field.property.isEmpty());
        m_fields.push_back(std::move(field));
    }
    m_marks.assign(2 * m_fields.size(), nullptr);
    m_markShown.assign(m_fields.size(), Mark::None);
    // The tips, prompts and refusals come from admin's string table.
    RegisterAdminStrings();
}

bool CInhPropertyPg::TransferData(bool save)
{
    if (save) {
        if (!UpdateData(true))
            return false;
        return storeFields();
    }
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (i < CommonCount && m_skipCommonOnFirstLoad)
            continue;
        const QString name = BuildPropertyName(i);
        if (!name.isEmpty())
            m_record.GetPropertyText(name, *m_fields[i].value);
    }
    for (int i = 0; i < GetEntryCount(); ++i)
        RefreshEntry(i);
    m_skipCommonOnFirstLoad = false;
    LoadControls();
    return true;
}

void CInhPropertyPg::OnEditChange(int controlId)
{
    if (controlId == IDC_MAILBOX_NUMBER || controlId == 1394 || controlId == 1784)
        return;
    SetPageModified(true);
    MarkFieldChanged(controlId);
    if (controlId == IDC_NAME1 || controlId == IDC_NAME2 || controlId == 1780)
        m_common.namesChanged = true;
}

void CInhPropertyPg::OnUserAgentLoaded(WPARAM, LPARAM)
{
    if (m_record.GetUANumber() == -1)
        return;
    m_mailboxNumber = m_record.GetUANumber();
    TransferData(false);
    SetPageModified(false);
    // A freshly loaded box holds no edits: the class-of-service choice is free.
    if (m_sheet)
        m_sheet->EnableAllControls(true);
}

void CInhPropertyPg::RefreshEntry(int index)
{
    Q_ASSERT(index >= 0 && index < GetEntryCount());
    const PageField &field = m_fields[index];
    // The call-end event without an application of its own runs the
    // server's default one.
    if (field.labelId == DoneEventLabel && field.property == QLatin1String("_EMR_DONE_A") &&
        field.value->GetText().isEmpty())
        field.value->PutText(QStringLiteral("<Default>"));
    const Mark mark = GetMark(index);
    // A check box is its own label.
    QWidget *label = GetDlgItem(field.labelId);
    if (label) {
        const QPoint origin(label->geometry().right() + 1 + field.indicatorOffset, label->geometry().top());
        QLabel *inheritance = markLabel(index, false);
        inheritance->setVisible(mark != Mark::None);
        // A new picture asks the page for a new layout, and the page
        // refreshes its marks after each: only a change of mark sets one.
        if (mark != Mark::None && mark != m_markShown[index]) {
            inheritance->setPixmap(markPixmap(mark, false));
            m_markShown[index] = mark;
        }
        if (mark != Mark::None)
            inheritance->move(origin);
        QLabel *lock = markLabel(index, true);
        lock->setVisible(IsLockShown(index));
        lock->move(origin + QPoint(MarkSize, 0));
    }
    const bool enabled = !field.value->disabled;
    if (QWidget *control = GetDlgItem(field.controlId))
        control->setEnabled(enabled);
    if (label && field.labelId != field.controlId)
        label->setEnabled(enabled);
}

void CInhPropertyPg::RefreshControlById(int labelId)
{
    const int index = firstEntryWithLabel(labelId);
    if (index >= 0)
        RefreshEntry(index);
}

bool CInhPropertyPg::MarkFieldChanged(int controlId)
{
    const int index = firstEntryWithControl(controlId);
    if (index < 0)
        return false;
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (m_fields[i].labelId != m_fields[index].labelId)
            continue;
        m_fields[i].value->showsInherited = false;
        m_fields[i].value->own = true;
        RefreshEntry(i);
    }
    return true;
}

void CInhPropertyPg::SetPageModified(bool on)
{
    // Changing the class of service reloads the box, which would drop the
    // edits: the choice waits until they are saved or discarded.
    if (on && m_sheet)
        m_sheet->EnableAllControls(false);
    SetModified(on);
}

QString CInhPropertyPg::BuildPropertyName(int index)
{
    const PageField &field = m_fields[index];
    if (!field.property.contains(QLatin1Char('%')))
        return field.property;
    const QString variable = substitutionVariable(field.controlId);
    if (!variable.isEmpty())
        m_substitution = m_serverVariable ? m_serverVariable(variable) : QString();
    if (m_substitution.isEmpty())
        return {};
    QString name = field.property;
    return name.replace(QStringLiteral("%s"), m_substitution);
}

void CInhPropertyPg::Lock(int index)
{
    Q_ASSERT(index >= 0 && index < GetEntryCount());
    CPageValue &value = *m_fields[index].value;
    if (value.locked && !value.lockOwn) {
        AfxMessageBox(QStringLiteral("This lock was set in a higher COS."));
        return;
    }
    if (m_fields[index].lockRefusalId >= 1) {
        AfxMessageBox(UINT(m_fields[index].lockRefusalId));
        return;
    }
    const bool lock = !value.locked;
    // The lock of a group lives on the entry the menu was opened for.
    value.locked = lock;
    value.lockOwn = true;
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (m_fields[i].labelId == m_fields[index].labelId)
            RefreshEntry(i);
    }
    SetPageModified(true);
}

void CInhPropertyPg::ToggleInherited(int index)
{
    Q_ASSERT(index >= 0 && index < GetEntryCount());
    if (!UpdateData(true))
        return;
    const bool wasInherited = m_fields[index].value->showsInherited;
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (m_fields[i].labelId != m_fields[index].labelId)
            continue;
        CPageValue &value = *m_fields[i].value;
        if (wasInherited) {
            value.Revert();
        } else {
            const QString name = BuildPropertyName(i);
            if (name.isEmpty())
                continue;
            const QString reply = m_record.Fetch(name, m_channel);
            if (IsErrorReply(reply)) {
                AfxMessageBox(AdminString(IDS_INHERITED_VALUE_FAILED).arg(reply));
                return;
            }
            value.UseInherited(reply);
        }
        RefreshEntry(i);
    }
    SetPageModified(true);
    LoadControls();
}

void CInhPropertyPg::ResetToCOS()
{
    if (!QApplication::focusWidget())
        return;
    m_inheritedCache.clear();
    if (!UpdateData(true))
        return;
    auto resettable = [this](int i) { return m_fields[i].value->own && !m_fields[i].noInherit; };
    QString names;
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (!resettable(i))
            continue;
        const QString name = BuildPropertyName(i);
        if (name.isEmpty())
            continue;
        m_inheritedCache.insert(name, QString());
        if (name.startsWith(QLatin1String("_EMR_")))
            m_inheritedCache.insert(name, m_record.Fetch(name, m_channel));
        else
            names += CUserAgent::NameWord(name) + QLatin1Char(' ');
    }
    if (!names.isEmpty() && m_record.GetParentNumber() >= 0) {
        const QString reply =
            m_channel.Execute(AdminString(IDS_GETUA_PROPERTIES)
                                  .arg(QString::number(m_record.GetParentNumber()), names.trimmed()));
        // A refused query leaves the values fetched one by one.
        if (!IsErrorReply(reply)) {
            QStringList elements;
            CTclList().SplitList(reply, elements);
            for (qsizetype i = 2; i + 1 < elements.size(); i += 2)
                m_inheritedCache.insert(elements[i], elements[i + 1]);
            SetPageModified(true);
        }
    }
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (!resettable(i))
            continue;
        for (int j = 0; j < GetEntryCount(); ++j) {
            CPageValue &value = *m_fields[j].value;
            // A field already showing its class-of-service value keeps its
            // own text aside; showing the COS value again would lose it.
            if (m_fields[j].labelId != m_fields[i].labelId || value.showsInherited)
                continue;
            const QString name = BuildPropertyName(j);
            if (!m_inheritedCache.contains(name))
                continue;
            value.UseInherited(m_inheritedCache.value(name));
            RefreshEntry(j);
        }
    }
    for (int i = 0; i < GetEntryCount(); ++i) {
        CPageValue &value = *m_fields[i].value;
        if (value.locked && value.lockOwn) {
            value.locked = false;
            RefreshEntry(i);
        }
    }
    LoadControls();
}

CInhPropertyPg::Mark CInhPropertyPg::GetMark(int index) const
{
    const PageField &field = m_fields[index];
    const CPageValue &value = *field.value;
    if (!value.own || value.inheritanceOff || field.noInherit)
        return Mark::None;
    return value.showsInherited ? Mark::Inherited : Mark::Own;
}

bool CInhPropertyPg::IsLockShown(int index) const
{
    return m_fields[index].value->locked;
}

LRESULT CInhPropertyPg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_USERAGENT_LOADED:
        OnUserAgentLoaded(wParam, lParam);
        return 0;
    case WM_CHILDACTIVATE:
        // Name and comment are shared with the other pages, which may have
        // changed their state while this page was hidden.
        for (int i = 0; i < CommonCount; ++i)
            RefreshEntry(i);
        return 0;
    case WM_SETCURSOR:
        // Labels are no windows of their own: whatever window the mouse is
        // over, it is not a field's label.
        m_hoverHelp.ClearHover();
        return 0;
    case WM_TIMER:
        if (wParam == TipTimerId) {
            m_hoverHelp.OnTimer();
            return 0;
        }
        break;
    default:
        break;
    }
    if (message == WM_COMMAND) {
        const int id = int(LOWORD(wParam));
        switch (HIWORD(wParam)) {
        case EN_CHANGE:
            OnEditChange(id);
            return 0;
        case EN_KILLFOCUS:
            if (id == IDC_MAILBOX_NUMBER)
                jumpToMailbox();
            break;
        case BN_CLICKED:
            if (firstEntryWithControl(id) >= 0)
                SetPageModified(true);
            MarkFieldChanged(id);
            if (id >= 1777 && id <= 1779)
                m_common.namesChanged = true;
            break;
        default:
            break;
        }
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

bool CInhPropertyPg::OnInitDialog()
{
    m_common.namesChanged = false;
    {
        std::vector<std::unique_ptr<QSignalBlocker>> blockers;
        for (QWidget *child : findChildren<QWidget *>())
            blockers.push_back(std::make_unique<QSignalBlocker>(child));
        CPropertyPage::OnInitDialog();
    }
    m_sheet = dynamic_cast<CInhSheet *>(GetParentSheet());
    m_skipCommonOnFirstLoad = m_common.loaded;
    m_common.loaded = true;
    for (const int id : {IDC_NAME1, IDC_NAME2}) {
        if (auto *name = GetDlgItem<QLineEdit>(id))
            name->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[A-Za-z2-9]{0,%1}").arg(MaxNameLength)), name));
    }
    subclassLabels();
    m_developerMode = developerKeyExists();
    deliverLoadedRecord();
    return true;
}

void CInhPropertyPg::OnOK()
{
    TransferData(true);
}

bool CInhPropertyPg::OnSetActive()
{
    if (!CPropertyPage::OnSetActive())
        return false;
    SendMessage(GetSafeHwnd(), WM_CHILDACTIVATE, 0, 0);
    return true;
}

bool CInhPropertyPg::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    storeFields();
    return CPropertyPage::OnKillActive();
}

void CInhPropertyPg::DoDataExchange(CDataExchange *dx)
{
    exchangeName(dx, IDC_NAME1, m_common.name1);
    exchangeName(dx, IDC_NAME2, m_common.name2);
    DDX_Text(dx, IDC_COMMENT, m_common.comment.GetValueRef());
    if (!dx->m_bSaveAndValidate) {
        SetDlgItemText(IDC_MAILBOX_NUMBER,
                       m_mailboxNumber == -1 ? QString() : QString::number(m_mailboxNumber));
    } else if (m_mailboxNumber != -1 || !GetDlgItemText(IDC_MAILBOX_NUMBER).isEmpty()) {
        // Nothing to check before a box was loaded.
        unsigned number = 0;
        DDX_Text(dx, IDC_MAILBOX_NUMBER, number);
        DDV_MinMaxUInt(dx, number, 0, MaxMailboxNumber);
        m_mailboxNumber = long(number);
    }
}

void CInhPropertyPg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_R && event->modifiers() == Qt::ControlModifier) {
        const int index = firstEntryWithControl(GetDlgCtrlID(focusWidget()));
        if (index >= 0 && canRevert(index)) {
            ToggleInherited(index);
            return;
        }
    }
    CPropertyPage::keyPressEvent(event);
}

void CInhPropertyPg::exchangeName(CDataExchange *dx, int id, CPageTextValue &value)
{
    // The field shows what can be dialled by name: letters and the digits 2
    // to 9. A name the administrator did not edit keeps its stored text,
    // whatever the field could show of it.
    const QString shown = dialableName(value.GetText());
    QString text = shown;
    DDX_Text(dx, id, text);
    if (dx->m_bSaveAndValidate && text != shown)
        value.PutText(text);
}

QString CInhPropertyPg::dialableName(const QString &name)
{
    QString kept;
    for (const QChar c : name) {
        if ((c.isLetter() && c.unicode() < 0x80) || (c >= QLatin1Char('2') && c <= QLatin1Char('9')))
            kept += c;
    }
    return kept.left(MaxNameLength);
}

void CInhPropertyPg::LoadControls()
{
    // Filling a control is no edit: its change signals stay quiet meanwhile.
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget *child : findChildren<QWidget *>())
        blockers.push_back(std::make_unique<QSignalBlocker>(child));
    UpdateData(false);
}

void CInhPropertyPg::jumpToMailbox()
{
    QLineEdit *field = GetDlgItem<QLineEdit>(IDC_MAILBOX_NUMBER);
    if (!field)
        return;
    const QString shown = m_record.GetUANumber() == -1 ? QString() : QString::number(m_record.GetUANumber());
    const std::optional<qint32> number = ParseUANumber(field->text());
    if (field->text() == shown || (number && *number == m_record.GetUANumber()))
        return;
    const bool inList = number && *number >= 0 && *number <= MaxMailboxNumber && m_common.list &&
                        m_common.list->FindItemByText(QString::number(*number)) >= 0;
    if (inList && m_common.sheet) {
        if (m_sheet)
            m_sheet->AwaitBox(*number);
        m_channel.SendAsync(m_common.sheet, WM_SERVER_REPLY, CMailboxListCtrl::GetUARequestCode,
                            QStringLiteral("RestrictedUA %1").arg(*number));
        return;
    }
    {
        const QSignalBlocker blocker(field);
        field->setText(shown);
    }
    field->selectAll();
    // Taking the focus back makes another page's number field lose it; that
    // loss is this jump's doing, not the user's, and must not jump in turn,
    // or two pages would hand the focus to each other without end.
    static bool s_takingFocusBack = false;
    if (!s_takingFocusBack) {
        s_takingFocusBack = true;
        field->setFocus();
        s_takingFocusBack = false;
    }
    MessageBeep(MB_OK);
}

bool CInhPropertyPg::storeFields()
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        const QString name = BuildPropertyName(i);
        if (!name.isEmpty())
            m_record.SetProperty(name, *m_fields[i].value);
    }
    return true;
}

void CInhPropertyPg::openFieldMenu(QWidget *label)
{
    const int index = firstEntryWithLabel(GetDlgCtrlID(label));
    if (index < 0)
        return;
    m_currentEntry = index;
    const CPageValue &value = *m_fields[index].value;
    QMenu menu(QStringLiteral("Alter Field"), this);
    menu.setToolTipsVisible(true);
    QAction *lock = menu.addAction(QStringLiteral("&Lock"));
    lock->setCheckable(true);
    lock->setChecked(value.locked);
    lock->setEnabled(!value.locked || value.lockOwn);
    setPrompt(lock, ID_FIELD_LOCK);
    QAction *revert = menu.addAction(QStringLiteral("&Revert"));
    revert->setCheckable(true);
    revert->setChecked(value.showsInherited);
    revert->setEnabled(canRevert(index));
    setPrompt(revert, ID_FIELD_REVERT);
    QPointer<CInhPropertyPg> page(this);
    QAction *chosen = menu.exec(label->mapToGlobal(label->rect().bottomLeft()));
    if (!page)
        return;
    if (chosen == lock)
        Lock(m_currentEntry);
    else if (chosen == revert)
        ToggleInherited(m_currentEntry);
}

int CInhPropertyPg::firstEntryWithControl(int controlId) const
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (m_fields[i].controlId == controlId)
            return i;
    }
    return -1;
}

int CInhPropertyPg::firstEntryWithLabel(int labelId) const
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (m_fields[i].labelId == labelId)
            return i;
    }
    return -1;
}

bool CInhPropertyPg::canRevert(int index) const
{
    const PageField &field = m_fields[index];
    return field.value->own && !field.value->inheritanceOff && !field.noInherit;
}

QLabel *CInhPropertyPg::markLabel(int index, bool lock)
{
    QLabel *&mark = m_marks[2 * index + (lock ? 1 : 0)];
    if (!mark) {
        mark = new QLabel(this);
        mark->resize(MarkSize, MarkSize);
        if (lock)
            mark->setPixmap(markPixmap(Mark::None, true));
        mark->hide();
    }
    return mark;
}

void CInhPropertyPg::subclassLabels()
{
    std::vector<QWidget *> labels;
    for (const PageField &field : m_fields) {
        if (QWidget *label = GetDlgItem(field.labelId))
            labels.push_back(label);
    }
    m_hoverHelp.Attach(labels);
}

void CInhPropertyPg::deliverLoadedRecord()
{
    // During the sheet's Reset the page must hold the record before it is
    // reset, so it loads now; otherwise once the window is settled. Controls
    // of the page that are windows of their own load with it.
    const WPARAM number = WPARAM(m_record.GetUANumber());
    if (m_sheet && m_sheet->IsResetting())
        SendMessage(GetSafeHwnd(), WM_USERAGENT_LOADED, number, 0);
    else
        PostMessage(GetSafeHwnd(), WM_USERAGENT_LOADED, number, 0);
    SendMessageToDescendants(GetSafeHwnd(), WM_USERAGENT_LOADED, number, 0);
}

std::optional<QString> CInhPropertyPg::tipText(int labelId) const
{
    const int index = firstEntryWithLabel(labelId);
    if (index < 0)
        return std::nullopt;
    const PageField &field = m_fields[index];
    if (m_developerMode)
        return field.property;
    const std::optional<QString> tip =
        field.tooltipId >= 0 ? FindStringResource(UINT(field.tooltipId)) : std::nullopt;
    if (tip && !tip->isEmpty())
        return *tip;
    return QStringLiteral("ToolTipId == %1 for %2").arg(field.tooltipId).arg(field.property);
}
