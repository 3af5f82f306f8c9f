// The Print Setup dialog; see printsetupdlg.h.
#include "admin/app/printsetupdlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// What a PDF file takes: the sizes of common office paper.
const QPageSize::PageSizeId kPdfPaperSizes[] = {QPageSize::A3,        QPageSize::A4,     QPageSize::A5,
                                                QPageSize::B5,        QPageSize::Letter, QPageSize::Legal,
                                                QPageSize::Executive, QPageSize::Tabloid};

} // namespace

CPrintSetupDlg::CPrintSetupDlg(QPrinter &printer, QWidget *parent)
    : CDialog(IDD, tr("Print Setup"), parent), m_printer(printer),
      m_printerName(SetDlgCtrlID(new QComboBox(this), IDC_PRINTER)),
      m_paperSize(SetDlgCtrlID(new QComboBox(this), IDC_PAPER_SIZE)),
      m_portrait(SetDlgCtrlID(new QRadioButton(tr("P&ortrait"), this), IDC_PORTRAIT)),
      m_landscape(SetDlgCtrlID(new QRadioButton(tr("L&andscape"), this), IDC_LANDSCAPE))
{
    auto *printerBox = new QGroupBox(tr("Printer"), this);
    auto *printerForm = new QFormLayout(printerBox);
    printerForm->addRow(tr("&Name:"), m_printerName);
    m_printerName->setMinimumContentsLength(28);

    auto *paperBox = new QGroupBox(tr("Paper"), this);
    auto *paperForm = new QFormLayout(paperBox);
    paperForm->addRow(tr("Si&ze:"), m_paperSize);

    auto *orientationBox = new QGroupBox(tr("Orientation"), this);
    auto *orientation = new QVBoxLayout(orientationBox);
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);

    auto *buttons = new QDialogButtonBox(this);
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK")), IDOK);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *page = new QHBoxLayout;
    page->addWidget(paperBox, 1);
    page->addWidget(orientationBox);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(printerBox);
    layout->addLayout(page);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_printerName, &QComboBox::currentIndexChanged, this,
            [this] { listPaperSizes(m_paperSize->currentData().value<QPageSize>(), false); });
}

QString CPrintSetupDlg::PdfFileEntry()
{
    return tr("PDF file");
}

bool CPrintSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const QSignalBlocker blocker(m_printerName);
    m_printerName->clear();
    m_printerName->addItems(QPrinterInfo::availablePrinterNames());
    m_printerName->addItem(PdfFileEntry());
    const int current = m_printer.outputFormat() == QPrinter::PdfFormat
                            ? m_printerName->count() - 1
                            : m_printerName->findText(m_printer.printerName(), Qt::MatchExactly);
    m_printerName->setCurrentIndex(current >= 0 ? current : m_printerName->count() - 1);
    listPaperSizes(m_printer.pageLayout().pageSize(), true);
    const bool landscape = m_printer.pageLayout().orientation() == QPageLayout::Landscape;
    m_landscape->setChecked(landscape);
    m_portrait->setChecked(!landscape);
    m_printerName->setFocus();
    return false;
}

void CPrintSetupDlg::OnOK()
{
    if (pdfChosen()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(m_printerName->currentText());
    }
    m_printer.setPageSize(m_paperSize->currentData().value<QPageSize>());
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    CDialog::OnOK();
}

void CPrintSetupDlg::listPaperSizes(const QPageSize &keep, bool offerKept)
{
    QList<QPageSize> sizes;
    if (pdfChosen()) {
        for (QPageSize::PageSizeId id : kPdfPaperSizes)
            sizes.append(QPageSize(id));
    } else {
        sizes = QPrinterInfo::printerInfo(m_printerName->currentText()).supportedPageSizes();
    }
    const auto kept = [&](const QPageSize &size) { return keep.isValid() && size.isEquivalentTo(keep); };
    if (offerKept && keep.isValid() && std::none_of(sizes.cbegin(), sizes.cend(), kept))
        sizes.prepend(keep);
    m_paperSize->clear();
    int chosen = -1;
    for (const QPageSize &size : std::as_const(sizes)) {
        if (chosen < 0 && kept(size))
            chosen = m_paperSize->count();
        m_paperSize->addItem(size.name(), QVariant::fromValue(size));
    }
    m_paperSize->setCurrentIndex(std::max(chosen, 0));
}

bool CPrintSetupDlg::pdfChosen() const
{
    return m_printerName->currentIndex() == m_printerName->count() - 1;
}
