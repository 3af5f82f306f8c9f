// A wizard step that only informs: the wizard's picture beside paragraphs
// of text, and the wizard buttons it offers while shown.
#pragma once

#include "platform/mfc/propertypage.h"

#include <QStringList>

class CWizTextPpg : public CPropertyPage {
    Q_OBJECT
public:
    // Drawn by admin/res/icons/drawicons.py.
    static constexpr const char *kPicture = ":/admin/icons/wizard235.png";
    enum { IDC_PICTURE = 235 };

    CWizTextPpg(int dialogId, const QString &caption, const QStringList &paragraphs, UINT buttons);

    bool OnSetActive() override;

protected:
    bool OnInitDialog() override;

private:
    QStringList m_paragraphs;
    UINT m_buttons;
};
