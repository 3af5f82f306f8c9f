// A plain QObject window; see messageobject.h.
#include "messageobject.h"

CMessageObject::CMessageObject(QObject *parent) : QObject(parent), CMessageTarget(this) {}

CMessageObject::~CMessageObject()
{
    unregisterWindow();
}
