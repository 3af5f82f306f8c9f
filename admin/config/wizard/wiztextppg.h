// A wizard step that only informs: paragraphs of text and the wizard
// buttons it offers while shown.
#pragma once

#include "platform/mfc/propertypage.h"

#include <QStringList>

class CWizTextPpg : public CPropertyPage {
    Q_OBJECT
public:
    CWizTextPpg(int dialogId, const QString &caption, const QStringList &paragraphs, UINT buttons);

    bool OnSetActive() override;

protected:
    bool OnInitDialog() override;

private:
    QStringList m_paragraphs;
    UINT m_buttons;
};
