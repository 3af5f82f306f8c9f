// The alias dialogs against the simulator's demo aliases: the applications
// each add/edit dialog offers (aliases that lead nowhere, in a circle or to
// themselves left out, the edited alias never offering itself), the exact
// commands a save sends (parameters of several words in braces, names
// quoted as data), nothing sent for an unchanged edit, a refused edit that
// puts the old alias back; the template editor's list and its session,
// ended however the dialog closes; the IVR alias editor's adding, editing
// and deletion; both editors without a session of their own.
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/uatools/aliases/ivraliasdlg.h"
#include "admin/uatools/aliases/ivraliaseditordlg.h"
#include "admin/uatools/aliases/notifytemplateeditordlg.h"
#include "admin/uatools/aliases/templatedlg.h"
#include "admin/testsupport/uatoolstestbase.h"

#include <QComboBox>
#include <QPointer>

namespace {

const QStringList kNotificationApps{"Pager", "Phone", "Email"};
// Level 0x80 with the notification-template permission; and without it.
constexpr quint32 kTopRights = 0x80FFFFFF;
constexpr quint32 kNoTemplateRights = 0x800000EF;

class AliasDialogs : public UAToolsTestBase {
protected:
    static QStringList items(QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    }
    static QComboBox *applications(CAliasEditDlg *d)
    {
        return d->GetDlgItem<QComboBox>(CAliasEditDlg::IDC_APPLICATION);
    }
    static QLineEdit *edit(CDialog *d, int id) { return d->GetDlgItem<QLineEdit>(id); }
    static void pick(QComboBox *combo, const QString &text)
    {
        const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The alias commands and the alias reads the server received.
    QStringList aliasChanges() const
    {
        QStringList found;
        for (const QString &text : m_simulator->commandTexts())
            if (text.startsWith("AddAlias") || text.startsWith("RemoveAlias"))
                found.append(text);
        return found;
    }
    QString alias(const QString &name) { return m_session->Execute("GetAlias " + TclBareWord(name)); }

    // Runs a template dialog; `action` acts on it while it shows.
    int runTemplate(const QString &name, int mode, const std::function<void(CTemplateDlg *)> &action)
    {
        // Active as under an administrator's hand, so that leaving a field
        // checks it.
        m_dialogs.on<CTemplateDlg>([action](CTemplateDlg *d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(d));
            action(d);
        });
        CTemplateDlg dialog(*m_session, *m_session, kNotificationApps, nullptr, name, mode);
        const int result = dialog.DoModal();
        EXPECT_EQ(m_dialogs.pending(), 0);
        m_added = dialog.GetName();
        return result;
    }
    QString m_added;
};

TEST_F(AliasDialogs, TemplateDialogOffersNotificationAppsAndTheTemplatesThatLeadToThem)
{
    runTemplate(QString(), CTemplateDlg::ModeAdd, [](CTemplateDlg *d) {
        EXPECT_EQ(d->windowTitle(), "Add Template");
        EXPECT_EQ(items(applications(d)), (QStringList{"Pager", "Phone", "Email", "Beeper", "NightPager"}));
        EXPECT_TRUE(edit(d, CAliasEditDlg::IDC_NAME)->isEnabled());
        screenshot(d, "template-dialog.png");
        click(d, IDCANCEL);
    });
    EXPECT_TRUE(aliasChanges().isEmpty());
}

TEST_F(AliasDialogs, IvrAliasDialogOffersTheServersApplicationsAndTheirAliases)
{
    m_dialogs.on<CIvrAliasDlg>([](CIvrAliasDlg *d) {
        EXPECT_EQ(d->windowTitle(), "Edit IVR Alias");
        // Operator's own name is never offered; the circle, the mirror and
        // the ghost lead nowhere.
        const QStringList offered = items(applications(d));
        EXPECT_EQ(offered.mid(0, 7), (QStringList{"Voicemail", "AutoAttendant", "Directory", "Pager", "Phone",
                                                  "Email", "Transfer"}));
        for (const char *left : {"Operator", "LoopA", "LoopB", "Mirror", "Ghost"})
            EXPECT_FALSE(offered.contains(left)) << left;
        for (const char *kept : {"Beeper", "NightPager", "ASRAADirectorySync"})
            EXPECT_TRUE(offered.contains(kept)) << kept;
        EXPECT_EQ(applications(d)->currentText(), "Transfer");
        EXPECT_EQ(edit(d, CAliasEditDlg::IDC_PARAMETER)->text(), "0");
        EXPECT_FALSE(edit(d, CAliasEditDlg::IDC_NAME)->isEnabled());
        screenshot(d, "ivr-alias-dialog.png");
        click(d, IDOK);
    });
    CIvrAliasDlg dialog(*m_session, *m_session, nullptr, "Operator", CIvrAliasDlg::ModeEdit);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(aliasChanges().isEmpty()) << "nothing changed, nothing sent";
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

struct ParameterCase {
    const char *name;
    const char *parameter;
    const char *sent;
};

class TemplateParameters : public AliasDialogs, public testing::WithParamInterface<ParameterCase> {};

TEST_P(TemplateParameters, AddsTheTemplateWithItsParameterAsOneWord)
{
    const ParameterCase &c = GetParam();
    EXPECT_EQ(runTemplate(QString(), CTemplateDlg::ModeAdd,
                          [&](CTemplateDlg *d) {
                              type(edit(d, CAliasEditDlg::IDC_NAME), c.name);
                              pick(applications(d), "Beeper");
                              type(edit(d, CAliasEditDlg::IDC_PARAMETER), c.parameter);
                              click(d, IDOK);
                          }),
              IDOK);
    EXPECT_EQ(aliasChanges(), QStringList{c.sent});
    EXPECT_EQ(m_added, c.name);
    QStringList stored;
    CTclList().SplitList(alias(c.name), stored);
    EXPECT_EQ(stored, (QStringList{c.name, "Beeper", c.parameter}));
}

INSTANTIATE_TEST_SUITE_P(
    Words, TemplateParameters,
    testing::Values(ParameterCase{"Weekend", "5551234", "AddAlias Weekend Beeper 5551234"},
                    ParameterCase{"Weekend", "call me", "AddAlias Weekend Beeper {call me}"},
                    ParameterCase{"Odd[x]", "$y", "AddAlias {Odd[x]} Beeper {$y}"},
                    ParameterCase{"Brace", "a}b", "AddAlias Brace Beeper a\\}b"}));

class RefusedNames : public AliasDialogs, public testing::WithParamInterface<const char *> {};

TEST_P(RefusedNames, RefusesANameWithABlankOrOneTakenBeforeSendingAnything)
{
    const QString name = GetParam();
    m_boxes->answer(IDOK);
    EXPECT_EQ(runTemplate(QString(), CTemplateDlg::ModeAdd,
                          [&](CTemplateDlg *d) {
                              type(edit(d, CAliasEditDlg::IDC_NAME), name);
                              pick(applications(d), "Pager");
                              click(d, IDOK);
                              click(d, IDCANCEL);
                          }),
              IDCANCEL);
    const QString expected =
        name == "Night Shift"
            ? QStringLiteral("Invalid name.  Please reenter the template name")
            : QStringLiteral("The name '%1' already exists. Please enter a new name.").arg(name);
    EXPECT_EQ(m_boxes->texts(), QStringList{expected});
    EXPECT_TRUE(aliasChanges().isEmpty());
    // Operator is still the IVR alias it was.
    EXPECT_EQ(alias("Operator"), "Operator Transfer 0");
}

// A name with a blank; an IVR alias the template list does not offer; a
// template; a notification application.
INSTANTIATE_TEST_SUITE_P(Names, RefusedNames, testing::Values("Night Shift", "Operator", "Beeper", "Pager"));

TEST_F(AliasDialogs, LeavingATakenNameForAnotherFieldRefusesItThere)
{
    m_boxes->answer(IDOK);
    runTemplate(QString(), CTemplateDlg::ModeAdd, [&](CTemplateDlg *d) {
        type(edit(d, CAliasEditDlg::IDC_NAME), "Beeper");
        edit(d, CAliasEditDlg::IDC_PARAMETER)->setFocus();
        EXPECT_EQ(m_boxes->texts(),
                  QStringList{"The name 'Beeper' already exists. Please enter a new name."});
        EXPECT_EQ(edit(d, CAliasEditDlg::IDC_NAME)->text(), "");
        EXPECT_EQ(QApplication::focusWidget(), edit(d, CAliasEditDlg::IDC_NAME));
        click(d, IDCANCEL);
    });
    EXPECT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(aliasChanges().isEmpty());
}

TEST_F(AliasDialogs, EditNeverOffersTheEditedTemplateAndReplacesIt)
{
    EXPECT_EQ(runTemplate("Beeper", CTemplateDlg::ModeEdit,
                          [](CTemplateDlg *d) {
                              EXPECT_EQ(d->windowTitle(), "Edit Template");
                              EXPECT_FALSE(items(applications(d)).contains("Beeper"));
                              EXPECT_EQ(applications(d)->currentText(), "Pager");
                              pick(applications(d), "Phone");
                              click(d, IDOK);
                          }),
              IDOK);
    EXPECT_EQ(aliasChanges(), (QStringList{"RemoveAlias Beeper", "AddAlias Beeper Phone {}"}));
    EXPECT_EQ(alias("Beeper"), "Beeper Phone {}");
}

TEST_F(AliasDialogs, ARefusedEditPutsTheOldTemplateBack)
{
    // A server that refuses templates of the phone application.
    m_simulator->seed("script {rename AddAlias _AddAlias\nproc AddAlias {name target {param {}}} {\n"
                      "if {$target eq {Phone}} {error {AddAlias !ERROR Phone takes no templates}}\n"
                      "_AddAlias $name $target $param}}");
    connectSession();
    m_boxes->answer(IDOK);
    EXPECT_EQ(runTemplate("Beeper", CTemplateDlg::ModeEdit,
                          [](CTemplateDlg *d) {
                              pick(applications(d), "Phone");
                              type(edit(d, CAliasEditDlg::IDC_PARAMETER), "x");
                              click(d, IDOK);
                              // The dialog stays open with the refusal shown.
                              EXPECT_TRUE(d->isVisible());
                              click(d, IDCANCEL);
                          }),
              IDCANCEL);
    EXPECT_EQ(aliasChanges(),
              (QStringList{"RemoveAlias Beeper", "AddAlias Beeper Phone x", "AddAlias Beeper Pager {}"}));
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().contains("Phone takes no templates"));
    EXPECT_EQ(alias("Beeper"), "Beeper Pager {}");
}

class TemplateEditor : public AliasDialogs {
protected:
    CLoginCredentials login() const { return {m_simulator->host(), "Cardomel", "Cardomel"}; }
    static QComboBox *templates(CNotifyTemplateEditorDlg *d)
    {
        return d->GetDlgItem<QComboBox>(CNotifyTemplateEditorDlg::IDC_TEMPLATES);
    }
};

TEST_F(TemplateEditor, ListsTheTemplatesSortedWithAddOnlyForTemplateRights)
{
    for (const quint32 rights : {kTopRights, kNoTemplateRights}) {
        m_dialogs.on<CNotifyTemplateEditorDlg>([&](CNotifyTemplateEditorDlg *d) {
            EXPECT_EQ(items(templates(d)), (QStringList{"Beeper", "NightPager"}));
            EXPECT_EQ(d->GetDlgItem(CNotifyTemplateEditorDlg::IDC_ADD)->isEnabled(), rights == kTopRights);
            EXPECT_FALSE(d->GetDlgItem(CNotifyTemplateEditorDlg::IDC_EDIT)->isEnabled());
            pick(templates(d), "NightPager");
            EXPECT_TRUE(d->GetDlgItem(CNotifyTemplateEditorDlg::IDC_EDIT)->isEnabled());
            if (rights == kTopRights)
                screenshot(d, "template-editor.png");
            click(d, CNotifyTemplateEditorDlg::IDC_CLOSE);
        });
        CNotifyTemplateEditorDlg dialog(*m_session, login(), kNotificationApps, rights);
        dialog.DoModal();
        EXPECT_EQ(m_dialogs.pending(), 0);
    }
}

TEST_F(TemplateEditor, EndsItsOwnSessionHoweverItClosesAndTheApplicationsGoesOn)
{
    const int before = m_simulator->connectionCount();
    const std::function<void(CNotifyTemplateEditorDlg *)> closes[] = {
        [](CNotifyTemplateEditorDlg *d) { click(d, CNotifyTemplateEditorDlg::IDC_CLOSE); },
        [](CNotifyTemplateEditorDlg *d) { QTest::keyClick(d, Qt::Key_Escape); },
        [](CNotifyTemplateEditorDlg *d) { d->close(); },
    };
    for (const auto &close : closes) {
        m_dialogs.on<CNotifyTemplateEditorDlg>([&](CNotifyTemplateEditorDlg *d) {
            EXPECT_EQ(m_simulator->connectionCount(), before + 1);
            ASSERT_NE(d->Session(), nullptr);
            close(d);
        });
        CNotifyTemplateEditorDlg dialog(*m_session, login(), kNotificationApps, kTopRights);
        dialog.DoModal();
        EXPECT_EQ(m_dialogs.pending(), 0);
        EXPECT_EQ(dialog.Session(), nullptr);
        EXPECT_TRUE(WaitFor([&] { return m_simulator->connectionCount() == before; }, 10000));
    }
    EXPECT_EQ(m_session->GetState(), CZELTSession::StateConnected);
    EXPECT_FALSE(IsErrorReply(m_session->Execute("GetAliasList")));
}

TEST_F(TemplateEditor, AddsATemplateAndSelectsIt)
{
    m_dialogs.on<CNotifyTemplateEditorDlg>(
        [](CNotifyTemplateEditorDlg *d) { clickWhenOnTop(d, CNotifyTemplateEditorDlg::IDC_ADD); });
    m_dialogs.on<CTemplateDlg>([](CTemplateDlg *d) {
        type(edit(d, CAliasEditDlg::IDC_NAME), "Evening");
        pick(applications(d), "NightPager");
        click(d, IDOK);
    });
    QPointer<CNotifyTemplateEditorDlg> shown;
    m_dialogs.on<CNotifyTemplateEditorDlg>([&](CNotifyTemplateEditorDlg *d) {
        EXPECT_EQ(items(templates(d)), (QStringList{"Beeper", "Evening", "NightPager"}));
        EXPECT_EQ(templates(d)->currentText(), "Evening");
        EXPECT_EQ(d->GetTemplateName(), "Evening");
        EXPECT_TRUE(d->GetDlgItem(CNotifyTemplateEditorDlg::IDC_EDIT)->isEnabled());
        click(d, CNotifyTemplateEditorDlg::IDC_CLOSE);
    });
    CNotifyTemplateEditorDlg dialog(*m_session, login(), kNotificationApps, kTopRights);
    dialog.DoModal();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(aliasChanges(), QStringList{"AddAlias Evening NightPager {}"});
}

TEST_F(TemplateEditor, IvrAliasEditorDeletesTheChosenAliasAndEndsItsSession)
{
    const int before = m_simulator->connectionCount();
    auto *editor = new CIvrAliasEditorDlg(*m_session, login(), kTopRights);
    bool closed = false;
    QObject::connect(editor, &CIvrAliasEditorDlg::closed, [&] { closed = true; });
    QPointer<CIvrAliasEditorDlg> alive(editor);
    editor->Create();
    editor->show();
    auto *names = editor->GetDlgItem<QComboBox>(CIvrAliasEditorDlg::IDC_ALIASES);
    EXPECT_EQ(items(names).mid(0, 4),
              (QStringList{"Operator", "Beeper", "NightPager", "ASRAADirectorySync"}));
    EXPECT_FALSE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_DELETE)->isEnabled());
    pick(names, "Ghost");
    screenshot(editor, "ivr-alias-editor.png");
    m_boxes->answer(IDYES);
    click(editor, CIvrAliasEditorDlg::IDC_DELETE);
    EXPECT_EQ(aliasChanges(), QStringList{"RemoveAlias Ghost"});
    EXPECT_FALSE(items(names).contains("Ghost"));
    EXPECT_FALSE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_DELETE)->isEnabled());
    EXPECT_EQ(m_boxes->texts(), QStringList{"Do you want to delete Ghost?"});
    click(editor, CIvrAliasEditorDlg::IDC_CLOSE);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(WaitFor([&] { return !alive; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return m_simulator->connectionCount() == before; }, 10000));
}

