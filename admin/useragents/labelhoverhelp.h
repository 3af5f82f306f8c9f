// The hover help of a page's field labels. Resting the mouse on a field's
// label frames the label and, a tick of the tip timer later, shows the
// field's help text below it for five ticks; the mouse anywhere else on the
// page takes frame and tip away. The page's labels are no windows of their
// own, so one event filter on the page and all its controls tells where the
// mouse is; the same filter hands a right click on a label to the page,
// which offers the field's menu.
//
// The page stays the window: the tip timer runs on the page's window and the
// page hands its WM_TIMER and WM_SETCURSOR on. Which text a field's tip
// shows is the page's to say.
#pragma once

#include "platform/messages/messages.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class CDialog;
class QWidget;

class CLabelHoverHelp : public QObject {
public:
    static constexpr uintptr_t TimerId = 13312;
    static constexpr UINT TimerPeriod = 1000;
    // The tip shows at the first tick of its timer and goes at this one.
    static constexpr int HideTick = 6;
    // The help text of the field the label names; none when it names none.
    using TipSource = std::function<std::optional<QString>(int labelId)>;
    using LabelAction = std::function<void(QWidget *label)>;

    CLabelHoverHelp(CDialog &page, TipSource tipSource, LabelAction rightClick);

    // Once the page's controls exist: watches the mouse over the page and
    // its controls and gives these labels the help cursor. Later calls do
    // nothing, the page's window being made only once.
    void Attach(const std::vector<QWidget *> &labels);
    // The mouse is over a window that is not a field's label.
    void ClearHover();
    // A tick of the page's timer TimerId.
    void OnTimer();

    // The framed label (-1: none), its frame, and the tip with its text,
    // in page coordinates.
    int HoveredLabelId() const { return m_hoverLabelId; }
    QRect HoverFrame() const { return m_hoverFrame; }
    bool IsTipShown() const { return !m_tipRect.isNull(); }
    QRect TipRect() const { return m_tipRect; }
    QString TipText() const { return m_tipText; }
    bool IsTimerRunning() const { return m_timerRunning; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Overlay;

    void onSetCursor(QWidget *window);
    void hoverLabel(QWidget *label);
    void stopTimer();
    void showTip();
    void hideTip();

    CDialog &m_page;
    TipSource m_tipSource;
    LabelAction m_rightClick;
    int m_hoverLabelId = -1;
    QRect m_hoverFrame;
    QRect m_tipRect;
    QString m_tipText;
    int m_ticks = 0;
    bool m_timerRunning = false;
    // Draws frame and tip above the page's controls, since the tip lies over
    // the fields below its label; a child of the page, made by Attach.
    Overlay *m_overlay = nullptr;
};
