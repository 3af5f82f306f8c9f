// The chains, groups and fax page; see groupsppg.h.
#include "admin/useragents/pages/groupsppg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/aliasresolver.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/useragents/pages/sametimezonedlg.h"
#include "admin/useragents/pages/timezonetable.h"
#include "platform/mfc/dataexchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The name of language `id` in the language table: the first entry whose
// second element is a list whose second element is the id.
QString languageName(const QString &table, const QString &id)
{
    const CTclList splitter;
    QStringList entries;
    splitter.SplitList(table, entries);
    for (const QString &entry : std::as_const(entries)) {
        QStringList fields;
        splitter.SplitList(entry, fields);
        if (fields.size() < 2)
            continue;
        QStringList file;
        splitter.SplitList(fields.at(1), file);
        if (file.size() > 1 && file.at(1) == id)
            return fields.at(0);
    }
    return {};
}

// Marks the items of the language list that name a language of the
// table; the list's notices (no table, an unknown id) and a stored name
// shown as it is carry no mark.
constexpr int kLanguageRole = Qt::UserRole + 1;

QString variable(CServerCommandChannel &channel, const char *name)
{
    const QString reply = channel.Execute(QStringLiteral("set %1\r\n").arg(QLatin1String(name)));
    return IsErrorReply(reply) ? QString() : reply;
}

void exchangeCheck(CDataExchange *dx, int id, CPageBoolValue &value)
{
    int checked = value.GetValue() ? 1 : 0;
    DDX_Check(dx, id, checked);
    if (dx->m_bSaveAndValidate && (checked == 1) != value.GetValue())
        value.SetValue(checked == 1);
}

} // namespace

