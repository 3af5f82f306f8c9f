// The pictures come from the resources of the adminframe library.
#include "admin/app/applicationicon.h"

namespace {

const char kSmallIcon[] = ":/admin/icons/admin16.png";
const char kLargeIcon[] = ":/admin/icons/admin32.png";

} // namespace

QIcon ApplicationIcon()
{
    QIcon icon;
    icon.addFile(QString::fromLatin1(kSmallIcon));
    icon.addFile(QString::fromLatin1(kLargeIcon));
    return icon;
}

QIcon ApplicationSmallIcon()
{
    return QIcon(QString::fromLatin1(kSmallIcon));
}
