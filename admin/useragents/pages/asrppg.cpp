// The General (ASR) page; see asrppg.h.
#include "admin/useragents/pages/asrppg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/mfc/dataexchange.h"
#include "platform/msgbox/msgbox.h"
#include "platform/registry/profile.h"
#include "platform/strings/stringtable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <mutex>

namespace {

enum AsrStringId : unsigned {
    IDS_ASR_PAGE = 61577,
    IDS_TIP_TRANSFER = 61680,
    IDS_TIP_LOGIN = 61681,
    IDS_TIP_SEND_MESSAGE = 61682,
    IDS_TIP_SYNONYMS = 61683,
    IDS_TIP_NEW = 61684,
    IDS_TIP_DELETE = 61685,
    IDS_TIP_RECORD = 61686,
    IDS_TIP_PLAY = 61687,
    IDS_TIP_PHONE = 61688,
    IDS_TIP_DISCONNECT = 61689,
};

constexpr StringResource kAsrStrings[] = {
    {IDS_ASR_PAGE, "ASR Auto Attendant"},
    {IDS_TIP_TRANSFER, "If this box is checked, Transfer can be done via ASR AA."},
    {IDS_TIP_LOGIN, "If this box is checked, Log in can be done via ASR AA."},
    {IDS_TIP_SEND_MESSAGE, "If this box is checked, Send message can be done via ASR AA."},
    {IDS_TIP_SYNONYMS, "List of synonyms."},
    {IDS_TIP_NEW, "Add a new synonym."},
    {IDS_TIP_DELETE, "Delete a user specified synonym."},
    {IDS_TIP_RECORD, "Start or stop recording a synonym."},
    {IDS_TIP_PLAY, "Start or stop playing synonym."},
    {IDS_TIP_PHONE, "Enter a phone number to dial."},
    {IDS_TIP_DISCONNECT, "Disconnect the current connection."},
};

int registeredDialog()
{
    static std::once_flag registered;
    std::call_once(registered, [] { CStringTable::instance().registerStrings(kAsrStrings); });
    return CAsrPpg::IDD;
}

const char kRecord[] = "&Record";
const char kPlay[] = "&Play";
const char kStop[] = "&Stop";
const char kIdle[] = "Idle...";
// The instruction prompt played before a recording.
const char kInstructionPrompt[] = "record_synonyms.VOX";
const char kWaitArgument[] = "5";
const char kCollectArguments[] = "1 0 0 0 0 1";
// Where the phone number is remembered.
const char kProfileSection[] = "Settings";
const char kProfileEntry[] = "Phone";

// What the telephone number may hold: it goes to the server as a word of
// its own, so only what a telephone dials (digits, "*", "#", "," to pause).
const char kDialable[] = "[0-9*#,]{0,32}";

bool isDialable(const QString &number)
{
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QLatin1String(kDialable)));
    return !number.isEmpty() && pattern.match(number).hasMatch();
}

// The failure message of a telephony result: the first of the words found.
QString failureMessage(const QString &result)
{
    static const std::pair<const char *, const char *> messages[] = {
        {"Busy", "That telephone number is busy. Please check the number and try again."},
        {"Rna", "No answer was detected. Please check the number and try again."},
        {"Hangup", "The telephone line was disconnected. Please try and re-establish the connection."},
        {"NoRingback", "Could not detect ringback. The # may be invalid or the phone is unplugged."},
        {"Error", "The requested operation could not be completed. Please try again."},
    };
    for (const auto &[word, message] : messages) {
        if (result.contains(QLatin1String(word)))
            return QString::fromLatin1(message);
    }
    return {};
}

// A failed step: its message, or, for a result none of the words names (a
// refusal of the server), the general one followed by the result.
QString stepFailureText(const QString &result)
{
    const QString message = failureMessage(result);
    if (!message.isEmpty())
        return message;
    return QStringLiteral("%1. %2").arg(failureMessage(QStringLiteral("Error")), result);
}

// A recording or play that ended badly: the message and the last result.
QString endFailureText(const QString &result)
{
    const QString message = failureMessage(result);
    return QStringLiteral("%1. %2").arg(message.isEmpty() ? failureMessage(QStringLiteral("Error")) : message,
                                        result);
}

