// A Tcl value's text taken out; see tclobjbytes.h.
#include "admin/config/params/tclobjbytes.h"

#include <tcl.h>

QByteArray TakeTclObjBytes(Tcl_Obj *value)
{
    Tcl_IncrRefCount(value);
    int length = 0;
    const char *text = Tcl_GetStringFromObj(value, &length);
    const QByteArray bytes(text, length);
    Tcl_DecrRefCount(value);
    return bytes;
}