CGroupsPpg::CGroupsPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(
          IDD, IDS_GROUPS_PAGE,
          {
              {&m_doneApp, QStringLiteral("_EMR_DONE_A"), IDC_DONE_APP, 1354, false, -1, 0, 32905},
              {&m_doneParam, QStringLiteral("_EMR_DONE_V"), IDC_DONE_PARAM, 1354, false, -1, 0, -1},
              {&m_busyApp, QStringLiteral("_EMR_BUSY_A"), IDC_BUSY_APP, 1356, false, -1, 0, 32906},
              {&m_busyParam, QStringLiteral("_EMR_BUSY_V"), IDC_BUSY_PARAM, 1356, false, -1, 0, -1},
              {&m_rnaApp, QStringLiteral("_EMR_RNA_A"), IDC_RNA_APP, 1355, false, -1, 0, 32907},
              {&m_rnaParam, QStringLiteral("_EMR_RNA_V"), IDC_RNA_PARAM, 1355, false, -1, 0, -1},
              {&m_faxApp, QStringLiteral("_EMR_FAX_A"), IDC_FAX_APP, 1357, false, -1, 0, 32908},
              {&m_faxParam, QStringLiteral("_EMR_FAX_V"), IDC_FAX_PARAM, 1357, false, -1, 0, -1},
              {&m_modemApp, QStringLiteral("_EMR_MODEM_A"), IDC_MODEM_APP, 1358, false, -1, 0, 32909},
              {&m_modemParam, QStringLiteral("_EMR_MODEM_V"), IDC_MODEM_PARAM, 1358, false, -1, 0, -1},
              {&m_chainDelay, QStringLiteral("chain_delay"), IDC_CHAIN_DELAY, 1338, false, -1, 0, 32910},
              {&m_groups, QStringLiteral("Group_List"), IDC_GROUPS, 1504, false, -1, 0, 32911},
              {&m_host, QStringLiteral("Host_id"), IDC_HOST, 1507, true, -1, 0, 32912},
              {&m_guests, QStringLiteral("Guest_Box_List"), IDC_GUESTS, 1509, true, -1, 0, 32913},
              {&m_faxToMachine, QStringLiteral("Allow_Fax_To_FaxMachine"), IDC_FAX_TO_MACHINE, IDC_FAX_TO_MACHINE,
               true, -1, 0, 32972},
              {&m_timeZone, QStringLiteral("Time_Zone"), IDC_TIME_ZONE, IDC_TIME_ZONE, true, -1, 0, 61635},
              {&m_multilingual, QStringLiteral("Multilingual"), IDC_MULTILINGUAL, IDC_MULTILINGUAL, false, -1, 0,
               32979},
              {&m_languageSource, QStringLiteral("LanguageSetfrom"), IDC_LANGUAGE_ADMIN, 1806, false, -1, 0, 32977},
              {&m_language, QStringLiteral("LanguageName"), IDC_LANGUAGE, IDC_LANGUAGE, true, -1, 0, 32978},
          },
          sheet, services)
{
    m_chains = {{IDC_DONE_APP, &m_doneApp, &m_doneParam, true},
                {IDC_BUSY_APP, &m_busyApp, &m_busyParam, false},
                {IDC_RNA_APP, &m_rnaApp, &m_rnaParam, false},
                {IDC_FAX_APP, &m_faxApp, &m_faxParam, true},
                {IDC_MODEM_APP, &m_modemApp, &m_modemParam, true}};

    AddHeading(QStringLiteral("Chains"));
    QGridLayout *chains = AddGrid();
    const struct {
        int labelId;
        const char *text;
        int paramId;
    } rows[] = {{1354, "Chain done:", IDC_DONE_PARAM},
                {1356, "Chain busy:", IDC_BUSY_PARAM},
                {1355, "Chain RNA:", IDC_RNA_PARAM},
                {1357, "Chain fax:", IDC_FAX_PARAM},
                {1358, "Chain modem:", IDC_MODEM_PARAM}};
    for (int i = 0; i < 5; ++i) {
        chains->addWidget(MakeLabel(rows[i].labelId, QString::fromLatin1(rows[i].text)), i, 0, Qt::AlignLeft);
        QComboBox *combo = MakeCombo(m_chains[i].comboId, true);
        chains->addWidget(combo, i, 1);
        chains->addWidget(MakeEdit(rows[i].paramId), i, 2);
        const int chain = i;
        connect(combo, &QComboBox::activated, this, [this, chain] { applicationChosen(m_chains[chain]); });
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, chain] { OnEditChange(m_chains[chain].comboId); });
    }
    chains->addWidget(MakeLabel(1338, QStringLiteral("Chain delay:")), 5, 0, Qt::AlignLeft);
    chains->addWidget(MakeEdit(IDC_CHAIN_DELAY, 80), 5, 1, Qt::AlignLeft);
    chains->setColumnStretch(1, 1);
    chains->setColumnStretch(2, 1);

    AddHeading(QStringLiteral("Groups"));
    QGridLayout *groups = AddGrid();
    groups->addWidget(MakeLabel(1504, QStringLiteral("Group names:")), 0, 0, Qt::AlignLeft);
    groups->addWidget(MakeEdit(IDC_GROUPS), 0, 1);
    groups->addWidget(MakeLabel(1507, QStringLiteral("Host mailbox:")), 1, 0, Qt::AlignLeft);
    groups->addWidget(MakeEdit(IDC_HOST), 1, 1);
    groups->addWidget(MakeLabel(1509, QStringLiteral("Guest mailboxes:")), 2, 0, Qt::AlignLeft);
    groups->addWidget(MakeEdit(IDC_GUESTS), 2, 1);
    groups->addWidget(
        MakeCheck(IDC_FAX_TO_MACHINE, QStringLiteral("Allow Fax Delivery from Deskop to a Fax Machine")), 3, 0, 1,
        2, Qt::AlignLeft);
    groups->setColumnStretch(1, 1);

    AddHeading(QStringLiteral("Time zone and language"));
    QGridLayout *language = AddGrid();
    language->addWidget(new QLabel(QStringLiteral("Time zone:"), this), 0, 0, Qt::AlignLeft);
    QComboBox *zones = MakeCombo(IDC_TIME_ZONE, false);
    language->addWidget(zones, 0, 1, 1, 2);
    language->addWidget(MakeCheck(IDC_MULTILINGUAL, QStringLiteral("Multilingual")), 1, 0, Qt::AlignLeft);
    language->addWidget(MakeLabel(1806, QStringLiteral("Set mailbox language from:")), 2, 0, Qt::AlignLeft);
    auto *source = new QHBoxLayout;
    source->addWidget(MakeRadio(IDC_LANGUAGE_ADMIN, QStringLiteral("Admin")));
    source->addWidget(MakeRadio(IDC_LANGUAGE_PHONE, QStringLiteral("Phone")));
    source->addStretch(1);
    language->addLayout(source, 2, 1);
    language->addWidget(MakeLabel(IDL_LANGUAGE, QStringLiteral("Language:")), 3, 0, Qt::AlignLeft);
    QComboBox *languages = MakeCombo(IDC_LANGUAGE, false);
    language->addWidget(languages, 3, 1, Qt::AlignLeft);
    language->setColumnStretch(2, 1);
    Body()->addStretch(1);

    connect(zones, &QComboBox::activated, this, [this](int row) {
        m_timeZone.SetValue(row);
        OnEditChange(IDC_TIME_ZONE);
    });
    connect(languages, &QComboBox::activated, this, &CGroupsPpg::languageChosen);
}