// The call is gone: the line is let go.
bool lineLost(const QString &result)
{
    return result.contains(QLatin1String("Hangup")) || result.contains(QLatin1String("Error"));
}

// The mark of a synonym whose prompt was recorded: a loudspeaker.
QIcon promptIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 90, 170));
    const QPointF speaker[] = {{2, 6}, {5, 6}, {9, 2}, {9, 14}, {5, 10}, {2, 10}};
    painter.drawPolygon(speaker, 6);
    painter.setPen(QPen(QColor(40, 90, 170), 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(7, 4, 6, 8), -60 * 16, 120 * 16);
    painter.drawArc(QRectF(6, 1, 9, 14), -60 * 16, 120 * 16);
    return QIcon(pixmap);
}

void exchangeCheck(CDataExchange *dx, int id, CPageBoolValue &value)
{
    int checked = value.GetValue() ? 1 : 0;
    DDX_Check(dx, id, checked);
    if (dx->m_bSaveAndValidate && (checked == 1) != value.GetValue())
        value.SetValue(checked == 1);
}

CProfile applicationProfile()
{
    return CProfile::inRegistry(QStringLiteral("Verbanta"), QStringLiteral("Admin"));
}

} // namespace

CAsrPpg::CAsrPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(registeredDialog(), IDS_ASR_PAGE,
                       {
                           {&m_transfer, QStringLiteral("ASR_Transfer"), IDC_TRANSFER, IDC_TRANSFER, false, -1, 0,
                            IDS_TIP_TRANSFER},
                           {&m_login, QStringLiteral("ASR_Login"), IDC_LOGIN, IDC_LOGIN, false, -1, 0,
                            IDS_TIP_LOGIN},
                           {&m_sendMessage, QStringLiteral("ASR_SendMsg"), IDC_SEND_MESSAGE, IDC_SEND_MESSAGE,
                            false, -1, 0, IDS_TIP_SEND_MESSAGE},
                           {&m_aliasList, QStringLiteral("&ASR_Alias_List"), IDC_ALIAS_LIST, IDL_SYNONYMS, false,
                            -1, 0, IDS_TIP_SYNONYMS},
                       },
                       sheet, services)
{
    AddHeading(QStringLiteral("Callers may by speech"));
    auto *switches = new QHBoxLayout;
    switches->setSpacing(30);
    switches->addWidget(MakeCheck(IDC_TRANSFER, QStringLiteral("&Transfer")));
    switches->addWidget(MakeCheck(IDC_LOGIN, QStringLiteral("Log &in")));
    switches->addWidget(MakeCheck(IDC_SEND_MESSAGE, QStringLiteral("Send &message")));
    switches->addStretch(1);
    Body()->addLayout(switches);
    // The synonyms as the record stores them; the grid shows them.
    MakeEdit(IDC_ALIAS_LIST)->hide();

    Body()->addSpacing(8);
    QGridLayout *synonyms = AddGrid();
    synonyms->addWidget(MakeLabel(IDL_SYNONYMS, QStringLiteral("S&ynonyms:")), 0, 0, Qt::AlignLeft | Qt::AlignTop);
    m_grid = SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_SYNONYMS);
    m_grid->setMinimumHeight(150);
    for (const auto &[col, heading] : {std::pair{0, "No."}, {1, "Synonyms"}, {2, "Prompt"}}) {
        m_grid->SetRow(0);
        m_grid->SetCol(col);
        m_grid->SetText(QString::fromLatin1(heading));
    }
    m_grid->SetColWidth(0, 5);
    m_grid->SetColWidth(1, 40);
    m_grid->SetColWidth(2, 10);
    synonyms->addWidget(m_grid, 0, 1, 3, 1);
    synonyms->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&New"), this), IDC_NEW), 0, 2);
    synonyms->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("D&elete"), this), IDC_DELETE_SYNONYM), 1, 2);
    synonyms->setRowStretch(2, 1);
    synonyms->setColumnStretch(1, 1);

    AddHeading(QStringLiteral("Prompt of the selected synonym"));
    auto *line = new QHBoxLayout;
    auto *phoneLabel = new QLabel(QStringLiteral("Phone #:"), this);
    line->addWidget(phoneLabel);
    QLineEdit *phone = MakeEdit(IDC_PHONE, 140);
    phone->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(kDialable)), phone));
    line->addWidget(phone);
    for (const auto &[id, text] : {std::pair{int(IDC_RECORD), kRecord}, {int(IDC_PLAY), kPlay},
                                   {int(IDC_DISCONNECT), "Disconnect"}}) {
        auto *button = SetDlgCtrlID(new QPushButton(QString::fromLatin1(text), this), id);
        button->setAutoDefault(false);
        line->addWidget(button);
    }
    line->addStretch(1);
    Body()->addLayout(line);
    auto *status = SetDlgCtrlID(new QLabel(this), IDC_LINE_STATUS);
    status->setMinimumWidth(200);
    Body()->addWidget(status);
    Body()->addStretch(1);

    // An edit reaches the page once the grid's editor has closed.
    connect(m_grid, &CSpreadSheet::Change, this, &CAsrPpg::onSynonymEdited, Qt::QueuedConnection);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        // Selecting a row tells whether its prompt can be played.
        if (row >= 0 && row < m_synonyms.size() && !m_busy)
            promptExists(m_synonyms.at(row));
        updateButtons();
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { updateButtons(); });
}

