// What the write-back tests stand on: the configuration window on the
// simulator's site, with values seeded in the spellings a real server
// holds, every page shown once as an administrator who looks them all
// over, one item changed, and the variables the Apply then set, read from
// the simulator's log. A write-back that keeps what was not changed sets
// exactly the changed item's variable.
#pragma once

#include "admin/config/window/tests/configpagestestbase.h"
#include "admin/config/window/voiceportsppg.h"
#include "admin/widgets/spreadsheetex.h"

#include <QMap>
#include <QRegularExpression>
#include <QTabBar>


// The variables set, readable in a failure's message.
inline void PrintTo(const QMap<QString, QString> &sets, std::ostream *out)
{
    for (auto set = sets.cbegin(); set != sets.cend(); ++set)
        *out << "\n  " << set.key().toStdString() << " = " << set.value().toStdString();
}

class EveryPageWriteBackTest : public ConfigPagesTestBase {
public:
    using ConfigPagesTestBase::cellText;
    using ConfigPagesTestBase::showPage;
    using ConfigPagesTestBase::typeInto;

    // The window on the site's configuration (after `seed`), each tab
    // clicked in turn, and the log cleared.
    void openAndShowEveryPage(const QString &seed = QString())
    {
        openSheet(seed);
        auto *tabs = m_sheet->findChild<QTabBar *>();
        ASSERT_NE(tabs, nullptr);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            QCoreApplication::processEvents();
            ASSERT_EQ(tabs->currentIndex(), tab) << tabs->tabText(tab).toStdString();
        }
        m_server->clearLog();
    }
    // The Voice Ports page shown and a port's extension typed.
    void typeExtension(int port, const QString &extension)
    {
        auto *page = showPage<CVoicePortsPpg>();
        typeInto(page->Grid(), CVoicePortsPpg::ColExtension, port, extension);
    }
    // Apply answered Yes; every variable it set, with the value as sent (a
    // Tcl word), from the batch and from single commands alike.
    QMap<QString, QString> applyAndReadSets()
    {
        m_server->clearLog();
        apply();
        static const QRegularExpression batchLine(
            QStringLiteral("^if \\{\\[catch \\{ConfigSetString (\\S+) (.*) 1\\}\\]\\} \\{$"));
        static const QRegularExpression single(QStringLiteral("^ConfigSetString (\\S+) (.*) 1$"));
        QMap<QString, QString> sets;
        for (const QString &command : commands()) {
            for (const QString &line : command.split(QStringLiteral("\r\n"))) {
                for (const QRegularExpression *form : {&batchLine, &single}) {
                    const QRegularExpressionMatch match = form->match(line);
                    if (match.hasMatch())
                        sets.insert(match.captured(1), match.captured(2));
                }
            }
        }
        return sets;
    }
    MessageBoxScript &boxes() { return *m_boxes; }
};
