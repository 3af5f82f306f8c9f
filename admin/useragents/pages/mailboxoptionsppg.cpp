// The user mode options page; see mailboxoptionsppg.h.
#include "admin/useragents/pages/mailboxoptionsppg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/useragents/pages/spinbutton.h"
#include "admin/useragents/pages/timeofdayedit.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/dataexchange.h"
#include "platform/mfc/focusmove.h"
#include "platform/msgbox/msgbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <tuple>

namespace {

// What the security-code field shows between codes.
const QString kCodeBlanks = QStringLiteral("     ");
constexpr int kMaxSeconds = 6000;
constexpr int kMaxGuests = 99;
// The class of service of a box without one: the mailbox root.
constexpr long kMailboxRoot = 2147483647;
// Sent to every window of the sheet when it re-selects the shown box.
constexpr UINT WM_SELECT_SHOWN_UA = 0x804;

void exchangeCheck(CDataExchange *dx, int id, CPageBoolValue &value)
{
    int checked = value.GetValue() ? 1 : 0;
    DDX_Check(dx, id, checked);
    if (dx->m_bSaveAndValidate && (checked == 1) != value.GetValue())
        value.SetValue(checked == 1);
}

} // namespace

CMailboxOptionsPpg::CMailboxOptionsPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(
          IDD, 61483,
          {
              {&m_extension, QStringLiteral("&Ext"), IDC_EXTENSION, IDL_EXTENSION, true, -1, 0, 32923},
              {&m_store, QStringLiteral("Store_Message"), IDC_STORE, IDC_STORE, false, -1, 0, 32924},
              {&m_pending, QStringLiteral("Msg_Pending"), IDC_PENDING, IDC_PENDING, false, -1, 0, 32925},
              {&m_maxLength, QStringLiteral("Max_Msg_Length"), IDC_MAX_LENGTH, IDL_MAX_LENGTH, false, -1, 0, 32926},
              {&m_dateTime, QStringLiteral("Play_DateTime"), IDC_DATE_TIME, IDC_DATE_TIME, false, -1, 0, 32927},
              {&m_recordName, QStringLiteral("Record_Name"), IDC_RECORD_NAME, IDC_RECORD_NAME, false, -1, 0, 32928},
              {&m_tutorial, QStringLiteral("&First_Login"), IDC_TUTORIAL, IDC_TUTORIAL, false, -1, 0, 32971},
              {&m_slowMenu, QStringLiteral("Slow_Menu"), IDC_SLOW_MENU, IDC_SLOW_MENU, false, -1, 0, 32929},
              {&m_queues, QStringLiteral("Multiple_Queue"), IDC_QUEUE_SINGLE, 1289, false, -1, 0, 32930},
              {&m_altRateAtLogin, QStringLiteral("Use_Alt_Rate"), IDC_ALT_RATE_AT_LOGIN, IDC_ALT_RATE_AT_LOGIN, false,
               -1, 0, 32931},
              {&m_gain, QStringLiteral("gain"), IDC_VOLUME, 1287, false, -1, 0, 32932},
              {&m_order, QStringLiteral("Message_Order"), IDC_FIFO, 1284, false, -1, 0, 32933},
              {&m_guests, QStringLiteral("Max_Guests"), IDC_GUESTS, 1285, false, -1, 0, 32934},
              {&m_altRate, QStringLiteral("Alternate_Rate"), IDC_ALT_RATE, 1286, false, -1, 0, 32935},
              {&m_guardTime, QStringLiteral("dtmf_guard_time"), IDC_GUARD_TIME, 1795, false, -1, 0, 61637},
              {&m_copyEnable, QStringLiteral("Nf_%s_Disable"), IDC_COPY_ENABLE, IDC_COPY_ENABLE, false,
               IDS_ENABLED_NOT_LOCKABLE, 0, 32936},
              {&m_deleteAfterCopy, QStringLiteral("Delete_After_Copy"), IDC_DELETE_AFTER_COPY, IDC_DELETE_AFTER_COPY,
               false, IDS_ENABLED_NOT_LOCKABLE, 0, 32916},
              {&m_copyDestination, QStringLiteral("Nf_%s_Variable"), IDC_COPY_DESTINATION, 1291, false,
               IDS_VARIABLE_NOT_LOCKABLE, 0, 32937},
              {&m_copyFrom, QStringLiteral("Nf_%s_From"), IDC_COPY_FROM, 1295, false, -1, 0, 32938},
              {&m_copyTo, QStringLiteral("Nf_%s_To"), IDC_COPY_TO, 1297, false, -1, 0, 32939},
              {&m_copyDelay, QStringLiteral("Nf_%s_InitDial"), IDC_COPY_DELAY, 1300, false, -1, 0, 32940},
              {&m_urgentEnable, QStringLiteral("Nf_%s_Disable"), IDC_URGENT_ENABLE, IDC_URGENT_ENABLE, false,
               IDS_ENABLED_NOT_LOCKABLE, 0, 32941},
              {&m_urgentDestination, QStringLiteral("Nf_%s_Variable"), IDC_URGENT_DESTINATION, 1293, false,
               IDS_VARIABLE_NOT_LOCKABLE, 0, 32942},
              {&m_urgentFrom, QStringLiteral("Nf_%s_From"), IDC_URGENT_FROM, 1302, false, -1, 0, 32943},
              {&m_urgentTo, QStringLiteral("Nf_%s_To"), IDC_URGENT_TO, 1307, false, -1, 0, 32944},
              {&m_urgentDelay, QStringLiteral("Nf_%s_InitDial"), IDC_URGENT_DELAY, 1305, false, -1, 0, 32945},
              {&m_purgeDays, QStringLiteral("Protect_From_Purge"), IDC_PURGE_DAYS, 1288, false, -1, 0, 32946},
          },
          sheet, services)
{
    m_tutorial.SetInverted();
    m_copyEnable.SetInverted();
    m_urgentEnable.SetInverted();

    QGridLayout *identity = AddGrid();
    identity->addWidget(new QLabel(QStringLiteral("Security code:"), this), 0, 0, Qt::AlignLeft);
    QLineEdit *code = MakeEdit(IDC_SECURITY_CODE, 90);
    code->setEchoMode(QLineEdit::Password);
    identity->addWidget(code, 0, 1, Qt::AlignLeft);
    identity->addWidget(MakeLabel(IDL_EXTENSION, QStringLiteral("Extension:")), 0, 2, Qt::AlignLeft);
    identity->addWidget(MakeEdit(IDC_EXTENSION, 120), 0, 3, Qt::AlignLeft);
    identity->addWidget(new QLabel(QStringLiteral("Class of service:"), this), 1, 0, Qt::AlignLeft);
    auto *cosRow = new QHBoxLayout;
    cosRow->addWidget(MakeCombo(IDC_COS, false));
    auto *more = SetDlgCtrlID(new QPushButton(QStringLiteral("..."), this), IDC_COS_MORE);
    more->setAutoDefault(false);
    more->setFixedWidth(30);
    cosRow->addWidget(more);
    cosRow->addStretch(1);
    identity->addLayout(cosRow, 1, 1, 1, 3);
    identity->setColumnStretch(4, 1);

    AddHeading(QStringLiteral("Messages"));
    QGridLayout *messages = AddGrid();
    messages->addWidget(MakeCheck(IDC_STORE, QStringLiteral("Store messages")), 0, 0, Qt::AlignLeft);
    messages->addWidget(MakeLabel(IDL_MAX_LENGTH, QStringLiteral("Maximum length in seconds:")), 0, 1, Qt::AlignLeft);
    messages->addWidget(MakeSpinEdit(IDC_MAX_LENGTH, 1148, 0, kMaxSeconds), 0, 2);
    messages->addWidget(MakeCheck(IDC_PENDING, QStringLiteral("Message Pending")), 1, 0, Qt::AlignLeft);
    messages->addWidget(MakeLabel(1288, QStringLiteral("Purge messages in days:")), 1, 1, Qt::AlignLeft);
    messages->addWidget(MakeSpinEdit(IDC_PURGE_DAYS, 1149, 0, 999), 1, 2);
    messages->addWidget(MakeCheck(IDC_DATE_TIME, QStringLiteral("Play date/time")), 2, 0, Qt::AlignLeft);
    messages->addWidget(MakeLabel(1289, QStringLiteral("Queues:")), 2, 1, Qt::AlignLeft);
    auto *queues = new QHBoxLayout;
    queues->addWidget(MakeRadio(IDC_QUEUE_SINGLE, QStringLiteral("Single")));
    queues->addWidget(MakeRadio(IDC_QUEUE_DUAL, QStringLiteral("Dual")));
    queues->addWidget(MakeRadio(IDC_QUEUE_MULTIPLE, QStringLiteral("Multiple")));
    messages->addLayout(queues, 2, 2);
    messages->addWidget(MakeCheck(IDC_RECORD_NAME, QStringLiteral("Record name")), 3, 0, Qt::AlignLeft);
    messages->addWidget(MakeLabel(1284, QStringLiteral("Order:")), 3, 1, Qt::AlignLeft);
    auto *order = new QHBoxLayout;
    order->addWidget(MakeRadio(IDC_FIFO, QStringLiteral("FIFO")));
    order->addWidget(MakeRadio(IDC_LIFO, QStringLiteral("LIFO")));
    order->addStretch(1);
    messages->addLayout(order, 3, 2);
    messages->addWidget(MakeCheck(IDC_TUTORIAL, QStringLiteral("Tutorial at next login")), 4, 0, Qt::AlignLeft);
    messages->addWidget(MakeLabel(1285, QStringLiteral("Guests:")), 4, 1, Qt::AlignLeft);
    messages->addWidget(MakeSpinEdit(IDC_GUESTS, 1130, 0, kMaxGuests), 4, 2);
    messages->addWidget(MakeCheck(IDC_SLOW_MENU, QStringLiteral("Slow menu")), 5, 0, Qt::AlignLeft);
    messages->addWidget(MakeLabel(1286, QStringLiteral("Alternate rate:")), 5, 1, Qt::AlignLeft);
    messages->addWidget(MakeSpinEdit(IDC_ALT_RATE, 1145, 0, 10), 5, 2);
    messages->addWidget(MakeCheck(IDC_ALT_RATE_AT_LOGIN, QStringLiteral("Use alternate rate at login")), 6, 0,
                        Qt::AlignLeft);
    messages->addWidget(MakeLabel(1795, QStringLiteral("Inter-digit Guard Timer")), 6, 1, Qt::AlignLeft);
    auto *guard = new QHBoxLayout;
    guard->addWidget(MakeSpinEdit(IDC_GUARD_TIME, 1799, 0, 1000));
    guard->addWidget(new QLabel(QStringLiteral("msec"), this));
    guard->addStretch(1);
    messages->addLayout(guard, 6, 2);
    messages->addWidget(MakeLabel(1287, QStringLiteral("Volume:")), 7, 1, Qt::AlignLeft);
    auto *volume = SetDlgCtrlID(new QSlider(Qt::Horizontal, this), IDC_VOLUME);
    volume->setRange(-4, 4);
    volume->setTickInterval(1);
    volume->setTickPosition(QSlider::TicksBelow);
    volume->setFixedWidth(140);
    messages->addWidget(volume, 7, 2);
    messages->setColumnStretch(3, 1);

    AddHeading(QStringLiteral("Copy messages"));
    QGridLayout *copies = AddGrid();
    copies->addWidget(new QLabel(QStringLiteral("All messages"), this), 0, 1);
    copies->addWidget(new QLabel(QStringLiteral("Urgent messages"), this), 0, 2);
    copies->addWidget(MakeCheck(IDC_COPY_ENABLE, QStringLiteral("Enable")), 1, 1, Qt::AlignLeft);
    copies->addWidget(MakeCheck(IDC_URGENT_ENABLE, QStringLiteral("Enable")), 1, 2, Qt::AlignLeft);
    copies->addWidget(MakeCheck(IDC_DELETE_AFTER_COPY, QStringLiteral("Delete after copy")), 1, 3, Qt::AlignLeft);
    const struct {
        int allLabel;
        int urgentLabel;
        const char *text;
        int allId;
        int urgentId;
    } rows[] = {{1291, 1293, "Destination", IDC_COPY_DESTINATION, IDC_URGENT_DESTINATION},
                {1295, 1302, "Active from", IDC_COPY_FROM, IDC_URGENT_FROM},
                {1297, 1307, "To", IDC_COPY_TO, IDC_URGENT_TO},
                {1300, 1305, "Delay", IDC_COPY_DELAY, IDC_URGENT_DELAY}};
    int line = 2;
    for (const auto &row : rows) {
        for (const auto &[labelId, id, column] :
             {std::tuple{row.allLabel, row.allId, 1}, std::tuple{row.urgentLabel, row.urgentId, 2}}) {
            auto *cell = new QHBoxLayout;
            cell->addWidget(MakeLabel(labelId, QString::fromLatin1(row.text)));
            cell->addSpacing(26);
            if (id == IDC_COPY_DELAY || id == IDC_URGENT_DELAY) {
                cell->addWidget(MakeSpinEdit(id, id == IDC_COPY_DELAY ? 1692 : 1142, 0, 999, 50));
            } else if (id == IDC_COPY_DESTINATION || id == IDC_URGENT_DESTINATION) {
                cell->addWidget(MakeEdit(id, 100));
            } else {
                auto *time = SetDlgCtrlID(new CTimeOfDayEdit(this), id);
                // Captured by value under its own name: clang 14 (the fuzz build) cannot
                // capture a structured binding.
                connect(time, &QTimeEdit::timeChanged, this, [this, id = id] { timeChanged(id); });
                cell->addWidget(time);
            }
            cell->addStretch(1);
            copies->addLayout(cell, line, column);
        }
        ++line;
    }
    copies->setColumnStretch(3, 1);
    Body()->addStretch(1);

    connect(volume, &QSlider::valueChanged, this, [this](int position) {
        m_gain.SetValue(position);
        SetPageModified(true);
        MarkFieldChanged(IDC_VOLUME);
    });
    connect(GetDlgItem<QComboBox>(IDC_COS), &QComboBox::activated, this, [this](int index) {
        cosChosen(GetDlgItem<QComboBox>(IDC_COS)->itemData(index).toLongLong());
    });
}

