// The configuration window's sheet on a session logged in to the simulator
// with a site's configuration, for the page tests: open it, show a page as
// the main frame does, type into grid cells as the user does (the cell's
// editor, keys, Enter), press Apply, and save screenshots.
#pragma once

#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/configwindowhost.h"
#include "admin/testsupport/configtestbase.h"
#include "admin/widgets/spreadsheet.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class ConfigPagesTestBase : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        m_server->loadConfiguration();
    }
    void TearDown() override
    {
        m_host.reset();
        ConfigTestBase::TearDown();
    }
    // Seed commands run before the window reads the configuration.
    void openSheet(const QString &seed = QString())
    {
        if (!seed.isEmpty())
            m_server->seed(seed);
        connectSession();
        m_host = std::make_unique<QWidget>();
        m_sheet = new CConfigPropSheet(m_host.get(), m_session.get(), nullptr,
                                       {"E&M Wink Start", "Loop Start"}, QStringLiteral("2147483647"));
        m_host->resize(m_sheet->sizeHint().expandedTo(QSize(900, 640)));
        m_sheet->resize(m_host->size());
        m_host->show();
        ASSERT_TRUE(m_sheet->IsLoaded());
        m_server->clearLog();
    }
    template <class Page> Page *showPage()
    {
        auto *page = m_sheet->FindPage<Page>();
        EXPECT_NE(page, nullptr);
        SendMessage(m_sheet->GetSafeHwnd(), WM_SHOW_CONFIG_PAGE, WPARAM(page->CommandId()), 0);
        EXPECT_EQ(m_sheet->GetActivePage(), page);
        return page;
    }
    // Types into a cell through its editor and ends with Enter; a combo-box
    // cell gets the item of that text picked.
    void typeInto(CSpreadSheet *grid, int col, int row, const QString &text)
    {
        const QModelIndex index = grid->model()->index(row - 1, col - 1);
        grid->setCurrentIndex(index);
        grid->edit(index);
        QWidget *editor = grid->indexWidget(index);
        ASSERT_NE(editor, nullptr) << "cell " << col << "," << row << " opens no editor";
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            if (combo->isEditable()) {
                combo->lineEdit()->selectAll();
                QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
                QTest::keyClicks(combo->lineEdit(), text);
            } else {
                const int item = combo->findText(text);
                ASSERT_GE(item, 0) << text.toStdString() << " is not offered";
                combo->setCurrentIndex(item);
            }
            QTest::keyClick(combo, Qt::Key_Return);
        } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QCoreApplication::processEvents();
    }
    QString cellText(CSpreadSheet *grid, int col, int row) const
    {
        grid->SetCol(col);
        grid->SetRow(row);
        return grid->GetText();
    }
    void click(QWidget *button)
    {
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled()) << GetWindowText(button).toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void apply()
    {
        m_boxes->answer(IDYES);
        click(m_sheet->GetDlgItem(ID_APPLY_NOW));
    }
    // The write-back batch the simulator received.
    QString batch() const
    {
        for (const QString &command : commands())
            if (command.startsWith(QLatin1String("set _rlist \"\"")))
                return command;
        return QString();
    }
    // The batch line that sets the variable to the value.
    static QString setLine(const QString &name, const QString &value)
    {
        return QStringLiteral("if {[catch {ConfigSetString %1 %2 1}]} {\r\nlappend _rlist %1\r\n}\r\n")
            .arg(name, value);
    }
    void screenshot(const QString &name)
    {
        EXPECT_TRUE(SaveScreenshot(m_host.get(), name + QStringLiteral(".png")));
    }

    std::unique_ptr<QWidget> m_host;
    QPointer<CConfigPropSheet> m_sheet;
};
