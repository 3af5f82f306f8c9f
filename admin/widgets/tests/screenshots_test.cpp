// Pictures of the shared windows as a user sees them, written to
// $VERBANTA_BINARY_DIR/screenshots/ for a person to look at: the clock dialog
// and a property sheet made on the bases, with a grid and a list on its pages.
#include "admin/widgets/colorlistctrl.h"
#include "admin/widgets/spreadsheetex.h"
#include "admin/widgets/systemclockdlg.h"
#include "platform/mfc/propertypage.h"
#include "platform/mfc/propertysheet.h"

#include "platform/mfc/tests/modalrun.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QLineEdit>

namespace {

QString screenshotPath(const QString &name)
{
    const QString root = qEnvironmentVariable("VERBANTA_BINARY_DIR", QDir::tempPath());
    QDir folder(root);
    folder.mkpath(QStringLiteral("screenshots"));
    return folder.filePath(QStringLiteral("screenshots/") + name);
}

void saveGrab(QWidget &window, const QString &name)
{
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(screenshotPath(name)));
}

class NamesPage : public CPropertyPage {
public:
    NamesPage() : CPropertyPage(131, QStringLiteral("User Mode Options"))
    {
        auto *form = new QFormLayout(this);
        form->addRow(QStringLiteral("Mailbox number:"),
                     SetDlgCtrlID(new QLineEdit(QStringLiteral("203"), this), 1226));
        form->addRow(QStringLiteral("Name 1:"),
                     SetDlgCtrlID(new QLineEdit(QStringLiteral("Ann"), this), 1232));
        form->addRow(QStringLiteral("Name 2:"),
                     SetDlgCtrlID(new QLineEdit(QStringLiteral("Smith"), this), 1234));
        form->addRow(QStringLiteral("Comment:"),
                     SetDlgCtrlID(new QLineEdit(QStringLiteral("Front desk"), this), 1230));
        form->addRow(SetDlgCtrlID(new QCheckBox(QStringLiteral("&Enabled"), this), 1301));
        auto *list = new CColorListCtrl(this);
        list->InsertColumn(0, QStringLiteral("Mailbox number"), LVCFMT_RIGHT, 110);
        list->InsertColumn(1, QStringLiteral("COS"), LVCFMT_LEFT, 64);
        list->InsertColumn(2, QStringLiteral("Comment"), LVCFMT_LEFT, 160);
        const QStringList rows[] = {
            {QStringLiteral("     203"), QStringLiteral("100"), QStringLiteral("Front desk")},
            {QStringLiteral("     204"), QStringLiteral("100"),
             QStringLiteral("A comment far too long for its column to hold")}};
        for (const QStringList &row : rows) {
            const int index = list->InsertItem(list->GetItemCount(), row.at(0));
            list->SetItemText(index, 1, row.at(1));
            list->SetItemText(index, 2, row.at(2));
        }
        list->SetShowSelectionAlways(true);
        list->SelectItem(0);
        list->setFixedSize(360, 90);
        form->addRow(list);
    }
};

class SynonymsPage : public CPropertyPage {
public:
    SynonymsPage() : CPropertyPage(262, QStringLiteral("ASR Auto Attendant"))
    {
        auto *layout = new QVBoxLayout(this);
        auto *grid = new CSpreadSheetEx(3, this);
        grid->setFixedSize(360, 150);
        const char *headings[] = {"No.", "Synonyms", "Prompt"};
        for (int col = 1; col <= 3; ++col) {
            grid->SetRow(0);
            grid->SetCol(col);
            grid->SetText(QString::fromLatin1(headings[col - 1]));
        }
        grid->SetColWidth(0, 0);
        grid->SetColWidth(1, 4);
        grid->SetColWidth(2, 24);
        grid->SizeColumns(3, false);
        grid->RestoreColumnWidth(2);
        const char *synonyms[] = {"Main Office", "Sales"};
        for (int row = 1; row <= 2; ++row) {
            grid->SetRow(row);
            grid->SetCol(1);
            grid->SetText(QString::number(row));
            grid->SetCol(2);
            grid->SetText(QString::fromLatin1(synonyms[row - 1]));
        }
        layout->addWidget(grid);
    }
};

} // namespace

TEST(Screenshots, ClockDialog)
{
    CSystemClockDlg dialog;
    dialog.m_time = QDateTime(QDate(2026, 12, 10), QTime(13, 59, 33));
    RunModal(dialog, {[&] {
                 saveGrab(dialog, QStringLiteral("systemclockdlg.png"));
                 ClickDlgItem(dialog, IDCANCEL);
             }});
}

TEST(Screenshots, PropertySheet)
{
    NamesPage names;
    SynonymsPage synonyms;
    CPropertySheet sheet(QStringLiteral("Mailbox Editor (1)"));
    sheet.AddPage(&names);
    sheet.AddPage(&synonyms);
    RunModal(sheet, {[&] {
                         names.SetModified();
                         saveGrab(sheet, QStringLiteral("propertysheet.png"));
                         sheet.SetActivePage(1);
                     },
                     [&] {
                         saveGrab(sheet, QStringLiteral("propertysheet-grid.png"));
                         ClickDlgItem(sheet, IDCANCEL);
                     }});
}