bool CMailboxOptionsPpg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    fillCosList();
    Sheet().RegisterControl(GetDlgItem(IDC_COS));
    Sheet().RegisterControl(GetDlgItem(IDC_COS_MORE));
    {
        auto *code = GetDlgItem<QLineEdit>(IDC_SECURITY_CODE);
        const QSignalBlocker blocker(code);
        code->setText(kCodeBlanks);
    }
    Sheet().AddChangedFlags(InitialisedBit());
    SetControlTips(*this, {{1226, 61594}, {1228, 61585}, {1502, 61600}, {1230, 32970}, {1229, 61614}, {1232, 32968},
                           {1234, 32969}, {1249, 32934}, {1105, 32928}, {1100, 32929}, {1009, 32971},
                           {1036, 32924}, {1096, 32927}, {1037, 32925}, {1042, 32926}, {1043, 32946},
                           {1255, 32933}, {1125, 32933}, {1111, 32930}, {1525, 32930}, {1527, 32930},
                           {1054, 61634}, {1252, 32935}, {1120, 32931}, {1798, 61637}, {1039, 32916},
                           {1038, 32936}, {1040, 32941}, {1687, 32937}, {1690, 32938}, {1689, 32939},
                           {1694, 32940}, {1688, 32942}, {1695, 32943}, {1696, 32944}, {1321, 32945}});
    return true;
}