bool CGroupsPpg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    readPromptLanguages();
    const QStringList applications =
        CAliasResolver::Applications(Services().userApps, Services().applicationChannel);
    for (const Chain &chain : std::as_const(m_chains)) {
        auto *combo = GetDlgItem<QComboBox>(chain.comboId);
        const QSignalBlocker blocker(combo);
        combo->addItems(applications);
        if (chain.offersDefault)
            combo->addItem(QString::fromLatin1(DefaultApplication));
        combo->setCurrentIndex(-1);
    }
    auto *zones = GetDlgItem<QComboBox>(IDC_TIME_ZONE);
    for (int row = 0; row < CTimeZoneTable::RowCount; ++row)
        zones->addItem(CTimeZoneTable::Name(row));
    zones->setCurrentIndex(-1);
    fillLanguages();
    Sheet().AddChangedFlags(InitialisedBit());
    SetControlTips(*this, {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970}, {1163, 32905},
                           {1335, 32905}, {1168, 32907}, {1336, 32907}, {1174, 32906}, {1337, 32906},
                           {1175, 32908}, {1339, 32908}, {1176, 32909}, {1340, 32909}, {1060, 32910},
                           {1009, 32972}, {1505, 32911}, {1506, 32912}, {1508, 32913}, {1800, 61635},
                           {1466, 32979}, {1523, 32977}, {1805, 32978}});
    return true;
}

void CGroupsPpg::readPromptLanguages()
{
    const CTclList splitter;
    QStringList files;
    splitter.SplitList(variable(*Sheet().Channel(), "sys_prompt_files"), files);
    m_promptLanguages.clear();
    for (const QString &file : std::as_const(files)) {
        QStringList fields;
        splitter.SplitList(file, fields);
        if (fields.size() > 1 && !m_promptLanguages.contains(fields.at(1)))
            m_promptLanguages.append(fields.at(1));
    }
    m_multiLanguage = m_promptLanguages.size() > 1;
    m_languageTable = variable(*Sheet().Channel(), "sys_language_table");
}

void CGroupsPpg::fillLanguages()
{
    auto *languages = GetDlgItem<QComboBox>(IDC_LANGUAGE);
    QStringList entries;
    CTclList().SplitList(m_languageTable, entries);
    if (entries.isEmpty()) {
        languages->addItem(QStringLiteral("No language table"));
        return;
    }
    for (const QString &id : std::as_const(m_promptLanguages)) {
        const QString name = languageName(m_languageTable, id);
        if (name.isEmpty()) {
            languages->addItem(QStringLiteral("Unknown language ID %1").arg(id));
            continue;
        }
        languages->addItem(name);
        languages->setItemData(languages->count() - 1, true, kLanguageRole);
    }
}

bool CGroupsPpg::isLanguageItem(int index) const
{
    return index >= 0 && GetDlgItem<QComboBox>(IDC_LANGUAGE)->itemData(index, kLanguageRole).toBool();
}

void CGroupsPpg::languageChosen(int index)
{
    // A notice of the list names no language: the box keeps the one it has.
    if (!isLanguageItem(index)) {
        const QSignalBlocker blocker(GetDlgItem(IDC_LANGUAGE));
        CDataExchange dx(this, false);
        showLanguage(&dx);
        return;
    }
    m_languagePlaceholder = false;
    m_language.PutText(GetDlgItem<QComboBox>(IDC_LANGUAGE)->itemText(index));
    OnEditChange(IDC_LANGUAGE);
}

