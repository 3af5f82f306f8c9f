// A resizable dialog whose controls follow its size by their anchors, and
// which remembers its size in Chanview's settings file under the section
// named by its template id in hexadecimal. It remembers only a size the user
// chose: a dialog that was never resized writes nothing.
#pragma once

#include "platform/mfc/dialog.h"

#include <QList>
#include <QSize>

class CAnchoredDialog : public CDialog {
    Q_OBJECT
public:
    enum AnchorFlag : uint32_t {
        AnchorMoveRight = 1,
        AnchorMoveDown = 2,
        AnchorWiden = 4,
        AnchorHeighten = 8,
    };

    CAnchoredDialog(int templateId, const QString &caption, QWidget *parent = nullptr);

    // A control that follows the dialog's size; flags 0 adds nothing.
    void AddAnchor(int controlId, uint32_t flags);
    QString ProfileSection() const { return QString::number(m_templateId, 16); }
    // The settings file of the remembered size.
    static QString ProfileFileName();

protected:
    bool OnInitDialog() override;
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;

private:
    QSize largestSize() const;
    void moveAnchored(int dx, int dy);
    void saveSize();

    bool m_bRememberSize = true;
    QSize m_minimum; // the designed size
    QSize m_last;
    bool m_bResized = false;
    QList<uint32_t> m_anchors;
    const int m_templateId;
};
