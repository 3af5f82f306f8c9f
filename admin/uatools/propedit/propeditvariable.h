// One row of the property editor's variable list: the variable's name and
// the tracker the user-agent record fills and reads back, as the mailbox
// pages use it. Its first flag (`own`) says that the user agent holds the
// variable itself; its second (`showsInherited`) that it is to inherit again,
// which is how a removed variable reaches the record.
#pragma once

#include "admin/useragents/pagetextvalue.h"

#include <QString>

struct CPropEditVariable {
    QString name;
    CPageTextValue value;
};