CAsrPpg::~CAsrPpg() = default;

bool CAsrPpg::OnInitDialog()
{
    GetDlgItem<QLineEdit>(IDC_PHONE)->setText(
        applicationProfile().GetProfileString(QLatin1String(kProfileSection), QLatin1String(kProfileEntry)));
    CMailboxPageBase::OnInitDialog();
    Sheet().AddChangedFlags(InitialisedBit());
    SetControlTips(*this, {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970},
                           {IDC_TRANSFER, IDS_TIP_TRANSFER}, {IDC_LOGIN, IDS_TIP_LOGIN},
                           {IDC_SEND_MESSAGE, IDS_TIP_SEND_MESSAGE}, {IDC_SYNONYMS, IDS_TIP_SYNONYMS},
                           {IDC_NEW, IDS_TIP_NEW}, {IDC_DELETE_SYNONYM, IDS_TIP_DELETE},
                           {IDC_RECORD, IDS_TIP_RECORD}, {IDC_PLAY, IDS_TIP_PLAY}, {IDC_PHONE, IDS_TIP_PHONE},
                           {IDC_DISCONNECT, IDS_TIP_DISCONNECT}});
    SetTimer(GetSafeHwnd(), PollTimerId, PollPeriod);
    updateButtons();
    return true;
}

void CAsrPpg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    exchangeCheck(dx, IDC_TRANSFER, m_transfer);
    exchangeCheck(dx, IDC_LOGIN, m_login);
    exchangeCheck(dx, IDC_SEND_MESSAGE, m_sendMessage);
    DDX_Text(dx, IDC_ALIAS_LIST, m_aliasList.GetValueRef());
    // The grid follows the stored list whenever it is loaded anew (a box
    // loaded, the class of service's list shown, a reset).
    if (!dx->m_bSaveAndValidate && !m_busy) {
        synonymsFromAliasList();
        fillGrid();
    }
}

bool CAsrPpg::TransferData(bool save)
{
    const bool done = CMailboxPageBase::TransferData(save);
    updateButtons();
    return done;
}

void CAsrPpg::OnUserAgentLoaded(WPARAM wParam, LPARAM lParam)
{
    const long number = Sheet().Record().GetUANumber();
    // The line belongs to the box it was dialled for.
    if (m_shownBox != -1 && number != m_shownBox)
        dropLine();
    if (number != -1)
        m_shownBox = number;
    CMailboxPageBase::OnUserAgentLoaded(wParam, lParam);
}

void CAsrPpg::ResetToParent()
{
    ResetToCOS();
}

void CAsrPpg::OnSheetClosing()
{
    KillTimer(GetSafeHwnd(), PollTimerId);
    dropLine();
}

