// The System Parameters window: an MDI child with the parameter list on the
// left and the help pane on the right. It owns its document (and with it the
// window's own session); closing asks about unsaved changes first.
#pragma once

#include <QMdiSubWindow>

#include <memory>

class CConfigSystemParamDoc;
class CConfigSystemParamLeftView;
class CConfigSystemParamRightView;
class CServerCommandChannel;
class QSplitter;

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

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<CConfigSystemParamDoc> m_document;
    QSplitter *m_splitter;
    CConfigSystemParamLeftView *m_left;
    CConfigSystemParamRightView *m_right;
};
