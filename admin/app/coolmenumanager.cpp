// The menu manager of the main frame; see coolmenumanager.h. A converted
// item keeps its own text (without any shortcut part) in a property, which
// is also how the manager tells its items from others when it gives the text
// back; the menu draws the text after a tab right-aligned as the shortcut.
#include "admin/app/coolmenumanager.h"

#include "admin/app/commandtable.h"
#include "admin/app/toolbarresource.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QVariant>
#include <QWidgetAction>

namespace {

constexpr const char *kOwnTextProperty = "coolMenuOwnText";

QString textBeforeTab(const QString &text)
{
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? text : text.left(tab);
}

} // namespace

CCoolMenuManager::CCoolMenuManager(QObject *parent) : QObject(parent) {}

CCoolMenuManager::~CCoolMenuManager()
{
    Destroy();
}

void CCoolMenuManager::Install(QMainWindow *frame)
{
    Q_ASSERT(frame);
    m_frame = frame;
    for (QAction *top : frame->menuBar()->actions())
        if (QMenu *popup = top->menu())
            AttachMenu(popup);
}

void CCoolMenuManager::AttachMenu(QMenu *popup)
{
    connect(popup, &QMenu::aboutToShow, this, &CCoolMenuManager::popupAboutToShow, Qt::UniqueConnection);
    connect(popup, &QMenu::aboutToHide, this, &CCoolMenuManager::popupAboutToHide, Qt::UniqueConnection);
    for (QAction *item : popup->actions())
        if (QMenu *submenu = item->menu())
            AttachMenu(submenu);
}

void CCoolMenuManager::SetAcceleratorTable(const CAcceleratorTable *table)
{
    m_acceleratorTable = table;
}

bool CCoolMenuManager::LoadToolbar(int toolbarId)
{
    const std::optional<CToolBarResource> toolbar = CToolBarResource::Find(toolbarId);
    if (!toolbar)
        return false;
    const QPixmap strip(toolbar->bitmap);
    const qsizetype buttons = toolbar->commands.count() - toolbar->commands.count(0);
    if (strip.isNull() || strip.height() < toolbar->buttonSize.height() ||
        strip.width() < buttons * toolbar->buttonSize.width())
        return false;
    if (m_bitmapSize.isValid() && m_bitmapSize != toolbar->buttonSize)
        return false;
    if (!m_bitmapSize.isValid()) {
        m_bitmapSize = toolbar->buttonSize;
        m_buttonSize = m_bitmapSize + QSize(4, 4);
    }
    // Images are taken by button position, so a command that already has an
    // image from an earlier toolbar keeps it without shifting the others.
    int position = 0;
    for (int command : toolbar->commands) {
        if (command == 0)
            continue;
        if (!m_images.contains(command))
            m_images.insert(command, QIcon(strip.copy(position * m_bitmapSize.width(), 0,
                                                      m_bitmapSize.width(), m_bitmapSize.height())));
        ++position;
    }
    m_toolbarIds.append(toolbarId);
    return true;
}

bool CCoolMenuManager::LoadToolbars(const QList<int> &toolbarIds)
{
    bool allLoaded = true;
    for (int id : toolbarIds)
        allLoaded = LoadToolbar(id) && allLoaded;
    return allLoaded;
}

void CCoolMenuManager::Refresh()
{
    const QList<int> toolbars = m_toolbarIds;
    const QList<QPointer<QAction>> imaged = m_imagedActions;
    Destroy();
    LoadToolbars(toolbars);
    for (const QPointer<QAction> &action : imaged)
        if (action)
            ApplyImage(action);
}

void CCoolMenuManager::Destroy()
{
    for (const QPointer<QAction> &action : std::as_const(m_convertedItems))
        if (action)
            restoreItem(action);
    m_convertedItems.clear();
    m_imagedActions.clear();
    m_images.clear();
    m_toolbarIds.clear();
    m_bitmapSize = QSize();
    m_buttonSize = QSize();
    m_acceleratorMap.clear();
    m_mappedTable = nullptr;
}

QIcon CCoolMenuManager::CommandImage(int commandId) const
{
    return m_images.value(commandId);
}

void CCoolMenuManager::ApplyImage(QAction *action)
{
    const QIcon image = CommandImage(CommandIdOf(action));
    if (image.isNull())
        return;
    action->setIcon(image);
    if (!m_imagedActions.contains(action))
        m_imagedActions.append(action);
}

QString CCoolMenuManager::ShortcutText(int commandId)
{
    buildAcceleratorMap();
    QStringList keys;
    for (const CAccelerator &entry : m_acceleratorMap.value(commandId))
        keys.append(entry.text());
    return keys.join(QLatin1String(", "));
}

void CCoolMenuManager::OnInitMenuPopup(QMenu *popup)
{
    if (!m_showButtons)
        return;
    if (m_autoAccelerators)
        buildAcceleratorMap();
    for (QAction *item : popup->actions())
        if (isOurs(item))
            convertItem(item);
}

void CCoolMenuManager::OnMenuClosed(QMenu *popup)
{
    for (QAction *item : popup->actions()) {
        if (!item->property(kOwnTextProperty).isValid())
            continue;
        restoreItem(item);
        m_convertedItems.removeAll(item);
    }
}

void CCoolMenuManager::popupAboutToShow()
{
    if (auto *popup = qobject_cast<QMenu *>(sender()))
        OnInitMenuPopup(popup);
}

void CCoolMenuManager::popupAboutToHide()
{
    if (auto *popup = qobject_cast<QMenu *>(sender()))
        OnMenuClosed(popup);
}

void CCoolMenuManager::buildAcceleratorMap()
{
    if (m_mappedTable == m_acceleratorTable && m_mappedTable)
        return;
    m_acceleratorMap.clear();
    m_mappedTable = m_acceleratorTable;
    if (!m_acceleratorTable)
        return;
    for (const CAccelerator &entry : m_acceleratorTable->Entries())
        m_acceleratorMap[entry.command].append(entry);
}

void CCoolMenuManager::convertItem(QAction *action)
{
    if (!action->property(kOwnTextProperty).isValid()) {
        action->setProperty(kOwnTextProperty, textBeforeTab(action->text()));
        m_convertedItems.append(action);
    }
    ApplyImage(action);
    if (!m_autoAccelerators)
        return;
    const QString ownText = action->property(kOwnTextProperty).toString();
    const QString shortcut = ShortcutText(CommandIdOf(action));
    // An item without keys still carries a tab, so Qt does not add a
    // shortcut text of its own that the table does not have.
    action->setText(ownText + QLatin1Char('\t') + shortcut);
}

void CCoolMenuManager::restoreItem(QAction *action)
{
    const QVariant ownText = action->property(kOwnTextProperty);
    if (!ownText.isValid())
        return;
    action->setText(ownText.toString());
    action->setProperty(kOwnTextProperty, QVariant());
}

bool CCoolMenuManager::isOurs(const QAction *action) const
{
    return !action->isSeparator() && !action->menu() && CommandIdOf(action) != 0 &&
           !qobject_cast<const QWidgetAction *>(action);
}
