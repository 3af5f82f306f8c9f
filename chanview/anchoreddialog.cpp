// See anchoreddialog.h. Controls are placed by their anchors, not by a
// layout, so a control keeps its margins to the edges it is tied to.
#include "chanview/anchoreddialog.h"

#include "platform/registry/profile.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

namespace {
const QString kWidth = QStringLiteral("CX");
const QString kHeight = QStringLiteral("CY");
} // namespace

CAnchoredDialog::CAnchoredDialog(int templateId, const QString &caption, QWidget *parent)
    : CDialog(templateId, caption, parent), m_templateId(templateId)
{
    setSizeGripEnabled(true);
}

QString CAnchoredDialog::ProfileFileName()
{
    return QStringLiteral("Chanview.ini");
}

void CAnchoredDialog::AddAnchor(int controlId, uint32_t flags)
{
    if (flags != 0)
        m_anchors.append((flags << 16) | (uint32_t(controlId) & 0xFFFF));
}

bool CAnchoredDialog::OnInitDialog()
{
    const bool result = CDialog::OnInitDialog();
    // The designed size is the smallest, taken before a remembered size
    // replaces it: a window once enlarged can be made small again.
    if (m_minimum.isEmpty())
        m_minimum = size();
    setMinimumSize(m_minimum);
    if (m_bRememberSize) {
        const CProfile profile = CProfile::inIniFile(ProfileFileName());
        const int width = profile.GetProfileInt(ProfileSection(), kWidth, 0);
        const int height = profile.GetProfileInt(ProfileSection(), kHeight, 0);
        if (width > 0 && height > 0) {
            // The anchored controls follow from the designed size to the
            // remembered one, as from any other size change.
            m_last = size();
            resize(QSize(width, height).boundedTo(largestSize()));
        }
    }
    return result;
}

// A size remembered on a larger screen, or written by hand, must leave the
// window, its frame and its size grip on this screen.
QSize CAnchoredDialog::largestSize() const
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QSize frameExtra(frame.width() - inner.width(), frame.height() - inner.height());
    return shown->availableGeometry().size() - frameExtra;
}

void CAnchoredDialog::resizeEvent(QResizeEvent *event)
{
    CDialog::resizeEvent(event);
    if (isMinimized())
        return;
    if (m_last.isValid() && !m_last.isEmpty()) {
        m_bResized = true;
        moveAnchored(event->size().width() - m_last.width(), event->size().height() - m_last.height());
    }
    m_last = event->size();
}

void CAnchoredDialog::moveAnchored(int dx, int dy)
{
    for (uint32_t anchor : std::as_const(m_anchors)) {
        const uint32_t flags = anchor >> 16;
        QWidget *control = GetDlgItem(int(anchor & 0xFFFF));
        if (!control)
            continue;
        QRect place = control->geometry();
        if (flags & AnchorWiden)
            place.setRight(place.right() + dx);
        else if (flags & AnchorMoveRight)
            place.translate(dx, 0);
        if (flags & AnchorHeighten)
            place.setBottom(place.bottom() + dy);
        else if (flags & AnchorMoveDown)
            place.translate(0, dy);
        control->setGeometry(place);
    }
}

void CAnchoredDialog::done(int result)
{
    saveSize();
    m_last = QSize();
    m_bResized = false;
    CDialog::done(result);
}

void CAnchoredDialog::saveSize()
{
    if (!m_bRememberSize || !m_bResized || m_last.isEmpty())
        return;
    const CProfile profile = CProfile::inIniFile(ProfileFileName());
    profile.WriteProfileInt(ProfileSection(), kWidth, width());
    profile.WriteProfileInt(ProfileSection(), kHeight, height());
}
