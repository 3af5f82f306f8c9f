// The pictures come from the resources of this library (adminicons).
#include "admin/res/applicationicon.h"

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