void CMailboxOptionsPpg::fillCosList()
{
    auto *list = GetDlgItem<QComboBox>(IDC_COS);
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItem(PageString(IDS_PAGE_NO_COS), qlonglong(NoCos));
    const QString reply = Sheet().Channel()->Execute(
        QStringLiteral("GetUAList4Property COS %1 own NOASR").arg(TclWord(Services().mailboxRootText)));
    if (IsErrorReply(reply)) {
        AfxMessageBox(PageString(IDS_COS_LIST_FAILED).arg(reply));
        return;
    }
    QStringList numbers;
    CTclList().SplitList(reply, numbers);
    for (const QString &text : std::as_const(numbers)) {
        const std::optional<qint32> number = ParseUANumber(text);
        if (number && *number != NoCos)
            list->addItem(QString::number(*number), qlonglong(*number));
    }
}

void CMailboxOptionsPpg::selectShownCos()
{
    auto *list = GetDlgItem<QComboBox>(IDC_COS);
    const QSignalBlocker blocker(list);
    const CUserAgent &record = Sheet().Record();
    const QString shown = record.GetUANumber() == -1 || record.GetParentNumber() == NoCos
                              ? PageString(IDS_PAGE_NO_COS)
                              : QString::number(record.GetParentNumber());
    list->setCurrentIndex(list->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void CMailboxOptionsPpg::cosChosen(long number)
{
    const CUserAgent &record = Sheet().Record();
    const long current = record.GetParentNumber() == -1 ? NoCos : record.GetParentNumber();
    if (record.GetUANumber() == -1 || number == current) {
        selectShownCos();
        return;
    }
    const QString question = number == NoCos
                                 ? PageString(IDS_NO_COS_CHANGE_QUESTION).arg(PageString(IDS_PAGE_NO_COS))
                                 : PageString(IDS_COS_CHANGE_QUESTION).arg(number);
    QPointer<CMailboxOptionsPpg> alive(this);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES && Sheet().ChangeParent(number))
        return;
    // Refused or not wanted: the box keeps its class of service.
    if (alive)
        selectShownCos();
}

void CMailboxOptionsPpg::chooseCos()
{
    if (!Services().selectCos)
        return;
    const std::optional<long> chosen = Services().selectCos(this, *Sheet().Channel(), kMailboxRoot, kMailboxRoot);
    if (!chosen)
        return;
    auto *list = GetDlgItem<QComboBox>(IDC_COS);
    const QString text = *chosen == NoCos ? PageString(IDS_PAGE_NO_COS) : QString::number(*chosen);
    {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
    cosChosen(*chosen);
}

void CMailboxOptionsPpg::askSecurityCode()
{
    auto *field = GetDlgItem<QLineEdit>(IDC_SECURITY_CODE);
    const QString typed = field->text().trimmed();
    if (typed.isEmpty() || m_askingCode || !Services().askSecurityCode)
        return;
    m_askingCode = true;
    {
        const QSignalBlocker blocker(field);
        field->setText(kCodeBlanks);
    }
    QPointer<QWidget> focus = QApplication::focusWidget();
    QPointer<CMailboxOptionsPpg> alive(this);
    const std::optional<QString> code = Services().askSecurityCode(this, typed);
    if (!alive)
        return;
    m_askingCode = false;
    if (code && Sheet().Record().SetSecurityCode(*code, *Sheet().Channel()) &&
        Sheet().Record().GetUANumber() == Services().loginMailbox && Services().rememberSecurityCode)
        Services().rememberSecurityCode(*code);
    if (focus)
        focus->setFocus();
}

void CMailboxOptionsPpg::guestsLeft()
{
    auto *field = GetDlgItem<QLineEdit>(IDC_GUESTS);
    // Only what the administrator entered is checked: a stored number out
    // of range, passed through with Tab, stays as the server holds it.
    if (!field->isModified())
        return;
    bool ok = false;
    const int guests = field->text().trimmed().toInt(&ok);
    if (ok && guests >= 0 && guests <= kMaxGuests) {
        if (guests != m_guests.GetValue() || field->isModified()) {
            m_guests.SetValue(guests);
            OnEditChange(IDC_GUESTS);
        }
        return;
    }
    refuseGuests();
    field->setFocus();
}

void CMailboxOptionsPpg::refuseGuests()
{
    AfxMessageBox(QStringLiteral("The valid range for Maximum Number of Guests is from 0 to 99.\nPlease enter a "
                                 "value within the valid range."));
    auto *field = GetDlgItem<QLineEdit>(IDC_GUESTS);
    const QSignalBlocker blocker(field);
    field->setText(QString::number(m_guests.GetValue()));
}

void CMailboxOptionsPpg::followStoreMessages()
{
    const bool store = GetDlgItem<QCheckBox>(IDC_STORE)->isChecked();
    m_maxLength.SetDisabled(!store);
    RefreshControlById(IDL_MAX_LENGTH);
    if (QWidget *spin = GetDlgItem(1148))
        spin->setEnabled(store);
}

void CMailboxOptionsPpg::followCopyGroups()
{
    // One group copies at a time: a group on holds the other off. A box that
    // arrives with both on keeps both usable, so either can be switched off.
    const bool all = GetDlgItem<QCheckBox>(IDC_COPY_ENABLE)->isChecked();
    const bool urgent = GetDlgItem<QCheckBox>(IDC_URGENT_ENABLE)->isChecked();
    const bool allHeld = urgent && !all;
    const bool urgentHeld = all && !urgent;
    for (CPageValue *value : {static_cast<CPageValue *>(&m_copyEnable), static_cast<CPageValue *>(&m_copyDestination),
                              static_cast<CPageValue *>(&m_copyFrom), static_cast<CPageValue *>(&m_copyTo),
                              static_cast<CPageValue *>(&m_copyDelay)})
        value->SetDisabled(allHeld);
    for (CPageValue *value :
         {static_cast<CPageValue *>(&m_urgentEnable), static_cast<CPageValue *>(&m_urgentDestination),
          static_cast<CPageValue *>(&m_urgentFrom), static_cast<CPageValue *>(&m_urgentTo),
          static_cast<CPageValue *>(&m_urgentDelay)})
        value->SetDisabled(urgentHeld);
    for (const int label : {int(IDC_COPY_ENABLE), 1291, 1295, 1297, 1300, int(IDC_URGENT_ENABLE), 1293, 1302, 1307, 1305})
        RefreshControlById(label);
    if (QWidget *spin = GetDlgItem(1692))
        spin->setEnabled(!allHeld);
    if (QWidget *spin = GetDlgItem(1142))
        spin->setEnabled(!urgentHeld);
}

CPageIntValue *CMailboxOptionsPpg::timeValue(int id)
{
    switch (id) {
    case IDC_COPY_FROM:
        return &m_copyFrom;
    case IDC_COPY_TO:
        return &m_copyTo;
    case IDC_URGENT_FROM:
        return &m_urgentFrom;
    case IDC_URGENT_TO:
        return &m_urgentTo;
    default:
        return nullptr;
    }
}

void CMailboxOptionsPpg::timeChanged(int id)
{
    const int value = GetDlgItem<CTimeOfDayEdit>(id)->StoredTime();
    CPageIntValue *tracker = timeValue(id);
    if (tracker && tracker->GetValue() != value) {
        tracker->SetValue(value);
        OnEditChange(id);
    }
}

QString CMailboxOptionsPpg::CollapseBackslashes(const QString &stored)
{
    QString shown = stored;
    return shown.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
}

QString CMailboxOptionsPpg::ExpandBackslashes(const QString &shown)
{
    QString stored = shown;
    return stored.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
}

void CMailboxOptionsPpg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    // The field shows single backslashes; an extension left alone keeps
    // the record's text as it is, only a typed one is stored doubled.
    QString extension = CollapseBackslashes(m_extension.GetText());
    DDX_Text(dx, IDC_EXTENSION, extension);
    if (dx->m_bSaveAndValidate && GetDlgItem<QLineEdit>(IDC_EXTENSION)->isModified())
        m_extension.PutText(ExpandBackslashes(extension));

    for (auto [id, value] :
         {std::pair{int(IDC_STORE), &m_store}, {int(IDC_PENDING), &m_pending}, {int(IDC_DATE_TIME), &m_dateTime},
          {int(IDC_RECORD_NAME), &m_recordName}, {int(IDC_TUTORIAL), &m_tutorial},
          {int(IDC_SLOW_MENU), &m_slowMenu}, {int(IDC_ALT_RATE_AT_LOGIN), &m_altRateAtLogin},
          {int(IDC_COPY_ENABLE), &m_copyEnable}, {int(IDC_DELETE_AFTER_COPY), &m_deleteAfterCopy},
          {int(IDC_URGENT_ENABLE), &m_urgentEnable}})
        exchangeCheck(dx, id, *value);

    // Lengths show in whole seconds, delays in whole minutes; only what the
    // administrator typed goes back, so a value left alone keeps its exact text.
    int seconds = m_maxLength.GetValue() / 1000;
    DDX_Text(dx, IDC_MAX_LENGTH, seconds);
    CheckTypedRange(dx, IDC_MAX_LENGTH, seconds, 0, kMaxSeconds);
    if (dx->m_bSaveAndValidate && GetDlgItem<QLineEdit>(IDC_MAX_LENGTH)->isModified())
        m_maxLength.SetValue(seconds * 1000);
    for (auto [id, value] : {std::pair{int(IDC_COPY_DELAY), &m_copyDelay}, {int(IDC_URGENT_DELAY), &m_urgentDelay}}) {
        unsigned minutes = value->GetValue() / 60000;
        DDX_Text(dx, id, minutes);
        CheckTypedRange(dx, id, minutes, 0, 999);
        if (dx->m_bSaveAndValidate && GetDlgItem<QLineEdit>(id)->isModified())
            value->SetValue(minutes * 60000);
    }
    // Typed guests out of range are refused as leaving the field refuses
    // them; a number stored out of range and left alone still saves.
    int guests = m_guests.GetValue();
    DDX_Text(dx, IDC_GUESTS, guests);
    if (dx->m_bSaveAndValidate && (guests < 0 || guests > kMaxGuests) &&
        GetDlgItem<QLineEdit>(IDC_GUESTS)->isModified()) {
        refuseGuests();
        dx->Fail();
    }
    if (dx->m_bSaveAndValidate && guests >= 0 && guests <= kMaxGuests && guests != m_guests.GetValue())
        m_guests.SetValue(guests);
    for (auto [id, value, maximum] : {std::tuple{int(IDC_ALT_RATE), &m_altRate, 10},
                                      std::tuple{int(IDC_GUARD_TIME), &m_guardTime, 1000},
                                      std::tuple{int(IDC_PURGE_DAYS), &m_purgeDays, 999}}) {
        int number = value->GetValue();
        DDX_Text(dx, id, number);
        CheckTypedRange(dx, id, number, 0, maximum);
        if (dx->m_bSaveAndValidate && number != value->GetValue())
            value->SetValue(number);
    }
    DDX_Text(dx, IDC_COPY_DESTINATION, m_copyDestination.GetValueRef());
    DDX_Text(dx, IDC_URGENT_DESTINATION, m_urgentDestination.GetValueRef());

    int queues = m_queues.GetValue();
    int order = m_order.GetValue();
    if (dx->m_bSaveAndValidate) {
        SaveRadio({IDC_QUEUE_SINGLE, IDC_QUEUE_DUAL, IDC_QUEUE_MULTIPLE}, queues);
        SaveRadio({IDC_FIFO, IDC_LIFO}, order);
        if (queues != m_queues.GetValue())
            m_queues.SetValue(queues);
        if (order != m_order.GetValue())
            m_order.SetValue(order);
        return;
    }
    LoadRadio({IDC_QUEUE_SINGLE, IDC_QUEUE_DUAL, IDC_QUEUE_MULTIPLE}, queues);
    LoadRadio({IDC_FIFO, IDC_LIFO}, order);
    GetDlgItem<QSlider>(IDC_VOLUME)->setValue(m_gain.GetValue());
    for (const int id : {IDC_COPY_FROM, IDC_COPY_TO, IDC_URGENT_FROM, IDC_URGENT_TO})
        GetDlgItem<CTimeOfDayEdit>(id)->ShowStoredTime(timeValue(id)->GetValue());
}

void CMailboxOptionsPpg::OnUserAgentLoaded(WPARAM wParam, LPARAM lParam)
{
    selectShownCos();
    // A box without copy settings shows none, not the previous box's.
    for (CPageValue *value :
         {static_cast<CPageValue *>(&m_copyEnable), static_cast<CPageValue *>(&m_urgentEnable),
          static_cast<CPageValue *>(&m_deleteAfterCopy), static_cast<CPageValue *>(&m_copyDestination),
          static_cast<CPageValue *>(&m_urgentDestination), static_cast<CPageValue *>(&m_copyFrom),
          static_cast<CPageValue *>(&m_copyTo), static_cast<CPageValue *>(&m_urgentFrom),
          static_cast<CPageValue *>(&m_urgentTo), static_cast<CPageValue *>(&m_copyDelay),
          static_cast<CPageValue *>(&m_urgentDelay)})
        value->Reset();
    CMailboxPageBase::OnUserAgentLoaded(wParam, lParam);
    if (Sheet().Record().GetUANumber() == -1)
        return;
    followCopyGroups();
    followStoreMessages();
}

void CMailboxOptionsPpg::ResetToParent()
{
    ResetToCOS();
    followCopyGroups();
    followStoreMessages();
}

void CMailboxOptionsPpg::FocusNumberField()
{
    if (QWidget *field = GetDlgItem(IDC_MAILBOX_NUMBER))
        GotoDlgCtrl(field);
}

LRESULT CMailboxOptionsPpg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SELECT_SHOWN_UA) {
        auto *field = GetDlgItem<QLineEdit>(IDC_MAILBOX_NUMBER);
        const QSignalBlocker blocker(field);
        field->setText(QString::number(qint32(wParam)));
        return 0;
    }
    if (message == WM_COMMAND) {
        const int id = int(LOWORD(wParam));
        const UINT code = HIWORD(wParam);
        if (code == BN_CLICKED && id == IDC_COS_MORE) {
            chooseCos();
            return 0;
        }
        // The new code is asked for only here, so a move on to any control
        // of the sheet asks, OK and Apply included. The guests are checked
        // again when the page is left (OnKillActive), so only a move to
        // another field of the page checks them here: once per click.
        if (code == EN_KILLFOCUS && id == IDC_SECURITY_CODE && FocusMovedWithinSheet(this))
            askSecurityCode();
        if (code == EN_KILLFOCUS && id == IDC_GUESTS && FocusMovedWithin(this))
            guestsLeft();
        if (code == EN_CHANGE && (id == IDC_COPY_DELAY || id == IDC_URGENT_DELAY || id == IDC_GUESTS))
            return CMailboxPageBase::WindowProc(message, wParam, lParam);
        if (code == BN_CLICKED) {
            const LRESULT result = CMailboxPageBase::WindowProc(message, wParam, lParam);
            if (id == IDC_STORE)
                followStoreMessages();
            if (id == IDC_COPY_ENABLE || id == IDC_URGENT_ENABLE)
                followCopyGroups();
            if (id == IDC_QUEUE_DUAL || id == IDC_QUEUE_MULTIPLE)
                OnEditChange(IDC_QUEUE_SINGLE);
            if (id == IDC_LIFO)
                OnEditChange(IDC_FIFO);
            return result;
        }
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}
