// The text of a Tcl value as the bytes that paramhelp hands on: a value
// made only to be written out is released once its text is taken.
#pragma once

#include <QByteArray>

struct Tcl_Obj;

// Takes `value`, which nothing else holds, gives its text, and frees it.
QByteArray TakeTclObjBytes(Tcl_Obj *value);
