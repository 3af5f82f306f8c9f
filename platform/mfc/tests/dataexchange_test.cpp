// Dialog data exchange: values both ways, and every refusal with its standard
// message, the focus on the refused field, and the dialog left open.
#include "platform/mfc/dataexchange.h"

#include "modalrun.h"
#include "platform/msgbox/messageboxscript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

enum {
    IDC_COUNT = 1000,
    IDC_PASSWORD = 1635,
    IDC_NUMBER = 1226,
    IDC_REMEMBER = 1009,
    IDC_MODE = 1100,
    IDC_HOST = 1001
};

class FieldsDlg : public CDialog {
public:
    FieldsDlg() : CDialog(234, QStringLiteral("Fields"))
    {
        auto *form = new QFormLayout(this);
        form->addRow(QStringLiteral("Count:"), SetDlgCtrlID(new QLineEdit(this), IDC_COUNT));
        form->addRow(QStringLiteral("Password:"), SetDlgCtrlID(new QLineEdit(this), IDC_PASSWORD));
        form->addRow(QStringLiteral("Mailbox number:"), SetDlgCtrlID(new QLineEdit(this), IDC_NUMBER));
        form->addRow(SetDlgCtrlID(new QCheckBox(QStringLiteral("Remember"), this), IDC_REMEMBER));
        auto *mode = SetDlgCtrlID(new QComboBox(this), IDC_MODE);
        mode->addItems({QStringLiteral("Normal"), QStringLiteral("Urgent")});
        form->addRow(QStringLiteral("Mode:"), mode);
        auto *host = SetDlgCtrlID(new QComboBox(this), IDC_HOST);
        host->setEditable(true);
        host->addItems({QStringLiteral("alpha.example"), QStringLiteral("beta.example")});
        form->addRow(QStringLiteral("Computer:"), host);
        form->addRow(SetDlgCtrlID(new QPushButton(QStringLiteral("OK"), this), IDOK));
    }

    QLineEdit *edit(int id) const { return GetDlgItem<QLineEdit>(id); }

    int m_count = 5;
    QString m_password = QStringLiteral("secret");
    unsigned m_number = 999;
    int m_remember = 1;
    int m_mode = 1;
    QString m_host = QStringLiteral("BETA");

protected:
    void DoDataExchange(CDataExchange *dx) override
    {
        DDX_Text(dx, IDC_COUNT, m_count);
        DDV_MinMaxInt(dx, m_count, 1, 10);
        DDX_Text(dx, IDC_PASSWORD, m_password);
        DDV_MaxChars(dx, m_password, 16);
        DDX_Text(dx, IDC_NUMBER, m_number);
        DDV_MinMaxUInt(dx, m_number, 0, 999999999);
        DDX_Check(dx, IDC_REMEMBER, m_remember);
        DDX_CBIndex(dx, IDC_MODE, m_mode);
        DDX_CBString(dx, IDC_HOST, m_host);
    }
};

struct Refusal {
    const char *name;
    int id;
    const char *typed;
    const char *message;
};

class DataExchangeRefusal : public ::testing::TestWithParam<Refusal> {};

} // namespace

TEST(DataExchange, LoadingPutsMembersIntoControls)
{
    FieldsDlg dialog;
    ASSERT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(dialog.edit(IDC_COUNT)->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog.edit(IDC_PASSWORD)->text(), QStringLiteral("secret"));
    EXPECT_EQ(dialog.edit(IDC_NUMBER)->text(), QStringLiteral("999"));
    EXPECT_TRUE(dialog.GetDlgItem<QCheckBox>(IDC_REMEMBER)->isChecked());
    EXPECT_EQ(dialog.GetDlgItem<QComboBox>(IDC_MODE)->currentIndex(), 1);
    EXPECT_EQ(dialog.GetDlgItem<QComboBox>(IDC_HOST)->currentText(), QStringLiteral("beta.example"))
        << "the first item that begins with the text, whatever its case";
}

TEST(DataExchange, AnEditLimitedToSixteenCharactersTakesNoSeventeenth)
{
    FieldsDlg dialog;
    dialog.UpdateData(false);
    QLineEdit *password = dialog.edit(IDC_PASSWORD);
    password->clear();
    QTest::keyClicks(password, QStringLiteral("0123456789abcdefX"));
    EXPECT_EQ(password->text(), QStringLiteral("0123456789abcdef"));
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.m_password, QStringLiteral("0123456789abcdef"));
}