LRESULT CAsrPpg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == PollTimerId) {
        poll();
        return 0;
    }
    if (message == WM_COMMAND) {
        const int id = int(LOWORD(wParam));
        if (HIWORD(wParam) == BN_CLICKED) {
            switch (id) {
            case IDC_NEW:
                onNew();
                return 0;
            case IDC_DELETE_SYNONYM:
                onDeleteSynonym();
                return 0;
            case IDC_RECORD:
                onRecord();
                return 0;
            case IDC_PLAY:
                onPlay();
                return 0;
            case IDC_DISCONNECT:
                releaseLine();
                return 0;
            default:
                break;
            }
        } else if (HIWORD(wParam) == EN_KILLFOCUS && id == IDC_PHONE) {
            rememberPhone();
        }
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}

// --- synonyms ---------------------------------------------------------------

QString CAsrPpg::CheckSynonym(const QString &synonym, int row) const
{
    const QString text = synonym.trimmed();
    if (text.isEmpty())
        return QStringLiteral("A blank Synonym is not allowed.");
    for (const QChar c : text) {
        const bool letter = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                            (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
        if (c != QLatin1Char(' ') && !letter)
            return QStringLiteral("Only alphabet is permitted for Synonym.");
    }
    if (text.contains(QLatin1String("  ")))
        return QStringLiteral("Only one space is permitted between each name or word of a Synonym.");
    const CInhCommonFields &common = Sheet().CommonFields();
    const QString name = (common.name1.GetText() + QLatin1Char(' ') + common.name2.GetText()).simplified();
    if (!name.isEmpty() && text.compare(name, Qt::CaseInsensitive) == 0)
        return QStringLiteral("The Synonym is same as the User Agent's Name.");
    for (int i = 0; i < m_synonyms.size(); ++i) {
        if (i != row && m_synonyms.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return QStringLiteral("The identical Synonym already exists for this User Agent.");
    }
    return {};
}

QString CAsrPpg::PromptFileName(const QString &synonym)
{
    // Only a valid synonym names a file: letters and single blanks, so the
    // name never leaves the prompt folder.
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z]+( [A-Za-z]+)*$"));
    if (!valid.match(synonym).hasMatch())
        return {};
    QString file = synonym;
    return file.replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral(".vox");
}

void CAsrPpg::synonymsFromAliasList()
{
    QStringList elements;
    // A list the server holds in a shape that does not split shows no synonyms.
    CTclList().SplitList(m_aliasList.GetText(), elements);
    m_synonyms.clear();
    for (const QString &element : std::as_const(elements)) {
        if (!element.isEmpty())
            m_synonyms.append(element);
    }
}

void CAsrPpg::rebuildAliasList()
{
    // Each synonym one element of a Tcl list: braced as always, quoted when
    // braces would not bring it back as it is.
    QString text;
    for (const QString &synonym : std::as_const(m_synonyms)) {
        if (!synonym.isEmpty())
            text += TclWord(synonym) + QLatin1Char(' ');
    }
    // Through the hidden field, so the page base marks the page changed.
    GetDlgItem<QLineEdit>(IDC_ALIAS_LIST)->setText(text);
    m_aliasList.PutText(text);
}

void CAsrPpg::fillGrid()
{
    const QSignalBlocker blocker(m_grid);
    m_grid->SizeColumns(2, true);
    m_grid->RestoreColumnWidth(int(m_synonyms.size()));
    m_withPrompt.clear();
    const QIcon picture = promptIcon();
    for (int i = 0; i < m_synonyms.size(); ++i) {
        m_grid->SetRow(i + 1);
        m_grid->SetCol(1);
        m_grid->SetText(m_synonyms.at(i));
        m_grid->SetCol(2);
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        m_grid->SetTypePictPicture(promptExists(m_synonyms.at(i)) ? picture : QIcon());
    }
    // No row is selected after a fill: Delete waits for one.
    m_grid->setCurrentCell(-1, -1);
    m_grid->clearSelection();
    updateButtons();
}

bool CAsrPpg::promptExists(const QString &synonym)
{
    const QString file = PromptFileName(synonym);
    if (file.isEmpty() || !readPromptFolder())
        return false;
    const bool exists = run(QStringLiteral("file exists ") + TclBareWord(promptPath(file))) == QLatin1String("1");
    m_withPrompt.removeAll(synonym);
    if (exists)
        m_withPrompt.append(synonym);
    return exists;
}

int CAsrPpg::selectedSynonym() const
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_synonyms.size() || !m_grid->selectionModel()->hasSelection())
        return -1;
    return row;
}