TEST_F(TemplateEditor, IvrAliasEditorSelectsTheAddedAliasAndEditsTheSelectedOne)
{
    auto *editor = new CIvrAliasEditorDlg(*m_session, login(), kTopRights);
    QPointer<CIvrAliasEditorDlg> alive(editor);
    editor->Create();
    editor->show();
    auto *names = editor->GetDlgItem<QComboBox>(CIvrAliasEditorDlg::IDC_ALIASES);
    EXPECT_FALSE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_EDIT)->isEnabled());
    m_dialogs.on<CIvrAliasDlg>([](CIvrAliasDlg *d) {
        EXPECT_EQ(d->windowTitle(), "Add IVR Alias");
        type(edit(d, CAliasEditDlg::IDC_NAME), "Reception");
        pick(applications(d), "Transfer");
        click(d, IDOK);
    });
    click(editor, CIvrAliasEditorDlg::IDC_ADD);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(aliasChanges(), QStringList{"AddAlias Reception Transfer {}"});
    // Listed in the server's order, chosen, and ready for Edit and Delete.
    EXPECT_EQ(items(names).last(), "Reception");
    EXPECT_EQ(names->currentText(), "Reception");
    EXPECT_EQ(editor->GetSelectedName(), "Reception");
    EXPECT_TRUE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_EDIT)->isEnabled());
    EXPECT_TRUE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_DELETE)->isEnabled());

    pick(names, "Operator");
    m_dialogs.on<CIvrAliasDlg>([](CIvrAliasDlg *d) {
        EXPECT_EQ(d->windowTitle(), "Edit IVR Alias");
        EXPECT_EQ(edit(d, CAliasEditDlg::IDC_NAME)->text(), "Operator");
        EXPECT_FALSE(edit(d, CAliasEditDlg::IDC_NAME)->isEnabled());
        click(d, IDCANCEL);
    });
    click(editor, CIvrAliasEditorDlg::IDC_EDIT);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(aliasChanges(), QStringList{"AddAlias Reception Transfer {}"});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();

    // Escape closes the window as Close does: its session ends and it goes.
    const int open = m_simulator->connectionCount();
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return !alive; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return m_simulator->connectionCount() == open - 1; }, 10000));
}

