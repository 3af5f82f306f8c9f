// The two name dialogs: they hand back the name and whether the user
// changed it, and keep a name within 60 characters.
#include "admin/config/dialogs/addanswermethoddlg.h"
#include "admin/config/dialogs/addintegrationgroupdlg.h"
#include "admin/testsupport/appshelltestbase.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ConfigNameDialogs : public AppShellTestBase {
protected:
    template <class Dialog> int run(Dialog &dialog, const std::function<void(Dialog *)> &action)
    {
        m_dialogs.on<Dialog>(action);
        const int result = dialog.DoModal();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return result;
    }
    template <class Dialog> static QLineEdit *edit(Dialog *d)
    {
        return d->template GetDlgItem<QLineEdit>(Dialog::IDC_NAME);
    }
    static void click(CDialog *d, int id)
    {
        QTest::mouseClick(d->GetDlgItem<QPushButton>(id), Qt::LeftButton);
    }
    static void screenshot(QWidget *dialog, const QString &name)
    {
        SaveScreenshot(dialog, name);
    }
};

TEST_F(ConfigNameDialogs, OkUntouchedGivesThePresetNameUnchanged)
{
    CAddAnswerMethodDlg dialog;
    dialog.m_strName = "Night";
    EXPECT_EQ(run<CAddAnswerMethodDlg>(dialog,
                                       [](CAddAnswerMethodDlg *d) {
                                           EXPECT_EQ(d->windowTitle(), "Add New Answer Method");
                                           EXPECT_EQ(edit(d)->text(), "Night");
                                           screenshot(d, "add-answer-method.png");
                                           click(d, IDOK);
                                       }),
              IDOK);
    EXPECT_EQ(dialog.m_strName, "Night");
    EXPECT_EQ(dialog.m_bChanged, 0);
}

TEST_F(ConfigNameDialogs, TypingMarksTheNameChanged)
{
    CAddIntegrationGroupDlg dialog;
    EXPECT_EQ(run<CAddIntegrationGroupDlg>(dialog,
                                           [](CAddIntegrationGroupDlg *d) {
                                               EXPECT_EQ(d->windowTitle(),
                                                         "Add New Telephone System Integration Group");
                                               QTest::keyClicks(edit(d), "Main PBX");
                                               screenshot(d, "add-integration-group.png");
                                               click(d, IDOK);
                                           }),
              IDOK);
    EXPECT_EQ(dialog.m_strName, "Main PBX");
    EXPECT_EQ(dialog.m_bChanged, 1);
}

TEST_F(ConfigNameDialogs, APresetNameOverSixtyCharactersIsRefusedAndTheDialogStaysOpen)
{
    CAddIntegrationGroupDlg dialog;
    dialog.m_strName = QString(61, u'x');
    m_boxes->answer(IDOK);
    EXPECT_EQ(run<CAddIntegrationGroupDlg>(dialog,
                                           [this](CAddIntegrationGroupDlg *d) {
                                               EXPECT_EQ(edit(d)->text(), QString(61, u'x'));
                                               click(d, IDOK);
                                               EXPECT_TRUE(d->isVisible());
                                               EXPECT_EQ(m_boxes->texts(),
                                                         QStringList{"Please enter no more than 60 characters."});
                                               EXPECT_EQ(d->focusWidget(), edit(d));
                                               QTest::keyClick(edit(d), Qt::Key_End);
                                               QTest::keyClick(edit(d), Qt::Key_Backspace);
                                               click(d, IDOK);
                                           }),
              IDOK);
    EXPECT_EQ(dialog.m_strName, QString(60, u'x'));
}

TEST_F(ConfigNameDialogs, ANameStaysWithinSixtyCharacters)
{
    CAddAnswerMethodDlg dialog;
    EXPECT_EQ(run<CAddAnswerMethodDlg>(dialog,
                                       [](CAddAnswerMethodDlg *d) {
                                           QTest::keyClicks(edit(d), QString(61, u'x'));
                                           click(d, IDOK);
                                       }),
              IDOK);
    EXPECT_EQ(dialog.m_strName, QString(60, u'x'));
}

TEST_F(ConfigNameDialogs, CancelKeepsTheName)
{
    CAddAnswerMethodDlg dialog;
    dialog.m_strName = "Day";
    EXPECT_EQ(run<CAddAnswerMethodDlg>(dialog,
                                       [](CAddAnswerMethodDlg *d) {
                                           QTest::keyClicks(edit(d), "2");
                                           click(d, IDCANCEL);
                                       }),
              IDCANCEL);
    EXPECT_EQ(dialog.m_strName, "Day");
}

} // namespace