void CAsrPpg::onNew()
{
    const int row = int(m_synonyms.size()) + 1;
    {
        const QSignalBlocker blocker(m_grid);
        m_grid->SetMaxRows(row);
        m_grid->SetRow(row);
        m_grid->SetCol(2);
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        m_grid->SetCol(1);
        m_grid->SetText(QString());
        m_grid->SetAction(CSpreadSheet::ActionActiveCell);
    }
    m_grid->EditActiveCell();
    updateButtons();
}

void CAsrPpg::onDeleteSynonym()
{
    const int index = selectedSynonym();
    if (index < 0)
        return;
    m_synonyms.removeAt(index);
    rebuildAliasList();
    fillGrid();
}

void CAsrPpg::onSynonymEdited(int col, int row)
{
    const int index = row - 1;
    if (col != 1 || index < 0 || index > m_synonyms.size())
        return;
    m_grid->SetRow(row);
    m_grid->SetCol(1);
    const QString typed = m_grid->GetText();
    const QString refusal = CheckSynonym(typed, index < m_synonyms.size() ? index : -1);
    if (!refusal.isEmpty()) {
        AfxMessageBox(refusal);
        // Not stored: the cell shows what it held, and the administrator
        // is still in it.
        {
            const QSignalBlocker blocker(m_grid);
            m_grid->SetRow(row);
            m_grid->SetCol(1);
            m_grid->SetText(index < m_synonyms.size() ? m_synonyms.at(index) : QString());
            m_grid->SetAction(CSpreadSheet::ActionActiveCell);
        }
        m_grid->EditActiveCell();
        return;
    }
    if (index < m_synonyms.size())
        m_synonyms[index] = typed.trimmed();
    else
        m_synonyms.append(typed.trimmed());
    rebuildAliasList();
    fillGrid();
}

// --- the line -------------------------------------------------------------------

QString CAsrPpg::run(const QString &command)
{
    QString reply;
    try {
        reply = Sheet().Channel()->Execute(command);
    } catch (const CZltException &failure) {
        // The link is gone: the step failed, and says why.
        reply = QStringLiteral("Error: ") + failure.text();
    }
    const QString marker = QStringLiteral("command: ");
    const qsizetype at = reply.indexOf(marker);
    m_lastResult = (at >= 0 ? reply.mid(at + marker.size()) : reply).trimmed();
    return m_lastResult;
}

bool CAsrPpg::readPromptFolder()
{
    if (m_folderRead)
        return !m_folder.isEmpty();
    m_folderRead = true;
    QString library;
    try {
        library = Sheet().Channel()->Execute(QStringLiteral("set sys_tcl_library_path")).trimmed();
    } catch (const CZltException &) {
        return false;
    }
    // An error, or a reply naming the variable, means it could not be read.
    if (library.isEmpty() || IsErrorReply(library) || library.contains(QLatin1String("sys_tcl_library_path")) ||
        library.contains(QLatin1Char('\n')) || library.contains(QLatin1Char('\r')))
        return false;
    m_folder = library + QStringLiteral("/asr_aa_data/prompts/");
    return true;
}

QString CAsrPpg::promptPath(const QString &file) const
{
    return m_folder + file;
}

bool CAsrPpg::readyToDial(const QString &emptyPhoneMessage)
{
    auto *phone = GetDlgItem<QLineEdit>(IDC_PHONE);
    const QString number = phone->text().trimmed();
    if (number.isEmpty() || !isDialable(number)) {
        AfxMessageBox(number.isEmpty()
                          ? emptyPhoneMessage
                          : QStringLiteral("The phone # \"%1\" can not be dialled: use only the digits 0-9, "
                                           "\"*\", \"#\" and \",\".")
                                .arg(number),
                      MB_ICONERROR);
        GotoDlgCtrl(phone);
        return false;
    }
    if (!readPromptFolder()) {
        AfxMessageBox(QStringLiteral("The server did not tell where its prompts are (sys_tcl_library_path), so "
                                     "no prompt can be recorded or played."),
                      MB_ICONERROR);
        return false;
    }
    return true;
}

