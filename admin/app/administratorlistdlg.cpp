// The administrator list window; see administratorlistdlg.h.
#include "admin/app/administratorlistdlg.h"

#include "admin/app/adminapp.h"
#include "admin/app/manageadminsdlg.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "admin/widgets/colorlistctrl.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char *const kNotAllowed = "You are not allowed to perform Administration tasks";
const char *const kNothingToDelete = "No User Agent to be deleted";
const char *const kDeleteQuestion = "Are you sure you would like to remove Administrator %1?";
const char *const kDepartment = "Department  Administrator";
const char *const kDepartmentComment = "Can administrator a range of user agents.";
const char *const kAdministrator = "Administrator";
const char *const kAdministratorComment = "Can administrator all Department Admins and all user agents.";
// The widths of the second and third columns (string 61540); the first is
// always 100.
const char *const kColumnWidths = "\"100,100,300\"";
constexpr uint32_t kMinimumRights = 0x04000000;
constexpr uint32_t kAdministratorRights = 0x20000000;

} // namespace

CAdministratorListDlg::CAdministratorListDlg(QWidget *parent, std::function<void()> onDestroyed)
    : CDialog(IDD, QStringLiteral("Manage Administrators"), parent), m_onDestroyed(std::move(onDestroyed)),
      m_list(SetDlgCtrlID(new CColorListCtrl(this), IDC_LIST))
{
    auto *buttons = new QVBoxLayout;
    for (auto [id, text] : {std::pair{IDC_ADD, "Add"}, std::pair{IDC_MODIFY, "Modify"},
                            std::pair{IDC_DELETE, "Delete"}, std::pair{IDC_CLOSE, "Close"}}) {
        auto *button = SetDlgCtrlID(new QPushButton(QString::fromUtf8(text), this), int(id));
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        const int row = m_list->GetSelectedItem();
        m_selectedName = row >= 0 ? m_list->GetItemText(row, 0) : QString();
        updateButtons();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { OnModify(); });
    resize(640, 300);
}

CAdministratorListDlg::~CAdministratorListDlg()
{
    if (!m_session)
        return;
    try {
        m_session->Disconnect();
    } catch (const CZltException &) {
        // The session's destructor answers whatever is still pending.
    }
}

bool CAdministratorListDlg::OnInitDialog()
{
    CAdminApp &app = theApp();
    const auto closeLater = [this] {
        QTimer::singleShot(0, this, [this] { SendMessage(GetSafeHwnd(), WM_CLOSE, 0, 0); });
    };
    if (app.Rights() <= kMinimumRights) {
        AfxMessageBox(QString::fromUtf8(kNotAllowed));
        closeLater();
        return true;
    }
    try {
        CWaitCursor wait;
        m_session = std::make_unique<CZELTSession>(*app.GetSession());
        m_session->Connect(CLoginCredentials{app.Host(), app.User(), app.Password()});
    } catch (const CZltExceptionLoginDeclined &) {
        m_session.reset(); // the session has said why
        closeLater();
        return true;
    } catch (const CZltException &failure) {
        AfxMessageBox(failure.text(), MB_OK | MB_ICONERROR);
        m_session.reset();
        closeLater();
        return true;
    }
    const QStringList widths =
        QString::fromUtf8(kColumnWidths).remove(QLatin1Char('"')).split(QLatin1Char(','));
    m_list->InsertColumn(0, QStringLiteral("User Name"), LVCFMT_LEFT, 100);
    m_list->InsertColumn(1, QStringLiteral("Security Level"), LVCFMT_LEFT, widths.value(1).toInt());
    m_list->InsertColumn(2, QStringLiteral("Comment"), LVCFMT_LEFT, widths.value(2).toInt());
    fill();
    updateButtons();
    return true;
}