void CGroupsPpg::showLanguage(CDataExchange *dx)
{
    // An empty language shows the server's first prompt language, which
    // the box then uses; it stays empty unless the administrator picks one.
    m_languagePlaceholder = m_language.GetText().isEmpty();
    QString shown = m_languagePlaceholder ? languageShownForEmpty() : m_language.GetText();
    ExchangeComboText(dx, IDC_LANGUAGE, shown);
}

QString CGroupsPpg::languageShownForEmpty() const
{
    if (m_promptLanguages.isEmpty())
        return QStringLiteral("No PROMPTS variable");
    QStringList entries;
    CTclList().SplitList(m_languageTable, entries);
    if (entries.isEmpty())
        return QStringLiteral("No language table");
    const QString name = languageName(m_languageTable, m_promptLanguages.first());
    return name.isEmpty() ? QStringLiteral("Unknow language") : name;
}

bool CGroupsPpg::isDefaultShown(int comboId, const QString &text) const
{
    for (const Chain &chain : m_chains) {
        if (chain.comboId == comboId)
            return chain.offersDefault && text == QLatin1String(DefaultApplication);
    }
    return false;
}

void CGroupsPpg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    for (const Chain &chain : std::as_const(m_chains)) {
        QString application = chain.application->GetText();
        if (!dx->m_bSaveAndValidate && application.isEmpty() && chain.offersDefault)
            application = QString::fromLatin1(DefaultApplication);
        ExchangeComboText(dx, chain.comboId, application);
        // "<Default>" stands for the class of service's chain: no value.
        if (dx->m_bSaveAndValidate && application != chain.application->GetText())
            chain.application->PutText(isDefaultShown(chain.comboId, application) ? QString() : application);
    }
    for (const auto &[id, value] : {std::pair{int(IDC_DONE_PARAM), &m_doneParam}, {int(IDC_BUSY_PARAM), &m_busyParam},
                                    {int(IDC_RNA_PARAM), &m_rnaParam}, {int(IDC_FAX_PARAM), &m_faxParam},
                                    {int(IDC_MODEM_PARAM), &m_modemParam}, {int(IDC_HOST), &m_host},
                                    {int(IDC_GUESTS), &m_guests}})
        DDX_Text(dx, id, value->GetValueRef());
    int delay = m_chainDelay.GetValue();
    DDX_Text(dx, IDC_CHAIN_DELAY, delay);
    QString groups = m_groups.GetText();
    DDX_Text(dx, IDC_GROUPS, groups);
    exchangeCheck(dx, IDC_FAX_TO_MACHINE, m_faxToMachine);
    exchangeCheck(dx, IDC_MULTILINGUAL, m_multilingual);
    int source = m_languageSource.GetValue();
    auto *zones = GetDlgItem<QComboBox>(IDC_TIME_ZONE);
    auto *languages = GetDlgItem<QComboBox>(IDC_LANGUAGE);
    if (dx->m_bSaveAndValidate) {
        SaveRadio({IDC_LANGUAGE_ADMIN, IDC_LANGUAGE_PHONE}, source);
        m_chainDelay.SetValue(delay);
        // Group names go blank-separated, however they were typed.
        groups.replace(QLatin1Char(','), QLatin1Char(' '));
        if (groups != m_groups.GetText())
            m_groups.PutText(groups);
        m_languageSource.SetValue(source);
        if (zones->currentIndex() >= 0)
            m_timeZone.SetValue(zones->currentIndex());
        if (!m_languagePlaceholder && isLanguageItem(languages->currentIndex()))
            m_language.PutText(languages->currentText());
        return;
    }
    LoadRadio({IDC_LANGUAGE_ADMIN, IDC_LANGUAGE_PHONE}, source);
    const int row = m_timeZone.GetValue();
    zones->setCurrentIndex(!isZoneUnset() && row < CTimeZoneTable::RowCount ? row : -1);
    showLanguage(dx);
}