bool CAsrPpg::grabAndDial()
{
    setStatus(QStringLiteral("Accessing line..."));
    const QString grabbed = run(QStringLiteral("SCIMGrabLine ANY 999999 999999"));
    if (!grabbed.isEmpty() && grabbed != QLatin1String("SCIMGrabLine")) {
        failStep(grabbed);
        return false;
    }
    setStatus(QStringLiteral("Dialing..."));
    const QString dialled =
        run(QStringLiteral("cg_dial ") + GetDlgItem<QLineEdit>(IDC_PHONE)->text().trimmed() + QStringLiteral(" 2"));
    if (dialled != QLatin1String("Answer")) {
        failStep(dialled);
        return false;
    }
    return true;
}

void CAsrPpg::onRecord()
{
    if (m_line == Recording) {
        stopRecording();
        updateButtons();
        return;
    }
    const int index = selectedSynonym();
    if (index < 0 || !readyToDial(QStringLiteral("Please enter phone # before recording...")))
        return;
    const QString file = PromptFileName(m_synonyms.at(index));
    if (file.isEmpty()) {
        AfxMessageBox(CheckSynonym(m_synonyms.at(index), index), MB_ICONERROR);
        return;
    }
    m_lineSynonym = m_synonyms.at(index);
    m_busy = true;
    SetDlgItemText(IDC_RECORD, QString::fromLatin1(kStop));
    updateButtons();
    if (m_line == NoLine && !grabAndDial()) {
        m_busy = false;
        updateButtons();
        return;
    }
    setStatus(QStringLiteral("Playing prompt..."));
    const QString instructed =
        run(QStringLiteral("cg_playFile ") + TclBareWord(promptPath(QString::fromLatin1(kInstructionPrompt))) +
            QStringLiteral(" 1"));
    if (instructed != QLatin1String("Done")) {
        // Nothing was recorded yet: the prompt the synonym had stays.
        failStep(instructed);
        m_busy = false;
        updateButtons();
        return;
    }
    m_line = Recording;
    setStatus(QStringLiteral("Recording..."));
    const QString path = promptPath(file);
    const QString recording = run(QStringLiteral("cg_recordFileEx ") + TclBareWord(path) + QStringLiteral(" 0 0 5"));
    if (recording != QLatin1String("Done"))
        failStep(recording, path);
    m_busy = false;
    updateButtons();
}

void CAsrPpg::onPlay()
{
    if (m_line == Playing) {
        stopPlaying();
        updateButtons();
        return;
    }
    const int index = selectedSynonym();
    if (index < 0 || !readyToDial(QStringLiteral("Please enter phone # before playing...")))
        return;
    const QString file = PromptFileName(m_synonyms.at(index));
    if (file.isEmpty())
        return;
    m_lineSynonym = m_synonyms.at(index);
    m_busy = true;
    SetDlgItemText(IDC_PLAY, QString::fromLatin1(kStop));
    updateButtons();
    if (m_line == NoLine && !grabAndDial()) {
        m_busy = false;
        updateButtons();
        return;
    }
    m_line = Playing;
    setStatus(QStringLiteral("Playing..."));
    const QString played =
        run(QStringLiteral("cg_playFileEx ") + TclBareWord(promptPath(file)) + QStringLiteral(" 0 0 5"));
    if (played != QLatin1String("Done"))
        failStep(played);
    m_busy = false;
    updateButtons();
}

void CAsrPpg::stopRecording()
{
    run(QStringLiteral("cg_stopRecord"));
    setStatus(QString::fromLatin1(kIdle));
    m_line = HeldAfterRecording;
    SetDlgItemText(IDC_RECORD, QString::fromLatin1(kRecord));
    fillGrid();
}

void CAsrPpg::stopPlaying()
{
    run(QStringLiteral("cg_stop"));
    setStatus(QString::fromLatin1(kIdle));
    m_line = HeldAfterPlaying;
    SetDlgItemText(IDC_PLAY, QString::fromLatin1(kPlay));
}

