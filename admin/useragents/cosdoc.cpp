// The class-of-service editor's document; see cosdoc.h.
#include "admin/useragents/cosdoc.h"

CCOSDoc::CCOSDoc(Account account) : CAdminDoc(std::move(account), true) {}

bool CCOSDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    if (!CAdminDoc::OnNewDocument(parent, login))
        return false;
    SetTitle(EditorNumber() > 0 ? QStringLiteral("COS Mailbox Editor %1").arg(EditorNumber())
                                : QStringLiteral("COS Mailbox Editor"));
    m_currentUANumber = GetCurrentUANumber();
    return true;
}

long CCOSDoc::GetCurrentUANumber() const
{
    const QList<long> numbers = UANumbers();
    return numbers.isEmpty() ? GetDefaultUANumber() : numbers.first();
}

QString CCOSDoc::GetParmsCommand() const
{
    QString numbers;
    AppendUAListText(numbers);
    return parmsCommand(numbers, QStringLiteral("AllCOS"));
}
