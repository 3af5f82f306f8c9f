// The System Parameters window: an MDI child with the parameter list on the
// left and the help pane on the right. It owns its document (and with it the
// window's own session); closing asks about unsaved changes first. While a
// cell is being edited its Close is greyed: the system menu's item and the
// close box, on the title bar or, maximised, in the main window's menu bar,
// which then closes nothing.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>

#include <memory>

class CCloseBoxCover;
class CConfigSystemParamDoc;
class CConfigSystemParamLeftView;
class CConfigSystemParamRightView;
class CServerCommandChannel;
class QSplitter;
class QStyleOptionTitleBar;

class CConfigSystemParamChildWnd : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 185;

    // `document` has been opened; the window deletes itself when closed.
    CConfigSystemParamChildWnd(std::unique_ptr<CConfigSystemParamDoc> document,
                               CServerCommandChannel *applicationChannel, QWidget *parent = nullptr);
    ~CConfigSystemParamChildWnd() override;

    // Fills both panes.
    void InitialUpdate();

    CConfigSystemParamDoc *GetDocument() const { return m_document.get(); }
    CConfigSystemParamLeftView *LeftView() const { return m_left; }
    CConfigSystemParamRightView *RightView() const { return m_right; }

    // Greys or enables the system menu's Close and the close box.
    void EnableClose(bool enabled);
    bool IsCloseEnabled() const { return m_closeEnabled; }
    // Where the close box is drawn, in the window's coordinates; empty
    // where the title bar has none.
    QRect CloseBoxRect() const;
    // The buttons a maximised window shows in the main window's menu bar;
    // null when it shows none there.
    QWidget *MenuBarButtons() const;
    // Where the close box is among them, in their coordinates.
    static QRect MenuBarCloseBoxRect(QWidget *buttons);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The title bar as the window draws it; a maximised window shows its
    // buttons in the menu bar instead, where there is one.
    QStyleOptionTitleBar titleBarOption() const;
    bool hasTitleBar() const;
    QStyle::SubControl titleBarControlAt(const QPoint &position) const;
    void drawGreyedCloseBox();
    void coverMenuBarCloseBox();

    bool m_closeEnabled = true;
    Qt::FocusPolicy m_focusPolicy;
    QPointer<CCloseBoxCover> m_menuBarCover;
    std::unique_ptr<CConfigSystemParamDoc> m_document;
    QSplitter *m_splitter;
    CConfigSystemParamLeftView *m_left;
    CConfigSystemParamRightView *m_right;
};