TEST_F(TemplateEditor, WithoutASessionOfTheirOwnTheEditorsListButNeitherAddNorEdit)
{
    const CLoginCredentials refused{m_simulator->host(), "Cardomel", "not the password"};
    // Each refused login: the session's own box, then the editor's reason.
    m_boxes->answer({IDOK, IDOK, IDOK, IDOK});
    m_dialogs.on<CNotifyTemplateEditorDlg>([](CNotifyTemplateEditorDlg *d) {
        EXPECT_EQ(d->Session(), nullptr);
        EXPECT_EQ(items(templates(d)), (QStringList{"Beeper", "NightPager"}));
        EXPECT_FALSE(d->GetDlgItem(CNotifyTemplateEditorDlg::IDC_ADD)->isEnabled());
        pick(templates(d), "Beeper");
        EXPECT_EQ(d->GetTemplateName(), "Beeper");
        EXPECT_FALSE(d->GetDlgItem(CNotifyTemplateEditorDlg::IDC_EDIT)->isEnabled());
        click(d, CNotifyTemplateEditorDlg::IDC_CLOSE);
    });
    CNotifyTemplateEditorDlg dialog(*m_session, refused, kNotificationApps, kTopRights);
    dialog.DoModal();
    EXPECT_EQ(m_dialogs.pending(), 0);

    // The IVR editor deletes through the application's session all the same.
    auto *editor = new CIvrAliasEditorDlg(*m_session, refused, kTopRights);
    editor->Create();
    editor->show();
    EXPECT_EQ(editor->Session(), nullptr);
    EXPECT_FALSE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_ADD)->isEnabled());
    pick(editor->GetDlgItem<QComboBox>(CIvrAliasEditorDlg::IDC_ALIASES), "Ghost");
    EXPECT_FALSE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_EDIT)->isEnabled());
    EXPECT_TRUE(editor->GetDlgItem(CIvrAliasEditorDlg::IDC_DELETE)->isEnabled());
    ASSERT_EQ(m_boxes->texts().size(), 4) << m_boxes->texts().join('|').toStdString();
    EXPECT_EQ(m_boxes->texts().mid(2), m_boxes->texts().mid(0, 2)) << "the same refusal for each editor";
    m_boxes->answer(IDYES);
    click(editor, CIvrAliasEditorDlg::IDC_DELETE);
    EXPECT_EQ(aliasChanges(), QStringList{"RemoveAlias Ghost"});
    click(editor, CIvrAliasEditorDlg::IDC_CLOSE);
}

} // namespace
