// What the tests of the configuration pages stand on: a session logged in
// to the simulator with a site's configuration, the configuration sheet
// made on it (which loads its depot) showing the page under test, and
// helpers that type into the grid's cells and click buttons the way an
// administrator does.
#pragma once

#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/configwindowhost.h"
#include "admin/testsupport/configtestbase.h"

#include "admin/widgets/spreadsheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

class ConfigPageTestBase : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        m_server->loadConfiguration();
        connectSession();
    }
    void TearDown() override
    {
        m_window.reset();
        ConfigTestBase::TearDown();
    }
    // Makes the configuration sheet (it loads its depot) and shows the page
    // of `commandId`.
    void openSheet(int commandId)
    {
        m_window = std::make_unique<QWidget>();
        m_sheet = new CConfigPropSheet(m_window.get(), m_session.get(), HWND(), {}, QStringLiteral("2147483647"));
        m_window->resize(m_sheet->LayoutRect().size().expandedTo(QSize(720, 480)));
        m_sheet->resize(m_window->size());
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        SendMessage(m_sheet->GetSafeHwnd(), WM_SHOW_CONFIG_PAGE, WPARAM(commandId), 0);
        m_server->clearLog();
    }
    CConfigDepot &depot() { return m_sheet->Depot(); }
    // Apply clicked and its question answered Yes (then the message boxes
    // the write-back shows with `later`); the commands it sent.
    QStringList apply(std::initializer_list<int> later = {})
    {
        m_server->clearLog();
        m_boxes->answer(IDYES);
        m_boxes->answer(later);
        click(m_sheet, ID_APPLY_NOW);
        return commands();
    }
    // The server variable as a new link reads it.
    QString serverValue(const QString &name)
    {
        CZELTSession reader(*m_session);
        reader.Connect(credentials());
        const QString value = reader.Execute(QStringLiteral("set %1\r\n").arg(name));
        reader.Disconnect();
        return value;
    }
    static QString checkedSet(const QString &name, const QString &value)
    {
        return QStringLiteral("if {[catch {ConfigSetString %1 %2 1}]} {\r\nlappend _rlist %1\r\n}\r\n")
            .arg(name, value);
    }

public:
    // Types `text` into cell (col, row) and confirms it with Enter.
    static void typeIntoCell(CSpreadSheet *grid, int col, int row, const QString &text)
    {
        QWidget *editor = openCell(grid, col, row);
        ASSERT_NE(editor, nullptr);
        QLineEdit *edit = qobject_cast<QLineEdit *>(editor);
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            edit = combo->lineEdit();
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over from the event loop.
        QApplication::processEvents();
    }
    // Picks item `index` of a combo-box cell and confirms it.
    static void chooseInCell(CSpreadSheet *grid, int col, int row, int index)
    {
        auto *combo = qobject_cast<QComboBox *>(openCell(grid, col, row));
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(index);
        QTest::keyClick(combo, Qt::Key_Return);
        QApplication::processEvents();
    }
    // Opens the cell's editor as F2 does; returns it.
    static QWidget *openCell(CSpreadSheet *grid, int col, int row)
    {
        grid->setFocus();
        grid->setCurrentCell(row - 1, col - 1);
        QTest::keyClick(grid, Qt::Key_F2);
        for (QWidget *child : grid->viewport()->findChildren<QWidget *>())
            if (child->isVisible() && (qobject_cast<QLineEdit *>(child) || qobject_cast<QComboBox *>(child)) &&
                !qobject_cast<QComboBox *>(child->parentWidget()))
                return child;
        return nullptr;
    }
    // Clicks cell (col, row) with the mouse.
    static void clickCell(CSpreadSheet *grid, int col, int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static QString cell(CSpreadSheet *grid, int col, int row)
    {
        grid->SetCol(col);
        grid->SetRow(row);
        return grid->GetText();
    }
    template <class Window> static void click(Window *window, int id)
    {
        auto *button = window->template GetDlgItem<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static void screenshot(QWidget *window, const QString &name)
    {
        EXPECT_TRUE(SaveScreenshot(window, name));
    }

protected:
    std::unique_ptr<QWidget> m_window;
    // Owned by m_window.
    CConfigPropSheet *m_sheet = nullptr;
};
