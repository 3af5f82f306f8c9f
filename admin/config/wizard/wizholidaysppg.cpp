// The wizard's holiday step; see wizholidaysppg.h.
#include "admin/config/wizard/wizholidaysppg.h"

#include "admin/widgets/gridarrowkeys.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/mfc/dlgitem.h"
#include "platform/mfc/propertysheet.h"

CWizHolidaysPpg::CWizHolidaysPpg()
{
    setWindowTitle(QStringLiteral("Configuration Wizard - Select Holidays"));
    SetQuietEdits();
    const std::pair<int, int> renumbered[] = {
        {CConfigHolidaysPropPage::IDC_HOLIDAY_GRID, IDC_HOLIDAY_GRID},
        {CConfigHolidaysPropPage::IDC_HOLIDAY_FRAME, IDC_HOLIDAY_FRAME},
        {CConfigHolidaysPropPage::IDC_HOLIDAY_ADD, IDC_HOLIDAY_ADD},
        {CConfigHolidaysPropPage::IDC_HOLIDAY_REMOVE, IDC_HOLIDAY_REMOVE},
        {CConfigHolidaysPropPage::IDC_HOLIDAY_RANGE_WARNING, IDC_HOLIDAY_RANGE_WARNING}};
    for (const auto &[page, wizard] : renumbered)
        if (QWidget *control = GetDlgItem<QWidget>(page))
            SetDlgCtrlID(control, wizard);
}

bool CWizHolidaysPpg::OnInitDialog()
{
    const bool result = CConfigHolidaysPropPage::OnInitDialog();
    new CGridArrowKeys(this, Grid());
    return result;
}

bool CWizHolidaysPpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CConfigHolidaysPropPage::OnSetActive();
}

bool CWizHolidaysPpg::OnCommand(int id)
{
    // The buttons carry the wizard's numbers; the page acts on its own.
    switch (id) {
    case IDC_HOLIDAY_ADD:
        return CConfigHolidaysPropPage::OnCommand(CConfigHolidaysPropPage::IDC_HOLIDAY_ADD);
    case IDC_HOLIDAY_REMOVE:
        return CConfigHolidaysPropPage::OnCommand(CConfigHolidaysPropPage::IDC_HOLIDAY_REMOVE);
    default:
        return CConfigHolidaysPropPage::OnCommand(id);
    }
}
