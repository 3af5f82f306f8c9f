// An informing wizard step; see wiztextppg.h.
#include "admin/config/wizard/wiztextppg.h"

#include "platform/mfc/propertysheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

CWizTextPpg::CWizTextPpg(int dialogId, const QString &caption, const QStringList &paragraphs, UINT buttons)
    : CPropertyPage(dialogId, caption), m_paragraphs(paragraphs), m_buttons(buttons)
{
}

bool CWizTextPpg::OnInitDialog()
{
    auto *layout = new QHBoxLayout(this);
    auto *picture = SetDlgCtrlID(new QLabel(this), IDC_PICTURE);
    picture->setPixmap(QPixmap(QLatin1String(kPicture)));
    layout->addWidget(picture, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    for (const QString &text : m_paragraphs) {
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        texts->addWidget(label);
    }
    texts->addStretch();
    layout->addLayout(texts, 1);
    return CPropertyPage::OnInitDialog();
}

bool CWizTextPpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(m_buttons);
    return CPropertyPage::OnSetActive();
}
