// The range box's checks; see rangebox.h.
#include "admin/uatools/rangebox.h"

#include "platform/msgbox/msgbox.h"

#include <QLineEdit>

std::optional<CParsedRangeList> CRangeBox::Parse(const QString &text)
{
    CParsedRangeList::Result result = CParsedRangeList::Parse(text);
    if (!result.list) {
        AfxMessageBox(result.message);
        return std::nullopt;
    }
    return std::move(result.list);
}

bool CRangeBox::CheckAllowed(const CParsedRangeList &list, const AllowedCheck &allowed, Action action,
                             bool cos, HWND owner, QLineEdit *box)
{
    if (!allowed || allowed(list.Intervals()))
        return true;
    const QString kind = cos ? QStringLiteral("Classes of Service(COS)") : QStringLiteral("Mail Boxes");
    const QString text =
        action == Create
            ? QStringLiteral(
                  "You are unable to create %1 out of your defined range.  Please select a new range.")
                  .arg(kind)
            : QStringLiteral(
                  "You are unable to delete %1 out of your defined range.  Please select a new range")
                  .arg(kind);
    MessageBox(owner, text, QStringLiteral("Error"), MB_OK | MB_ICONERROR);
    if (box) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
    return false;
}