void CAdministratorListDlg::fill()
{
    m_list->DeleteAllItems();
    CPendingCommand pending = m_session->BeginCommand(QStringLiteral("GetRemoteUsersList "), true, 1);
    const QString reply = m_session->WaitReply(pending);
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    const uint32_t ownLevel = theApp().RightsLevel();
    QStringList accounts;
    m_session->ListSplitter().SplitList(reply, accounts);
    for (const QString &account : std::as_const(accounts)) {
        QStringList fields;
        m_session->ListSplitter().SplitList(account, fields);
        if (fields.size() < 2)
            continue; // no rights word: nothing to show or to judge it by
        const std::optional<uint32_t> rights = CAdminApp::ParseRightsWord(fields.at(1));
        if (!rights || (*rights >> 24) >= ownLevel)
            continue;
        const bool department = *rights < kAdministratorRights;
        const int row = m_list->InsertItem(m_list->GetItemCount(), fields.at(0));
        m_list->SetItemText(row, 1, QString::fromUtf8(department ? kDepartment : kAdministrator));
        m_list->SetItemText(row, 2,
                            QString::fromUtf8(department ? kDepartmentComment : kAdministratorComment));
        m_list->SetItemData(row, quintptr(row));
        for (int column = 0; column < m_list->columnCount(); ++column)
            m_list->WidenColumnToFit(column, row);
    }
}

void CAdministratorListDlg::selectName(const QString &name)
{
    for (int row = 0; row < m_list->GetItemCount(); ++row) {
        if (m_list->GetItemText(row, 0).compare(name, Qt::CaseInsensitive) == 0) {
            m_list->SelectItem(row);
            m_list->setCurrentItem(m_list->topLevelItem(row));
            m_list->setFocus();
            return;
        }
    }
}

void CAdministratorListDlg::updateButtons()
{
    const bool selected = !m_selectedName.isEmpty();
    GetDlgItem(IDC_MODIFY)->setEnabled(selected);
    GetDlgItem(IDC_DELETE)->setEnabled(selected);
}

bool CAdministratorListDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        OnAdd();
        return true;
    case IDC_MODIFY:
        OnModify();
        return true;
    case IDC_DELETE:
        OnDelete();
        return true;
    case IDC_CLOSE:
        OnClose();
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

LRESULT CAdministratorListDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        OnClose();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CAdministratorListDlg::OnCancel()
{
    // Escape closes the window as Close does.
    OnClose();
}

void CAdministratorListDlg::OnAdd()
{
    const QString previous = m_selectedName;
    CManageAdminsDlg dialog(*m_session, this, QString(), CManageAdminsDlg::ModeAdd);
    if (dialog.DoModal() == IDOK) {
        fill();
        selectName(dialog.GetName());
    } else {
        selectName(previous);
    }
}

void CAdministratorListDlg::OnModify()
{
    if (m_selectedName.isEmpty())
        return;
    const QString name = m_selectedName;
    CManageAdminsDlg dialog(*m_session, this, name, CManageAdminsDlg::ModeModify);
    if (dialog.DoModal() == IDOK)
        fill();
    selectName(name);
}

void CAdministratorListDlg::OnDelete()
{
    if (m_selectedName.isEmpty()) {
        AfxMessageBox(QString::fromUtf8(kNothingToDelete));
        return;
    }
    if (MessageBox(GetSafeHwnd(), QString::fromUtf8(kDeleteQuestion).arg(m_selectedName),
                   QStringLiteral("Delete Administrator"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const QString reply =
        m_session->Execute(QStringLiteral("DeleteRemoteUser %1").arg(TclWord(m_selectedName)), true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    const int row = m_list->GetSelectedItem();
    m_list->DeleteItem(row);
    for (int later = row; later < m_list->GetItemCount(); ++later)
        m_list->SetItemData(later, quintptr(later));
    m_selectedName.clear();
    updateButtons();
}

void CAdministratorListDlg::OnClose()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_session) {
        try {
            m_session->Disconnect();
        } catch (const CZltException &) {
            // Nothing is pending that the window would still need.
        }
        m_session.reset();
    }
    DestroyWindow();
}

void CAdministratorListDlg::PostNcDestroy()
{
    if (m_onDestroyed)
        m_onDestroyed();
    deleteLater();
}
