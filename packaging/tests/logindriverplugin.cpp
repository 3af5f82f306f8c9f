// See logindriverplugin.h. Qt keeps the object it creates until the
// application ends.
#include "packaging/tests/logindriverplugin.h"

#include "packaging/tests/logindriver.h"

QObject *LoginDriverPlugin::create(const QString &key, const QString &)
{
    if (key.compare(QLatin1String("verbantalogindriver"), Qt::CaseInsensitive) != 0)
        return nullptr;
    return new LoginDriver;
}
