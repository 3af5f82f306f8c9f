// The menus page; see menusppg.h.
#include "admin/useragents/pages/menusppg.h"

#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/aliasresolver.h"
#include "admin/useragents/pages/pagestrings.h"
#include "platform/mfc/dataexchange.h"
#include "platform/msgbox/msgbox.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

const std::array<CMenusPpg::Key, CMenusPpg::KeyCount> CMenusPpg::Keys = {{
    {"1", 1357, "One", 1178, 1244, 32947},
    {"2", 1358, "Two", 1348, 1250, 32948},
    {"3", 1359, "Three", 1349, 1247, 32949},
    {"4", 1360, "Four", 1169, 1241, 32950},
    {"5", 1361, "Five", 1189, 1253, 32951},
    {"6", 1362, "Six", 1205, 1260, 32952},
    {"7", 1363, "Seven", 1183, 1237, 32953},
    {"8", 1364, "Eight", 1194, 1256, 32954},
    {"9", 1365, "Nine", 1209, 1262, 32955},
    {"0", 1366, "Zero", 1198, 1258, 32956},
}};

namespace {

// The marks stand this far right of each key's label.
constexpr int kMarkOffset = 10;

std::vector<PageField> menuFields(std::array<CPageTextValue, CMenusPpg::KeyCount> &applications,
                                  std::array<CPageTextValue, CMenusPpg::KeyCount> &parameters)
{
    std::vector<PageField> fields;
    for (int i = 0; i < CMenusPpg::KeyCount; ++i) {
        const CMenusPpg::Key &key = CMenusPpg::Keys[i];
        fields.push_back({&applications[i], QStringLiteral("_EMR_MENU%1_A").arg(QLatin1String(key.digit)),
                          key.comboId, key.labelId, false, -1, kMarkOffset, int(key.tooltipId)});
        fields.push_back({&parameters[i], QStringLiteral("_EMR_MENU%1_V").arg(QLatin1String(key.digit)),
                          key.editId, key.labelId, false, -1, kMarkOffset, -1});
    }
    return fields;
}

} // namespace

CMenusPpg::CMenusPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(IDD, IDS_MENUS_PAGE, menuFields(m_applications, m_parameters), sheet, services)
{
    QGridLayout *grid = AddGrid();
    grid->addWidget(new QLabel(QStringLiteral("Application"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Parameter"), this), 0, 2);
    for (int i = 0; i < KeyCount; ++i) {
        const Key &key = Keys[i];
        grid->addWidget(MakeLabel(key.labelId, QString::fromLatin1(key.labelText)), i + 1, 0, Qt::AlignLeft);
        QComboBox *combo = MakeCombo(key.comboId, true);
        grid->addWidget(combo, i + 1, 1);
        grid->addWidget(MakeEdit(key.editId), i + 1, 2);
        connect(combo, &QComboBox::activated, this, [this, i](int index) { applicationChosen(i, index); });
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this] { applicationTyped(); });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (old == GetDlgItem(Keys[ZeroKey].comboId) && now && isAncestorOf(now))
            applicationLeft(ZeroKey);
    });
    grid->setColumnMinimumWidth(0, 60);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    Body()->addStretch(1);
}

bool CMenusPpg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    const QStringList applications =
        CAliasResolver::Applications(Services().userApps, Services().applicationChannel);
    for (const Key &key : Keys) {
        auto *combo = GetDlgItem<QComboBox>(key.comboId);
        const QSignalBlocker blocker(combo);
        combo->addItems(applications);
        combo->setCurrentIndex(-1);
    }
    Sheet().AddChangedFlags(InitialisedBit());
    SetControlTips(*this, {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970}});
    for (const Key &key : Keys) {
        for (const int id : {key.comboId, key.editId}) {
            if (QWidget *control = GetDlgItem(id))
                control->setToolTip(PageString(key.tooltipId));
        }
    }
    return true;
}

void CMenusPpg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    for (int i = 0; i < KeyCount; ++i) {
        ExchangeComboText(dx, Keys[i].comboId, m_applications[i].GetValueRef());
        DDX_Text(dx, Keys[i].editId, m_parameters[i].GetValueRef());
    }
}

void CMenusPpg::applicationChosen(int key, int index)
{
    // The trackers hold what was chosen last; the controls show it again.
    if (index < 0) {
        LoadControls();
        return;
    }
    // The chosen item is the application, exactly as listed.
    if (UpdateData(true))
        OnEditChange(Keys[key].comboId);
}

void CMenusPpg::applicationLeft(int key)
{
    // A list that shows the key's application has nothing to give: passing
    // through it is no choice, and reloads nothing typed elsewhere.
    if (GetDlgItem<QComboBox>(Keys[key].comboId)->currentText() == m_applications[key].GetText())
        return;
    applicationChosen(key, GetDlgItem<QComboBox>(Keys[key].comboId)->currentIndex());
}

void CMenusPpg::applicationTyped()
{
    AfxMessageBox(QStringLiteral("Select new application from the drop down list. \nTo remove current "
                                 "selection, use revert option."));
    LoadControls();
}

void CMenusPpg::ResetToParent()
{
    ResetToCOS();
}
