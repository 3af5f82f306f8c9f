// The MDI window of a property editor. It owns the editor's document (and
// with it the window's session) and its form; closing asks the form about
// unapplied changes and then ends the session as the window's own doing.
// Open makes the whole window, as the application's property-editor
// template does.
#pragma once

#include <QMdiSubWindow>

#include <functional>
#include <memory>

class CLoginCredentials;
class CPropEditDoc;
class CPropEditFrm;
class CZELTSession;
class QMdiArea;

class CPropEditFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CPropEditFrame(std::unique_ptr<CPropEditDoc> document, std::function<bool(long)> isAllowed,
                   QWidget *parent = nullptr);
    ~CPropEditFrame() override;

    // A new editor in `area` on a session of its own made on `session`;
    // null (after the session said why) when it cannot log in.
    static CPropEditFrame *Open(QMdiArea *area, CZELTSession &session, const CLoginCredentials &login,
                                std::function<bool(long)> isAllowed);

    CPropEditDoc *GetActiveDocument() const { return m_document.get(); }
    CPropEditFrm *GetActiveView() const { return m_view; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<CPropEditDoc> m_document;
    CPropEditFrm *m_view;
    bool m_closed = false;
};
