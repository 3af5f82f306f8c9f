// The Select COS dialog against the server simulator's demo company: the
// tree it builds (sorted, classes without a known parent and tops of the
// tree left out), the choice it hands back from a click in the tree or on
// "No COS", and the three server refusals, which leave the tree empty and
// the choice as it came in.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/session/logincredentials.h"
#include "admin/session/zeltsession.h"
#include "admin/uatools/ranges/selectcosdlg.h"
#include "testserver/harness/simulatorprocess.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr qint32 kMailboxRoot = 2147483647;

class SelectCosDialog : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
        m_simulator = m_server.get();
        m_session = std::make_unique<CZELTSession>(quickSettings());
        m_session->Connect(CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"});
        m_simulator->clearLog();
    }
    void TearDown() override
    {
        m_session.reset();
        AppShellTestBase::TearDown();
    }

    // Runs the dialog with `current` as the choice; `action` acts on it
    // while it shows. Returns the dialog's result; the choice is in m_chosen.
    int run(qint32 current, const std::function<void(CSelectCOSDlg *)> &action, qint32 root = kMailboxRoot)
    {
        m_dialogs.on<CSelectCOSDlg>(action);
        CSelectCOSDlg dialog(*m_session, root);
        dialog.SetSelectedNumber(current);
        const int result = dialog.DoModal();
        m_chosen = dialog.GetSelectedNumber();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return result;
    }

    static QTreeWidget *tree(CSelectCOSDlg *d)
    {
        return d->GetDlgItem<QTreeWidget>(CSelectCOSDlg::IDC_COS_TREE);
    }
    static QCheckBox *noCos(CSelectCOSDlg *d) { return d->GetDlgItem<QCheckBox>(CSelectCOSDlg::IDC_NO_COS); }
    static QString count(CSelectCOSDlg *d)
    {
        return d->GetDlgItem<QLabel>(CSelectCOSDlg::IDC_ENTRY_COUNT)->text();
    }
    static void click(CSelectCOSDlg *d, int id)
    {
        QTest::mouseClick(d->GetDlgItem<QAbstractButton>(id), Qt::LeftButton);
    }

    // The tree as indented lines, depth first in the order shown.
    static QStringList outline(QTreeWidget *tree)
    {
        QStringList lines;
        std::function<void(QTreeWidgetItem *, int)> walk = [&](QTreeWidgetItem *item, int depth) {
            lines.append(QString(depth * 2, u' ') + item->text(0));
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i), depth + 1);
        };
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            walk(tree->topLevelItem(i), 0);
        return lines;
    }
    static QTreeWidgetItem *find(QTreeWidget *tree, const QString &label)
    {
        const QList<QTreeWidgetItem *> found = tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    static void clickItem(QTreeWidget *tree, QTreeWidgetItem *item)
    {
        ASSERT_NE(item, nullptr);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }

    testserver::SimulatorProcess *m_simulator = nullptr;
    std::unique_ptr<CZELTSession> m_session;
    qint32 m_chosen = 0;
};

TEST_F(SelectCosDialog, ShowsTheDemoClassesSortedUnderTheRootWithNoCosChecked)
{
    run(kMailboxRoot, [](CSelectCOSDlg *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Select COS"));
        EXPECT_EQ(outline(tree(d)), (QStringList{"Classes of Service", "  10 Standard", "    20 Executive",
                                                 "    30 Sales", "      31 Field sales", "    40 Support",
                                                 "      41 Night shift", "  50 Guests"}));
        EXPECT_EQ(count(d), QStringLiteral("8 entries"));
        EXPECT_TRUE(noCos(d)->isChecked());
        EXPECT_EQ(d->focusWidget(), noCos(d));
        EXPECT_TRUE(tree(d)->topLevelItem(0)->isExpanded());
        const QString folder =
            qEnvironmentVariable("VERBANTA_BINARY_DIR", QStringLiteral(".")) + "/screenshots";
        QDir().mkpath(folder);
        tree(d)->expandAll();
        EXPECT_TRUE(d->grab().save(folder + QStringLiteral("/select_cos.png")));
        click(d, IDCANCEL);
    });
    EXPECT_EQ(m_simulator->commandTexts(), (QStringList{"GetUA 2147483647", "GetCosAgents {MB} &Name1"}));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('\n').toStdString();
}