void CAsrPpg::poll()
{
    // One poll at a time: the one under way (or a recording being started)
    // finishes first, whatever message box it shows meanwhile.
    if (m_busy || m_line == NoLine)
        return;
    if (!isVisible()) {
        dropLine();
        return;
    }
    m_busy = true;
    if (m_line == Recording)
        pollRecording();
    else if (m_line == Playing)
        pollPlaying();
    m_busy = false;
    updateButtons();
}

void CAsrPpg::pollRecording()
{
    const QString result = run(QStringLiteral("cg_waitForRecord ") + QLatin1String(kWaitArgument));
    if (result == QLatin1String("Timeout"))
        return;
    // Any other answer ends the recording.
    const QString key = run(QStringLiteral("cg_collectDtmf ") + QLatin1String(kCollectArguments));
    const bool failed = result != QLatin1String("Done");
    SetDlgItemText(IDC_RECORD, QString::fromLatin1(kRecord));
    if (failed) {
        const QString file = PromptFileName(m_lineSynonym);
        if (!file.isEmpty())
            run(QStringLiteral("file delete ") + TclBareWord(promptPath(file)));
    }
    if (failed || lineLost(key)) {
        releaseLine();
    } else {
        m_line = HeldAfterRecording;
        setStatus(QString::fromLatin1(kIdle));
    }
    fillGrid();
    if (failed)
        AfxMessageBox(endFailureText(result), MB_ICONERROR);
}

void CAsrPpg::pollPlaying()
{
    const QString result = run(QStringLiteral("cg_waitForPlay ") + QLatin1String(kWaitArgument));
    if (result == QLatin1String("Timeout"))
        return;
    SetDlgItemText(IDC_PLAY, QString::fromLatin1(kPlay));
    if (result == QLatin1String("Done")) {
        setStatus(QString::fromLatin1(kIdle));
        m_line = HeldAfterPlaying;
        if (lineLost(run(QStringLiteral("cg_collectDtmf ") + QLatin1String(kCollectArguments))))
            releaseLine();
        return;
    }
    // Anything else ends the play, and the call with it.
    releaseLine();
    AfxMessageBox(endFailureText(result), MB_ICONERROR);
}

void CAsrPpg::failStep(const QString &result, const QString &deleteFirst)
{
    if (!deleteFirst.isEmpty())
        run(QStringLiteral("file delete ") + TclBareWord(deleteFirst));
    releaseLine();
    if (!deleteFirst.isEmpty())
        fillGrid();
    AfxMessageBox(stepFailureText(result), MB_ICONERROR);
}

void CAsrPpg::releaseLine()
{
    run(QStringLiteral("SCIMFreeLine"));
    m_line = NoLine;
    SetDlgItemText(IDC_RECORD, QString::fromLatin1(kRecord));
    SetDlgItemText(IDC_PLAY, QString::fromLatin1(kPlay));
    setStatus(QString());
    updateButtons();
}

void CAsrPpg::dropLine()
{
    if (m_line == NoLine)
        return;
    if (m_line == Recording)
        stopRecording();
    else if (m_line == Playing)
        stopPlaying();
    releaseLine();
}

void CAsrPpg::setStatus(const QString &text)
{
    SetDlgItemText(IDC_LINE_STATUS, text);
}

void CAsrPpg::updateButtons()
{
    const bool working = m_busy || m_line == Recording || m_line == Playing;
    const int index = selectedSynonym();
    const auto enable = [this](int id, bool on) {
        if (QWidget *control = GetDlgItem(id))
            control->setEnabled(on);
    };
    enable(IDC_NEW, !working);
    enable(IDC_DELETE_SYNONYM, !working && index >= 0);
    enable(IDC_RECORD, m_line == Recording || (!working && index >= 0));
    enable(IDC_PLAY, m_line == Playing || (!working && index >= 0 && m_withPrompt.contains(m_synonyms.at(index))));
    enable(IDC_DISCONNECT, !working && m_line != NoLine);
    m_grid->setEnabled(!working);
}

void CAsrPpg::rememberPhone()
{
    applicationProfile().WriteProfileString(QLatin1String(kProfileSection), QLatin1String(kProfileEntry),
                                            GetDlgItem<QLineEdit>(IDC_PHONE)->text());
}