void CGroupsPpg::OnUserAgentLoaded(WPARAM wParam, LPARAM lParam)
{
    CMailboxPageBase::OnUserAgentLoaded(wParam, lParam);
    if (Sheet().Record().GetUANumber() == -1)
        return;
    chooseTimeZone();
    followLanguageSource();
    RefreshControlById(1504);
}

void CGroupsPpg::chooseTimeZone()
{
    const long box = Sheet().Record().GetUANumber();
    // Offered once a box, and never while the sheet's Reset runs.
    if (!isZoneUnset() || Sheet().IsResetting() || m_zoneOffered.contains(box))
        return;
    const std::optional<int> bias = CTimeZoneTable::ParseBias(QString::fromLatin1(Services().serverTimeZone));
    if (!bias)
        return;
    const std::optional<std::pair<int, int>> rows = CTimeZoneTable::RowsOfBias(*bias);
    if (!rows)
        return;
    m_zoneOffered.insert(box);
    if (rows->first == rows->second) {
        m_timeZone.SetValue(rows->first);
    } else {
        CSameTimeZoneDlg question(rows->first, rows->second, this);
        if (question.DoModal() != IDOK)
            return;
        m_timeZone.SetValue(question.ChosenRow());
        OnEditChange(IDC_TIME_ZONE);
    }
    auto *zones = GetDlgItem<QComboBox>(IDC_TIME_ZONE);
    const QSignalBlocker blocker(zones);
    zones->setCurrentIndex(m_timeZone.GetValue());
}

bool CGroupsPpg::isZoneUnset() const
{
    // A box without the property has no zone, as one holding -1.
    return m_timeZone.GetText().trimmed().isEmpty() || m_timeZone.GetValue() < 0;
}

void CGroupsPpg::followLanguageSource()
{
    const bool fromPhone = m_languageSource.GetValue() == 1;
    m_language.SetDisabled(fromPhone || !m_multiLanguage);
    m_languageSource.SetDisabled(!m_multiLanguage);
    m_multilingual.SetDisabled(!m_multiLanguage);
    for (const int label : {int(IDC_LANGUAGE), 1806, int(IDC_MULTILINGUAL)})
        RefreshControlById(label);
    if (QWidget *phone = GetDlgItem(IDC_LANGUAGE_PHONE))
        phone->setEnabled(m_multiLanguage);
    if (QWidget *label = GetDlgItem(IDL_LANGUAGE))
        label->setEnabled(m_multiLanguage && !fromPhone);
}

void CGroupsPpg::applicationChosen(const Chain &chain)
{
    auto *combo = GetDlgItem<QComboBox>(chain.comboId);
    const QString text = combo->currentText();
    if (!chain.offersDefault) {
        if (UpdateData(true))
            OnEditChange(chain.comboId);
        return;
    }
    const QString stored = chain.application->GetText();
    if (text == stored || (stored.isEmpty() && isDefaultShown(chain.comboId, text)))
        return;
    if (!UpdateData(true))
        return;
    OnEditChange(chain.comboId);
    if (!text.isEmpty() && !isDefaultShown(chain.comboId, text))
        return;
    // No application of its own: the event takes the class of service's
    // chain, application and parameter alike.
    chain.parameter->PutText(QString());
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (GetEntry(i).controlId == chain.comboId) {
            ToggleInherited(i);
            break;
        }
    }
}

void CGroupsPpg::ResetToParent()
{
    ResetToCOS();
}

LRESULT CGroupsPpg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        const int id = int(LOWORD(wParam));
        if (HIWORD(wParam) == BN_CLICKED && (id == IDC_LANGUAGE_ADMIN || id == IDC_LANGUAGE_PHONE)) {
            m_languageSource.SetValue(id == IDC_LANGUAGE_PHONE ? 1 : 0);
            followLanguageSource();
            SetPageModified(true);
            MarkFieldChanged(IDC_LANGUAGE_ADMIN);
            return 0;
        }
        if (HIWORD(wParam) == EN_KILLFOCUS && id == IDC_GROUPS) {
            auto *groups = GetDlgItem<QLineEdit>(IDC_GROUPS);
            if (groups->isModified() && groups->text().contains(QLatin1Char(','))) {
                groups->setText(groups->text().replace(QLatin1Char(','), QLatin1Char(' ')));
                OnEditChange(IDC_GROUPS);
            }
        }
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}