TEST_F(SelectCosDialog, HandsBackTheClassClickedInTheTree)
{
    ASSERT_EQ(run(kMailboxRoot,
                  [](CSelectCOSDlg *d) {
                      tree(d)->expandAll();
                      clickItem(tree(d), find(tree(d), QStringLiteral("31 Field sales")));
                      EXPECT_FALSE(noCos(d)->isChecked());
                      click(d, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(m_chosen, 31);
}

TEST_F(SelectCosDialog, SelectsTheCurrentChoiceAndNoCosTakesItBackToTheRoot)
{
    ASSERT_EQ(run(41,
                  [](CSelectCOSDlg *d) {
                      ASSERT_NE(tree(d)->currentItem(), nullptr);
                      EXPECT_EQ(tree(d)->currentItem()->text(0), QStringLiteral("41 Night shift"));
                      EXPECT_FALSE(noCos(d)->isChecked());
                      EXPECT_EQ(d->focusWidget(), tree(d));
                      click(d, CSelectCOSDlg::IDC_NO_COS);
                      EXPECT_TRUE(noCos(d)->isChecked());
                      EXPECT_TRUE(tree(d)->selectedItems().isEmpty());
                      click(d, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(m_chosen, kMailboxRoot);
}

TEST_F(SelectCosDialog, ClickingTheRootLabelChoosesNothing)
{
    ASSERT_EQ(run(20,
                  [](CSelectCOSDlg *d) {
                      clickItem(tree(d), tree(d)->topLevelItem(0));
                      click(d, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(m_chosen, 20);
}

TEST_F(SelectCosDialog, LeavesOutOrphansSelfParentsAndTopsOfTheTree)
{
    m_simulator->seed(QStringLiteral("ua 60 -parent 12345 {COS MB &Name1 Orphan}\n"
                                     "ua 61 -parent 61 {COS MB &Name1 Loop}\n"
                                     "ua 1073741825 -parent 2147483647 {COS MB &Name1 Top}\n"
                                     "ua 62 -parent 1073741825 {COS MB &Name1 {Below the top}}\n"
                                     "ua 63 -parent 50 {COS MB &Name1 Contractors}"));
    run(kMailboxRoot, [](CSelectCOSDlg *d) {
        const QStringList shown = outline(tree(d));
        EXPECT_TRUE(shown.contains(QStringLiteral("    63 Contractors"))) << shown.join('\n').toStdString();
        for (const QString &label : shown)
            EXPECT_FALSE(label.contains(QLatin1String("Orphan")) || label.contains(QLatin1String("Loop")) ||
                         label.contains(QLatin1String("Top")) || label.contains(QLatin1String("Below")))
                << label.toStdString();
        // The root, the seven demo classes, the orphan, Contractors and the
        // one below the top are counted; the loop and the top are not.
        EXPECT_EQ(count(d), QStringLiteral("11 entries"));
        click(d, IDCANCEL);
    });
}

struct Refusal {
    const char *name;
    const char *failing; // the command the simulator refuses
    const char *seed;    // data changed first, or nullptr
    const char *message; // the start of the message shown
};

class SelectCosRefusal : public SelectCosDialog, public testing::WithParamInterface<Refusal> {};

TEST_P(SelectCosRefusal, ShowsItsMessageLeavesTheTreeEmptyAndTheChoiceUnchanged)
{
    const Refusal &refusal = GetParam();
    if (refusal.seed)
        m_simulator->seed(QString::fromUtf8(refusal.seed));
    if (refusal.failing)
        m_simulator->failCommand(QString::fromUtf8(refusal.failing), QStringLiteral("refused"));
    m_boxes->answer(IDOK);
    ASSERT_EQ(run(30,
                  [](CSelectCOSDlg *d) {
                      EXPECT_EQ(tree(d)->topLevelItemCount(), 0);
                      click(d, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(m_chosen, 30);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().startsWith(QString::fromUtf8(refusal.message)))
        << m_boxes->texts().first().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SelectCosRefusal,
    testing::Values(
        Refusal{"RootMissing", "GetUA", nullptr, "Manufacturer root COS 2147483647 is missing: !ERROR"},
        Refusal{"RootWithoutCos", nullptr, "ua 2147483647 -stamp 1 {&Name1 {MB root}}",
                "Manufacturer root COS 2147483647 has no 'COS' entry."},
        Refusal{"ListRefused", "GetCosAgents", nullptr, "Could not get COS list from server: !ERROR"}),
    [](const testing::TestParamInfo<Refusal> &info) { return std::string(info.param.name); });

} // namespace
