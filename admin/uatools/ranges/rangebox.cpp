// The range box's checks; see rangebox.h.
#include "admin/uatools/ranges/rangebox.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
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

std::optional<CRangeList> CRangeBox::FindExisting(CServerCommandChannel &channel, const CParsedRangeList &list)
{
    // The server checks single numbers and ranges as the list names them.
    QStringList elements;
    const QList<CParsedRangeList::Item> &items = list.Items();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i + 1 < items.size() && items[i + 1].kind == CParsedRangeList::Item::RangeMarker) {
            elements.append(QStringLiteral("{%1 %2}").arg(items[i].value).arg(items[i + 2].value));
            i += 2;
        } else {
            elements.append(QString::number(items[i].value));
        }
    }
    const QString reply = channel.Execute(QStringLiteral("CheckExistUA ") + TclWord(elements.join(u' ')));
    const CTclList splitter;
    QStringList answer;
    splitter.SplitList(reply, answer);
    QStringList hits;
    if (answer.size() == 1)
        splitter.SplitList(answer.first(), hits);
    if (IsErrorReply(reply) || answer.size() != 1 ||
        (!hits.isEmpty() && hits.first() == QLatin1String("-1"))) {
        AfxMessageBox(QObject::tr("Could not find out which of these user agents exist: %1").arg(reply));
        return std::nullopt;
    }
    CRangeList existing;
    for (const QString &hit : hits) {
        bool isNumber = false;
        const uint32_t number = hit.toUInt(&isNumber);
        if (isNumber)
            existing.Add(CRangeList::Interval{number, number});
    }
    return existing;
}

std::optional<CRangeList> CRangeBox::ConfirmExisting(CServerCommandChannel &channel,
                                                     const CParsedRangeList &list, const QString &goOn)
{
    const std::optional<CRangeList> found = FindExisting(channel, list);
    if (!found)
        return std::nullopt;
    const uint64_t count = found->Count();
    if (count == 0)
        return found;
    if (count >= list.Intervals().Count()) {
        AfxMessageBox(count == 1 ? QStringLiteral("This user agent exists already.")
                                 : QStringLiteral("All of these user agents exist already."));
        return std::nullopt;
    }
    const QString question =
        count == 1
            ? QStringLiteral("One of these user agents exists already and is left as it is.\nDo you want "
                             "to %1?")
                  .arg(goOn)
            : QStringLiteral("%1 of these user agents exist already and are left as they are.\nDo you "
                             "want to %2?")
                  .arg(QString::number(count), goOn);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return std::nullopt;
    return found;
}
