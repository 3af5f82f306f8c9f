// An informing wizard step; see wiztextppg.h.
#include "admin/config/wizard/wiztextppg.h"

#include "platform/mfc/propertysheet.h"

#include <QLabel>
#include <QVBoxLayout>

CWizTextPpg::CWizTextPpg(int dialogId, const QString &caption, const QStringList &paragraphs, UINT buttons)
    : CPropertyPage(dialogId, caption), m_paragraphs(paragraphs), m_buttons(buttons)
{
}

bool CWizTextPpg::OnInitDialog()
{
    auto *layout = new QVBoxLayout(this);
    for (const QString &text : m_paragraphs) {
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch();
    return CPropertyPage::OnInitDialog();
}

bool CWizTextPpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(m_buttons);
    return CPropertyPage::OnSetActive();
}
