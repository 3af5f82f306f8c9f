// Menus that look like the toolbars: beside each command of the main
// frame's menus, the image of the toolbar button with the same command id,
// and the command's shortcut keys from the frame's accelerator table. Qt
// menus draw images, check marks, greyed images and mnemonics themselves, so
// the manager only has to give each item its image and shortcut text just
// before its popup opens, and the item its own text back when it closes.
//
// Items are the frame's actions with a command id (commandtable.h); any
// other item of a popup (another component's, or a widget drawing itself)
// is left alone.
#pragma once

#include "admin/app/acceleratortable.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>

class QAction;
class QMainWindow;
class QMenu;

class CCoolMenuManager : public QObject {
    Q_OBJECT
public:
    explicit CCoolMenuManager(QObject *parent = nullptr);
    ~CCoolMenuManager() override;

    // Takes over the popups of the frame's menu bar. Call again when the
    // frame has rebuilt its menus; popups already taken are not taken twice.
    void Install(QMainWindow *frame);
    // Takes over one popup and the popups below it.
    void AttachMenu(QMenu *popup);
    // The accelerator table whose keys the items show; not owned, and it
    // must outlive the manager or be replaced first. A table other than the
    // one the shortcut map was built from is read again at the next popup.
    void SetAcceleratorTable(const CAcceleratorTable *table);

    // Adds the images of a toolbar (toolbarresource.h). False when the
    // toolbar or its images cannot be loaded, or when its button size
    // differs from that of the toolbars loaded before.
    bool LoadToolbar(int toolbarId);
    // LoadToolbar for each id; false when any of them failed.
    bool LoadToolbars(const QList<int> &toolbarIds);
    // Loads every toolbar again, so images follow the system colours.
    void Refresh();
    // Forgets images, toolbars and shortcuts; converted items get their
    // own texts back.
    void Destroy();

    // The image of a command, or a null icon when no toolbar has it.
    QIcon CommandImage(int commandId) const;
    // Gives the action the image of its command, now and after each Refresh.
    void ApplyImage(QAction *action);
    QSize BitmapSize() const { return m_bitmapSize; }
    QSize ButtonSize() const { return m_buttonSize; }
    QList<int> Toolbars() const { return m_toolbarIds; }

    void SetShowButtons(bool show) { m_showButtons = show; }
    void SetAutoAccelerators(bool automatic) { m_autoAccelerators = automatic; }

    // The text after the tab of a command's item: its accelerator entries
    // in table order, separated by ", "; empty when it has none.
    QString ShortcutText(int commandId);

    // Before a popup opens: its items get their images and shortcut texts.
    void OnInitMenuPopup(QMenu *popup);
    // After it closed: its items get their own texts back.
    void OnMenuClosed(QMenu *popup);

private slots:
    void popupAboutToShow();
    void popupAboutToHide();

private:
    void buildAcceleratorMap();
    void convertItem(QAction *action);
    void restoreItem(QAction *action);
    bool isOurs(const QAction *action) const;

    bool m_showButtons = true;
    bool m_autoAccelerators = true;
    QList<int> m_toolbarIds;
    QHash<int, QIcon> m_images; // command id to its button's image
    QSize m_bitmapSize;
    QSize m_buttonSize;
    const CAcceleratorTable *m_acceleratorTable = nullptr;
    const CAcceleratorTable *m_mappedTable = nullptr;
    QHash<int, QList<CAccelerator>> m_acceleratorMap;
    QList<QPointer<QAction>> m_convertedItems;
    QList<QPointer<QAction>> m_imagedActions;
    QPointer<QMainWindow> m_frame;
};
