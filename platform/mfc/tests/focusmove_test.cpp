// Where the focus went when an edit of a shown, active dialog or property
// page lost it: on to a field, to OK, Apply or Cancel, or out of the window.
#include "platform/mfc/focusmove.h"

#include "platform/mfc/dialog.h"
#include "platform/mfc/propertypage.h"
#include "platform/mfc/propertysheet.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class LeavingDlg : public CDialog {
public:
    LeavingDlg() : CDialog(146, QStringLiteral("Leaving"))
    {
        auto *layout = new QVBoxLayout(this);
        for (QWidget *control :
             std::initializer_list<QWidget *>{m_name = SetDlgCtrlID(new QLineEdit(this), 1216),
                                              m_other = SetDlgCtrlID(new QLineEdit(this), 1215),
                                              SetDlgCtrlID(new QPushButton(QStringLiteral("OK"), this), IDOK),
                                              SetDlgCtrlID(new QPushButton(QStringLiteral("Cancel"), this), IDCANCEL)})
            layout->addWidget(control);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && LOWORD(wParam) == 1216 && HIWORD(wParam) == EN_KILLFOCUS)
            m_moves << FocusMovedWithin(this, {GetDlgItem(IDOK), GetDlgItem(IDCANCEL)});
        return CDialog::WindowProc(message, wParam, lParam);
    }

    QLineEdit *m_name;
    QLineEdit *m_other;
    QList<bool> m_moves;
};

TEST(FocusMove, OnlyAMoveToAnotherFieldOfTheWindowCounts)
{
    LeavingDlg dialog;
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QWidget elsewhere;
    elsewhere.setFocusPolicy(Qt::StrongFocus);

    const std::pair<const char *, std::function<void()>> leaves[] = {
        {"another field", [&] { dialog.m_other->setFocus(); }},
        {"OK", [&] { dialog.GetDlgItem(IDOK)->setFocus(); }},
        {"Cancel", [&] { dialog.GetDlgItem(IDCANCEL)->setFocus(); }},
        {"another window",
         [&] {
             elsewhere.show();
             elsewhere.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
         }},
    };
    QList<bool> expected;
    for (const auto &[where, leave] : leaves) {
        if (!dialog.isActiveWindow()) {
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        }
        dialog.m_name->setFocus();
        ASSERT_TRUE(dialog.m_name->hasFocus()) << where;
        leave();
        expected << (QByteArray(where) == "another field");
        EXPECT_EQ(dialog.m_moves, expected) << where;
    }
    dialog.DestroyWindow();
}

class LeavingPage : public CPropertyPage {
public:
    LeavingPage() : CPropertyPage(131, QStringLiteral("Options"))
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_name = SetDlgCtrlID(new QLineEdit(this), 1228));
        layout->addWidget(m_other = SetDlgCtrlID(new QLineEdit(this), 1249));
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && LOWORD(wParam) == 1228 && HIWORD(wParam) == EN_KILLFOCUS)
            m_moves << FocusMovedWithinSheet(this);
        return CPropertyPage::WindowProc(message, wParam, lParam);
    }

    QLineEdit *m_name;
    QLineEdit *m_other;
    QList<bool> m_moves;
};

TEST(FocusMove, ForAPageEveryControlOfTheSheetButCancelCounts)
{
    LeavingPage page;
    CPropertySheet sheet(QStringLiteral("Mailbox"));
    sheet.AddPage(&page);
    sheet.Create();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    QWidget elsewhere;

    const std::pair<const char *, QWidget *> leaves[] = {
        {"another field", page.m_other},         {"OK", sheet.GetDlgItem(IDOK)},
        {"Apply", sheet.GetDlgItem(ID_APPLY_NOW)}, {"Cancel", sheet.GetDlgItem(IDCANCEL)},
        {"another window", &elsewhere},
    };
    QList<bool> expected;
    for (const auto &[where, to] : leaves) {
        if (!sheet.isActiveWindow()) {
            sheet.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        }
        page.m_name->setFocus();
        ASSERT_TRUE(page.m_name->hasFocus()) << where;
        ASSERT_NE(to, nullptr) << where;
        to->setEnabled(true); // Apply, enabled while a page holds changes
        if (to == &elsewhere) {
            elsewhere.show();
            elsewhere.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
        } else {
            to->setFocus();
        }
        expected << (QByteArray(where) != "Cancel" && QByteArray(where) != "another window");
        EXPECT_EQ(page.m_moves, expected) << where;
    }
    EXPECT_FALSE(FocusMovedWithinSheet(nullptr));
    sheet.DestroyWindow();
}

TEST(FocusMove, NoWindowOrNoFocusIsNoMove)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    EXPECT_TRUE(FocusMovedWithin(&window, {nullptr}));
    EXPECT_FALSE(FocusMovedWithin(&window, {edit}));
    EXPECT_FALSE(FocusMovedWithin(nullptr));
    edit->clearFocus();
    EXPECT_FALSE(FocusMovedWithin(&window));
}

} // namespace