TEST(DataExchange, ATextLoadedBeyondTheLimitStaysWholeAndIsRefused)
{
    FieldsDlg dialog;
    dialog.m_password = QStringLiteral("0123456789abcdefX");
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.edit(IDC_PASSWORD)->text(), QStringLiteral("0123456789abcdefX"));
    MessageBoxScript script;
    script.answer(IDOK);
    EXPECT_FALSE(dialog.UpdateData(true));
    ASSERT_EQ(script.transcript().size(), 1);
    EXPECT_EQ(script.transcript().at(0).text, QStringLiteral("Please enter no more than 16 characters."));
    EXPECT_EQ(dialog.focusWidget(), dialog.edit(IDC_PASSWORD));
}

TEST(DataExchange, SavingReadsControlsIntoMembers)
{
    FieldsDlg dialog;
    dialog.UpdateData(false);
    dialog.edit(IDC_COUNT)->setText(QStringLiteral(" 7 "));
    dialog.edit(IDC_NUMBER)->setText(QStringLiteral("999999999"));
    dialog.GetDlgItem<QCheckBox>(IDC_REMEMBER)->setChecked(false);
    dialog.GetDlgItem<QComboBox>(IDC_MODE)->setCurrentIndex(0);
    dialog.GetDlgItem<QComboBox>(IDC_HOST)->setEditText(QStringLiteral("gamma"));
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.m_count, 7);
    EXPECT_EQ(dialog.m_number, 999999999u);
    EXPECT_EQ(dialog.m_remember, 0);
    EXPECT_EQ(dialog.m_mode, 0);
    EXPECT_EQ(dialog.m_host, QStringLiteral("gamma"));

    dialog.m_host = QStringLiteral("delta");
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.GetDlgItem<QComboBox>(IDC_HOST)->currentText(), QStringLiteral("delta"))
        << "an editable combo shows a text no item begins with";
}

TEST_P(DataExchangeRefusal, ShowsTheMessageAndFocusesTheField)
{
    const Refusal &c = GetParam();
    FieldsDlg dialog;
    // Typed straight in, without loading first: loading would limit the
    // password edit, which then could not hold the text too long.
    dialog.edit(IDC_COUNT)->setText(QStringLiteral("5"));
    dialog.edit(IDC_NUMBER)->setText(QStringLiteral("999"));
    dialog.edit(c.id)->setText(QString::fromUtf8(c.typed));
    dialog.m_remember = 7;

    MessageBoxScript script;
    script.answer(IDOK);
    EXPECT_FALSE(dialog.UpdateData(true));
    ASSERT_EQ(script.transcript().size(), 1);
    EXPECT_EQ(script.transcript().at(0).text, QString::fromUtf8(c.message));
    EXPECT_EQ(script.transcript().at(0).type, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(dialog.focusWidget(), dialog.edit(c.id));
    EXPECT_EQ(dialog.edit(c.id)->selectedText(), dialog.edit(c.id)->text());
    EXPECT_EQ(dialog.m_remember, 7) << "the exchange stops at the refused field";
}

INSTANTIATE_TEST_SUITE_P(
    DataExchange, DataExchangeRefusal,
    ::testing::Values(Refusal{"NotANumber", IDC_COUNT, "abc", "Please enter an integer."},
                      Refusal{"TextAfterTheNumber", IDC_COUNT, "12a", "Please enter an integer."},
                      Refusal{"Empty", IDC_COUNT, "", "Please enter an integer."},
                      Refusal{"BeyondThirtyTwoBits", IDC_COUNT, "99999999999", "Please enter an integer."},
                      Refusal{"AboveTheRange", IDC_COUNT, "11", "Please enter an integer between 1 and 10."},
                      Refusal{"BelowTheRange", IDC_COUNT, "0", "Please enter an integer between 1 and 10."},
                      Refusal{"TooLong", IDC_PASSWORD, "0123456789abcdefX",
                              "Please enter no more than 16 characters."},
                      Refusal{"NegativeUnsigned", IDC_NUMBER, "-1", "Please enter a positive integer."},
                      Refusal{"UnsignedAboveTheRange", IDC_NUMBER, "1000000000",
                              "Please enter an integer between 0 and 999999999."}),
    [](const ::testing::TestParamInfo<Refusal> &info) { return std::string(info.param.name); });

TEST(DataExchange, ARefusedOkKeepsTheDialogOpenUntilTheFieldIsRight)
{
    FieldsDlg dialog;
    MessageBoxScript script;
    script.answer(IDOK);
    const int result = RunModal(dialog, {[&] { dialog.edit(IDC_COUNT)->setText(QStringLiteral("50")); },
                                         [&] { ClickDlgItem(dialog, IDOK); },
                                         [&] {
                                             EXPECT_TRUE(dialog.isVisible());
                                             EXPECT_EQ(dialog.focusWidget(), dialog.edit(IDC_COUNT));
                                             dialog.edit(IDC_COUNT)->setText(QStringLiteral("10"));
                                             ClickDlgItem(dialog, IDOK);
                                         }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_count, 10);
    EXPECT_EQ(script.transcript().size(), 1);
}
