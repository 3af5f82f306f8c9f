// Print Setup: the printer, paper size and orientation of the program's one
// printer setting, which the report previews show and print on. The printer
// list holds the installed printers and a PDF file, so that reports can be
// printed where no printer is installed. Nothing changes until OK.
#pragma once

#include "platform/mfc/dialog.h"

#include <QPageSize>

class QComboBox;
class QPrinter;
class QRadioButton;

class CPrintSetupDlg : public CDialog {
    Q_OBJECT
public:
    // No help topic of its own.
    enum { IDD = 0, IDC_PRINTER = 100, IDC_PAPER_SIZE = 101, IDC_PORTRAIT = 102, IDC_LANDSCAPE = 103 };

    // `printer` outlives the dialog; OK writes the choice into it.
    explicit CPrintSetupDlg(QPrinter &printer, QWidget *parent = nullptr);

    // The text of the printer entry that prints to a PDF file.
    static QString PdfFileEntry();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    // The paper sizes the chosen printer takes, keeping `keep` chosen when it
    // is among them; `offerKept`: offered even when it is not (the setting's
    // own size, which a custom one may be).
    void listPaperSizes(const QPageSize &keep, bool offerKept);
    bool pdfChosen() const;

    QPrinter &m_printer;
    QComboBox *m_printerName;
    QComboBox *m_paperSize;
    QRadioButton *m_portrait;
    QRadioButton *m_landscape;
};
